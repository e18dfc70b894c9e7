#include "host/gfx/Region.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

// Rectangles [first, last) of a region that share one Top and Bottom.
struct Band {
    int top;
    int bottom;
    std::size_t first;
    std::size_t last;
};

std::vector<Band> BandsOf(const std::vector<TRect>& rects)
{
    std::vector<Band> bands;
    for (std::size_t i = 0; i < rects.size(); ++i) {
        if (bands.empty() || bands.back().top != rects[i].Top)
            bands.push_back({ rects[i].Top, rects[i].Bottom, i, i + 1 });
        else
            bands.back().last = i + 1;
    }
    return bands;
}

struct Span {
    int left;
    int right;
};

// The x-spans of one row where keep(inA, inB) holds; a and b are sorted, non-touching spans.
template <class Keep>
void CombineSpans(
    const TRect* a, const TRect* aEnd, const TRect* b, const TRect* bEnd, Keep keep, std::vector<int>& xs, std::vector<Span>& out)
{
    xs.clear();
    for (const TRect* r = a; r != aEnd; ++r) {
        xs.push_back(r->Left);
        xs.push_back(r->Right);
    }
    for (const TRect* r = b; r != bEnd; ++r) {
        xs.push_back(r->Left);
        xs.push_back(r->Right);
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    for (std::size_t k = 0; k + 1 < xs.size(); ++k) {
        const int x0 = xs[k];
        const int x1 = xs[k + 1];
        while (a != aEnd && a->Right <= x0)
            ++a;
        while (b != bEnd && b->Right <= x0)
            ++b;
        const bool inA = a != aEnd && a->Left <= x0;
        const bool inB = b != bEnd && b->Left <= x0;
        if (!keep(inA, inB))
            continue;
        if (!out.empty() && out.back().right == x0)
            out.back().right = x1;
        else
            out.push_back({ x0, x1 });
    }
}

bool SameSpans(const std::vector<TRect>& rects, std::size_t first, const std::vector<Span>& spans)
{
    if (rects.size() - first != spans.size())
        return false;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        if (rects[first + i].Left != spans[i].left || rects[first + i].Right != spans[i].right)
            return false;
    }
    return true;
}

// Adds the row band [top, bottom) with the given spans to banded rectangles, growing the last
// band instead when it ends at top with the same spans.
void AppendBand(std::vector<TRect>& rects, std::size_t& lastBandFirst, int top, int bottom, const std::vector<Span>& spans)
{
    if (spans.empty())
        return;
    if (lastBandFirst < rects.size() && rects[lastBandFirst].Bottom == top && SameSpans(rects, lastBandFirst, spans)) {
        for (std::size_t i = lastBandFirst; i < rects.size(); ++i)
            rects[i].Bottom = bottom;
        return;
    }
    lastBandFirst = rects.size();
    for (const Span& s : spans)
        rects.push_back({ s.left, top, s.right, bottom });
}

// Sweeps both regions band by band: every row slab between two band edges of either region
// gets the spans where keep(inA, inB) holds.
template <class Keep> std::vector<TRect> Combine(const std::vector<TRect>& a, const std::vector<TRect>& b, Keep keep)
{
    const std::vector<Band> bandsA = BandsOf(a);
    const std::vector<Band> bandsB = BandsOf(b);
    std::vector<int> ys;
    ys.reserve(2 * (bandsA.size() + bandsB.size()));
    for (const Band& band : bandsA) {
        ys.push_back(band.top);
        ys.push_back(band.bottom);
    }
    for (const Band& band : bandsB) {
        ys.push_back(band.top);
        ys.push_back(band.bottom);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    std::vector<TRect> out;
    std::size_t lastBandFirst = std::numeric_limits<std::size_t>::max();
    std::vector<int> xs;
    std::vector<Span> spans;
    std::size_t ia = 0;
    std::size_t ib = 0;
    for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
        const int y0 = ys[k];
        while (ia < bandsA.size() && bandsA[ia].bottom <= y0)
            ++ia;
        while (ib < bandsB.size() && bandsB[ib].bottom <= y0)
            ++ib;
        const bool rowA = ia < bandsA.size() && bandsA[ia].top <= y0;
        const bool rowB = ib < bandsB.size() && bandsB[ib].top <= y0;
        const TRect* aBegin = rowA ? a.data() + bandsA[ia].first : nullptr;
        const TRect* aEnd = rowA ? a.data() + bandsA[ia].last : nullptr;
        const TRect* bBegin = rowB ? b.data() + bandsB[ib].first : nullptr;
        const TRect* bEnd = rowB ? b.data() + bandsB[ib].last : nullptr;
        spans.clear();
        CombineSpans(aBegin, aEnd, bBegin, bEnd, keep, xs, spans);
        AppendBand(out, lastBandFirst, y0, ys[k + 1], spans);
    }
    return out;
}

int SaturatingAdd(int v, int d)
{
    const std::int64_t sum = static_cast<std::int64_t>(v) + d;
    return static_cast<int>(std::clamp<std::int64_t>(sum, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Corner ellipses beyond this size are cut to it, bounding the rows a rounded region holds.
constexpr std::int64_t kMaxEllipse = std::int64_t { 1 } << 15;

// How many pixels row `row` (from the top) of an ellipse of the given pixel size leaves out at
// each side: the pixels whose centres lie outside the ellipse. Exact integer arithmetic: a pixel
// (x, y) is inside when (2x + 1 - w)^2 h^2 + (2y + 1 - h)^2 w^2 <= w^2 h^2.
// Rows are those of the upper half, 0 <= row < h / 2.
std::int64_t EllipseRowInset(std::int64_t row, std::int64_t w, std::int64_t h)
{
    const std::int64_t dy = h - 2 * row - 1;
    const std::int64_t room = w * w * (h * h - dy * dy);
    // The largest u >= 0 with u^2 h^2 <= room: the widest centre offset still inside.
    auto fits = [&](std::int64_t u) { return u * u * h * h <= room; };
    std::int64_t u = static_cast<std::int64_t>(std::sqrt(static_cast<double>(room)) / static_cast<double>(h));
    while (u > 0 && !fits(u))
        --u;
    while (fits(u + 1))
        ++u;
    // Column x has centre offset |w - 2x - 1|; the first column inside has w - 2x - 1 <= u.
    return (w - u) / 2;
}

} // namespace

TRegion::TRegion(const TRect& rect)
{
    if (!rect.IsEmpty())
        rects_.push_back(rect);
}

TRegion TRegion::RoundRect(const TRect& rect, int ellipseWidth, int ellipseHeight)
{
    const std::int64_t left = std::min(rect.Left, rect.Right);
    const std::int64_t top = std::min(rect.Top, rect.Bottom);
    const std::int64_t right = static_cast<std::int64_t>(std::max(rect.Left, rect.Right)) - 1;
    const std::int64_t bottom = static_cast<std::int64_t>(std::max(rect.Top, rect.Bottom)) - 1;
    const std::int64_t width = right - left;
    const std::int64_t height = bottom - top;
    if (width <= 0 || height <= 0)
        return {};
    auto at = [](std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
        return TRect { static_cast<int>(l), static_cast<int>(t), static_cast<int>(r), static_cast<int>(b) };
    };
    const std::int64_t w = std::min({ std::abs(static_cast<std::int64_t>(ellipseWidth)), width, kMaxEllipse });
    const std::int64_t h = std::min({ std::abs(static_cast<std::int64_t>(ellipseHeight)), height, kMaxEllipse });
    if (w < 2 || h < 2)
        return TRegion(at(left, top, right, bottom));

    // Rows of the top corners, the straight middle, then the bottom corners mirrored.
    const std::int64_t cornerRows = h / 2;
    std::vector<std::int64_t> insets(static_cast<std::size_t>(cornerRows));
    for (std::int64_t i = 0; i < cornerRows; ++i)
        insets[static_cast<std::size_t>(i)] = EllipseRowInset(i, w, h);
    std::vector<TRect> rects;
    std::size_t lastBandFirst = std::numeric_limits<std::size_t>::max();
    auto addRows = [&](std::int64_t t, std::int64_t b, std::int64_t inset) {
        if (b > t)
            AppendBand(rects, lastBandFirst, static_cast<int>(t), static_cast<int>(b),
                { { static_cast<int>(left + inset), static_cast<int>(right - inset) } });
    };
    for (std::int64_t i = 0; i < cornerRows; ++i)
        addRows(top + i, top + i + 1, insets[static_cast<std::size_t>(i)]);
    addRows(top + cornerRows, bottom - cornerRows, 0);
    for (std::int64_t i = cornerRows - 1; i >= 0; --i)
        addRows(bottom - 1 - i, bottom - i, insets[static_cast<std::size_t>(i)]);
    TRegion region;
    region.rects_ = std::move(rects);
    return region;
}

TRegion TRegion::Union(const TRegion& other) const
{
    if (other.IsEmpty())
        return *this;
    if (IsEmpty())
        return other;
    TRegion r;
    r.rects_ = Combine(rects_, other.rects_, [](bool a, bool b) { return a || b; });
    return r;
}

TRegion TRegion::Intersect(const TRegion& other) const
{
    if (IsEmpty() || other.IsEmpty())
        return {};
    TRegion r;
    r.rects_ = Combine(rects_, other.rects_, [](bool a, bool b) { return a && b; });
    return r;
}

TRegion TRegion::Subtract(const TRegion& other) const
{
    if (IsEmpty() || other.IsEmpty())
        return *this;
    TRegion r;
    r.rects_ = Combine(rects_, other.rects_, [](bool a, bool b) { return a && !b; });
    return r;
}

TRegion TRegion::Scale(int n) const
{
    if (n < 1)
        return {};
    bool saturated = false;
    const auto times = [&](int v) {
        const std::int64_t product = static_cast<std::int64_t>(v) * n;
        const std::int64_t cut = std::clamp<std::int64_t>(product, INT_MIN, INT_MAX);
        saturated = saturated || cut != product;
        return static_cast<int>(cut);
    };
    TRegion r;
    r.rects_.reserve(rects_.size());
    for (const TRect& rect : rects_)
        r.rects_.push_back({ times(rect.Left), times(rect.Top), times(rect.Right), times(rect.Bottom) });
    if (!saturated) // order, bands and gaps all survive a whole-number enlargement
        return r;
    // Rectangles cut at the int range may touch or share bands: built anew.
    TRegion rebuilt;
    for (const TRect& rect : r.rects_)
        if (!rect.IsEmpty())
            rebuilt = rebuilt.Union(TRegion(rect));
    return rebuilt;
}

TRegion TRegion::Offset(int dx, int dy) const
{
    TRegion r;
    r.rects_.reserve(rects_.size());
    for (const TRect& rect : rects_) {
        const TRect moved { SaturatingAdd(rect.Left, dx), SaturatingAdd(rect.Top, dy), SaturatingAdd(rect.Right, dx),
            SaturatingAdd(rect.Bottom, dy) };
        // Only a shift past the int range squeezes a rectangle to nothing.
        if (!moved.IsEmpty())
            r.rects_.push_back(moved);
    }
    return r;
}

bool TRegion::Contains(int x, int y) const
{
    // Bottoms never decrease from band to band, so the first rectangle below y starts y's band.
    auto it = std::partition_point(rects_.begin(), rects_.end(), [y](const TRect& r) { return r.Bottom <= y; });
    for (; it != rects_.end() && it->Top <= y; ++it) {
        if (x < it->Left)
            return false;
        if (x < it->Right)
            return true;
    }
    return false;
}

TRect TRegion::Bounds() const
{
    if (rects_.empty())
        return {};
    TRect b { rects_.front().Left, rects_.front().Top, rects_.front().Right, rects_.back().Bottom };
    for (const TRect& r : rects_) {
        b.Left = std::min(b.Left, r.Left);
        b.Right = std::max(b.Right, r.Right);
    }
    return b;
}

int TRegion::Complexity() const
{
    if (rects_.empty())
        return NULLREGION;
    return rects_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
