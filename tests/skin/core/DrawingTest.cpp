// Nine-part and three-part drawing pixel for pixel, and the small drawing helpers.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "host/win/SystemInfo.h"
#include "skin/core/SUIPublic.h"
#include "tests/skin/core/SkinTestSupport.h"

namespace {

constexpr TColor kBackground = RGB(1, 2, 0xC0);

// A target rectangle and, for each of its pixels, the source pixel expected there.
struct TPiece {
    TRect Target;
    std::function<TPoint(int x, int y)> Source;
};

// What the canvas should show after the pieces are drawn in order over the background.
TBitmap Expected(int width, int height, const std::vector<TPiece>& pieces)
{
    TBitmap b = FilledBitmap(width, height, kBackground);
    for (const TPiece& piece : pieces)
        for (int y = std::max(0, piece.Target.Top); y < std::min(height, piece.Target.Bottom); ++y)
            for (int x = std::max(0, piece.Target.Left); x < std::min(width, piece.Target.Right); ++x) {
                const TPoint s = piece.Source(x, y);
                b.SetPixel(x, y, CoordinateColor(s.X, s.Y));
            }
    return b;
}

void ExpectSamePixels(const TBitmap& actual, const TBitmap& expected)
{
    ASSERT_EQ(actual.Width(), expected.Width());
    ASSERT_EQ(actual.Height(), expected.Height());
    int wrong = 0;
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x)
            if (actual.GetPixel(x, y) != expected.GetPixel(x, y) && ++wrong <= 5)
                ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << actual.GetPixel(x, y) << " not "
                              << expected.GetPixel(x, y);
    EXPECT_EQ(wrong, 0);
}

} // namespace

// A 74 x 21 face frame into 80 x 27: corners at pixel size, the middle row and column stretched,
// and the overlaps the band rectangles give (the bottom band drawn last, one column left of
// the top-left corner's edge and one row above the bottom-left corner).
TEST(DrawNineGrid, WorkedExample)
{
    const TBitmap face = CoordinateBitmap(74, 21);
    TBitmap canvas = FilledBitmap(80, 27, kBackground);
    DrawNineGrid(face, canvas.Canvas(), Rect(0, 0, 80, 27), true);

    ExpectSamePixels(canvas,
        Expected(80, 27,
            {
                { Rect(0, 0, 37, 10), [](int x, int y) { return Point(x, y); } },
                { Rect(0, 18, 37, 27), [](int x, int y) { return Point(x, y - 18 + 12); } },
                { Rect(0, 10, 37, 18), [](int x, int) { return Point(x, 10); } },
                { Rect(44, 0, 80, 10), [](int x, int y) { return Point(x - 44 + 38, y); } },
                { Rect(44, 18, 80, 27), [](int x, int y) { return Point(x - 44 + 38, y - 18 + 12); } },
                { Rect(44, 10, 80, 18), [](int x, int) { return Point(x - 44 + 38, 11); } },
                { Rect(37, 0, 44, 10), [](int, int y) { return Point(37, y); } },
                { Rect(37, 10, 44, 17), [](int, int) { return Point(37, 10); } },
                { Rect(36, 17, 44, 27), [](int, int y) { return Point(37, y - 17 + 11); } },
            }));
}

// An 84 x 23 frame into 20 x 10: corners are cut to the room they have, never scaled, keeping
// their outer corner; the bands are cut across to their targets the same way.
TEST(DrawNineGrid, SmallTargetCutsTheCorners)
{
    const TBitmap face = CoordinateBitmap(84, 23);
    TBitmap canvas = FilledBitmap(20, 10, kBackground);
    DrawNineGrid(face, canvas.Canvas(), Rect(0, 0, 20, 10), true);

    ExpectSamePixels(canvas,
        Expected(20, 10,
            {
                { Rect(0, 0, 10, 5), [](int x, int y) { return Point(x, y); } },
                { Rect(0, 6, 10, 10), [](int x, int y) { return Point(x, y - 6 + 19); } },
                { Rect(0, 5, 10, 6), [](int x, int) { return Point(x, 11); } },
                { Rect(11, 0, 20, 5), [](int x, int y) { return Point(x - 11 + 75, y); } },
                { Rect(11, 6, 20, 10), [](int x, int y) { return Point(x - 11 + 75, y - 6 + 19); } },
                { Rect(11, 5, 20, 6), [](int x, int) { return Point(x - 11 + 75, 12); } },
                { Rect(10, 0, 11, 5), [](int, int y) { return Point(42, y); } },
                { Rect(9, 5, 11, 10), [](int, int y) { return Point(42, y - 5 + 18); } },
            }));
}

// Into 1 x 1 no corner fits; the empty corner rectangles leave only the bottom band, which
// reaches one column left of the target.
TEST(DrawNineGrid, OnePixelTargetDrawsOnlyTheBottomBand)
{
    const TBitmap face = CoordinateBitmap(74, 21);
    TBitmap canvas = FilledBitmap(3, 3, kBackground);
    DrawNineGrid(face, canvas.Canvas(), Rect(0, 0, 1, 1), true);
    ExpectSamePixels(canvas, Expected(3, 3, { { Rect(0, 0, 1, 1), [](int, int) { return Point(37, 20); } } }));

    // An empty image draws nothing at all.
    TBitmap untouched = FilledBitmap(3, 3, kBackground);
    DrawNineGrid(TBitmap(), untouched.Canvas(), Rect(0, 0, 3, 3), true);
    ExpectSamePixels(untouched, Expected(3, 3, {}));
}

// Only the corners follow Transparent; the bands always see through fuchsia.
TEST(DrawNineGrid, TransparentSwitchesOnlyTheCorners)
{
    TBitmap face = CoordinateBitmap(74, 21);
    face.SetPixel(0, 0, clFuchsia); // top-left corner
    face.SetPixel(0, 10, clFuchsia); // the left band's row
    for (bool transparent : { false, true }) {
        SCOPED_TRACE(transparent);
        TBitmap canvas = FilledBitmap(80, 27, kBackground);
        DrawNineGrid(face, canvas.Canvas(), Rect(0, 0, 80, 27), transparent);
        EXPECT_EQ(canvas.GetPixel(0, 0), transparent ? kBackground : clFuchsia);
        EXPECT_EQ(canvas.GetPixel(1, 0), CoordinateColor(1, 0));
        for (int y = 10; y < 18; ++y)
            EXPECT_EQ(canvas.GetPixel(0, y), kBackground);
        EXPECT_EQ(canvas.GetPixel(1, 12), CoordinateColor(1, 10));
    }
}

TEST(DrawNineGrid, HonoursTheCanvasOrigin)
{
    const TBitmap face = CoordinateBitmap(74, 21);
    TBitmap canvas = FilledBitmap(90, 30, kBackground);
    SetViewportOrgEx(canvas.Canvas().Handle(), 5, 2, nullptr);
    DrawNineGrid(face, canvas.Canvas(), Rect(0, 0, 80, 27), true);
    EXPECT_EQ(canvas.GetPixel(4, 1), kBackground);
    EXPECT_EQ(canvas.GetPixel(5, 2), CoordinateColor(0, 0));
    EXPECT_EQ(canvas.GetPixel(84, 28), CoordinateColor(73, 20));
}

// An 18 x 17 image of three 6-pixel columns into (10, 0, 50, 17): caps at their size at R's
// ends, the middle column stretched opaque between them.
TEST(DrawThreePart, CapsAtTheEndsMiddleStretched)
{
    TBitmap image = CoordinateBitmap(18, 17);
    TBitmap canvas = FilledBitmap(60, 17, kBackground);
    DrawThreePart(image, canvas.Canvas(), Rect(10, 0, 50, 17), false);

    for (int y = 0; y < 17; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(canvas.GetPixel(10 + x, y), CoordinateColor(x, y));
            EXPECT_EQ(canvas.GetPixel(44 + x, y), CoordinateColor(12 + x, y));
        }
        EXPECT_EQ(canvas.GetPixel(9, y), kBackground);
        EXPECT_EQ(canvas.GetPixel(50, y), kBackground);
        // The middle's 6 columns spread over 28, in order, each at least once.
        int column = 6;
        for (int x = 16; x < 44; ++x) {
            const TColor c = canvas.GetPixel(x, y);
            if (c != CoordinateColor(column, y))
                ++column;
            ASSERT_EQ(c, CoordinateColor(column, y)) << x << "," << y;
        }
        EXPECT_EQ(column, 11);
    }
}

TEST(DrawThreePart, KeyIsFuchsiaOrTheTopLeftPixel)
{
    TBitmap image = CoordinateBitmap(18, 17);
    const TColor corner = image.GetPixel(0, 0);
    image.SetPixel(1, 1, clFuchsia);
    image.SetPixel(13, 5, corner); // right cap
    image.SetPixel(8, 5, corner); // middle
    image.SetPixel(8, 6, clFuchsia);

    TBitmap canvas = FilledBitmap(18, 17, kBackground);
    DrawThreePart(image, canvas.Canvas(), Rect(0, 0, 18, 17), true);
    EXPECT_EQ(canvas.GetPixel(0, 0), kBackground);
    EXPECT_EQ(canvas.GetPixel(13, 5), kBackground);
    EXPECT_EQ(canvas.GetPixel(1, 1), clFuchsia);
    EXPECT_EQ(canvas.GetPixel(8, 5), clWhite); // the middle is opaque: its keyed pixels are blank
    EXPECT_EQ(canvas.GetPixel(8, 6), clFuchsia);

    canvas = FilledBitmap(18, 17, kBackground);
    DrawThreePart(image, canvas.Canvas(), Rect(0, 0, 18, 17), false);
    EXPECT_EQ(canvas.GetPixel(0, 0), corner);
    EXPECT_EQ(canvas.GetPixel(1, 1), kBackground);
    EXPECT_EQ(canvas.GetPixel(8, 6), clWhite);
    EXPECT_EQ(canvas.GetPixel(8, 5), corner);

    // Narrower than three columns: nothing to draw.
    TBitmap untouched = FilledBitmap(4, 4, kBackground);
    DrawThreePart(CoordinateBitmap(2, 4), untouched.Canvas(), Rect(0, 0, 4, 4), false);
    EXPECT_EQ(untouched.GetPixel(0, 0), kBackground);
}

TEST(SkinHelpers, PointInRectCountsAllEdges)
{
    EXPECT_TRUE(PointInRect(Point(10, 5), Rect(0, 0, 10, 5)));
    EXPECT_TRUE(PointInRect(Point(0, 0), Rect(0, 0, 10, 5)));
    EXPECT_FALSE(PointInRect(Point(11, 5), Rect(0, 0, 10, 5)));
    EXPECT_FALSE(PointInRect(Point(10, 6), Rect(0, 0, 10, 5)));
    EXPECT_FALSE(CoordInRect(-1, 0, Rect(0, 0, 10, 5)));
}

TEST(SkinHelpers, MenuSeparatorLine)
{
    TBitmap canvas = FilledBitmap(100, 8, clWhite);
    DrawMenuSeparatorLine(canvas.Canvas(), Rect(0, 0, 100, 8), clRed, 20);
    EXPECT_EQ(canvas.GetPixel(23, 2), clWhite);
    for (int x = 24; x <= 97; ++x)
        ASSERT_EQ(canvas.GetPixel(x, 2), clRed) << x;
    EXPECT_EQ(canvas.GetPixel(98, 2), clWhite);
    EXPECT_EQ(canvas.GetPixel(50, 1), clWhite);
    EXPECT_EQ(canvas.GetPixel(50, 3), clWhite);
}

TEST(SkinHelpers, RectColorsPaintEvenWithAHollowBrush)
{
    TBitmap canvas = FilledBitmap(6, 6, clWhite);
    canvas.Canvas().Brush().Style = TBrushStyle::bsClear;
    FrameRectColor(canvas.Canvas(), Rect(0, 0, 6, 6), clRed);
    EXPECT_EQ(canvas.GetPixel(0, 5), clRed);
    EXPECT_EQ(canvas.GetPixel(1, 1), clWhite);
    FillRectColor(canvas.Canvas(), Rect(1, 1, 5, 5), clBlue);
    EXPECT_EQ(canvas.GetPixel(4, 4), clBlue);
    EXPECT_EQ(canvas.GetPixel(5, 5), clRed);
    EXPECT_EQ(canvas.Canvas().Brush().Color, clBlue);
}

// The strips keep the top rows of their bitmaps and stretch them across.
TEST(SkinHelpers, MacMenuStripsKeepTheirTopRows)
{
    TBitmap bar;
    bar.LoadFromResourceName("MACOS_MENU_BAR");
    TBitmap select;
    select.LoadFromResourceName("MACOS_MENU_SELECT");

    TBitmap canvas = FilledBitmap(7, 24, kBackground);
    DrawMacMenuBar(canvas.Canvas(), Rect(0, 0, 7, 20));
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(canvas.GetPixel(6, y), bar.GetPixel(0, y)) << y;
    EXPECT_EQ(canvas.GetPixel(0, 20), kBackground);

    DrawMacMenuBarThin(canvas.Canvas(), Rect(0, 0, 7, 24));
    EXPECT_EQ(canvas.GetPixel(3, 0), bar.GetPixel(0, 0));
    EXPECT_EQ(canvas.GetPixel(3, 23), bar.GetPixel(0, 11));

    DrawMacMenuSelection(canvas.Canvas(), Rect(0, 0, 7, 20));
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(canvas.GetPixel(2, y), select.GetPixel(0, y)) << y;
}

TEST(SkinHelpers, MenuSystemFont)
{
    TFont font;
    font.SetName("Courier");
    SetMenuSystemFont(font);
    NONCLIENTMETRICS metrics;
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0));
    EXPECT_EQ(font.Name(), metrics.lfMenuFont.lfFaceName);
    EXPECT_EQ(font.Height(), metrics.lfMenuFont.lfHeight);
    EXPECT_EQ(font.Color(), clMenuText);
    EXPECT_FALSE(font.Style().Has(TFontStyle::fsBold));
}
