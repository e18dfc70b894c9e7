#pragma once
// Builds Windows bitmap file images byte by byte, so tests can say exactly what a file holds.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

#include "host/gfx/Colors.h"

using TBytes = std::vector<std::uint8_t>;

struct TBmpFile {
    std::uint32_t headerSize = 40; // 12 is the OS/2 core header
    std::int32_t width = 1;
    std::int32_t height = 1; // negative: top-down
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    // Written after a 40-byte header, or into a larger one.
    std::vector<std::uint32_t> masks {};
    // 0x00RRGGBB entries, stored 4 bytes each (3 after a core header).
    std::vector<TPixel> palette {};
    TBytes pixels {};
    // Default: right after the colour table.
    std::optional<std::uint32_t> offBits {};
};

inline void Put16(TBytes& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void Put32(TBytes& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

inline void Patch32(TBytes& out, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline TBytes BuildBmp(const TBmpFile& f)
{
    TBytes out { 'B', 'M' };
    Put32(out, 0); // file size, patched below
    Put32(out, 0);
    Put32(out, 0); // pixel offset, patched below
    Put32(out, f.headerSize);
    if (f.headerSize == 12) {
        Put16(out, static_cast<std::uint32_t>(f.width));
        Put16(out, static_cast<std::uint32_t>(f.height));
        Put16(out, f.planes);
        Put16(out, f.bitCount);
    } else {
        Put32(out, static_cast<std::uint32_t>(f.width));
        Put32(out, static_cast<std::uint32_t>(f.height));
        Put16(out, f.planes);
        Put16(out, f.bitCount);
        Put32(out, f.compression);
        Put32(out, static_cast<std::uint32_t>(f.pixels.size()));
        Put32(out, 2835);
        Put32(out, 2835);
        Put32(out, f.colorsUsed);
        Put32(out, 0);
        std::size_t written = 40;
        if (f.headerSize > 40) {
            for (std::uint32_t m : f.masks) {
                Put32(out, m);
                written += 4;
            }
        }
        out.resize(out.size() + (f.headerSize - written), 0);
        if (f.headerSize == 40) {
            for (std::uint32_t m : f.masks)
                Put32(out, m);
        }
    }
    for (TPixel p : f.palette) {
        out.push_back(static_cast<std::uint8_t>(p));
        out.push_back(static_cast<std::uint8_t>(p >> 8));
        out.push_back(static_cast<std::uint8_t>(p >> 16));
        if (f.headerSize != 12)
            out.push_back(0);
    }
    Patch32(out, 10, f.offBits.value_or(static_cast<std::uint32_t>(out.size())));
    out.insert(out.end(), f.pixels.begin(), f.pixels.end());
    Patch32(out, 2, static_cast<std::uint32_t>(out.size()));
    return out;
}

// Pixel rows in file order, each padded with zeros to a multiple of 4 bytes.
inline TBytes Rows(std::initializer_list<TBytes> rows)
{
    TBytes out;
    for (const TBytes& row : rows) {
        out.insert(out.end(), row.begin(), row.end());
        out.resize(out.size() + (4 - row.size() % 4) % 4, 0);
    }
    return out;
}
