// WinXP: a saturated blue caption with rounded corners, silver-blue rounded controls that
// glow orange under the pointer, green check marks.
#include "tools/skinart/CommonArt.h"
#include "tools/skinart/StyleArt.h"

namespace {

const TRgba kBackground = Hex(0xEFEBDE);
const TRgba kEdge = Hex(0x003C74);
const TGel kSilver = { Hex(0xFFFFFF), Hex(0xEEF1F7), Hex(0xD3DAE7), kEdge, 0.3f, 0 };
const TGel kSilverPressed = { Hex(0xCFD6E3), Hex(0xDDE2EC), Hex(0xEEF1F6), kEdge, 0, 0 };
const TRgba kGreen = Hex(0x21A121);

TPaint TitlePaint()
{
    return VerticalGradient({ { 0.5f, Hex(0x0A3FC8) }, { 1.5f, Hex(0x3D95FF) }, { 3, Hex(0x2A7BF6) }, { 6.5f, Hex(0x0A5CE8) },
        { 14.5f, Hex(0x0055E5) }, { 24.5f, Hex(0x0050DC) }, { 27.5f, Hex(0x0044CB) }, { 28.5f, Hex(0x0034B0) } });
}

// The lighter rim along the top of every caption piece, and down the outer ends, where it
// follows the window's rounded corner. All three pieces draw the same top edge so that they
// join without a step.
TBitmap TitlePiece(int width, float left, float right)
{
    return DrawSingle(
        width, 29,
        [&](TRaster& r) {
            r.Fill(TitlePaint());
            r.Fill(Border(RoundRect(left, 0.5f, right, 40, 6.5f), 1.2f),
                VerticalGradient({ { 0, Hex(0x8CC2FF, 0.9f) }, { 12, Hex(0x5AA0FF, 0.35f) }, { 29, Hex(0x3A80F0, 0) } }));
        },
        Plain(kBackground));
}

TGel TitleButtonGel(TTitleGlyph glyph, int state)
{
    TGel gel = glyph == TTitleGlyph::Close ? TGel { Hex(0xF09A80), Hex(0xE2583A), Hex(0xC8401E), Hex(0xFFFFFF), 0.25f, 0.5f }
                                           : TGel { Hex(0x8FB6FD), Hex(0x3F7CF2), Hex(0x2460DC), Hex(0xFFFFFF), 0.25f, 0.5f };
    if (state == 1)
        gel = Faded(gel, 0.2f, Hex(0xFFFFFF));
    if (state == 2)
        gel = Faded(gel, 0.25f, Hex(0x001A66));
    gel.Border = Hex(0xFFFFFF, state == 2 ? 0.7f : 0.95f);
    return gel;
}

TBitmap TitleButtons()
{
    return TitleButtonStrip(
        21,
        [](TRaster& r, TTitleGlyph glyph, int state) {
            PaintGel(r, 0.5f, 0.5f, 20.5f, 20.5f, 3.5f, TitleButtonGel(glyph, state));
            const float shift = state == 2 ? 0.5f : 0;
            r.Fill(TitleGlyph(glyph, { 10.5f + shift, 10.5f + shift, 4.3f, 2.2f }), Hex(0xFFFFFF));
        },
        TitleRows(TitlePaint(), 5), std::nullopt);
}

// Silver-blue faces; the mouse-over face gets the orange inner glow.
TBitmap Buttons()
{
    return DrawFrames(
        3, 18, 21,
        [](TRaster& r, int state) {
            PaintGel(r, 0.5f, 0.5f, 17.5f, 20.5f, 3.5f, state == 2 ? kSilverPressed : kSilver);
            if (state == 1)
                r.Fill(Border(RoundRect(1.5f, 1.5f, 16.5f, 19.5f, 2.5f), 2),
                    VerticalGradient({ { 1, Hex(0xFFF0CF) }, { 10, Hex(0xFDD889) }, { 20, Hex(0xF8B330) } }));
            KeepMiddleStretchable(r);
        },
        Plain(kBackground), std::nullopt);
}

TBitmap Tabs()
{
    return DrawFrames(
        2, 9, 18,
        [](TRaster& r, int frame) {
            if (frame == 0) {
                PaintGel(r, 0.5f, 0.5f, 8.5f, 30, 3, { Hex(0xFFFFFF), Hex(0xFFFFFF), Hex(0xFFFFFF), Hex(0x919B9C), 0, 0 });
                r.Fill(Intersect(RoundRect(0.5f, 0.5f, 8.5f, 30, 3), RoundRect(-1, 0, 10, 3, 0)),
                    VerticalGradient({ { 0, Hex(0xE68B2C) }, { 3, Hex(0xFFC83C) } }));
            } else {
                PaintGel(r, 0.5f, 0.5f, 8.5f, 30, 3, { Hex(0xFFFFFF), Hex(0xF7F7F4), Hex(0xE2E1DA), Hex(0x919B9C), 0, 0 });
                r.Fill(RoundRect(-1, 17, 10, 18, 0), Hex(0xE2E1DA));
            }
            KeepThreePartStretchable(r);
        },
        Plain(kBackground), kKey);
}

} // namespace

void DrawWinXPArt(TArtBook& book)
{
    const std::string s = "WINXP";
    const TGel arrowPlain = { Hex(0xE6EEFD), Hex(0xCCDAF9), Hex(0xB9CCF5), Hex(0xA3B7E6), 0.2f, 0.6f };
    const TGel arrowHot = { Hex(0xF2F6FF), Hex(0xDCE7FE), Hex(0xC8DAFC), Hex(0x7C9DE0), 0.3f, 0.7f };
    const TGel green = { Hex(0x96E596), Hex(0x2FBF2F), Hex(0x86DE86), Hex(0x2A9A2A), 0.4f, 0 };
    const TStyleLook look { s, kBackground, { Hex(0xDCDCD7), Hex(0xF2F2EF), Hex(0xFFFFFF), Hex(0x1C5180), 0, 0 }, arrowHot, green,
        kGreen, false, Hex(0x4D6185), 1 };
    const TPaint title = TitlePaint();
    TStyleLook arrows = look;
    arrows.Plain = arrowPlain;
    arrows.Radius = 2;

    book.Add(s, "WINXP_BUTTON", Buttons(), 3);
    book.Add(s, "WINXP_CHECKBOX", CheckBoxFrames(look, 13, 13, 13), 4);
    book.Add(s, "WINXP_RADIOBUTTON", RadioFrames(look, 13, 13, 13), 4);
    book.Add(s, "WINXP_TITLEBTN", TitleButtons(), 18);
    // The client piece's rim runs off both of its sides; the ends' rims turn down at the outside.
    book.Add(s, "WINXP_TITLE_LEFT", TitlePiece(35, -0.5f, 70));
    book.Add(s, "WINXP_TITLE_CLIENT", TitlePiece(37, -37, 74));
    book.Add(s, "WINXP_TITLE_RIGHT", TitlePiece(35, -35, 35.5f));
    book.Add(s, "WINXP_SCROLLBUTTON", ScrollButtonFrames(arrows, 18, 18), 4);
    book.Add(s, "WINXP_TAB", Tabs(), 2);
    book.Add(s, "WINXP_TAB_LINE",
        DrawSingle(
            8, 1, [](TRaster& r) { r.Fill(Solid(Hex(0x919B9C))); }, Plain(kBackground)));
    DrawCommonPieces(book, arrows,
        { { 6, 10 }, TProgressFill::Blocks, { 45, 8 }, { 11, 21 }, { 22, 11 }, { 96, 17 }, { 21, 16 }, { 44, 11 }, { 8, 86 },
            { 1, 21 } },
        [title](float x, float y) { return title(x, y * 29 / 21); });
}
