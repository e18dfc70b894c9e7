#include "host/gfx/DeviceContext.h"

#include "host/gfx/Bitmap.h"
#include "host/gfx/PixelCopy.h"

int TDeviceContext::Scale() const
{
    return surface_->Scale();
}

TRect TDeviceContext::SurfaceRect() const
{
    return { 0, 0, surface_->PixelWidth(), surface_->PixelHeight() };
}

TRegion TDeviceContext::ClipRegion() const
{
    const TRegion surface(SurfaceRect());
    return state_.clip ? state_.clip->Intersect(surface) : surface;
}

TRect TDeviceContext::ClipBox() const
{
    const TRect device = ClipRegion().Bounds();
    const int n = Scale();
    const TPoint o = state_.origin;
    return { device.Left / n - o.X, device.Top / n - o.Y, (device.Right + n - 1) / n - o.X, (device.Bottom + n - 1) / n - o.Y };
}

bool TDeviceContext::IsVisible(int x, int y) const
{
    return SurfaceRect().Contains({ x, y }) && (!state_.clip || state_.clip->Contains(x, y));
}

void TDeviceContext::IntersectClip(const TRect& logical)
{
    const TRegion rect(ToDevice(logical));
    state_.clip = state_.clip ? state_.clip->Intersect(rect) : rect;
}

void TDeviceContext::ExcludeClip(const TRect& logical)
{
    const TRegion rect(ToDevice(logical));
    state_.clip = (state_.clip ? *state_.clip : TRegion(SurfaceRect())).Subtract(rect);
}

int TDeviceContext::Save()
{
    saved_.push_back(state_);
    return static_cast<int>(saved_.size());
}

bool TDeviceContext::Restore(int level)
{
    const auto count = static_cast<long long>(saved_.size());
    const long long target = level < 0 ? count + level + 1 : level;
    if (target < 1 || target > count)
        return false;
    state_ = std::move(saved_[static_cast<std::size_t>(target - 1)]);
    saved_.resize(static_cast<std::size_t>(target - 1));
    return true;
}

bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* old)
{
    if (!dc)
        return false;
    if (old)
        *old = dc->ViewportOrg();
    dc->SetViewportOrg({ x, y });
    return true;
}

bool OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* old)
{
    if (!dc)
        return false;
    const TPoint origin = dc->ViewportOrg();
    if (old)
        *old = origin;
    dc->SetViewportOrg({ ClampDeviceCoord(static_cast<std::int64_t>(origin.X) + dx),
        ClampDeviceCoord(static_cast<std::int64_t>(origin.Y) + dy) });
    return true;
}

bool GetViewportOrgEx(HDC dc, TPoint* origin)
{
    if (!dc || !origin)
        return false;
    *origin = dc->ViewportOrg();
    return true;
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom)
{
    if (!dc)
        return RGN_ERROR;
    dc->IntersectClip({ left, top, right, bottom });
    return dc->ClipRegion().Complexity();
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom)
{
    if (!dc)
        return RGN_ERROR;
    dc->ExcludeClip({ left, top, right, bottom });
    return dc->ClipRegion().Complexity();
}

int SaveDC(HDC dc)
{
    return dc ? dc->Save() : 0;
}

bool RestoreDC(HDC dc, int level)
{
    return dc && dc->Restore(level);
}

bool BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, unsigned rop)
{
    if (!dest || !src || rop != SRCCOPY)
        return false;
    if (width <= 0 || height <= 0)
        return true;
    const TPoint to = dest->ToDevice(TPoint { x, y });
    const TPoint from = src->ToDevice(TPoint { srcX, srcY });
    // Both corners from one clamped origin and the size, so that between equal scales the
    // copy stays unscaled.
    const auto limit = [](int size, int scale) { return std::min(size, static_cast<int>(kDeviceCoordLimit) / scale) * scale; };
    CopyPixels(*dest, Bounds(to.X, to.Y, limit(width, dest->Scale()), limit(height, dest->Scale())), src->Surface(),
        Bounds(from.X, from.Y, limit(width, src->Scale()), limit(height, src->Scale())));
    return true;
}
