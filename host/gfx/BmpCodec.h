#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "host/gfx/Bitmap.h"

// The largest picture the reader accepts; anything larger is refused before memory is taken.
constexpr int kBmpMaxSide = 16384;
constexpr std::int64_t kBmpMaxPixels = std::int64_t { 1 } << 26;

// A decoded Windows bitmap: top-down rows of 0x00RRGGBB pixels.
struct TBmpImage {
    int Width = 0;
    int Height = 0;
    TPixelBuffer Pixels;
    // The file's own depth: 16-bit 5-5-5 pixels report pf15bit, other 16-bit masks pf16bit.
    TPixelFormat Format = TPixelFormat::pfDevice;
};

// Decodes a Windows bitmap file image (file header "BM", OS/2 core or Windows information
// header, colour table, pixel rows). Data that ends before the headers or the colour table
// are complete raises EReadError ("Stream read error"); a file this reader cannot or must
// not decode raises EInvalidGraphic ("Bitmap image is not valid"). Pixel rows or runs that
// the data does not reach keep the fill: colour-table entry 0 for palette images, black
// otherwise, as if the missing bytes were zeros.
TBmpImage DecodeBmp(std::span<const std::uint8_t> file);

// A bottom-up Windows bitmap file image with a 40-byte information header at 8 (palette;
// falls back to 24 when the pixels hold more than 256 colours), 24 or 32 bits per pixel.
// An empty bitmap gives no bytes at all; other depths raise Exception.
std::vector<std::uint8_t> EncodeBmp(const TBitmap& bitmap, int bitsPerPixel);
