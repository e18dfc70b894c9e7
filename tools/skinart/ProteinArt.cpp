// Protein: near-white surfaces with a warm orange accent: a caption banner that fades into
// a light bar, pearl controls that warm up under the pointer.
#include <algorithm>

#include "tools/skinart/CommonArt.h"
#include "tools/skinart/StyleArt.h"

namespace {

const TRgba kBackground = Hex(0xFBFBFB);
const TRgba kWarm = Hex(0xE8762B);
const TGel kPearl = { Hex(0xFFFFFF), Hex(0xF6F4F1), Hex(0xE8E3DD), Hex(0xB3A79B), 0.4f, 0.5f };
const TGel kPeach = { Hex(0xFFFFFF), Hex(0xFFF0E2), Hex(0xFFDDBE), Hex(0xE8873A), 0.5f, 0.6f };
const TGel kPeachPressed = { Hex(0xF7CFAA), Hex(0xFADCC1), Hex(0xFEEDDD), Hex(0xC8651E), 0, 0 };

// The light bar the banner fades into, underlined in the accent.
TPaint BarPaint()
{
    return VerticalGradient({ { 0.5f, Hex(0xD9D2CB) }, { 1.5f, Hex(0xFFFFFF) }, { 20.5f, Hex(0xEFEBE6) },
        { 21.5f, Hex(0xF3A46A) }, { 22.5f, kWarm } });
}

TPaint BannerPaint()
{
    return VerticalGradient({ { 0.5f, Hex(0xB4501C) }, { 1.5f, Hex(0xFBB27A) }, { 3.5f, Hex(0xF3924A) }, { 11.5f, Hex(0xE8722A) },
        { 21.5f, Hex(0xD0561A) }, { 22.5f, Hex(0xB8480F) } });
}

// The caption banner: solid accent behind the caption, fading out along a slanted edge.
TBitmap TitleLeft()
{
    return DrawSingle(
        441, 23,
        [](TRaster& r) {
            const TPaint bar = BarPaint();
            const TPaint banner = BannerPaint();
            r.Fill([bar, banner](float x, float y) {
                const float edge = 300 + (23 - y) * 2.5f;
                const float t = std::clamp((x - edge) / 70, 0.0f, 1.0f);
                return Mix(banner(x, y), bar(x, y), t * t * (3 - 2 * t));
            });
        },
        Plain(kBackground));
}

TBitmap TitleButtons()
{
    return TitleButtonStrip(
        19,
        [](TRaster& r, TTitleGlyph glyph, int state) {
            const TGel gel = state == 0 ? kPearl
                : state == 1            ? TGel { Hex(0xFFC08A), Hex(0xF39446), Hex(0xF7B479), Hex(0xC0601E), 0.5f, 0 }
                                        : TGel { Hex(0xD86A26), Hex(0xC85A1A), Hex(0xE08444), Hex(0x9A460E), 0.2f, 0 };
            r.Fill(Circle(9.5f, 10.2f, 7.8f), Hex(0x5A3010, 0.15f));
            PaintGel(r, 2, 2, 17, 17, 7.5f, gel);
            const TRgba ink = state != 0 ? Hex(0xFFFFFF) : glyph == TTitleGlyph::Close ? Hex(0xC8401A) : Hex(0x7A4A2A);
            r.Fill(TitleGlyph(glyph, { 9.5f, 9.5f, 3.3f, 1.6f }), ink);
        },
        TitleRows(BarPaint(), 2), kKey);
}

TBitmap Buttons()
{
    return DrawFrames(
        3, 74, 21,
        [](TRaster& r, int state) {
            PaintGel(r, 0.5f, 0.5f, 73.5f, 20.5f, 4, state == 0 ? kPearl : state == 1 ? kPeach : kPeachPressed);
            KeepMiddleStretchable(r);
        },
        Plain(kBackground), std::nullopt);
}

TBitmap Tabs()
{
    return DrawFrames(
        2, 9, 17,
        [](TRaster& r, int frame) {
            if (frame == 0) {
                PaintGel(r, 0.5f, 0.5f, 8.5f, 30, 3, { Hex(0xFFFFFF), Hex(0xFFFFFF), Hex(0xFFFFFF), Hex(0xB3A79B), 0, 0 });
                r.Fill(Intersect(RoundRect(0.5f, 0.5f, 8.5f, 30, 3), RoundRect(-1, 0, 10, 3, 0)),
                    VerticalGradient({ { 0, Hex(0xD0561A) }, { 3, Hex(0xF59A50) } }));
                r.Fill(RoundRect(1.5f, 16, 7.5f, 17, 0), Hex(0xFFE7D2));
            } else {
                PaintGel(r, 0.5f, 0.5f, 8.5f, 30, 3, { Hex(0xFBFAF8), Hex(0xF1EEEA), Hex(0xE3DDD6), Hex(0xBDB2A7), 0, 0 });
            }
            KeepThreePartStretchable(r);
        },
        Plain(kBackground), kKey);
}

// Near white with a faint warm diagonal weave.
TBitmap FormBackground()
{
    return DrawSingle(
        8, 8,
        [](TRaster& r) {
            r.Fill(Solid(kBackground));
            for (int i = 0; i < 8; ++i)
                r.At(i, (i + 4) % 8) = Hex(0xF6F2EE);
        },
        Plain(kBackground));
}

} // namespace

void DrawProteinArt(TArtBook& book)
{
    const std::string s = "PROTEIN";
    const TGel orange = { Hex(0xFBB27A), Hex(0xE8722A), Hex(0xF3924A), Hex(0xB8480F), 0.4f, 0 };
    const TStyleLook look { s, kBackground, { Hex(0xEDE8E2), Hex(0xF8F6F3), Hex(0xFFFFFF), Hex(0xA89A8C), 0, 0 }, kPeach, orange,
        Hex(0xE07020), false, Hex(0x6A4A32), 2 };
    const TPaint bar = BarPaint();

    book.Add(s, "PROTEIN_BUTTON", Buttons(), 3);
    book.Add(s, "PROTEIN_CHECKBOX", CheckBoxFrames(look, 13, 13, 13), 4);
    book.Add(s, "PROTEIN_RADIOBUTTON", RadioFrames(look, 13, 13, 13), 4);
    book.Add(s, "PROTEIN_TITLEBTN", TitleButtons(), 18);
    book.Add(s, "PROTEIN_TITLE_LEFT", TitleLeft());
    book.Add(s, "PROTEIN_TITLE_CLIENT",
        DrawSingle(
            1, 23, [&](TRaster& r) { r.Fill(bar); }, Plain(kBackground)));
    book.Add(s, "PROTEIN_TITLE_RIGHT",
        DrawSingle(
            1, 23, [&](TRaster& r) { r.Fill(bar); }, Plain(kBackground)));
    book.Add(s, "PROTEIN_TAB", Tabs(), 2);
    book.Add(s, "PROTEIN_TAB_LINE",
        DrawSingle(
            10, 5,
            [](TRaster& r) {
                r.Fill(VerticalGradient({ { 0.5f, kWarm }, { 1.5f, Hex(0xFFE7D2) }, { 4.5f, kBackground } }));
            },
            Plain(kBackground)));
    book.Add(s, "PROTEIN_FORM_BACKGROUND", FormBackground());
    TStyleLook common = look;
    common.Plain = kPearl;
    DrawCommonPieces(book, common,
        { { 1, 10 }, TProgressFill::Plain, { 45, 4 }, { 11, 20 }, { 18, 11 }, { 96, 16 }, { 21, 16 }, { 44, 11 }, { 8, 83 },
            { 1, 21 } },
        [banner = BannerPaint()](float x, float y) { return banner(x, y * 23 / 21); });
}
