#include "tools/skinart/IconFile.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kDirSize = 6;
constexpr std::uint32_t kEntrySize = 16;

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::uint8_t Channel(float v)
{
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

std::uint32_t MaskRowBytes(int width)
{
    return static_cast<std::uint32_t>((width + 31) / 32 * 4);
}

std::uint32_t ImageSize(const TRaster& r)
{
    const auto w = static_cast<std::uint32_t>(r.Width());
    const auto h = static_cast<std::uint32_t>(r.Height());
    return kInfoHeaderSize + w * h * 4 + MaskRowBytes(r.Width()) * h;
}

// A BMP information header of twice the height (colour rows, then mask rows), bottom-up
// BGRA rows and the mask.
void PutImage(std::vector<std::uint8_t>& out, const TRaster& r)
{
    const auto w = static_cast<std::uint32_t>(r.Width());
    const auto h = static_cast<std::uint32_t>(r.Height());
    Put32(out, kInfoHeaderSize);
    Put32(out, w);
    Put32(out, h * 2);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, ImageSize(r) - kInfoHeaderSize);
    for (int i = 0; i < 4; ++i)
        Put32(out, 0);
    for (int y = r.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < r.Width(); ++x) {
            const TRgba& p = r.At(x, y);
            out.push_back(Channel(p.B));
            out.push_back(Channel(p.G));
            out.push_back(Channel(p.R));
            out.push_back(Channel(p.A));
        }
    }
    for (int y = r.Height() - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(MaskRowBytes(r.Width()), 0);
        for (int x = 0; x < r.Width(); ++x)
            if (r.At(x, y).A < 0.5f)
                row[static_cast<size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
}

} // namespace

std::vector<std::uint8_t> EncodeIcon(const std::vector<TRaster>& pictures)
{
    std::vector<std::uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(pictures.size()));
    auto offset = static_cast<std::uint32_t>(kDirSize + kEntrySize * pictures.size());
    for (const TRaster& r : pictures) {
        out.push_back(static_cast<std::uint8_t>(r.Width() >= 256 ? 0 : r.Width()));
        out.push_back(static_cast<std::uint8_t>(r.Height() >= 256 ? 0 : r.Height()));
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, ImageSize(r));
        Put32(out, offset);
        offset += ImageSize(r);
    }
    for (const TRaster& r : pictures)
        PutImage(out, r);
    return out;
}
