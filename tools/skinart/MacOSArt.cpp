// MacOS: light grey pinstripes, soft gels, aqua blue for what is chosen or pressed, and
// traffic-light title buttons.
#include <cmath>

#include "tools/skinart/CommonArt.h"
#include "tools/skinart/StyleArt.h"

namespace {

const TRgba kBackground = Hex(0xE7E7E7);
const TGel kGrey = { Hex(0xD6D6D6), Hex(0xCBCBCB), Hex(0xF2F2F2), Hex(0x8A8A8A), 0.85f, 0.5f };
const TGel kAqua = { Hex(0x3D84D9), Hex(0x5595E2), Hex(0xB2DAFC), Hex(0x2C5C9A), 0.7f, 0.35f };
const TGel kPaleAqua = Faded(kAqua, 0.5f, Hex(0xFFFFFF));
const TRgba kInk = Hex(0x1E1E1E);

// Every other pair of rows a shade lighter: the pinstripes of the whole style.
float Pinstripe(float y)
{
    return static_cast<int>(std::floor(y)) / 2 % 2 == 0 ? 0.012f : -0.012f;
}

// The title bar: a dark top edge, a highlight, a pinstriped grey gradient and a bottom line.
TPaint TitlePaint()
{
    return [](float, float y) {
        if (y < 1)
            return Hex(0x8E8E8E);
        if (y < 2)
            return Hex(0xFAFAFA);
        if (y >= 22)
            return Hex(0x9A9A9A);
        const TRgba shade = Mix(Hex(0xEEEEEE), Hex(0xD0D0D0), (y - 2) / 20);
        return Lighten(shade, Pinstripe(y));
    };
}

TBitmap Buttons()
{
    return DrawFrames(
        3, 84, 23,
        [](TRaster& r, int state) {
            r.Fill(RoundRect(0.5f, 1.5f, 83.5f, 22.5f, 10.5f), Hex(0x000000, 0.16f));
            PaintGel(r, 0.5f, 0.5f, 83.5f, 21.5f, 10.5f, state == 0 ? kGrey : state == 1 ? kPaleAqua : kAqua);
            KeepMiddleStretchable(r);
        },
        Plain(kBackground), kKey);
}

TGel GemGel(TTitleGlyph glyph)
{
    switch (glyph) {
    case TTitleGlyph::Close:
        return { Hex(0xD5342C), Hex(0xE24E43), Hex(0xFF9F86), Hex(0x9A2820), 0.75f, 0 };
    case TTitleGlyph::Minimize:
        return { Hex(0xD8980F), Hex(0xE3AA28), Hex(0xFFE292), Hex(0x9C6E0C), 0.75f, 0 };
    case TTitleGlyph::Maximize:
    case TTitleGlyph::Restore:
        return { Hex(0x3C9F33), Hex(0x4DB544), Hex(0xABF292), Hex(0x2A7624), 0.75f, 0 };
    case TTitleGlyph::Help:
        return kAqua;
    case TTitleGlyph::ControlBox:
        break;
    }
    return { Hex(0x858D97), Hex(0x98A0AA), Hex(0xDCE2E9), Hex(0x5A6169), 0.75f, 0 };
}

// Round gems with their glyph faint until the pointer comes near.
TBitmap TitleButtons()
{
    return TitleButtonStrip(
        17,
        [](TRaster& r, TTitleGlyph glyph, int state) {
            TGel gel = GemGel(glyph);
            if (state == 1)
                gel = Faded(gel, 0.18f, Hex(0xFFFFFF));
            if (state == 2)
                gel = Faded(gel, 0.22f, Hex(0x000000));
            r.Fill(Circle(8.5f, 9.2f, 6.7f), Hex(0x000000, 0.18f));
            PaintGel(r, 2, 2, 15, 15, 6.5f, gel);
            const float ink = state == 0 ? 0.45f : 0.85f;
            r.Fill(TitleGlyph(glyph, { 8.5f, 8.5f, 2.9f, 1.3f }), Hex(0x3A1A10, ink));
        },
        TitleRows(TitlePaint(), 4), std::nullopt);
}

TBitmap Tabs()
{
    return DrawFrames(
        2, 18, 27,
        [](TRaster& r, int frame) {
            const bool active = frame == 0;
            PaintGel(r, 0.5f, 0.5f, 17.5f, 40, 5, active ? kAqua : kGrey);
            if (active)
                r.Fill(RoundRect(1.5f, 26, 16.5f, 27, 0), kAqua.Bottom);
            KeepThreePartStretchable(r);
        },
        Plain(kBackground), kKey);
}

TBitmap TabLine()
{
    return DrawSingle(
        17, 7,
        [](TRaster& r) {
            r.Fill(VerticalGradient({ { 1, Hex(0xF6F6F6) }, { 7, kBackground } }));
            r.Fill(RoundRect(-1, 0, 18, 1, 0), Hex(0x8A8A8A));
        },
        Plain(kBackground));
}

TBitmap FormBackground()
{
    return DrawSingle(
        8, 8, [](TRaster& r) { r.Fill([](float, float y) { return Lighten(Hex(0xE8E8E8), Pinstripe(y) * 2.2f); }); },
        Plain(kBackground));
}

// Menu items: faint pinstripes on white; the top 12 rows make a separator, 20 an item.
TBitmap MenuBar()
{
    return DrawSingle(
        1, 22, [](TRaster& r) { r.Fill([](float, float y) { return Lighten(Hex(0xF6F6F6), Pinstripe(y) * 1.5f); }); },
        Plain(kBackground));
}

TBitmap MenuSelection()
{
    return DrawSingle(
        1, 21,
        [](TRaster& r) {
            r.Fill(VerticalGradient({ { 0, Hex(0x6D9FE6) }, { 10, Hex(0x4F86DC) }, { 20, Hex(0x3569C8) } }));
            r.Fill(RoundRect(-1, 0, 2, 1, 0), Hex(0x8DB6EE));
            r.Fill(RoundRect(-1, 19, 2, 21, 0), Hex(0x2C5DB6));
        },
        Plain(kBackground));
}

} // namespace

void DrawMacOSArt(TArtBook& book)
{
    const std::string s = "MACOS";
    const TStyleLook look { s, kBackground, kGrey, kPaleAqua, kAqua, kInk, true, Hex(0x333333), 3 };
    const TPaint title = TitlePaint();
    auto titlePiece = [&](int width) {
        return DrawSingle(
            width, 23, [&](TRaster& r) { r.Fill(title); }, Plain(kBackground));
    };

    book.Add(s, "MACOS_BUTTON", Buttons(), 3);
    book.Add(s, "MACOS_CHECKBOX", CheckBoxFrames(look, 15, 17, 13), 4);
    book.Add(s, "MACOS_RADIOBUTTON", RadioFrames(look, 16, 17, 14), 4);
    book.Add(s, "MACOS_TITLEBTN", TitleButtons(), 18);
    book.Add(s, "MACOS_TITLE_LEFT", titlePiece(48));
    book.Add(s, "MACOS_TITLE_CLIENT", titlePiece(49));
    book.Add(s, "MACOS_TITLE_RIGHT", titlePiece(48));
    book.Add(s, "MACOS_SCROLLBUTTON", ScrollButtonFrames(look, 18, 18), 4);
    book.Add(s, "MACOS_TAB", Tabs(), 2);
    book.Add(s, "MACOS_TAB_LINE", TabLine());
    book.Add(s, "MACOS_MENU_BAR", MenuBar());
    book.Add(s, "MACOS_MENU_SELECT", MenuSelection());
    book.Add(s, "MACOS_FORM_BACKGROUND", FormBackground());
    DrawCommonPieces(book, look,
        { { 13, 10 }, TProgressFill::Stripes, { 45, 5 }, { 11, 20 }, { 19, 11 }, { 96, 22 }, { 33, 16 }, { 40, 11 }, { 7, 84 },
            { 1, 21 } },
        [title](float x, float y) { return title(x, y * 23 / 21); });
}
