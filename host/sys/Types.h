#pragma once
#include <algorithm>
#include <cstdint>

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// Right and Bottom are exclusive, as the host's drawing functions treat them.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    TPoint TopLeft() const { return { Left, Top }; }
    TPoint BottomRight() const { return { Right, Bottom }; }
    // The host's usual containment test: Right and Bottom are outside.
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    TRect Offset(int dx, int dy) const { return { Left + dx, Top + dy, Right + dx, Bottom + dy }; }
    TRect Inflate(int dx, int dy) const { return { Left - dx, Top - dy, Right + dx, Bottom + dy }; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int x, int y)
{
    return { x, y };
}
inline TRect Rect(int left, int top, int right, int bottom)
{
    return { left, top, right, bottom };
}
inline TRect Bounds(int left, int top, int width, int height)
{
    return { left, top, left + width, top + height };
}

// The overlap of two rectangles; empty rectangles come back normalised to zero size.
inline TRect IntersectRect(const TRect& a, const TRect& b)
{
    TRect r { std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom) };
    if (r.IsEmpty())
        return { r.Left, r.Top, r.Left, r.Top };
    return r;
}
