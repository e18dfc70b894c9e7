#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "host/gfx/Bitmap.h"

// The bitmap as an 8-bit RGB PNG file image. An empty bitmap has no PNG form and raises
// EInvalidGraphic.
std::vector<std::uint8_t> EncodePng(const TBitmap& bitmap);

// Writes the bitmap as an RGB PNG file; EFOpenError ("Cannot create file ...") when the file
// cannot be written.
void SavePngFile(const TBitmap& bitmap, const std::string& path);
