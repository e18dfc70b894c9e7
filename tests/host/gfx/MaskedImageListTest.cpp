#include <gtest/gtest.h>

#include "host/gfx/Canvas.h"
#include "host/gfx/MaskedImageList.h"
#include "tests/host/gfx/Pictures.h"

namespace {

const std::vector<std::pair<TColor, char>> kLegend = { { clWhite, '.' }, { clBlack, '#' }, { clRed, 'r' }, { clBlue, 'b' },
    { clLime, 'g' }, { clYellow, 'y' }, { clGray, 's' } };

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

TPicture PictureOf(const TBitmap& b)
{
    return PictureOf(b, Rect(0, 0, b.Width(), b.Height()), kLegend);
}

TBitmap Yellow(int width, int height)
{
    TBitmap b(width, height);
    b.Canvas().Brush().Color = clYellow;
    b.Canvas().FillRect(Rect(0, 0, width, height));
    return b;
}

} // namespace

TEST(MaskedImageList, AddCutsAWideBitmapIntoImagesOfTheListsWidth)
{
    TMaskedImageList list(3, 2);
    EXPECT_EQ(list.AddMasked(FromPicture({ "#gg.rgbbb.", "ggrg#gb#b." }), clLime), 0); // 10 wide: 3 images
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Add(FromPicture({ "rrrr", "bbbb" })), 3);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Add(FromPicture({ "rr", "bb" })), -1); // narrower than one image
    EXPECT_EQ(list.Count(), 4);

    TBitmap target = Yellow(5, 4);
    TCanvas& canvas = target.Canvas();
    list.Draw(canvas, 1, 1, 1, true); // ".rg" / "g#g": the lime pixels are left out
    list.Draw(canvas, 0, 0, 7); // out of range: nothing
    list.Draw(canvas, 0, 0, -1);
    EXPECT_EQ(PictureOf(target), (TPicture { "yyyyy", "y.ryy", "yy#yy", "yyyyy" }));
    list.Draw(canvas, 2, 2, 3); // added without a mask: every pixel
    EXPECT_EQ(PictureOf(target), (TPicture { "yyyyy", "y.ryy", "yyrrr", "yybbb" }));
}

TEST(MaskedImageList, BitmapsOfAnotherHeightAreCutOrLeaveTheirRowsEmpty)
{
    TMaskedImageList list(2, 2);
    list.AddMasked(FromPicture({ "rb", "gr", "##" }), clLime); // third row cut off
    list.AddMasked(FromPicture({ "bb" }), clLime); // second row masked
    list.Add(FromPicture({ "rr" })); // second row white
    TBitmap target = Yellow(6, 3);
    TCanvas& canvas = target.Canvas();
    for (int i = 0; i < 3; ++i)
        list.Draw(canvas, 2 * i, 0, i);
    EXPECT_EQ(PictureOf(target), (TPicture { "rbbbrr", "yryy..", "yyyyyy" }));
    EXPECT_THROW(TMaskedImageList(0, 5), Exception);
}

TEST(MaskedImageList, DisabledDrawsTheEmbossedShadowAndHighlightOfTheDarkPixels)
{
    // Dark pixels (black, red, blue) are ink; white is paper; lime is masked.
    TMaskedImageList list(3, 2);
    list.AddMasked(FromPicture({ "#.g", "r.b" }), clLime);
    TBitmap target = Yellow(6, 5);
    list.Draw(target.Canvas(), 1, 1, 0, false);
    EXPECT_EQ(PictureOf(target),
        (TPicture {
            "yyyyyy",
            "ysyyyy",
            "ys.syy",
            "yy.y.y",
            "yyyyyy",
        }));
}
