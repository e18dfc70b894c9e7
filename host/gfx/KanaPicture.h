#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "host/gfx/Bitmap.h"

// A kana picture blob is a Windows bitmap file image, optionally behind an 8-byte graphic
// header (little-endian: count 1, type 0x0100, size of what follows).

// Clears the picture, then decodes the blob into it: an empty blob (or one that is only a
// header) gives an empty bitmap. Raises EReadError ("Stream read error") or EInvalidGraphic
// ("Bitmap image is not valid") as the bitmap reader does; the picture then stays empty.
void LoadKanaPicture(std::span<const std::uint8_t> blob, TBitmap& picture);

// The blob that stores a picture: the graphic header followed by its bitmap file image at
// the given depth (8 falls back to 24 for pictures of more than 256 colours).
std::vector<std::uint8_t> KanaPictureBlob(const TBitmap& picture, int bitsPerPixel = 8);

// The graphic header followed by the given bitmap file image, unchecked.
std::vector<std::uint8_t> KanaPictureBlob(std::span<const std::uint8_t> image);

// What a blob holds after its graphic header, or the whole blob when it has none.
std::span<const std::uint8_t> KanaPictureImage(std::span<const std::uint8_t> blob);
