#pragma once
// Pixel pictures for drawing tests: each row a string, one character per pixel.
#include <string>
#include <utility>
#include <vector>

#include "host/gfx/Bitmap.h"
#include "host/gfx/Region.h"

using TPicture = std::vector<std::string>;

// The area of a bitmap as characters: each colour named in `legend`, any other colour '?'.
inline TPicture PictureOf(const TBitmap& bitmap, const TRect& area, const std::vector<std::pair<TColor, char>>& legend)
{
    TPicture rows;
    for (int y = area.Top; y < area.Bottom; ++y) {
        std::string row;
        for (int x = area.Left; x < area.Right; ++x) {
            char c = '?';
            for (const auto& [colour, name] : legend) {
                if (bitmap.GetPixel(x, y) == colour)
                    c = name;
            }
            row += c;
        }
        rows.push_back(row);
    }
    return rows;
}

// The area of a region: '#' inside, '.' outside.
inline TPicture PictureOf(const TRegion& region, const TRect& area)
{
    TPicture rows;
    for (int y = area.Top; y < area.Bottom; ++y) {
        std::string row;
        for (int x = area.Left; x < area.Right; ++x)
            row += region.Contains(x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}
