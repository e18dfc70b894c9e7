// Drawing on surfaces of a scale above 1: shapes cover the same logical pixels as at scale 1,
// text is rasterised at the finer size, and pictures made for 1x are resampled smoothly.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "host/gfx/Canvas.h"
#include "host/gfx/PixelCopy.h"

namespace {

// Each logical pixel of a 1x bitmap as a block of a bitmap at `scale`.
TBitmap Enlarged(const TBitmap& b, int scale)
{
    TBitmap out(b.Width(), b.Height(), scale);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            out.SetPixel(x, y, b.GetPixel(x, y));
    return out;
}

bool SamePixels(const TBitmap& a, const TBitmap& b)
{
    return a.PixelWidth() == b.PixelWidth() && a.PixelHeight() == b.PixelHeight()
        && std::equal(a.Pixels().begin(), a.Pixels().end(), b.Pixels().begin());
}

// The device pixels that are not white, as a rectangle.
TRect DeviceInk(const TBitmap& b)
{
    TRect r { INT_MAX, INT_MAX, INT_MIN, INT_MIN };
    for (int y = 0; y < b.PixelHeight(); ++y)
        for (int x = 0; x < b.PixelWidth(); ++x)
            if ((b.ScanLine(y)[x] & 0xFFFFFF) != 0xFFFFFF)
                r = { std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1) };
    return r;
}

TBitmap DeviceCrop(const TBitmap& b, const TRect& r)
{
    TBitmap out(r.Width(), r.Height());
    for (int y = 0; y < r.Height(); ++y)
        std::copy_n(b.ScanLine(r.Top + y) + r.Left, r.Width(), out.ScanLine(y));
    return out;
}

TColor DevicePixel(const TBitmap& b, int x, int y)
{
    return PixelToColor(b.ScanLine(y)[x]);
}

} // namespace

TEST(ScaledBitmap, SizesAreLogicalAndEachLogicalPixelIsABlock)
{
    TBitmap b(5, 3, 2);
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(b.Height(), 3);
    EXPECT_EQ(b.PixelWidth(), 10);
    EXPECT_EQ(b.PixelHeight(), 6);
    b.SetPixel(4, 2, clRed);
    EXPECT_EQ(b.GetPixel(4, 2), clRed);
    for (const TPoint p : { TPoint { 8, 4 }, TPoint { 9, 4 }, TPoint { 8, 5 }, TPoint { 9, 5 } })
        EXPECT_EQ(DevicePixel(b, p.X, p.Y), clRed) << p.X << ", " << p.Y;
    EXPECT_EQ(DevicePixel(b, 7, 5), clWhite);
    EXPECT_EQ(b.TransparentColor(), clWhite) << "the lower-left device pixel";

    b.SetSize(6, 4);
    EXPECT_EQ(b.GetPixel(4, 2), clRed) << "resizing keeps the pixels";
    EXPECT_EQ(b.PixelWidth(), 12);
    b.SetScale(3);
    EXPECT_EQ(b.Width(), 6);
    EXPECT_EQ(b.PixelHeight(), 12);
    EXPECT_EQ(CreateCompatibleBitmap(&b.DeviceContext(), 7, 2).Scale(), 3);
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 7, 2).Scale(), 1);
}

TEST(ScaledRegion, ScaleEnlargesEveryRectangleAndKeepsTheRegionValid)
{
    const TRegion two = TRegion(Rect(0, 0, 2, 1)).Union(TRegion(Rect(3, 0, 4, 1))).Union(TRegion(Rect(1, 1, 3, 3)));
    EXPECT_EQ(two.Scale(3), TRegion(Rect(0, 0, 6, 3)).Union(TRegion(Rect(9, 0, 12, 3))).Union(TRegion(Rect(3, 3, 9, 9))));
    EXPECT_EQ(two.Scale(1), two);
    // Past the int range the rectangles are cut to it, and those cut to nothing are dropped.
    const TRegion far
        = TRegion(Rect(INT_MAX / 4 - 1, 0, INT_MAX / 4 + 5, 1)).Union(TRegion(Rect(INT_MAX / 4 + 6, 0, INT_MAX / 4 + 8, 1)));
    EXPECT_EQ(far.Scale(4), TRegion(Rect((INT_MAX / 4 - 1) * 4, 0, INT_MAX, 4)));
}

// Every shape at scale 2 covers exactly the blocks of the pixels it covers at scale 1: lines
// and frames are twice as thick, fills and clips land on the same logical pixels.
TEST(ScaledCanvas, ShapesCoverTheBlocksOfTheirPixelsAtScaleOne)
{
    TBitmap pattern(3, 2);
    pattern.SetPixel(1, 0, clBlue);
    pattern.SetPixel(2, 1, clLime);
    struct TCase {
        const char* What;
        std::function<void(TCanvas&)> Draw;
    };
    const TCase cases[] = {
        { "FillRect", [](TCanvas& c) { c.FillRect(Rect(2, 3, 9, 7)); } },
        { "FrameRect", [](TCanvas& c) { c.FrameRect(Rect(1, 1, 12, 9)); } },
        { "Rectangle", [](TCanvas& c) { c.Rectangle(2, 2, 14, 10); } },
        { "wide Rectangle",
            [](TCanvas& c) {
                c.Pen().Width = 3;
                c.Rectangle(3, 3, 14, 11);
            } },
        { "dotted Rectangle",
            [](TCanvas& c) {
                c.Pen().Style = TPenStyle::psDot;
                c.Rectangle(1, 2, 15, 11);
            } },
        { "lines",
            [](TCanvas& c) {
                c.MoveTo(1, 1);
                c.LineTo(15, 6);
                c.LineTo(15, 1);
                c.LineTo(2, 1);
                c.Pen().Width = 2;
                c.LineTo(5, 11);
            } },
        { "Polyline",
            [](TCanvas& c) {
                const TPoint points[] = { { 0, 11 }, { 8, 0 }, { 16, 11 } };
                c.Pen().Style = TPenStyle::psDash;
                c.Polyline(points);
            } },
        { "RoundRect and Ellipse",
            [](TCanvas& c) {
                c.RoundRect(1, 1, 9, 8, 5, 4);
                c.Ellipse(8, 3, 16, 12);
            } },
        { "SetPixel", [](TCanvas& c) { c.SetPixel(7, 4, clBlue); } },
        { "DrawFocusRect", [](TCanvas& c) { c.DrawFocusRect(Rect(1, 2, 14, 10)); } },
        { "hatched brush",
            [](TCanvas& c) {
                c.Brush().Style = TBrushStyle::bsDiagCross;
                c.FillRect(Rect(0, 0, 16, 12));
            } },
        { "pattern brush",
            [&](TCanvas& c) {
                c.Brush().Bitmap = &pattern;
                c.FillRect(Rect(1, 1, 15, 10));
            } },
        { "FillRegion", [](TCanvas& c) { c.FillRegion(TRegion(Rect(1, 1, 4, 4)).Union(TRegion(Rect(6, 2, 9, 9)))); } },
        { "origin and clip",
            [](TCanvas& c) {
                SetViewportOrgEx(c.Handle(), 3, -2, nullptr);
                IntersectClipRect(c.Handle(), 1, 4, 9, 11);
                ExcludeClipRect(c.Handle(), 4, 6, 6, 8);
                c.Rectangle(0, 0, 12, 14);
            } },
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TBitmap one(16, 12);
        TBitmap two(16, 12, 2);
        for (TBitmap* b : { &one, &two }) {
            TCanvas canvas(&b->DeviceContext());
            canvas.Pen().Color = clBlack;
            canvas.Brush().Color = clRed;
            c.Draw(canvas);
        }
        EXPECT_TRUE(SamePixels(two, Enlarged(one, 2)));
    }
}

TEST(ScaledCanvas, TextIsRasterisedAtTheScaledSizeAndMeasuredAtTheLogicalOne)
{
    TBitmap one(40, 20);
    TBitmap two(40, 20, 2);
    for (TBitmap* b : { &one, &two }) {
        b->Canvas().Font().SetHeight(-11);
        b->Canvas().Brush().Style = TBrushStyle::bsClear;
        b->Canvas().TextOut(3, 2, "W");
    }
    EXPECT_EQ(two.Canvas().TextWidth("W"), one.Canvas().TextWidth("W"));
    EXPECT_EQ(two.Canvas().TextHeight("W"), one.Canvas().TextHeight("W"));

    // The same glyph drawn at a 22-pixel em on a 1x surface has the very same ink.
    TBitmap reference(80, 40);
    reference.Canvas().Font().SetHeight(-22);
    reference.Canvas().Brush().Style = TBrushStyle::bsClear;
    reference.Canvas().TextOut(6, 4, "W");
    const TRect ink = DeviceInk(two);
    const TRect expected = DeviceInk(reference);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_EQ(ink.Left, expected.Left);
    EXPECT_LE(std::abs(ink.Top - expected.Top), 1) << "the baseline is the logical one, doubled";
    EXPECT_TRUE(SamePixels(DeviceCrop(two, ink), DeviceCrop(reference, expected)));
    EXPECT_FALSE(SamePixels(two, Enlarged(one, 2))) << "not the 1x text blown up";
}

TEST(ScaledCanvas, PicturesOfAnotherScaleAreBlendedWithinTheirSourceRectangle)
{
    // Black | white | red, one pixel each, on a 1x picture.
    TBitmap strip(3, 1);
    strip.SetPixel(0, 0, clBlack);
    strip.SetPixel(1, 0, clWhite);
    strip.SetPixel(2, 0, clRed);
    const TColor grey = RGB(0x40, 0x40, 0x40); // a quarter of the way from black to white
    struct TCase {
        const char* What;
        std::function<void(TCanvas&)> Draw;
        std::vector<TColor> Row; // device row 0 from x = 0
    };
    const TCase cases[] = {
        { "Draw blends neighbours, edges stay their own colour", [&](TCanvas& c) { c.Draw(0, 0, strip); },
            { clBlack, grey, RGB(0xBF, 0xBF, 0xBF), RGB(0xFF, 0xBF, 0xBF), RGB(0xFF, 0x40, 0x40), clRed } },
        { "a piece never takes in its neighbours",
            [&](TCanvas& c) {
                TBitmap& surface = c.Handle()->Surface();
                CopyPixels(surface.DeviceContext(), Rect(0, 0, 2, 2), strip, Rect(1, 0, 2, 1));
            },
            { clWhite, clWhite, clBlue, clBlue, clBlue, clBlue } },
        { "the transparent colour is left out and not blended in",
            [&](TCanvas& c) {
                TBitmap keyed(strip);
                keyed.SetTransparentColor(clWhite);
                keyed.SetTransparent(true);
                c.Draw(0, 0, keyed);
            },
            { clBlack, clBlack, clBlue, clBlue, clRed, clRed } },
        { "a picture of the surface's scale is copied as it is",
            [&](TCanvas& c) {
                TBitmap fine(3, 1, 2);
                fine.Canvas().Draw(0, 0, strip);
                BitBlt(c.Handle(), 0, 0, 3, 1, &fine.DeviceContext(), 0, 0, SRCCOPY);
            },
            { clBlack, grey, RGB(0xBF, 0xBF, 0xBF), RGB(0xFF, 0xBF, 0xBF), RGB(0xFF, 0x40, 0x40), clRed } },
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TBitmap two(3, 1, 2);
        two.Canvas().Brush().Color = clBlue;
        two.Canvas().FillRect(Rect(0, 0, 3, 1));
        c.Draw(two.Canvas());
        for (std::size_t x = 0; x < c.Row.size(); ++x) {
            EXPECT_EQ(DevicePixel(two, static_cast<int>(x), 0), c.Row[x]) << "x = " << x;
            EXPECT_EQ(DevicePixel(two, static_cast<int>(x), 1), c.Row[x]) << "x = " << x;
        }
    }
}
