#pragma once
#include <optional>
#include <string>

#include "host/gfx/Bitmap.h"
#include "host/sys/Types.h"

// Plain pixel work for putting the art together the way the skinned controls do: copies
// with an optional key colour left out, nearest-pixel stretching, fills and text.

void FillRect(TBitmap& dest, const TRect& r, TColor colour);
// Copies `source` (all of it, or `part`) to (x, y), leaving out pixels of the key colour.
void Blit(TBitmap& dest, int x, int y, const TBitmap& source, std::optional<TColor> key = std::nullopt);
void Blit(TBitmap& dest, int x, int y, const TBitmap& source, const TRect& part, std::optional<TColor> key = std::nullopt);
void Stretch(TBitmap& dest, const TRect& to, const TBitmap& source, const TRect& part, std::optional<TColor> key = std::nullopt);
// Tiles the source over the rectangle from the bitmap's origin, as a pattern brush does.
void Tile(TBitmap& dest, const TRect& r, const TBitmap& pattern);
// Each pixel as a square of `factor` pixels.
TBitmap Magnify(const TBitmap& source, int factor);
TBitmap Frame(const TBitmap& strip, int count, int index);
// Text with its top-left corner at (x, y); bold or plain, the font's em `size` pixels.
void Text(TBitmap& dest, int x, int y, const std::string& text, TColor colour, int size = 11, bool bold = false);
int TextWidth(TBitmap& dest, const std::string& text, int size = 11, bool bold = false);

// The skin's nine-part drawing of one button face frame into (0, 0, width, height) of dest
// at (x, y); corners keyed by fuchsia only when `transparent`, edges and centre always.
void NineGrid(TBitmap& dest, int x, int y, int width, int height, const TBitmap& face, bool transparent);
// The skin's three-part drawing: caps keyed, middle third stretched opaque.
void ThreePart(TBitmap& dest, const TRect& r, const TBitmap& image);
