#include <gtest/gtest.h>

#include <climits>

#include "host/gfx/Bitmap.h"
#include "host/gfx/DeviceContext.h"
#include "tests/host/gfx/Pictures.h"

namespace {

// A bitmap whose pixel (x, y) holds the colour y * 256 + x, so every copied pixel says where
// it came from.
TBitmap Numbered(int width, int height)
{
    TBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, y * 256 + x);
    return b;
}

TBitmap Filled(int width, int height, TColor color)
{
    TBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, color);
    return b;
}

} // namespace

TEST(DeviceContext, ClipIsInDevicePixelsAndCutToTheSurface)
{
    TBitmap surface(20, 10);
    TDeviceContext& dc = surface.DeviceContext();
    EXPECT_FALSE(dc.HasClip());
    EXPECT_EQ(dc.ClipRegion(), TRegion(Rect(0, 0, 20, 10)));

    dc.SetViewportOrg({ 5, 3 });
    dc.IntersectClip(Rect(-10, -10, 4, 4)); // logical: device (-5, -7)-(9, 7)
    EXPECT_EQ(dc.ClipRegion(), TRegion(Rect(0, 0, 9, 7)));
    dc.ExcludeClip(Rect(0, 0, 2, 2)); // device (5, 3)-(7, 5)
    EXPECT_FALSE(dc.ClipRegion().Contains(5, 3));
    EXPECT_TRUE(dc.ClipRegion().Contains(4, 3));
    EXPECT_TRUE(dc.IsVisible(8, 6));
    EXPECT_FALSE(dc.IsVisible(9, 6));

    dc.SelectClip(std::nullopt);
    dc.ExcludeClip(Rect(-5, -3, 5, 7)); // without a clip: the surface minus device (0, 0)-(10, 10)
    EXPECT_EQ(dc.ClipRegion(), TRegion(Rect(10, 0, 20, 10)));
    dc.IntersectClip(Rect(100, 100, 90, 90)); // inverted: nothing stays visible
    EXPECT_TRUE(dc.ClipRegion().IsEmpty());
}

TEST(DeviceContext, SaveAndRestoreLevels)
{
    TBitmap surface(20, 10);
    HDC dc = &surface.DeviceContext();
    EXPECT_EQ(SaveDC(dc), 1); // plain
    SetViewportOrgEx(dc, 1, 1, nullptr);
    EXPECT_EQ(SaveDC(dc), 2); // origin (1, 1)
    IntersectClipRect(dc, 0, 0, 5, 5);
    EXPECT_EQ(SaveDC(dc), 3); // origin (1, 1), clip
    SetViewportOrgEx(dc, 7, 7, nullptr);

    EXPECT_TRUE(RestoreDC(dc, -1)); // the newest: level 3
    EXPECT_EQ(dc->ViewportOrg(), Point(1, 1));
    EXPECT_EQ(dc->ClipRegion(), TRegion(Rect(1, 1, 6, 6)));
    EXPECT_FALSE(RestoreDC(dc, 3)); // gone with the restore
    EXPECT_FALSE(RestoreDC(dc, -3));
    EXPECT_FALSE(RestoreDC(dc, 0));
    EXPECT_TRUE(RestoreDC(dc, -2)); // two back from level 2: level 1, the plain state
    EXPECT_EQ(dc->ViewportOrg(), Point(0, 0));
    EXPECT_FALSE(dc->HasClip());
    EXPECT_FALSE(RestoreDC(dc, 1));
    EXPECT_EQ(SaveDC(dc), 1);
}

TEST(DeviceContext, HostCallsReportWhatTheyDid)
{
    TBitmap surface(20, 10);
    HDC dc = &surface.DeviceContext();
    TPoint old;
    EXPECT_TRUE(SetViewportOrgEx(dc, 4, 5, &old));
    EXPECT_EQ(old, Point(0, 0));
    EXPECT_TRUE(OffsetViewportOrgEx(dc, -6, 1, &old));
    EXPECT_EQ(old, Point(4, 5));
    TPoint now;
    EXPECT_TRUE(GetViewportOrgEx(dc, &now));
    EXPECT_EQ(now, Point(-2, 6));
    EXPECT_TRUE(OffsetViewportOrgEx(dc, INT_MAX, INT_MIN, nullptr)); // held, not overflowed
    EXPECT_TRUE(SetViewportOrgEx(dc, 0, 0, nullptr));

    EXPECT_EQ(IntersectClipRect(dc, 0, 0, 10, 10), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(dc, 2, 2, 4, 4), COMPLEXREGION);
    EXPECT_EQ(IntersectClipRect(dc, 2, 2, 4, 4), NULLREGION);

    EXPECT_FALSE(SetViewportOrgEx(nullptr, 0, 0, nullptr));
    EXPECT_FALSE(GetViewportOrgEx(dc, nullptr));
    EXPECT_EQ(IntersectClipRect(nullptr, 0, 0, 1, 1), RGN_ERROR);
    EXPECT_EQ(SaveDC(nullptr), 0);
    EXPECT_FALSE(RestoreDC(nullptr, -1));
}

TEST(DeviceContext, BitBltHonoursBothOriginsAndTheDestinationClip)
{
    TBitmap source = Numbered(10, 10);
    TBitmap dest = Filled(10, 10, clWhite);
    HDC s = &source.DeviceContext();
    HDC d = &dest.DeviceContext();
    SetViewportOrgEx(s, 1, 2, nullptr);
    SetViewportOrgEx(d, 3, 0, nullptr);
    IntersectClipRect(d, 0, 0, 3, 10); // device columns 3..5
    s->SelectClip(TRegion(Rect(0, 0, 1, 1))); // the source's clip plays no part

    ASSERT_TRUE(BitBlt(d, 0, 1, 4, 2, s, 2, 3, SRCCOPY));
    // Logical (2, 3) of the source is device (3, 5); the 4 x 2 block lands at device (3, 1),
    // cut to columns 3..5.
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool copied = x >= 3 && x < 6 && y >= 1 && y < 3;
            EXPECT_EQ(dest.GetPixel(x, y), copied ? (y + 4) * 256 + x : clWhite) << x << "," << y;
        }
    }
    EXPECT_FALSE(BitBlt(d, 0, 0, 4, 4, s, 0, 0, 0x00EE0086)); // only SRCCOPY
    EXPECT_FALSE(BitBlt(d, 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
}

TEST(DeviceContext, BitBltLeavesPixelsWhoseSourceIsOffTheSurface)
{
    TBitmap source = Numbered(4, 4);
    TBitmap dest = Filled(8, 8, clWhite);
    ASSERT_TRUE(BitBlt(&dest.DeviceContext(), 0, 0, 8, 8, &source.DeviceContext(), -2, -1, SRCCOPY));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 6 && y >= 1 && y < 5;
            EXPECT_EQ(dest.GetPixel(x, y), inside ? (y - 1) * 256 + (x - 2) : clWhite) << x << "," << y;
        }
    }
    // Off both surfaces, absurd sizes and corners: nothing happens, nothing breaks.
    EXPECT_TRUE(BitBlt(&dest.DeviceContext(), INT_MAX, INT_MIN, INT_MAX, INT_MAX, &source.DeviceContext(), INT_MIN, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(&dest.DeviceContext(), -5, -5, INT_MAX, INT_MAX, &source.DeviceContext(), INT_MAX, INT_MAX, SRCCOPY));
    EXPECT_TRUE(BitBlt(&dest.DeviceContext(), 0, 0, -3, 4, &source.DeviceContext(), 0, 0, SRCCOPY));
    EXPECT_EQ(dest.GetPixel(2, 1), 0);
}

TEST(DeviceContext, OverlappingBitBltOnOneSurfaceCopiesThePixelsAsTheyWere)
{
    for (const TPoint shift : { Point(1, 1), Point(-1, -1), Point(2, 0), Point(0, -2) }) {
        TBitmap b = Numbered(8, 8);
        const TBitmap before = b;
        HDC dc = &b.DeviceContext();
        ASSERT_TRUE(BitBlt(dc, 2 + shift.X, 2 + shift.Y, 4, 4, dc, 2, 2, SRCCOPY));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                ASSERT_EQ(b.GetPixel(2 + shift.X + x, 2 + shift.Y + y), before.GetPixel(2 + x, 2 + y))
                    << shift.X << "," << shift.Y << " at " << x << "," << y;
    }
}
