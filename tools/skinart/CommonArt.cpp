#include "tools/skinart/CommonArt.h"

#include <cmath>

namespace {

constexpr float kDisabledFade = 0.55f;

float W(const TRaster& r)
{
    return static_cast<float>(r.Width());
}

float H(const TRaster& r)
{
    return static_cast<float>(r.Height());
}

// A polygon filled with a gel's shading and outlined in its border colour.
void PaintGelPolygon(TRaster& r, const TShape& shape, const TGel& gel, float top, float bottom)
{
    const float middle = (top + bottom) / 2;
    r.Fill(shape, VerticalGradient({ { top, gel.Top }, { middle, gel.Middle }, { bottom, gel.Bottom } }));
    if (gel.Gloss > 0)
        r.Fill(Intersect(shape, RoundRect(-100, top + 1.5f, 1000, middle, 0)),
            VerticalGradient({ { top, Hex(0xFFFFFF, gel.Gloss) }, { middle, Hex(0xFFFFFF, gel.Gloss * 0.25f) } }));
    r.Fill(Border(shape, 1), gel.Border);
}

TBitmap ProgressFill(const TStyleLook& look, TSize size, TProgressFill fill)
{
    return DrawSingle(
        size.cx, size.cy,
        [&](TRaster& r) {
            const TGel& g = look.Accent;
            const float w = W(r);
            const float h = H(r);
            if (fill == TProgressFill::Blocks) {
                // A block with a gap on its right, so the fill reads as separate segments.
                r.Fill(VerticalGradient({ { 0, look.Background }, { h, look.Background } }));
                r.Fill(RoundRect(0, 0, w - 2, h, 0.5f), VerticalGradient({ { 0, g.Top }, { h / 2, g.Middle }, { h, g.Bottom } }));
                r.Fill(RoundRect(0, 1, w - 2, h / 2, 0.5f), Hex(0xFFFFFF, g.Gloss * 0.6f));
                return;
            }
            r.Fill(VerticalGradient({ { 0, g.Top }, { h / 2, g.Middle }, { h, g.Bottom } }));
            r.Fill(RoundRect(0, 1, w, h / 2, 0), Hex(0xFFFFFF, g.Gloss * 0.5f));
            if (fill == TProgressFill::Stripes) {
                // A diagonal band that repeats seamlessly when the piece is tiled.
                for (float shift : { -w, 0.0f, w })
                    r.Fill(Polygon({ { shift, h }, { shift + w * 0.45f, 0 }, { shift + w * 0.9f, 0 }, { shift + w * 0.45f, h } }),
                        Hex(0xFFFFFF, 0.28f));
            }
            r.Fill(RoundRect(-1, 0, w + 1, 1, 0), g.Border);
            r.Fill(RoundRect(-1, h - 1, w + 1, h, 0), g.Border);
        },
        Plain(look.Background));
}

TBitmap TrackBarGroove(const TStyleLook& look, TSize size)
{
    return DrawSingle(
        size.cx, size.cy,
        [&](TRaster& r) {
            const float h = H(r);
            const TShape groove = RoundRect(0.5f, 0.5f, W(r) - 0.5f, h - 0.5f, (h - 1) / 2);
            const TRgba dark = Mix(look.Background, Hex(0x000000), 0.22f);
            r.Fill(groove, VerticalGradient({ { 0, dark }, { h, Lighten(look.Background, 0.5f) } }));
            r.Fill(Border(groove, 1), Mix(look.Plain.Border, Hex(0x000000), 0.1f));
        },
        Plain(look.Background), kKey);
}

TBitmap TrackSlider(const TStyleLook& look, TSize size, bool vertical)
{
    return DrawSingle(
        size.cx, size.cy,
        [&](TRaster& r) {
            const float w = W(r) - 0.5f;
            const float h = H(r) - 0.5f;
            // Pointing down for the horizontal bar, right for the vertical one.
            const TShape shape = vertical
                ? Polygon({ { 0.5f, 0.5f }, { w - h / 2, 0.5f }, { w, h / 2 + 0.25f }, { w - h / 2, h }, { 0.5f, h } })
                : Polygon({ { 0.5f, 0.5f }, { w, 0.5f }, { w, h - w / 2 }, { W(r) / 2, h }, { 0.5f, h - w / 2 } });
            PaintGelPolygon(r, shape, look.Plain, 0, H(r));
        },
        Plain(look.Background), kKey);
}

TBitmap ScrollBarButtons(const TStyleLook& look, TSize size)
{
    const int frameWidth = size.cx / 6;
    return DrawFrames(
        6, frameWidth, size.cy,
        [&](TRaster& r, int i) {
            const int state = i % 3;
            const TGel gel = state == 0 ? look.Plain : state == 1 ? look.Hot : Faded(look.Hot, 0.2f, Hex(0x000000));
            PaintGel(r, 0.5f, 0.5f, W(r) - 0.5f, H(r) - 0.5f, std::min(look.Radius, 2.0f), gel);
            const TGlyphBox box { W(r) / 2, H(r) / 2, std::min(W(r), H(r)) * 0.2f, 1 };
            r.Fill(Arrow(box, 0, i < 3 ? -1 : 1), look.Arrow);
        },
        Plain(look.Background), std::nullopt);
}

TBitmap ScrollBarThumb(const TStyleLook& look, TSize size)
{
    return DrawSingle(
        size.cx, size.cy,
        [&](TRaster& r) {
            const float h = H(r);
            PaintGel(r, 0.5f, 0.5f, W(r) - 0.5f, h - 0.5f, (h - 1) / 2, look.Hot);
            KeepThreePartStretchable(r);
        },
        Plain(look.Background), kKey);
}

TBitmap SideChannelHandle(const TStyleLook& look, TSize size)
{
    return DrawSingle(
        size.cx, size.cy,
        [&](TRaster& r) {
            const float w = W(r);
            const float h = H(r);
            const TShape body = RoundRect(0.5f, 0.5f, w - 0.5f, h - 0.5f, std::min(look.Radius, w / 2 - 1));
            r.Fill(body, HorizontalGradient({ { 0, look.Plain.Top }, { w / 2, look.Plain.Middle }, { w, look.Plain.Bottom } }));
            r.Fill(Border(body, 1), look.Plain.Border);
            r.Fill(Grip({ w / 2, h / 2, w / 2 - 2, 1 }, true), WithAlpha(look.Arrow, 0.6f));
        },
        Plain(look.Background), kKey);
}

} // namespace

TBitmap CheckBoxFrames(const TStyleLook& look, int frameWidth, int frameHeight, int box)
{
    return DrawFrames(
        4, frameWidth, frameHeight,
        [&](TRaster& r, int i) {
            const bool checked = i % 2 == 0;
            const bool disabled = i >= 2;
            const float left = std::floor((W(r) - static_cast<float>(box)) / 2);
            const float top = std::floor((H(r) - static_cast<float>(box)) / 2);
            const float size = static_cast<float>(box);
            TGel gel = checked && look.CheckedFill ? look.Accent : look.Plain;
            TRgba mark = look.Mark;
            if (disabled) {
                gel = Faded(gel, kDisabledFade, look.Background);
                mark = Mix(mark, look.Background, kDisabledFade);
            }
            PaintGel(r, left, top, left + size, top + size, look.Radius, gel);
            if (checked)
                r.Fill(CheckMark({ left + size / 2, top + size / 2 + 0.3f, size * 0.3f, std::max(1.5f, size * 0.16f) }), mark);
        },
        Plain(look.Background), std::nullopt);
}

TBitmap RadioFrames(const TStyleLook& look, int frameWidth, int frameHeight, int diameter)
{
    return DrawFrames(
        4, frameWidth, frameHeight,
        [&](TRaster& r, int i) {
            const bool checked = i % 2 == 0;
            const bool disabled = i >= 2;
            const float d = static_cast<float>(diameter);
            const float left = std::floor((W(r) - d) / 2);
            const float top = std::floor((H(r) - d) / 2);
            TGel gel = checked && look.CheckedFill ? look.Accent : look.Plain;
            TRgba mark = look.Mark;
            if (disabled) {
                gel = Faded(gel, kDisabledFade, look.Background);
                mark = Mix(mark, look.Background, kDisabledFade);
            }
            PaintGel(r, left, top, left + d, top + d, d / 2, gel);
            if (checked)
                r.Fill(Circle(left + d / 2, top + d / 2, d * 0.2f), mark);
        },
        Plain(look.Background), kKey);
}

TBitmap ScrollButtonFrames(const TStyleLook& look, int frameWidth, int frameHeight)
{
    return DrawFrames(
        4, frameWidth, frameHeight,
        [&](TRaster& r, int i) {
            const bool hot = i % 2 == 1;
            PaintGel(r, 1.5f, 1.5f, W(r) - 1.5f, H(r) - 1.5f, look.Radius + 1, hot ? look.Hot : look.Plain);
            const TGlyphBox box { W(r) / 2 + (i < 2 ? 0.5f : -0.5f), H(r) / 2, 3.2f, 1 };
            r.Fill(Arrow(box, i < 2 ? 1 : -1, 0), look.Arrow);
        },
        Plain(look.Background), kKey);
}

void DrawCommonPieces(TArtBook& book, const TStyleLook& look, const TCommonSizes& sizes, const TPaint& barPaint)
{
    const std::string& p = look.Prefix;
    book.Add(p, p + "_PROGRESSBAR", ProgressFill(look, sizes.Progress, sizes.ProgressFill));
    book.Add(p, p + "_TRACKBAR_BAR", TrackBarGroove(look, sizes.TrackBar));
    book.Add(p, p + "_TRACKBAR_SLIDER", TrackSlider(look, sizes.TrackSlider, false));
    book.Add(p, p + "_TRACKBAR_SLIDER_V", TrackSlider(look, sizes.TrackSliderV, true));
    book.Add(p, p + "_SCROLLBAR_BUTTON", ScrollBarButtons(look, sizes.ScrollBarButtons), 6);
    book.Add(p, p + "_SCROLLBAR_TRACK", ScrollBarThumb(look, sizes.ScrollBarTrack), 3);
    TStyleLook listLook = look;
    listLook.Radius = std::min(look.Radius, 1.5f);
    book.Add(
        p, p + "_CHECKLIST", CheckBoxFrames(listLook, sizes.CheckList.cx / 4, sizes.CheckList.cy, sizes.CheckList.cy - 1), 4);
    book.Add(p, p + "_SIDECHENNEL_HANDLE", SideChannelHandle(look, sizes.SideHandle));
    book.Add(p, p + "_SIDECHENNEL_BAR",
        DrawSingle(
            sizes.SideBar.cx, sizes.SideBar.cy, [&](TRaster& r) { r.Fill(barPaint); }, Plain(look.Background)));
}
