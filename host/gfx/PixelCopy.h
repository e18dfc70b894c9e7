#pragma once
#include <optional>

#include "host/gfx/Bitmap.h"
#include "host/gfx/DeviceContext.h"

// Copies the part sourceRect of a bitmap's device pixels onto a device context's surface at
// the device rectangle destRect, within the context's clip and surface. Equal sizes copy pixel
// for pixel; otherwise each destination pixel takes the source pixel nearest to its centre, or,
// when the bitmap's scale is not the surface's, a bilinear blend of the source pixels around
// it taken from within sourceRect only. Destination pixels whose nearest source pixel is outside
// the bitmap, or equal to the key, are left unchanged (and key pixels are never blended in).
// Empty or inverted rectangles copy nothing. The bitmap may be the context's own surface.
void CopyPixels(const TDeviceContext& dest, const TRect& destRect, const TBitmap& source, const TRect& sourceRect,
    std::optional<TPixel> key = std::nullopt);
