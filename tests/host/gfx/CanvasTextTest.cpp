#include <gtest/gtest.h>

#include "host/gfx/Canvas.h"
#include "host/gfx/FontEngine.h"

namespace {

// The smallest rectangle holding every pixel that matches.
template <typename Match> TRect BoundsWhere(const TBitmap& bitmap, Match match)
{
    TRect r { bitmap.Width(), bitmap.Height(), 0, 0 };
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (match(bitmap.GetPixel(x, y)))
                r = { std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1) };
    return r.IsEmpty() ? TRect {} : r;
}

// Everything drawn on a white bitmap.
TRect InkBounds(const TBitmap& bitmap)
{
    return BoundsWhere(bitmap, [](TColor c) { return c != clWhite; });
}

// Total ink on a white bitmap: how far each channel is from white.
long Darkness(const TBitmap& bitmap)
{
    long sum = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor c = bitmap.GetPixel(x, y);
            sum += 3 * 255 - GetRValue(c) - GetGValue(c) - GetBValue(c);
        }
    return sum;
}

int InkInRow(const TBitmap& bitmap, int y, int from, int to, TColor ink)
{
    int count = 0;
    for (int x = from; x < to; ++x)
        count += bitmap.GetPixel(x, y) == ink;
    return count;
}

struct TextCanvas {
    explicit TextCanvas(int width = 200, int height = 40)
        : bitmap(width, height)
        , canvas(bitmap.Canvas())
    {
        canvas.Font().SetName("MS Sans Serif");
        canvas.Font().SetHeight(-11);
        canvas.Font().SetColor(clBlack);
        canvas.Brush().Style = TBrushStyle::bsClear;
    }
    TBitmap bitmap;
    TCanvas& canvas;
};

} // namespace

TEST(CanvasText, TextOutFillsExactlyTheMeasuredCell)
{
    TextCanvas t;
    t.canvas.Brush().Style = TBrushStyle::bsSolid;
    t.canvas.Brush().Color = clYellow;
    const std::string text = "Moraleaf 平假名あ";
    const TSize extent = t.canvas.TextExtent(text);
    EXPECT_EQ(extent.cx, t.canvas.TextWidth(text));
    EXPECT_EQ(extent.cy, t.canvas.TextHeight(text));
    EXPECT_EQ(extent.cy, 14);

    t.canvas.SetPenPos({ 3, 4 });
    t.canvas.TextOut(7, 5, text);
    EXPECT_EQ(InkBounds(t.bitmap), Bounds(7, 5, extent.cx, extent.cy));
    EXPECT_EQ(t.canvas.PenPos(), (TPoint { 3, 4 }));
    EXPECT_EQ(t.bitmap.GetPixel(7, 5), clYellow); // above the capitals' tops
}

TEST(CanvasText, ClearBrushDrawsOnlyInkInTheFontColour)
{
    TextCanvas t;
    t.canvas.Font().SetColor(clRed);
    t.canvas.TextOut(10, 10, "Moraleaf");
    const TRect ink = InkBounds(t.bitmap);
    ASSERT_FALSE(ink.IsEmpty());
    // Within the cell, but for a glyph's overhang of a pixel.
    const TRect cell = Bounds(10, 10, t.canvas.TextWidth("Moraleaf"), t.canvas.TextHeight("Moraleaf"));
    EXPECT_EQ(IntersectRect(ink, cell.Inflate(1, 0)), ink);
    EXPECT_GT(ink.Width(), cell.Width() - 4);

    // Antialiased edges lie between white and red; solid stems are pure red.
    bool solid = false;
    for (int y = ink.Top; y < ink.Bottom; ++y)
        for (int x = ink.Left; x < ink.Right; ++x) {
            const TColor c = t.bitmap.GetPixel(x, y);
            EXPECT_EQ(GetRValue(c), 0xFF);
            EXPECT_EQ(GetGValue(c), GetBValue(c));
            solid = solid || c == clRed;
        }
    EXPECT_TRUE(solid);

    // System colours are resolved (stems of a large font are wider than a pixel).
    TextCanvas sys;
    sys.canvas.Font().SetColor(clHighlight);
    sys.canvas.Font().SetHeight(-30);
    sys.canvas.TextOut(0, 0, "l");
    bool highlight = false;
    for (int y = 0; y < 40; ++y)
        highlight = highlight || InkInRow(sys.bitmap, y, 0, 20, ColorToRGB(clHighlight)) > 0;
    EXPECT_TRUE(highlight);
}

TEST(CanvasText, DrawTextPlacesTheLineByTheFormat)
{
    const std::string text = "平假名 Kana";
    const TRect box { 10, 5, 190, 45 };
    struct Case {
        unsigned format;
        int x;
        int y;
    };
    TextCanvas probe;
    const int w = probe.canvas.TextWidth(text);
    const int h = probe.canvas.TextHeight(text);
    const Case cases[] = {
        { DT_SINGLELINE, box.Left, box.Top },
        { DT_SINGLELINE | DT_CENTER | DT_VCENTER, box.Left + (box.Width() - w) / 2, box.Top + (box.Height() - h) / 2 },
        { DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, box.Right - w, box.Bottom - h },
        { DT_VCENTER | DT_CENTER, box.Left + (box.Width() - w) / 2, box.Top }, // vertical placement needs one line
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        TextCanvas t(200, 50);
        t.canvas.Brush().Style = TBrushStyle::bsSolid;
        t.canvas.Brush().Color = clAqua;
        TRect r = box;
        EXPECT_EQ(DrawText(t.canvas, text, r, c.format), h);
        EXPECT_EQ(r, box);
        EXPECT_EQ(InkBounds(t.bitmap), Bounds(c.x, c.y, w, h));
    }
}

TEST(CanvasText, CalcRectMeasuresWithoutDrawing)
{
    TextCanvas t;
    TRect r { 5, 6, 7, 8 };
    EXPECT_EQ(DrawText(t.canvas, "Ka&na", r, DT_SINGLELINE | DT_CALCRECT | DT_CENTER), 14);
    EXPECT_EQ(r, Bounds(5, 6, t.canvas.TextWidth("Kana"), 14));
    r = { 5, 6, 7, 8 };
    DrawText(t.canvas, "Ka&na", r, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(r.Width(), t.canvas.TextWidth("Ka&na"));
    EXPECT_EQ(InkBounds(t.bitmap), TRect {});
}

TEST(CanvasText, AmpersandUnderlinesTheAcceleratorOnly)
{
    const FontMetrics m = FontEngine::Instance().Metrics(TextCanvas().canvas.Font());
    const int underlineRow = m.Ascent + m.UnderlineTop;

    TextCanvas t;
    TRect r { 0, 0, 200, 40 };
    DrawText(t.canvas, "Cl&ose", r, DT_SINGLELINE);
    const int from = t.canvas.TextWidth("Cl");
    const int to = t.canvas.TextWidth("Clo");
    EXPECT_EQ(InkInRow(t.bitmap, underlineRow, from, to, clBlack), to - from);
    EXPECT_EQ(InkInRow(t.bitmap, underlineRow, 0, from, clBlack), 0);
    EXPECT_EQ(InkInRow(t.bitmap, underlineRow, to, 200, clBlack), 0);
    EXPECT_EQ(InkBounds(t.bitmap).Right, t.canvas.TextWidth("Close"));

    // "&&" is one literal ampersand and underlines nothing.
    TextCanvas literal;
    literal.canvas.Brush().Style = TBrushStyle::bsSolid;
    literal.canvas.Brush().Color = clYellow;
    DrawText(literal.canvas, "A&&B", r, DT_SINGLELINE);
    EXPECT_EQ(InkBounds(literal.bitmap).Width(), literal.canvas.TextWidth("A&B"));
    EXPECT_EQ(InkInRow(literal.bitmap, underlineRow, 0, 200, clBlack), 0);

    // With DT_NOPREFIX the ampersand is drawn as it stands.
    TextCanvas plain;
    plain.canvas.Brush().Style = TBrushStyle::bsSolid;
    DrawText(plain.canvas, "Cl&ose", r, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(InkBounds(plain.bitmap).Width(), plain.canvas.TextWidth("Cl&ose"));
    EXPECT_EQ(InkInRow(plain.bitmap, underlineRow, 0, 200, clBlack), 0);

    // A multi-byte accelerator.
    TextCanvas cjk;
    DrawText(cjk.canvas, "平&假名", r, DT_SINGLELINE);
    EXPECT_EQ(InkInRow(cjk.bitmap, underlineRow, cjk.canvas.TextWidth("平"), cjk.canvas.TextWidth("平假"), clBlack),
        cjk.canvas.TextWidth("假"));
}

TEST(CanvasText, UnderlineAndStrikeOutSpanTheLine)
{
    TextCanvas probe;
    const FontMetrics m = FontEngine::Instance().Metrics(probe.canvas.Font());
    const int w = probe.canvas.TextWidth("Close");

    TextCanvas underlined;
    underlined.canvas.Font().SetStyle({ TFontStyle::fsUnderline });
    underlined.canvas.TextOut(0, 0, "Close");
    EXPECT_EQ(InkInRow(underlined.bitmap, m.Ascent + m.UnderlineTop, 0, 200, clBlack), w);

    TextCanvas struck;
    struck.canvas.TextOut(0, 0, "Close");
    EXPECT_LT(InkInRow(struck.bitmap, m.Ascent + m.StrikeOutTop, 0, 200, clBlack), w);
    struck.canvas.Font().SetStyle({ TFontStyle::fsStrikeOut });
    struck.canvas.TextOut(0, 0, "Close");
    EXPECT_EQ(InkInRow(struck.bitmap, m.Ascent + m.StrikeOutTop, 0, 200, clBlack), w);
}

TEST(CanvasText, DrawTextClipsToItsRectangleUnlessNoClip)
{
    TextCanvas t;
    t.canvas.Brush().Style = TBrushStyle::bsSolid;
    t.canvas.Brush().Color = clLime;
    TRect r { 20, 10, 50, 20 };
    DrawText(t.canvas, "A long caption that does not fit", r, DT_SINGLELINE | DT_VCENTER);
    EXPECT_EQ(InkBounds(t.bitmap), r);

    TextCanvas unclipped;
    DrawText(unclipped.canvas, "A long caption that does not fit", r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkBounds(unclipped.bitmap).Right, 100);
}

TEST(CanvasText, TextRectFillsTheRectangleAndClipsTheText)
{
    TextCanvas t;
    t.canvas.Brush().Style = TBrushStyle::bsSolid;
    t.canvas.Brush().Color = clSilver;
    const TRect r { 30, 5, 60, 30 };
    t.canvas.TextRect(r, 20, 10, "WWWWWWWWWW");
    EXPECT_EQ(InkBounds(t.bitmap), r);
    const TRect glyphs = BoundsWhere(t.bitmap, [](TColor c) { return GetRValue(c) < 0xC0; });
    EXPECT_FALSE(glyphs.IsEmpty());
    EXPECT_EQ(IntersectRect(glyphs, r), glyphs);
}

TEST(CanvasText, TextFollowsTheViewportOriginAndTheContextClip)
{
    TextCanvas t;
    HDC dc = t.canvas.Handle();
    SetViewportOrgEx(dc, 30, 8, nullptr);
    t.canvas.Brush().Style = TBrushStyle::bsSolid;
    t.canvas.Brush().Color = clYellow;
    t.canvas.TextOut(2, 3, "Kana");
    EXPECT_EQ(InkBounds(t.bitmap), Bounds(32, 11, t.canvas.TextWidth("Kana"), 14));

    TextCanvas clipped;
    HDC cdc = clipped.canvas.Handle();
    IntersectClipRect(cdc, 5, 0, 15, 40);
    clipped.canvas.TextOut(0, 0, "WWWWWW");
    const TRect ink = InkBounds(clipped.bitmap);
    EXPECT_GE(ink.Left, 5);
    EXPECT_LE(ink.Right, 15);
    EXPECT_FALSE(ink.IsEmpty());

    // Text drawn past the surface's edges is cut, not written out of bounds.
    TextCanvas edge(20, 10);
    edge.canvas.TextOut(-5, -7, "平假名平假名");
    edge.canvas.TextOut(15, 5, "平假名平假名");
    EXPECT_FALSE(InkBounds(edge.bitmap).IsEmpty());
}

TEST(CanvasText, BoldIsWiderAndDarker)
{
    TextCanvas regular;
    regular.canvas.TextOut(0, 0, "Close 关闭");
    TextCanvas bold;
    bold.canvas.Font().SetStyle({ TFontStyle::fsBold });
    bold.canvas.TextOut(0, 0, "Close 关闭");
    EXPECT_GT(bold.canvas.TextWidth("Close 关闭"), regular.canvas.TextWidth("Close 关闭"));
    EXPECT_GT(InkBounds(bold.bitmap).Right, InkBounds(regular.bitmap).Right);
    EXPECT_GT(Darkness(bold.bitmap), Darkness(regular.bitmap) * 5 / 4);
}
