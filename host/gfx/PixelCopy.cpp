#include "host/gfx/PixelCopy.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The colour bits of a pixel; the unused top byte never decides transparency.
constexpr TPixel kColourBits = 0x00FFFFFF;

void CopyRow(TPixel* d, const TPixel* s, int count, std::optional<TPixel> key)
{
    if (!key) {
        std::memcpy(d, s, static_cast<std::size_t>(count) * sizeof(TPixel));
        return;
    }
    for (int i = 0; i < count; ++i) {
        if ((s[i] & kColourBits) != *key)
            d[i] = s[i];
    }
}

void CopyUnscaled(
    const TDeviceContext& dest, const TRect& destRect, const TBitmap& source, const TRect& sourceRect, std::optional<TPixel> key)
{
    const int dx = sourceRect.Left - destRect.Left;
    const int dy = sourceRect.Top - destRect.Top;
    const TRect inSource = IntersectRect(sourceRect, { 0, 0, source.Width(), source.Height() });
    TBitmap& surface = dest.Surface();
    dest.ForEachVisiblePart(inSource.Offset(-dx, -dy), [&](const TRect& part) {
        for (int y = part.Top; y < part.Bottom; ++y)
            CopyRow(surface.ScanLine(y) + part.Left, source.ScanLine(y + dy) + part.Left + dx, part.Width(), key);
    });
}

// Index of the source pixel nearest to the centre of destination pixel i of n, over m source
// pixels: floor((2i + 1) m / 2n). Coordinates stay within 2^30, so the product fits 64 bits.
int NearestSource(std::int64_t i, std::int64_t n, std::int64_t m)
{
    return static_cast<int>(
        static_cast<std::uint64_t>(2 * i + 1) * static_cast<std::uint64_t>(m) / (2 * static_cast<std::uint64_t>(n)));
}

// Destination columns [offset, offset + length) of a part that all take source column sx.
struct ColumnRun {
    int offset;
    int length;
    int sx;
};

void CopyScaled(
    const TDeviceContext& dest, const TRect& destRect, const TBitmap& source, const TRect& sourceRect, std::optional<TPixel> key)
{
    TBitmap& surface = dest.Surface();
    std::vector<ColumnRun> runs;
    dest.ForEachVisiblePart(destRect, [&](const TRect& part) {
        runs.clear();
        bool allColumnsInside = true;
        for (int x = part.Left; x < part.Right; ++x) {
            const int sx = sourceRect.Left + NearestSource(x - destRect.Left, destRect.Width(), sourceRect.Width());
            if (sx < 0 || sx >= source.Width()) {
                allColumnsInside = false;
                continue;
            }
            const int offset = x - part.Left;
            if (!runs.empty() && runs.back().sx == sx && runs.back().offset + runs.back().length == offset)
                ++runs.back().length;
            else
                runs.push_back({ offset, 1, sx });
        }
        int previousSourceRow = -1;
        for (int y = part.Top; y < part.Bottom; ++y) {
            const int sy = sourceRect.Top + NearestSource(y - destRect.Top, destRect.Height(), sourceRect.Height());
            if (sy < 0 || sy >= source.Height())
                continue;
            TPixel* d = surface.ScanLine(y) + part.Left;
            // A row stretched downwards repeats the finished row above it.
            if (sy == previousSourceRow && !key && allColumnsInside) {
                std::memcpy(d, d - surface.Width(), static_cast<std::size_t>(part.Width()) * sizeof(TPixel));
                continue;
            }
            const TPixel* s = source.ScanLine(sy);
            for (const ColumnRun& run : runs) {
                const TPixel p = s[run.sx];
                if (!key || (p & kColourBits) != *key)
                    std::fill_n(d + run.offset, run.length, p);
            }
            previousSourceRow = sy;
        }
    });
}

} // namespace

void CopyPixels(
    const TDeviceContext& dest, const TRect& destRect, const TBitmap& source, const TRect& sourceRect, std::optional<TPixel> key)
{
    if (destRect.IsEmpty() || sourceRect.IsEmpty() || source.Empty())
        return;
    if (&source == &dest.Surface()) {
        // Read everything first, so that an overlapping copy sees the pixels as they were.
        const TRect inside = IntersectRect(sourceRect, { 0, 0, source.Width(), source.Height() });
        if (inside.IsEmpty())
            return;
        TBitmap copy(inside.Width(), inside.Height());
        for (int y = 0; y < inside.Height(); ++y)
            std::memcpy(copy.ScanLine(y), source.ScanLine(inside.Top + y) + inside.Left,
                static_cast<std::size_t>(inside.Width()) * sizeof(TPixel));
        CopyPixels(dest, destRect, copy, sourceRect.Offset(-inside.Left, -inside.Top), key);
        return;
    }
    if (destRect.Width() == sourceRect.Width() && destRect.Height() == sourceRect.Height())
        CopyUnscaled(dest, destRect, source, sourceRect, key);
    else
        CopyScaled(dest, destRect, source, sourceRect, key);
}
