#pragma once
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

#include "host/gfx/Bitmap.h"

// A colour with straight alpha, each channel 0..1.
struct TRgba {
    float R = 0;
    float G = 0;
    float B = 0;
    float A = 0;
};

// 0xRRGGBB as written in colour pickers (not the $00BBGGRR of TColor).
TRgba Hex(std::uint32_t rrggbb, float alpha = 1.0f);
TRgba FromColor(TColor color);
TColor ToColor(const TRgba& c);
TRgba Mix(const TRgba& a, const TRgba& b, float t);
TRgba WithAlpha(TRgba c, float alpha);
// Towards white (amount > 0) or black (amount < 0).
TRgba Lighten(const TRgba& c, float amount);

// A shape is a signed distance in pixels at a point: negative inside, positive outside.
// Pixel (x, y) is sampled at its centre (x + 0.5, y + 0.5), and its coverage is read off the
// distance, which antialiases every edge.
using TShape = std::function<float(float x, float y)>;
// A paint gives the colour at a point.
using TPaint = std::function<TRgba(float x, float y)>;

TShape RoundRect(float left, float top, float right, float bottom, float radius);
TShape Circle(float cx, float cy, float radius);
// A stroke of the given width along a segment, with round ends.
TShape Segment(float x0, float y0, float x1, float y1, float width);
TShape Polyline(std::vector<std::pair<float, float>> points, float width);
// A closed polygon, filled.
TShape Polygon(std::vector<std::pair<float, float>> points);
TShape Union(TShape a, TShape b);
TShape Intersect(TShape a, TShape b);
TShape Subtract(TShape a, TShape b);
// The band of the given width just inside the shape's outline.
TShape Border(TShape shape, float width);
TShape Offset(TShape shape, float dx, float dy);

TPaint Solid(TRgba colour);
// Colour stops along y (or x), in pixels; clamped beyond the first and last stop.
TPaint VerticalGradient(std::vector<std::pair<float, TRgba>> stops);
TPaint HorizontalGradient(std::vector<std::pair<float, TRgba>> stops);
TPaint RadialGradient(float cx, float cy, float radius, TRgba inner, TRgba outer);

// A picture being drawn: straight-alpha pixels, transparent at first.
class TRaster {
public:
    TRaster(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    TRgba& At(int x, int y) { return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)]; }
    const TRgba& At(int x, int y) const
    {
        return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    }

    // Paints over the whole picture.
    void Fill(const TPaint& paint);
    // Paints the shape, each pixel by its coverage, over what is there.
    void Fill(const TShape& shape, const TPaint& paint);
    void Fill(const TShape& shape, const TRgba& colour) { Fill(shape, Solid(colour)); }
    // Puts another raster over this one with its top-left corner at (x, y).
    void Draw(int x, int y, const TRaster& other);
    // Row `to` becomes a copy of row `from` (and likewise for columns): the rows and
    // columns that nine-part drawing stretches must agree with their neighbours.
    void CopyRow(int from, int to);
    void CopyColumn(int from, int to);

private:
    int width_;
    int height_;
    std::vector<TRgba> pixels_;
};

// What a picture is seen against where it is not covered, used to blend its edges.
using TBackdrop = std::function<TRgba(int x, int y)>;
TBackdrop Plain(TRgba colour);

// The raster as an opaque bitmap: partly covered pixels blended over the backdrop; where
// nothing was drawn (coverage below a small threshold) the key colour when one is given,
// else the backdrop. The key colour never appears anywhere else.
TBitmap Flatten(const TRaster& raster, const TBackdrop& backdrop, std::optional<TColor> key);
