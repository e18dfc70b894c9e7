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
    const TRect inSource = IntersectRect(sourceRect, { 0, 0, source.PixelWidth(), source.PixelHeight() });
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
            if (sx < 0 || sx >= source.PixelWidth()) {
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
            if (sy < 0 || sy >= source.PixelHeight())
                continue;
            TPixel* d = surface.ScanLine(y) + part.Left;
            // A row stretched downwards repeats the finished row above it.
            if (sy == previousSourceRow && !key && allColumnsInside) {
                std::memcpy(d, d - surface.PixelWidth(), static_cast<std::size_t>(part.Width()) * sizeof(TPixel));
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

// Where destination pixel i of n samples m source pixels from `first`: between source pixels
// Low and Low + 1 (both kept within [bound, limit)) with the weight of the second in 1/256, and
// the nearest source pixel, which decides whether the destination pixel is drawn at all.
struct SmoothSample {
    int Low;
    int High;
    unsigned Weight;
    int Nearest;
};

SmoothSample SampleAt(std::int64_t i, std::int64_t n, std::int64_t first, std::int64_t m, int bound, int limit)
{
    // The centre of destination pixel i, in 1/256 of a source pixel from the centre of `first`.
    const std::int64_t at = ((2 * i + 1) * m * 256) / (2 * n) - 128;
    const std::int64_t low = first + (at >> 8);
    const auto inside = [&](std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, bound, limit - 1)); };
    return { inside(low), inside(low + 1), static_cast<unsigned>(at & 0xFF), static_cast<int>(first + NearestSource(i, n, m)) };
}

// a and b mixed, b weighing w/256: red with blue and green on their own, each rounded.
TPixel Lerp(TPixel a, TPixel b, unsigned w)
{
    const unsigned v = 256 - w;
    const TPixel redBlue = (((a & 0xFF00FF) * v + (b & 0xFF00FF) * w + 0x800080) >> 8) & 0xFF00FF;
    const TPixel green = (((a & 0x00FF00) * v + (b & 0x00FF00) * w + 0x008000) >> 8) & 0x00FF00;
    return redBlue | green;
}

// The four neighbours blended by weight (1/256 across, 1/256 down); with a key, neighbours of
// the key colour take no part.
TPixel Blend(const TPixel (&p)[4], unsigned wx, unsigned wy, std::optional<TPixel> key)
{
    const unsigned weights[4] = { (256 - wx) * (256 - wy), wx * (256 - wy), (256 - wx) * wy, wx * wy };
    unsigned total = 0;
    unsigned r = 0;
    unsigned g = 0;
    unsigned b = 0;
    for (int k = 0; k < 4; ++k) {
        if (key && (p[k] & kColourBits) == *key)
            continue;
        total += weights[k];
        r += ((p[k] >> 16) & 0xFF) * weights[k];
        g += ((p[k] >> 8) & 0xFF) * weights[k];
        b += (p[k] & 0xFF) * weights[k];
    }
    if (total == 0)
        return p[0];
    return ((r + total / 2) / total) << 16 | ((g + total / 2) / total) << 8 | (b + total / 2) / total;
}

// Bilinear scaling that samples only inside the source rectangle, so that the neighbouring
// pieces of a strip never bleed in.
void CopySmooth(
    const TDeviceContext& dest, const TRect& destRect, const TBitmap& source, const TRect& sourceRect, std::optional<TPixel> key)
{
    const TRect inside = IntersectRect(sourceRect, { 0, 0, source.PixelWidth(), source.PixelHeight() });
    if (inside.IsEmpty())
        return;
    TBitmap& surface = dest.Surface();
    std::vector<SmoothSample> columns;
    // Without a key each source row is resampled across once per part, and a destination row
    // blends two of those.
    struct TAcross {
        int Row = -1;
        std::vector<TPixel> Pixels;
    };
    TAcross across[2];
    const auto resampled = [&](int sourceRow, int keep) -> const TPixel* {
        for (TAcross& a : across)
            if (a.Row == sourceRow)
                return a.Pixels.data();
        TAcross& slot = across[0].Row == keep ? across[1] : across[0];
        slot.Row = sourceRow;
        slot.Pixels.resize(columns.size());
        const TPixel* s = source.ScanLine(sourceRow);
        for (std::size_t i = 0; i < columns.size(); ++i)
            slot.Pixels[i] = Lerp(s[columns[i].Low], s[columns[i].High], columns[i].Weight);
        return slot.Pixels.data();
    };
    dest.ForEachVisiblePart(destRect, [&](const TRect& part) {
        columns.clear();
        across[0].Row = across[1].Row = -1;
        for (int x = part.Left; x < part.Right; ++x)
            columns.push_back(
                SampleAt(x - destRect.Left, destRect.Width(), sourceRect.Left, sourceRect.Width(), inside.Left, inside.Right));
        for (int y = part.Top; y < part.Bottom; ++y) {
            const SmoothSample row
                = SampleAt(y - destRect.Top, destRect.Height(), sourceRect.Top, sourceRect.Height(), inside.Top, inside.Bottom);
            if (row.Nearest < inside.Top || row.Nearest >= inside.Bottom)
                continue;
            TPixel* d = surface.ScanLine(y) + part.Left;
            if (!key) {
                const TPixel* upper = resampled(row.Low, row.High);
                const TPixel* lower = resampled(row.High, row.Low);
                for (std::size_t i = 0; i < columns.size(); ++i)
                    if (columns[i].Nearest >= inside.Left && columns[i].Nearest < inside.Right)
                        d[i] = Lerp(upper[i], lower[i], row.Weight);
                continue;
            }
            const TPixel* upper = source.ScanLine(row.Low);
            const TPixel* lower = source.ScanLine(row.High);
            const TPixel* nearestRow = source.ScanLine(row.Nearest);
            for (const SmoothSample& column : columns) {
                const bool drawn = column.Nearest >= inside.Left && column.Nearest < inside.Right
                    && (nearestRow[column.Nearest] & kColourBits) != *key;
                if (drawn) {
                    const TPixel p[4] = { upper[column.Low], upper[column.High], lower[column.Low], lower[column.High] };
                    const bool keyed
                        = std::any_of(std::begin(p), std::end(p), [&](TPixel q) { return (q & kColourBits) == *key; });
                    *d = keyed ? Blend(p, column.Weight, row.Weight, key)
                               : Lerp(Lerp(p[0], p[1], column.Weight), Lerp(p[2], p[3], column.Weight), row.Weight);
                }
                ++d;
            }
        }
    });
}

void Copy(const TDeviceContext& dest, const TRect& destRect, const TBitmap& source, const TRect& sourceRect,
    std::optional<TPixel> key, bool smooth)
{
    if (destRect.Width() == sourceRect.Width() && destRect.Height() == sourceRect.Height())
        CopyUnscaled(dest, destRect, source, sourceRect, key);
    else if (smooth)
        CopySmooth(dest, destRect, source, sourceRect, key);
    else
        CopyScaled(dest, destRect, source, sourceRect, key);
}

} // namespace

void CopyPixels(
    const TDeviceContext& dest, const TRect& destRect, const TBitmap& source, const TRect& sourceRect, std::optional<TPixel> key)
{
    if (destRect.IsEmpty() || sourceRect.IsEmpty() || source.Empty())
        return;
    // A picture made for another scale than the surface's is resampled, not blown up.
    const bool smooth = source.Scale() != dest.Scale();
    if (&source == &dest.Surface()) {
        // Read everything first, so that an overlapping copy sees the pixels as they were.
        const TRect inside = IntersectRect(sourceRect, { 0, 0, source.PixelWidth(), source.PixelHeight() });
        if (inside.IsEmpty())
            return;
        TBitmap copy(inside.Width(), inside.Height());
        for (int y = 0; y < inside.Height(); ++y)
            std::memcpy(copy.ScanLine(y), source.ScanLine(inside.Top + y) + inside.Left,
                static_cast<std::size_t>(inside.Width()) * sizeof(TPixel));
        Copy(dest, destRect, copy, sourceRect.Offset(-inside.Left, -inside.Top), key, smooth);
        return;
    }
    Copy(dest, destRect, source, sourceRect, key, smooth);
}
