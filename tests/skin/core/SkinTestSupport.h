#pragma once
#include <cstdint>

#include "host/gfx/Bitmap.h"

// Pixels that name their own position, so that a test can tell which source pixel landed where.
// Blue 0x40 keeps them clear of fuchsia and of the backgrounds the tests use.
inline TColor CoordinateColor(int x, int y)
{
    return RGB(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 0x40);
}

inline TBitmap CoordinateBitmap(int width, int height)
{
    TBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, CoordinateColor(x, y));
    return b;
}

inline TBitmap FilledBitmap(int width, int height, TColor color)
{
    TBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, color);
    return b;
}
