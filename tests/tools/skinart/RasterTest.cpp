#include <gtest/gtest.h>

#include "tools/skinart/IconFile.h"
#include "tools/skinart/Painters.h"
#include "tools/skinart/Raster.h"

TEST(Raster, EdgesAreAntialiasedByCoverage)
{
    TRaster r(10, 10);
    // A square from 2 to 7.5: full columns 2..6, column 7 half covered.
    r.Fill(RoundRect(2, 2, 7.5f, 8, 0), Hex(0x000000));
    EXPECT_FLOAT_EQ(r.At(4, 4).A, 1.0f);
    EXPECT_FLOAT_EQ(r.At(1, 4).A, 0.0f);
    EXPECT_NEAR(r.At(7, 4).A, 0.5f, 0.01f);
    EXPECT_FLOAT_EQ(r.At(8, 4).A, 0.0f);
}

TEST(Raster, FlattenKeysUncoveredPixelsAndBlendsEdgesOverTheBackdrop)
{
    TRaster r(3, 1);
    r.At(1, 0) = Hex(0x000000, 0.5f);
    r.At(2, 0) = Hex(0xFF00FF);
    const TBitmap keyed = Flatten(r, Plain(Hex(0xFFFFFF)), clFuchsia);
    EXPECT_EQ(keyed.GetPixel(0, 0), clFuchsia);
    EXPECT_EQ(keyed.GetPixel(1, 0), RGB(128, 128, 128));
    // A drawn pixel of the key colour would vanish; it is moved off the key.
    EXPECT_NE(keyed.GetPixel(2, 0), clFuchsia);
    const TBitmap opaque = Flatten(r, Plain(Hex(0x102030)), std::nullopt);
    EXPECT_EQ(opaque.GetPixel(0, 0), RGB(0x10, 0x20, 0x30));
}

TEST(Raster, GradientsClampBeyondTheirStops)
{
    const TPaint paint = VerticalGradient({ { 2, Hex(0x000000) }, { 4, Hex(0xFFFFFF) } });
    EXPECT_FLOAT_EQ(paint(0, 0).R, 0.0f);
    EXPECT_FLOAT_EQ(paint(0, 3).R, 0.5f);
    EXPECT_FLOAT_EQ(paint(0, 9).R, 1.0f);
}

TEST(Painters, NinePartMiddlesAreMadeSeamless)
{
    TRaster r(5, 7);
    r.Fill(VerticalGradient({ { 0, Hex(0x000000) }, { 7, Hex(0xFFFFFF) } }));
    r.Fill(HorizontalGradient({ { 0, Hex(0xFF0000, 0.5f) }, { 5, Hex(0x0000FF, 0.5f) } }));
    KeepMiddleStretchable(r);
    for (int x = 0; x < 5; ++x)
        EXPECT_FLOAT_EQ(r.At(x, 3).G, r.At(x, 4).G);
    for (int y = 0; y < 7; ++y)
        EXPECT_FLOAT_EQ(r.At(2, y).R, r.At(3, y).R);
}

TEST(Painters, FramesAreJoinedLeftToRight)
{
    const TBitmap strip = DrawFrames(
        3, 2, 1, [](TRaster& r, int i) { r.Fill(Solid(Hex(0x100000u * static_cast<unsigned>(i + 1)))); }, Plain(Hex(0)),
        std::nullopt);
    ASSERT_EQ(strip.Width(), 6);
    EXPECT_EQ(strip.GetPixel(1, 0), RGB(0x10, 0, 0));
    EXPECT_EQ(strip.GetPixel(2, 0), RGB(0x20, 0, 0));
    EXPECT_EQ(strip.GetPixel(5, 0), RGB(0x30, 0, 0));
}

TEST(IconFile, EntriesPointAtBottomUpPicturesWithTheirMasks)
{
    TRaster small(16, 16);
    small.At(0, 0) = Hex(0x336699);
    TRaster large(32, 32);
    const std::vector<std::uint8_t> ico = EncodeIcon({ small, large });
    auto u32 = [&](size_t at) { return ico[at] | ico[at + 1] << 8 | ico[at + 2] << 16 | ico[at + 3] << 24; };
    ASSERT_EQ(ico[4], 2);
    const size_t first = u32(6 + 12);
    EXPECT_EQ(first, 6u + 2 * 16);
    EXPECT_EQ(u32(first + 8), 32u); // twice the height
    // The top-left pixel is the first of the last colour row: B, G, R, A.
    const size_t topLeft = first + 40 + 15 * 16 * 4;
    EXPECT_EQ(ico[topLeft], 0x99);
    EXPECT_EQ(ico[topLeft + 2], 0x33);
    EXPECT_EQ(ico[topLeft + 3], 0xFF);
    // Its mask bit is clear (opaque); its neighbour's is set (transparent).
    const size_t maskTop = first + 40 + 16 * 16 * 4 + 15 * 4;
    EXPECT_EQ(ico[maskTop], 0x7F);
    EXPECT_EQ(u32(6 + 16 + 12), first + u32(6 + 8));
    EXPECT_EQ(ico.size(), u32(6 + 16 + 12) + u32(6 + 16 + 8));
}
