#pragma once
#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "host/gfx/Region.h"
#include "host/sys/Types.h"

class TBitmap;

// Device coordinates are held within +-2^29, so that sums and differences of two of them
// cannot overflow; surfaces are far smaller.
constexpr std::int64_t kDeviceCoordLimit = std::int64_t { 1 } << 29;
constexpr int ClampDeviceCoord(std::int64_t v)
{
    return static_cast<int>(std::clamp(v, -kDeviceCoordLimit, kDeviceCoordLimit));
}

// Where drawing lands: a bitmap (a memory bitmap, or a window's pixels), the viewport origin
// that moves logical (0, 0), and the clip in device pixels. Logical coordinates plus the origin
// are surface coordinates; times the surface's scale they are device pixels. Without a clip
// everything on the surface may be drawn.
class TDeviceContext {
public:
    explicit TDeviceContext(TBitmap& surface)
        : surface_(&surface)
    {
    }

    TBitmap& Surface() const { return *surface_; }
    // Device pixels per logical pixel.
    int Scale() const;
    // The surface's device pixels: (0, 0, pixel width, pixel height).
    TRect SurfaceRect() const;

    TPoint ViewportOrg() const { return state_.origin; }
    void SetViewportOrg(TPoint origin) { state_.origin = origin; }

    // The clip in device pixels, already cut to the surface.
    TRegion ClipRegion() const;
    bool HasClip() const { return state_.clip.has_value(); }
    // The logical rectangle around everything drawing may reach (the host's GetClipBox).
    TRect ClipBox() const;
    // Replaces the clip (device pixels); nullopt removes it.
    void SelectClip(std::optional<TRegion> clip) { state_.clip = std::move(clip); }
    // Narrows the clip to a rectangle given in logical coordinates.
    void IntersectClip(const TRect& logical);
    void ExcludeClip(const TRect& logical);

    // Calls f(part) for each part of a device rectangle that drawing may change: inside the
    // surface and the clip. Parts come top to bottom, left to right.
    template <class F> void ForEachVisiblePart(const TRect& device, F&& f) const
    {
        const TRect r = IntersectRect(device, SurfaceRect());
        if (r.IsEmpty())
            return;
        if (!state_.clip) {
            f(r);
            return;
        }
        for (const TRect& c : state_.clip->Rects()) {
            if (c.Top >= r.Bottom)
                break;
            const TRect part = IntersectRect(c, r);
            if (!part.IsEmpty())
                f(part);
        }
    }
    // Whether drawing may change the device pixel (x, y).
    bool IsVisible(int x, int y) const;

    // Saves origin and clip; returns the saved level (1 for the first save).
    int Save();
    // Restores the level given (a negative level counts back from the newest); false when
    // there is no such level.
    bool Restore(int level);

    // Device rectangle or point of a logical one (within kDeviceCoordLimit).
    TRect ToDevice(const TRect& logical) const
    {
        return { ToDeviceX(logical.Left), ToDeviceY(logical.Top), ToDeviceX(logical.Right), ToDeviceY(logical.Bottom) };
    }
    TPoint ToDevice(TPoint logical) const { return { ToDeviceX(logical.X), ToDeviceY(logical.Y) }; }
    int ToDeviceX(std::int64_t x) const { return ClampDeviceCoord((x + state_.origin.X) * Scale()); }
    int ToDeviceY(std::int64_t y) const { return ClampDeviceCoord((y + state_.origin.Y) * Scale()); }
    // Surface coordinates of a logical point, and device pixels of a surface rectangle.
    TPoint ToSurface(TPoint logical) const
    {
        return { ClampDeviceCoord(std::int64_t { logical.X } + state_.origin.X),
            ClampDeviceCoord(std::int64_t { logical.Y } + state_.origin.Y) };
    }
    TRect SurfaceToDevice(const TRect& r) const
    {
        const std::int64_t n = Scale();
        return { ClampDeviceCoord(r.Left * n), ClampDeviceCoord(r.Top * n), ClampDeviceCoord(r.Right * n),
            ClampDeviceCoord(r.Bottom * n) };
    }

private:
    struct State {
        TPoint origin;
        std::optional<TRegion> clip;
    };
    TBitmap* surface_;
    State state_;
    std::vector<State> saved_;
};

using HDC = TDeviceContext*;

// The host's device-context calls, for code written against them.
bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* old);
bool OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* old);
bool GetViewportOrgEx(HDC dc, TPoint* origin);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int SaveDC(HDC dc);
bool RestoreDC(HDC dc, int level);

constexpr unsigned SRCCOPY = 0x00CC0020;
// Copies a block of pixels between two device contexts (only SRCCOPY), honouring both
// origins and the destination's clip; between surfaces of different scales the block is
// scaled smoothly.
bool BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, unsigned rop);
