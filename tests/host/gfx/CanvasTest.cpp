#include <gtest/gtest.h>

#include <climits>

#include "host/gfx/Canvas.h"
#include "tests/host/gfx/Pictures.h"

namespace {

const std::vector<std::pair<TColor, char>> kLegend
    = { { clWhite, '.' }, { clBlack, '#' }, { clRed, 'r' }, { clBlue, 'b' }, { clLime, 'g' } };

// A white bitmap and its canvas: black pen, red brush.
struct Sheet {
    Sheet(int width, int height)
        : bitmap(width, height)
        , canvas(bitmap.Canvas())
    {
        canvas.Pen().Color = clBlack;
        canvas.Brush().Color = clRed;
    }
    TPicture Picture() const { return PictureOf(bitmap, Rect(0, 0, bitmap.Width(), bitmap.Height()), kLegend); }

    TBitmap bitmap;
    TCanvas& canvas;
};

// Pixel (x, y) has the colour y * 256 + x (red x, green y).
TBitmap Numbered(int width, int height)
{
    TBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, y * 256 + x);
    return b;
}

TBitmap FromPicture(const TPicture& rows)
{
    TBitmap b(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            for (const auto& [colour, name] : kLegend)
                if (rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == name)
                    b.SetPixel(x, y, colour);
    return b;
}

} // namespace

TEST(CanvasLines, LineToLeavesOutItsEndPointAndMovesThePen)
{
    Sheet s(8, 5);
    s.canvas.MoveTo(1, 1);
    s.canvas.LineTo(6, 1);
    s.canvas.LineTo(6, 4);
    EXPECT_EQ(s.canvas.PenPos(), Point(6, 4));
    s.canvas.LineTo(6, 4); // no length, no pixel
    EXPECT_EQ(s.Picture(),
        (TPicture {
            "........",
            ".######.",
            "......#.",
            "......#.",
            "........",
        }));
}

TEST(CanvasLines, DiagonalsStepAlongTheLongerAxis)
{
    Sheet s(12, 5);
    s.canvas.MoveTo(0, 0); // 2 in 4: halves round towards the start
    s.canvas.LineTo(4, 2);
    s.canvas.MoveTo(5, 4); // 4 up in 5
    s.canvas.LineTo(10, 0);
    s.canvas.MoveTo(11, 0); // steep: 1 across in 4
    s.canvas.LineTo(10, 4);
    EXPECT_EQ(s.Picture(),
        (TPicture {
            "##.........#",
            "..##.....#.#",
            ".......##..#",
            "......#...#.",
            ".....#......",
        }));
    Sheet d(4, 4);
    d.canvas.MoveTo(3, 3);
    d.canvas.LineTo(0, 0);
    EXPECT_EQ(d.Picture(), (TPicture { "....", ".#..", "..#.", "...#" }));
}

TEST(CanvasLines, PolylineJoinsSegmentsAndLeavesOutTheLastPoint)
{
    Sheet s(5, 5);
    const TPoint points[] = { { 0, 0 }, { 3, 0 }, { 3, 3 }, { 1, 3 } };
    s.canvas.Polyline(points);
    EXPECT_EQ(s.Picture(), (TPicture { "####.", "...#.", "...#.", "..##.", "....." }));
    EXPECT_EQ(s.canvas.PenPos(), Point(0, 0));
}

TEST(CanvasLines, PenWidthAndStyle)
{
    Sheet s(8, 6);
    s.canvas.Pen().Width = 3;
    s.canvas.MoveTo(2, 3);
    s.canvas.LineTo(6, 3);
    EXPECT_EQ(s.Picture(), (TPicture { "........", "........", ".######.", ".######.", ".######.", "........" }));

    Sheet dots(14, 3);
    dots.canvas.Pen().Style = TPenStyle::psDot;
    dots.canvas.MoveTo(0, 1);
    dots.canvas.LineTo(14, 1);
    EXPECT_EQ(dots.Picture()[1], "###...###...##");
    dots.canvas.Pen().Style = TPenStyle::psClear;
    dots.canvas.MoveTo(0, 0);
    dots.canvas.LineTo(14, 2);
    EXPECT_EQ(dots.Picture()[0], "..............");
}

TEST(CanvasShapes, RectangleIsAnOutlineInsideTheRightAndBottomEdgesFilledWithTheBrush)
{
    Sheet s(8, 6);
    s.canvas.Rectangle(1, 1, 6, 5);
    EXPECT_EQ(s.Picture(),
        (TPicture {
            "........",
            ".#####..",
            ".#rrr#..",
            ".#rrr#..",
            ".#####..",
            "........",
        }));
    Sheet clearBrush(5, 4);
    clearBrush.canvas.Brush().Style = TBrushStyle::bsClear;
    clearBrush.canvas.Rectangle(0, 0, 5, 4);
    EXPECT_EQ(clearBrush.Picture(), (TPicture { "#####", "#...#", "#...#", "#####" }));

    Sheet noPen(6, 5); // the host fills one pixel less when there is no pen
    noPen.canvas.Pen().Style = TPenStyle::psClear;
    noPen.canvas.Rectangle(1, 1, 6, 5);
    EXPECT_EQ(noPen.Picture(), (TPicture { "......", ".rrrr.", ".rrrr.", ".rrrr.", "......" }));
}

TEST(CanvasShapes, WidePensCentreOnTheOutlineOrStayInsideTheFrame)
{
    Sheet s(10, 9);
    s.canvas.Pen().Width = 3;
    s.canvas.Rectangle(2, 2, 8, 7);
    EXPECT_EQ(s.Picture(),
        (TPicture {
            "..........",
            ".########.",
            ".########.",
            ".########.",
            ".###rr###.",
            ".########.",
            ".########.",
            ".########.",
            "..........",
        }));
    Sheet inside(8, 7);
    inside.canvas.Pen().Width = 2;
    inside.canvas.Pen().Style = TPenStyle::psInsideFrame;
    inside.canvas.Rectangle(1, 1, 7, 6);
    EXPECT_EQ(inside.Picture(),
        (TPicture {
            "........",
            ".######.",
            ".######.",
            ".##rr##.",
            ".######.",
            ".######.",
            "........",
        }));
}

TEST(CanvasShapes, EllipseAndRoundRectHaveTheHostsRoundCorners)
{
    Sheet s(10, 10);
    s.canvas.Ellipse(0, 0, 10, 10);
    EXPECT_EQ(s.Picture(),
        (TPicture {
            "...####...",
            ".##rrrr##.",
            ".#rrrrrr#.",
            "#rrrrrrrr#",
            "#rrrrrrrr#",
            "#rrrrrrrr#",
            "#rrrrrrrr#",
            ".#rrrrrr#.",
            ".##rrrr##.",
            "...####...",
        }));
    Sheet r(9, 7);
    r.canvas.RoundRect(0, 0, 8, 6, 4, 4);
    EXPECT_EQ(r.Picture(),
        (TPicture {
            ".######..",
            "#rrrrrr#.",
            "#rrrrrr#.",
            "#rrrrrr#.",
            "#rrrrrr#.",
            ".######..",
            ".........",
        }));
    // The title bar's outline: brush clear, the shape reaching past the bitmap, so only the
    // top edge and the rounded top corners show.
    Sheet bar(10, 4);
    bar.canvas.Brush().Style = TBrushStyle::bsClear;
    bar.canvas.RoundRect(-1, 0, 11, 54, 9, 8);
    EXPECT_EQ(bar.Picture(), (TPicture { ".########.", "#........#", "..........", ".........." }));
}

TEST(CanvasFills, FillRectAndFrameRectUseTheBrush)
{
    Sheet s(6, 5);
    s.canvas.Brush().Color = clBlue;
    s.canvas.FrameRect(Rect(1, 1, 5, 4));
    EXPECT_EQ(s.Picture(), (TPicture { "......", ".bbbb.", ".b..b.", ".bbbb.", "......" }));
    s.canvas.Brush().Color = clRed;
    s.canvas.FillRect(Rect(2, 2, 4, 3));
    EXPECT_EQ(s.Picture()[2], ".brrb.");

    Sheet clear(4, 4);
    clear.canvas.Brush().Style = TBrushStyle::bsClear;
    clear.canvas.FillRect(Rect(0, 0, 4, 4));
    clear.canvas.FrameRect(Rect(0, 0, 4, 4));
    clear.canvas.Brush().Style = TBrushStyle::bsSolid;
    clear.canvas.FillRect(Rect(3, 3, 1, 1));
    clear.canvas.FrameRect(Rect(3, 3, 1, 1));
    EXPECT_EQ(clear.Picture(), (TPicture { "....", "....", "....", "...." }));

    Sheet hatch(10, 10);
    hatch.canvas.Brush().Style = TBrushStyle::bsHorizontal;
    hatch.canvas.FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(hatch.Picture()[0], "rrrrrrrrrr");
    EXPECT_EQ(hatch.Picture()[1], "..........");
    EXPECT_EQ(hatch.Picture()[8], "rrrrrrrrrr");
}

TEST(CanvasFills, PatternBrushTilesFromTheDeviceOriginWhateverTheViewport)
{
    const TBitmap pattern = Numbered(3, 2);
    TBitmap target(10, 7);
    TCanvas& canvas = target.Canvas();
    canvas.Brush().Bitmap = &pattern;
    canvas.Handle()->SetViewportOrg({ 5, 4 });
    canvas.FillRect(Rect(-4, -3, 3, 2)); // device (1, 1)-(8, 6)
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool filled = x >= 1 && x < 8 && y >= 1 && y < 6;
            EXPECT_EQ(target.GetPixel(x, y), filled ? pattern.GetPixel(x % 3, y % 2) : clWhite) << x << "," << y;
        }
    }
}

TEST(CanvasFills, FillRegionIsInLogicalCoordinates)
{
    Sheet s(6, 4);
    s.canvas.Handle()->SetViewportOrg({ 1, 1 });
    s.canvas.FillRegion(TRegion(Rect(0, 0, 2, 2)).Union(TRegion(Rect(3, 1, 4, 2))));
    EXPECT_EQ(s.Picture(), (TPicture { "......", ".rr...", ".rr.r.", "......" }));
}

TEST(CanvasClipping, EveryPrimitiveKeepsToTheOriginAndTheClip)
{
    Sheet s(8, 6);
    TDeviceContext& dc = *s.canvas.Handle();
    dc.SetViewportOrg({ 2, 1 });
    const int saved = dc.Save();
    dc.IntersectClip(Rect(0, 0, 3, 3)); // device (2, 1)-(5, 4)
    s.canvas.FillRect(Rect(-100, -100, 100, 100));
    s.canvas.Pen().Color = clBlue;
    s.canvas.MoveTo(-2, 3); // device row 4: outside the clip
    s.canvas.LineTo(10, 3);
    s.canvas.MoveTo(-2, -1); // device (0, 0) to (7, 7): the clip holds (2, 2) and (3, 3)
    s.canvas.LineTo(5, 6);
    s.canvas.SetPixel(5, 0, clBlack); // device (7, 1): outside the clip
    EXPECT_EQ(s.canvas.GetPixel(0, 0), clRed);
    EXPECT_EQ(s.canvas.GetPixel(5, 0), clNone); // outside the clip nothing is read
    const TBitmap glyph = Numbered(2, 2);
    s.canvas.Draw(2, 2, glyph); // device (4, 3): only its top-left pixel is inside
    EXPECT_EQ(s.Picture(),
        (TPicture {
            "........",
            "..rrr...",
            "..brr...",
            "..rb#...",
            "........",
            "........",
        }));
    EXPECT_EQ(s.bitmap.GetPixel(4, 3), glyph.GetPixel(0, 0));
    ASSERT_TRUE(dc.Restore(saved));
    s.canvas.SetPixel(5, 0, clBlack);
    EXPECT_EQ(s.bitmap.GetPixel(7, 1), clBlack);
}

TEST(CanvasClipping, AbsurdCoordinatesDrawNothingOrTheVisiblePartAndNeverOverflow)
{
    Sheet s(6, 6);
    TCanvas& c = s.canvas;
    c.Handle()->SetViewportOrg({ INT_MAX, INT_MIN });
    c.FillRect(Rect(INT_MIN, INT_MIN, INT_MAX, 0)); // device: all above the surface
    c.Handle()->SetViewportOrg({ 0, 0 });
    c.Rectangle(INT_MAX - 1, 0, INT_MAX, 5);
    c.RoundRect(INT_MIN, INT_MIN, INT_MIN + 5, INT_MIN + 5, INT_MAX, INT_MIN);
    c.Ellipse(5, 5, 0, 0);
    c.FillRect(Rect(5, 5, 0, 0));
    c.FrameRect(Rect(5, 5, 0, 0));
    c.DrawFocusRect(Rect(5, 5, 0, 0));
    c.StretchDraw(Rect(5, 5, 0, 0), Numbered(2, 2));
    c.Draw(INT_MAX, INT_MAX, Numbered(2, 2));
    c.Draw(INT_MIN, INT_MIN, Numbered(2, 2));
    c.Draw(0, 0, TBitmap());
    c.StretchDraw(Rect(0, 0, 6, 6), TBitmap());
    c.SetPixel(INT_MIN, INT_MAX, clBlack);
    EXPECT_EQ(c.GetPixel(INT_MAX, 0), clNone);
    EXPECT_EQ(s.Picture(), TPicture(6, "......"));

    c.MoveTo(INT_MIN, INT_MIN); // the visible part of a huge diagonal
    c.LineTo(INT_MAX, INT_MAX);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(s.bitmap.GetPixel(i, i), clBlack) << i;
    c.Pen().Width = INT_MAX;
    c.Pen().Color = clBlue;
    c.MoveTo(-1000000000, 3);
    c.LineTo(1000000000, 4);
    EXPECT_EQ(s.Picture(), TPicture(6, "bbbbbb"));
    c.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(s.Picture(), TPicture(6, "rrrrrr"));
}

TEST(CanvasFocusRect, InvertsEveryOtherBorderPixelAndASecondCallRestores)
{
    TBitmap b = Numbered(8, 6);
    const TBitmap before = b;
    TCanvas& canvas = b.Canvas();
    canvas.DrawFocusRect(Rect(1, 1, 7, 5));
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool border = x >= 1 && x < 7 && y >= 1 && y < 5 && (x == 1 || x == 6 || y == 1 || y == 4);
            const TColor expected = border && (x + y) % 2 == 0 ? before.GetPixel(x, y) ^ 0xFFFFFF : before.GetPixel(x, y);
            EXPECT_EQ(b.GetPixel(x, y), expected) << x << "," << y;
        }
    }
    canvas.DrawFocusRect(Rect(1, 1, 7, 5));
    EXPECT_TRUE(std::equal(b.Pixels().begin(), b.Pixels().end(), before.Pixels().begin()));

    // One pixel high or wide: each pixel is inverted once, so twice still restores.
    canvas.DrawFocusRect(Rect(0, 2, 8, 3));
    EXPECT_EQ(b.GetPixel(0, 2), before.GetPixel(0, 2) ^ 0xFFFFFF);
    canvas.DrawFocusRect(Rect(3, 0, 4, 6));
    canvas.DrawFocusRect(Rect(0, 2, 8, 3));
    canvas.DrawFocusRect(Rect(3, 0, 4, 6));
    EXPECT_TRUE(std::equal(b.Pixels().begin(), b.Pixels().end(), before.Pixels().begin()));
}

TEST(CanvasBitmaps, DrawLeavesOutTheTransparentColourLowerLeftByDefault)
{
    TBitmap glyph = FromPicture({ "#gr", "gbg" }); // lower-left pixel green
    Sheet s(5, 3);
    s.canvas.Draw(1, 1, glyph);
    EXPECT_EQ(s.Picture(), (TPicture { ".....", ".#gr.", ".gbg." }));

    Sheet t(5, 3);
    glyph.SetTransparent(true);
    t.canvas.Draw(1, 1, glyph);
    EXPECT_EQ(t.Picture(), (TPicture { ".....", ".#.r.", "..b.." }));
    glyph.SetTransparentColor(clRed); // fixed
    t.canvas.Draw(1, 0, glyph);
    EXPECT_EQ(t.Picture(), (TPicture { ".#g..", ".gbg.", "..b.." }));
}

TEST(CanvasBitmaps, StretchDrawTakesTheNearestPixel)
{
    // A one-pixel band becomes a uniform strip.
    const TBitmap band = FromPicture({ "r", "g", "b" });
    Sheet s(7, 4);
    s.canvas.StretchDraw(Rect(1, 0, 6, 3), band);
    EXPECT_EQ(s.Picture(), (TPicture { ".rrrrr.", ".ggggg.", ".bbbbb.", "......." }));

    const TBitmap square = FromPicture({ "rg", "b#" });
    Sheet twice(5, 4);
    twice.canvas.StretchDraw(Rect(0, 0, 4, 4), square);
    EXPECT_EQ(twice.Picture(), (TPicture { "rrgg.", "rrgg.", "bb##.", "bb##." }));
    twice.canvas.StretchDraw(Rect(0, 0, 2, 2), square); // same size: pixel for pixel
    EXPECT_EQ(twice.Picture()[0], "rggg.");
    EXPECT_EQ(twice.Picture()[1], "b#gg.");

    Sheet half(3, 2); // 4 to 2: the pixels under the centres, columns 1 and 3
    half.canvas.StretchDraw(Rect(0, 0, 2, 1), FromPicture({ "rgb#" }));
    EXPECT_EQ(half.Picture()[0], "g#.");

    TBitmap keyed = FromPicture({ "rg", "gb" });
    keyed.SetTransparent(true); // green, the lower-left colour, is left out
    Sheet k(4, 4);
    k.canvas.StretchDraw(Rect(0, 0, 4, 4), keyed);
    EXPECT_EQ(k.Picture(), (TPicture { "rr..", "rr..", "..bb", "..bb" }));
}

TEST(CanvasBitmaps, CopyRectBetweenCanvasesWithOrigins)
{
    TBitmap source = Numbered(8, 8);
    source.Canvas().Handle()->SetViewportOrg({ -2, -2 });
    TBitmap dest(6, 6);
    TCanvas& canvas = dest.Canvas();
    canvas.Handle()->SetViewportOrg({ 1, 1 });
    canvas.CopyRect(Rect(0, 0, 2, 2), source.Canvas(), Rect(4, 3, 6, 5)); // device (2, 1) of the source
    EXPECT_EQ(dest.GetPixel(1, 1), 1 * 256 + 2);
    EXPECT_EQ(dest.GetPixel(2, 2), 2 * 256 + 3);
    EXPECT_EQ(dest.GetPixel(3, 3), clWhite);

    canvas.CopyRect(Rect(0, 2, 4, 4), source.Canvas(), Rect(2, 2, 4, 3)); // 2 x 1 scaled to 4 x 2
    EXPECT_EQ(dest.GetPixel(1, 3), 0);
    EXPECT_EQ(dest.GetPixel(2, 4), 0);
    EXPECT_EQ(dest.GetPixel(3, 3), 1);
    EXPECT_EQ(dest.GetPixel(4, 4), 1);
}

TEST(CanvasBitmaps, DrawingABitmapOntoItselfUsesItsPixelsAsTheyWere)
{
    TBitmap b = Numbered(6, 6);
    const TBitmap before = b;
    b.Canvas().Draw(1, 1, b);
    for (int y = 1; y < 6; ++y)
        for (int x = 1; x < 6; ++x)
            ASSERT_EQ(b.GetPixel(x, y), before.GetPixel(x - 1, y - 1)) << x << "," << y;
    EXPECT_EQ(b.GetPixel(0, 0), before.GetPixel(0, 0));
}
