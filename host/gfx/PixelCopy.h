#pragma once
#include <optional>

#include "host/gfx/Bitmap.h"
#include "host/gfx/DeviceContext.h"

// Copies the part sourceRect of a bitmap onto a device context's surface at the device
// rectangle destRect, within the context's clip and surface. Equal sizes copy pixel for pixel;
// otherwise each destination pixel takes the source pixel nearest to its centre. Source pixels
// outside the bitmap leave the destination unchanged, and so do source pixels equal to the key.
// Empty or inverted rectangles copy nothing. The bitmap may be the context's own surface.
void CopyPixels(const TDeviceContext& dest, const TRect& destRect, const TBitmap& source, const TRect& sourceRect,
    std::optional<TPixel> key = std::nullopt);
