#pragma once
#include <vector>

#include "host/sys/Types.h"

// What a clip or region operation left: the host's region complexity codes.
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// A set of pixels held as non-overlapping rectangles in y-x bands: rows of equal top and
// bottom, sorted by top, each row's rectangles sorted by left and not touching.
class TRegion {
public:
    TRegion() = default;
    explicit TRegion(const TRect& rect);

    // The shape CreateRoundRectRgn gives: a rectangle whose corners are cut by an ellipse of
    // the given width and height; a corner pixel belongs to it when its centre lies inside the
    // ellipse. As on the host the right column and bottom row of rect are left out, so the shape
    // is what the canvas's RoundRect paints for (Left, Top, Right - 1, Bottom - 1); an inverted
    // rect is turned round, and the ellipse is cut to the shape's size.
    static TRegion RoundRect(const TRect& rect, int ellipseWidth, int ellipseHeight);

    TRegion Union(const TRegion& other) const;
    TRegion Intersect(const TRegion& other) const;
    TRegion Subtract(const TRegion& other) const;
    TRegion Offset(int dx, int dy) const;
    // Every coordinate times n (a whole number from 1): the region in device pixels of a
    // surface n times as fine. Coordinates past the int range are cut to it.
    TRegion Scale(int n) const;

    bool IsEmpty() const { return rects_.empty(); }
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Complexity() const;
    bool Contains(int x, int y) const;
    bool Contains(TPoint p) const { return Contains(p.X, p.Y); }
    TRect Bounds() const;
    const std::vector<TRect>& Rects() const { return rects_; }

    friend bool operator==(const TRegion&, const TRegion&) = default;

private:
    std::vector<TRect> rects_;
};
