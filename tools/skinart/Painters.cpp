#include "tools/skinart/Painters.h"

TBitmap DrawFrames(int count, int width, int height, const TFrameArt& art, const TBackdrop& backdrop, std::optional<TColor> key)
{
    TBitmap strip(width * count, height);
    for (int i = 0; i < count; ++i) {
        TRaster frame(width, height);
        art(frame, i);
        const TBitmap flat = Flatten(frame, backdrop, key);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                strip.SetPixel(i * width + x, y, flat.GetPixel(x, y));
    }
    return strip;
}

TBitmap DrawSingle(
    int width, int height, const std::function<void(TRaster&)>& art, const TBackdrop& backdrop, std::optional<TColor> key)
{
    return DrawFrames(
        1, width, height, [&](TRaster& r, int) { art(r); }, backdrop, key);
}

TBitmap TitleButtonStrip(int size, const TTitleButtonArt& art, const TBackdrop& backdrop, std::optional<TColor> key)
{
    return DrawFrames(
        18, size, size, [&](TRaster& r, int i) { art(r, static_cast<TTitleGlyph>(i / 3), i % 3); }, backdrop, key);
}

TBackdrop TitleRows(TPaint titlePaint, int top)
{
    return [titlePaint = std::move(titlePaint), top](
               int x, int y) { return titlePaint(static_cast<float>(x) + 0.5f, static_cast<float>(y + top) + 0.5f); };
}

void PaintGel(TRaster& raster, float left, float top, float right, float bottom, float radius, const TGel& gel)
{
    const float middle = (top + bottom) / 2;
    const TShape body = RoundRect(left, top, right, bottom, radius);
    raster.Fill(body, VerticalGradient({ { top, gel.Top }, { middle, gel.Middle }, { bottom, gel.Bottom } }));
    if (gel.Gloss > 0) {
        const float inset = 1.5f;
        const TShape gloss = RoundRect(left + inset, top + inset, right - inset, middle + 0.5f, std::max(radius - inset, 1.0f));
        raster.Fill(gloss, VerticalGradient({ { top, Hex(0xFFFFFF, gel.Gloss) }, { middle, Hex(0xFFFFFF, gel.Gloss * 0.25f) } }));
    }
    if (gel.Shine > 0) {
        const TShape inner = Border(RoundRect(left + 1, top + 1, right - 1, bottom - 1, std::max(radius - 1, 0.5f)), 1);
        raster.Fill(inner, VerticalGradient({ { top, Hex(0xFFFFFF, gel.Shine) }, { middle, Hex(0xFFFFFF, 0) } }));
    }
    raster.Fill(Border(body, 1), gel.Border);
}

TGel Faded(const TGel& gel, float towards, const TRgba& colour)
{
    return { Mix(gel.Top, colour, towards), Mix(gel.Middle, colour, towards), Mix(gel.Bottom, colour, towards),
        Mix(gel.Border, colour, towards), gel.Gloss * (1 - towards), gel.Shine * (1 - towards) };
}

void KeepMiddleStretchable(TRaster& raster)
{
    if (raster.Height() % 2 == 1)
        raster.CopyRow(raster.Height() / 2, raster.Height() / 2 + 1);
    if (raster.Width() % 2 == 1)
        raster.CopyColumn(raster.Width() / 2, raster.Width() / 2 + 1);
}

void KeepThreePartStretchable(TRaster& raster)
{
    const int cap = raster.Width() / 3;
    const int centre = raster.Width() / 2;
    for (int x = cap; x < raster.Width() - cap; ++x)
        if (x != centre)
            raster.CopyColumn(centre, x);
}
