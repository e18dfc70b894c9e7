#include "tools/skinart/Raster.h"

#include <algorithm>
#include <cmath>

namespace {

float Clamp01(float v)
{
    return std::clamp(v, 0.0f, 1.0f);
}

std::uint8_t ToByte(float v)
{
    return static_cast<std::uint8_t>(std::lround(Clamp01(v) * 255.0f));
}

// Distance from a point to a segment.
float SegmentDistance(float px, float py, float x0, float y0, float x1, float y1)
{
    const float dx = x1 - x0;
    const float dy = y1 - y0;
    const float len2 = dx * dx + dy * dy;
    const float t = len2 > 0 ? std::clamp(((px - x0) * dx + (py - y0) * dy) / len2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
}

TRgba Over(const TRgba& dst, const TRgba& src, float alpha)
{
    const float a = src.A * alpha;
    const float outA = a + dst.A * (1 - a);
    if (outA <= 0)
        return {};
    auto channel = [&](float s, float d) { return (s * a + d * dst.A * (1 - a)) / outA; };
    return { channel(src.R, dst.R), channel(src.G, dst.G), channel(src.B, dst.B), outA };
}

TPaint Gradient(std::vector<std::pair<float, TRgba>> stops, bool vertical)
{
    return [stops = std::move(stops), vertical](float x, float y) {
        const float v = vertical ? y : x;
        if (v <= stops.front().first)
            return stops.front().second;
        for (size_t i = 1; i < stops.size(); ++i) {
            if (v <= stops[i].first) {
                const float span = stops[i].first - stops[i - 1].first;
                return Mix(stops[i - 1].second, stops[i].second, span > 0 ? (v - stops[i - 1].first) / span : 1.0f);
            }
        }
        return stops.back().second;
    };
}

} // namespace

TRgba Hex(std::uint32_t rrggbb, float alpha)
{
    return { static_cast<float>((rrggbb >> 16) & 0xFF) / 255.0f, static_cast<float>((rrggbb >> 8) & 0xFF) / 255.0f,
        static_cast<float>(rrggbb & 0xFF) / 255.0f, alpha };
}

TRgba FromColor(TColor color)
{
    return { GetRValue(color) / 255.0f, GetGValue(color) / 255.0f, GetBValue(color) / 255.0f, 1.0f };
}

TColor ToColor(const TRgba& c)
{
    return RGB(ToByte(c.R), ToByte(c.G), ToByte(c.B));
}

TRgba Mix(const TRgba& a, const TRgba& b, float t)
{
    t = Clamp01(t);
    return { a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t, a.A + (b.A - a.A) * t };
}

TRgba WithAlpha(TRgba c, float alpha)
{
    c.A = alpha;
    return c;
}

TRgba Lighten(const TRgba& c, float amount)
{
    const TRgba target = amount >= 0 ? TRgba { 1, 1, 1, c.A } : TRgba { 0, 0, 0, c.A };
    return Mix(c, target, std::fabs(amount));
}

TShape RoundRect(float left, float top, float right, float bottom, float radius)
{
    const float cx = (left + right) / 2;
    const float cy = (top + bottom) / 2;
    const float hx = (right - left) / 2;
    const float hy = (bottom - top) / 2;
    radius = std::min({ radius, hx, hy });
    return [=](float x, float y) {
        const float qx = std::fabs(x - cx) - (hx - radius);
        const float qy = std::fabs(y - cy) - (hy - radius);
        const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
        return outside + std::min(std::max(qx, qy), 0.0f) - radius;
    };
}

TShape Circle(float cx, float cy, float radius)
{
    return [=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; };
}

TShape Segment(float x0, float y0, float x1, float y1, float width)
{
    return [=](float x, float y) { return SegmentDistance(x, y, x0, y0, x1, y1) - width / 2; };
}

TShape Polyline(std::vector<std::pair<float, float>> points, float width)
{
    return [points = std::move(points), width](float x, float y) {
        float d = 1e9f;
        for (size_t i = 1; i < points.size(); ++i)
            d = std::min(d, SegmentDistance(x, y, points[i - 1].first, points[i - 1].second, points[i].first, points[i].second));
        return d - width / 2;
    };
}

TShape Polygon(std::vector<std::pair<float, float>> points)
{
    return [points = std::move(points)](float x, float y) {
        float d = 1e9f;
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const auto [xi, yi] = points[i];
            const auto [xj, yj] = points[j];
            d = std::min(d, SegmentDistance(x, y, xi, yi, xj, yj));
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
                inside = !inside;
        }
        return inside ? -d : d;
    };
}

TShape Union(TShape a, TShape b)
{
    return [a = std::move(a), b = std::move(b)](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

TShape Intersect(TShape a, TShape b)
{
    return [a = std::move(a), b = std::move(b)](float x, float y) { return std::max(a(x, y), b(x, y)); };
}

TShape Subtract(TShape a, TShape b)
{
    return [a = std::move(a), b = std::move(b)](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

TShape Border(TShape shape, float width)
{
    return [shape = std::move(shape), width](float x, float y) {
        const float d = shape(x, y);
        return std::max(d, -(d + width));
    };
}

TShape Offset(TShape shape, float dx, float dy)
{
    return [shape = std::move(shape), dx, dy](float x, float y) { return shape(x - dx, y - dy); };
}

TPaint Solid(TRgba colour)
{
    return [colour](float, float) { return colour; };
}

TPaint VerticalGradient(std::vector<std::pair<float, TRgba>> stops)
{
    return Gradient(std::move(stops), true);
}

TPaint HorizontalGradient(std::vector<std::pair<float, TRgba>> stops)
{
    return Gradient(std::move(stops), false);
}

TPaint RadialGradient(float cx, float cy, float radius, TRgba inner, TRgba outer)
{
    return [=](float x, float y) { return Mix(inner, outer, std::hypot(x - cx, y - cy) / radius); };
}

TRaster::TRaster(int width, int height)
    : width_(width)
    , height_(height)
    , pixels_(static_cast<size_t>(width) * static_cast<size_t>(height))
{
}

void TRaster::Fill(const TPaint& paint)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            At(x, y) = Over(At(x, y), paint(x + 0.5f, y + 0.5f), 1.0f);
}

void TRaster::Fill(const TShape& shape, const TPaint& paint)
{
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const float cx = x + 0.5f;
            const float cy = y + 0.5f;
            const float coverage = Clamp01(0.5f - shape(cx, cy));
            if (coverage > 0)
                At(x, y) = Over(At(x, y), paint(cx, cy), coverage);
        }
    }
}

void TRaster::Draw(int x, int y, const TRaster& other)
{
    for (int sy = 0; sy < other.height_; ++sy)
        for (int sx = 0; sx < other.width_; ++sx)
            if (x + sx >= 0 && x + sx < width_ && y + sy >= 0 && y + sy < height_)
                At(x + sx, y + sy) = Over(At(x + sx, y + sy), other.At(sx, sy), 1.0f);
}

void TRaster::CopyRow(int from, int to)
{
    for (int x = 0; x < width_; ++x)
        At(x, to) = At(x, from);
}

void TRaster::CopyColumn(int from, int to)
{
    for (int y = 0; y < height_; ++y)
        At(to, y) = At(from, y);
}

TBackdrop Plain(TRgba colour)
{
    return [colour](int, int) { return colour; };
}

TBitmap Flatten(const TRaster& raster, const TBackdrop& backdrop, std::optional<TColor> key)
{
    // Coverage this faint would only tint the key colour's neighbours; leave it out.
    constexpr float kUncovered = 0.04f;
    TBitmap bitmap(raster.Width(), raster.Height());
    for (int y = 0; y < raster.Height(); ++y) {
        for (int x = 0; x < raster.Width(); ++x) {
            const TRgba& p = raster.At(x, y);
            if (key && p.A < kUncovered) {
                bitmap.SetPixel(x, y, *key);
                continue;
            }
            TRgba back = backdrop(x, y);
            back.A = 1;
            TColor c = ToColor(Over(back, p, 1.0f));
            // A drawn pixel that happens to match the key would turn transparent.
            if (key && c == *key)
                c ^= 0x000100;
            bitmap.SetPixel(x, y, c);
        }
    }
    return bitmap;
}
