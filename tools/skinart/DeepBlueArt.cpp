// DeepBlue: a dark navy caption and tab rail over light grey, steel-blue controls.
#include "tools/skinart/CommonArt.h"
#include "tools/skinart/StyleArt.h"

namespace {

const TRgba kBackground = Hex(0xE8E8E8);
const TRgba kNavy = Hex(0x1E3566);
const TGel kSteel = { Hex(0xF6F8FB), Hex(0xDDE5F0), Hex(0xC5D2E5), kNavy, 0.5f, 0.4f };
const TGel kSteelHot = { Hex(0xFFFFFF), Hex(0xE4EEFB), Hex(0xC4DAF6), Hex(0x2F5BA8), 0.6f, 0.6f };
const TGel kSteelPressed = { Hex(0xAFC1DB), Hex(0xC3D1E6), Hex(0xDAE3F0), kNavy, 0, 0 };

TPaint TitlePaint()
{
    return VerticalGradient({ { 0.5f, Hex(0x061030) }, { 1.5f, Hex(0x4F72AC) }, { 2.5f, Hex(0x2E4F8A) }, { 15.5f, Hex(0x1B376C) },
        { 16.5f, Hex(0x142C5C) }, { 29.5f, Hex(0x0C1D44) }, { 31.5f, Hex(0x07132E) } });
}

// The left end carries a soft glow behind the caption, clear of the control box and gone
// before the end meets the middle.
TBitmap TitleLeft()
{
    return DrawSingle(
        97, 32,
        [](TRaster& r) {
            r.Fill(TitlePaint());
            r.Fill(RadialGradient(62, 12, 34, Hex(0x6C92D6, 0.28f), Hex(0x6C92D6, 0)));
        },
        Plain(kBackground));
}

TBitmap TitleButtons()
{
    return TitleButtonStrip(
        19,
        [](TRaster& r, TTitleGlyph glyph, int state) {
            TGel gel = glyph == TTitleGlyph::Close ? TGel { Hex(0xD26A62), Hex(0xA8332D), Hex(0xBC4A42), Hex(0xF0B0A8), 0.3f, 0 }
                                                   : TGel { Hex(0x5577B2), Hex(0x2F4F8A), Hex(0x3E62A2), Hex(0x9CB4DE), 0.3f, 0 };
            if (state == 1)
                gel = Faded(gel, 0.18f, Hex(0xFFFFFF));
            if (state == 2)
                gel = Faded(gel, 0.3f, Hex(0x000814));
            PaintGel(r, 1.5f, 1.5f, 17.5f, 17.5f, 3, gel);
            r.Fill(TitleGlyph(glyph, { 9.5f, 9.5f, 3.6f, 1.7f }), Hex(0xFFFFFF, state == 0 ? 0.9f : 1));
        },
        TitleRows(TitlePaint(), 2), std::nullopt);
}

TBitmap Buttons()
{
    return DrawFrames(
        3, 74, 21,
        [](TRaster& r, int state) {
            PaintGel(r, 0.5f, 0.5f, 73.5f, 20.5f, 3, state == 0 ? kSteel : state == 1 ? kSteelHot : kSteelPressed);
            KeepMiddleStretchable(r);
        },
        Plain(kBackground), std::nullopt);
}

// The rail under the tabs: a black edge over a navy band.
TPaint RailPaint()
{
    return VerticalGradient({ { 0.5f, Hex(0x0B1B3E) }, { 1.5f, Hex(0x3A5C96) }, { 4.5f, Hex(0x1A3468) } });
}

TBitmap Tabs()
{
    return DrawFrames(
        2, 6, 17,
        [](TRaster& r, int frame) {
            if (frame == 0) {
                PaintGel(r, 0.5f, 0.5f, 5.5f, 30, 2, { Hex(0xFFFFFF), Hex(0xF4F4F4), Hex(0xE8E8E8), Hex(0x0B1B3E), 0, 0 });
                r.Fill(RoundRect(-1, 16, 7, 17, 0), Hex(0x3A5C96));
            } else {
                PaintGel(r, 0.5f, 0.5f, 5.5f, 30, 2, { Hex(0xDCE4F0), Hex(0xC8D4E6), Hex(0xAFBFD8), Hex(0x3A4E73), 0, 0 });
            }
            KeepThreePartStretchable(r);
        },
        Plain(kBackground), kKey);
}

} // namespace

void DrawDeepBlueArt(TArtBook& book)
{
    const std::string s = "DEEPBLUE";
    const TGel navy = { Hex(0x5577B2), Hex(0x2F4F8A), Hex(0x3E62A2), Hex(0x0B1B3E), 0.35f, 0 };
    const TStyleLook look { s, kBackground, { Hex(0xE2E8F1), Hex(0xF4F7FB), Hex(0xFFFFFF), kNavy, 0, 0 }, kSteelHot, navy, kNavy,
        false, Hex(0x1E3566), 2 };
    const TPaint title = TitlePaint();
    auto plainTitle = [&](int width) {
        return DrawSingle(
            width, 32, [&](TRaster& r) { r.Fill(title); }, Plain(kBackground));
    };

    book.Add(s, "DEEPBLUE_BUTTON", Buttons(), 3);
    book.Add(s, "DEEPBLUE_CHECKBOX", CheckBoxFrames(look, 13, 13, 13), 4);
    book.Add(s, "DEEPBLUE_RADIOBUTTON", RadioFrames(look, 13, 13, 13), 4);
    book.Add(s, "DEEPBLUE_TITLEBTN", TitleButtons(), 18);
    book.Add(s, "DEEPBLUE_TITLE_LEFT", TitleLeft());
    book.Add(s, "DEEPBLUE_TITLE_CLIENT", plainTitle(98));
    book.Add(s, "DEEPBLUE_TITLE_RIGHT", plainTitle(97));
    book.Add(s, "DEEPBLUE_TAB", Tabs(), 2);
    book.Add(s, "DEEPBLUE_TAB_LINE",
        DrawSingle(
            5, 5, [](TRaster& r) { r.Fill(RailPaint()); }, Plain(kBackground)));
    TStyleLook common = look;
    common.Plain = kSteel;
    DrawCommonPieces(book, common,
        { { 1, 10 }, TProgressFill::Plain, { 45, 4 }, { 11, 20 }, { 18, 11 }, { 96, 16 }, { 21, 16 }, { 44, 11 }, { 8, 83 },
            { 1, 20 } },
        [title](float x, float y) { return title(x, y * 32 / 20); });
}
