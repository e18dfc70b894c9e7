// BlueGlass: glassy light blue: a caption of two panes of glass with a sheen, see-through
// glass buttons, glossy pale controls.
#include "tools/skinart/CommonArt.h"
#include "tools/skinart/StyleArt.h"

namespace {

const TRgba kBackground = Hex(0xE7E7E7);
const TGel kGlass = { Hex(0xF2F8FE), Hex(0xDCEBFA), Hex(0xC6E0F8), Hex(0x7AA6D6), 0.7f, 0.6f };
const TGel kGlassHot = { Hex(0xF4FAFF), Hex(0xC2E0FD), Hex(0x92C4F6), Hex(0x3F86D6), 0.75f, 0.7f };
const TGel kGlassPressed = { Hex(0x94C0EE), Hex(0x80B2EA), Hex(0xAED2F6), Hex(0x3A75BE), 0.35f, 0 };
const TGel kDeepGlass = { Hex(0x7DB7F0), Hex(0x4F97E3), Hex(0x8CC4F3), Hex(0x2E6AB3), 0.55f, 0.4f };

TPaint TitlePaint()
{
    return VerticalGradient({ { 0.5f, Hex(0x24528E) }, { 1.5f, Hex(0xB2D6F8) }, { 2.5f, Hex(0x8EC0F1) }, { 16.5f, Hex(0x5F9DE2) },
        { 17.5f, Hex(0x3677CC) }, { 30.5f, Hex(0x5A9ADF) }, { 31.5f, Hex(0x73AEE9) }, { 32.5f, Hex(0x24528E) } });
}

// A pane of the caption with a slanted sheen across its upper half.
TBitmap TitlePane(int width, float sheenAt)
{
    return DrawSingle(
        width, 33,
        [&](TRaster& r) {
            r.Fill(TitlePaint());
            if (sheenAt > 0)
                r.Fill(Polygon({ { sheenAt, 2 }, { sheenAt + 26, 2 }, { sheenAt + 12, 17 }, { sheenAt - 14, 17 } }),
                    VerticalGradient({ { 2, Hex(0xFFFFFF, 0.3f) }, { 17, Hex(0xFFFFFF, 0.05f) } }));
        },
        Plain(kBackground));
}

// Panes of glass over the caption: light, with a bright rim and white glyphs.
TBitmap TitleButtons()
{
    return TitleButtonStrip(
        19,
        [](TRaster& r, TTitleGlyph glyph, int state) {
            const bool close = glyph == TTitleGlyph::Close;
            const float a = state == 0 ? 0.22f : state == 1 ? 0.42f : 0.3f;
            TGel gel = close
                ? TGel { Hex(0xF28A78, 0.95f), Hex(0xDC4A34, 0.95f), Hex(0xE8705A, 0.95f), Hex(0xFFE0D8, 0.9f), 0.45f, 0 }
                : TGel { Hex(0xFFFFFF, a + 0.15f), Hex(0xFFFFFF, a), Hex(0xFFFFFF, a * 0.6f), Hex(0xFFFFFF, 0.85f), 0.35f, 0 };
            if (state == 1 && close)
                gel = Faded(gel, 0.15f, Hex(0xFFFFFF, 1));
            if (state == 2)
                gel = Faded(gel, 0.3f, Hex(0x0A2A5A, 0.95f));
            PaintGel(r, 1.5f, 1.5f, 17.5f, 17.5f, 4, gel);
            r.Fill(TitleGlyph(glyph, { 9.5f, 9.5f, 3.5f, 1.7f }), Hex(0xFFFFFF));
        },
        TitleRows(TitlePaint(), 6), kKey);
}

TBitmap Buttons()
{
    return DrawFrames(
        3, 77, 27,
        [](TRaster& r, int state) {
            r.Fill(RoundRect(0.5f, 1.5f, 76.5f, 26.5f, 8), Hex(0x1A3A6A, 0.14f));
            PaintGel(r, 0.5f, 0.5f, 76.5f, 25.5f, 8, state == 0 ? kGlass : state == 1 ? kGlassHot : kGlassPressed);
            KeepMiddleStretchable(r);
        },
        Plain(kBackground), kKey);
}

TBitmap Tabs()
{
    return DrawFrames(
        2, 9, 17,
        [](TRaster& r, int frame) {
            PaintGel(r, 0.5f, 0.5f, 8.5f, 30, 3.5f,
                frame == 0 ? kGlassHot : TGel { Hex(0xF4F4F4), Hex(0xE4E6E9), Hex(0xD2D6DC), Hex(0x8E9BAA), 0.6f, 0.4f });
            if (frame == 0)
                r.Fill(RoundRect(1.5f, 16, 7.5f, 17, 0), Hex(0xB9DAF8));
            KeepThreePartStretchable(r);
        },
        Plain(kBackground), kKey);
}

} // namespace

void DrawBlueGlassArt(TArtBook& book)
{
    const std::string s = "BLUEGLASS";
    const TStyleLook look { s, kBackground, kGlass, kGlassHot, kDeepGlass, Hex(0xFFFFFF), true, Hex(0x24528E), 3 };
    const TPaint title = TitlePaint();

    book.Add(s, "BLUEGLASS_BUTTON", Buttons(), 3);
    book.Add(s, "BLUEGLASS_CHECKBOX", CheckBoxFrames(look, 13, 13, 13), 4);
    book.Add(s, "BLUEGLASS_RADIOBUTTON", RadioFrames(look, 13, 13, 13), 4);
    book.Add(s, "BLUEGLASS_TITLEBTN", TitleButtons(), 18);
    book.Add(s, "BLUEGLASS_TITLE_LEFT", TitlePane(162, 118));
    book.Add(s, "BLUEGLASS_TITLE_CLIENT", TitlePane(179, 0));
    book.Add(s, "BLUEGLASS_TITLE_RIGHT", TitlePane(101, 20));
    book.Add(s, "BLUEGLASS_TAB", Tabs(), 2);
    book.Add(s, "BLUEGLASS_TAB_LINE",
        DrawSingle(
            10, 5,
            [](TRaster& r) {
                r.Fill(VerticalGradient({ { 0.5f, Hex(0x2E6AB3) }, { 1.5f, Hex(0xB9DAF8) }, { 4.5f, kBackground } }));
            },
            Plain(kBackground)));
    DrawCommonPieces(book, look,
        { { 1, 10 }, TProgressFill::Plain, { 45, 4 }, { 11, 20 }, { 18, 11 }, { 102, 16 }, { 21, 16 }, { 44, 11 }, { 8, 86 },
            { 1, 21 } },
        [title](float x, float y) { return title(x, y * 33 / 21); });
}
