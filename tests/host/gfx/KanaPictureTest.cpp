#include <gtest/gtest.h>

#include "host/gfx/KanaPicture.h"
#include "tests/host/gfx/BmpFiles.h"

namespace {

// An OS/2 core-header picture of 2 x 1 pixels: red, blue.
TBytes CoreBmp()
{
    TBmpFile f { .headerSize = 12, .width = 2, .height = 1, .bitCount = 1, .palette = { 0xFF0000, 0x0000FF } };
    f.pixels = Rows({ { 0b01000000 } });
    return BuildBmp(f);
}

TBytes WithHeader(const TBytes& image, std::uint32_t size, std::uint16_t count = 1, std::uint16_t type = 0x0100)
{
    TBytes blob;
    Put16(blob, count);
    Put16(blob, type);
    Put32(blob, size);
    blob.insert(blob.end(), image.begin(), image.end());
    return blob;
}

TBitmap Loaded(const TBytes& blob)
{
    TBitmap picture(3, 3);
    LoadKanaPicture(blob, picture);
    return picture;
}

template <typename E> std::string ErrorOf(const TBytes& blob)
{
    try {
        Loaded(blob);
    } catch (const E& e) {
        return e.Message();
    }
    return "no error";
}

} // namespace

TEST(KanaPicture, BitmapWithOrWithoutGraphicHeaderLoads)
{
    const TBytes image = CoreBmp();
    for (const TBytes& blob : { image, WithHeader(image, static_cast<std::uint32_t>(image.size())) }) {
        const TBitmap picture = Loaded(blob);
        EXPECT_EQ(picture.Width(), 2);
        EXPECT_EQ(picture.Height(), 1);
        EXPECT_EQ(picture.PixelFormat(), TPixelFormat::pf1bit);
        EXPECT_EQ(picture.GetPixel(0, 0), clRed);
        EXPECT_EQ(picture.GetPixel(1, 0), clBlue);
    }
}

TEST(KanaPicture, AHeaderThatDoesNotMatchInEveryFieldIsBitmapData)
{
    const TBytes image = CoreBmp();
    const auto size = static_cast<std::uint32_t>(image.size());
    for (const TBytes& blob : { WithHeader(image, size - 1), WithHeader(image, size + 1), WithHeader(image, size, 2),
             WithHeader(image, size, 1, 0x0101) })
        EXPECT_EQ(ErrorOf<EInvalidGraphic>(blob), "Bitmap image is not valid");
}

TEST(KanaPicture, NothingToDecodeGivesAnEmptyPicture)
{
    for (const TBytes& blob : { TBytes {}, WithHeader({}, 0) }) {
        const TBitmap picture = Loaded(blob);
        EXPECT_TRUE(picture.Empty());
        EXPECT_EQ(picture.Width(), 0);
        EXPECT_EQ(picture.Height(), 0);
    }
}

TEST(KanaPicture, BlobsTooShortForAFileHeaderAreReadErrors)
{
    const TBytes image = CoreBmp();
    for (std::size_t n = 1; n < 14; ++n)
        EXPECT_EQ(ErrorOf<EReadError>(TBytes(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(n))), "Stream read error")
            << n;
    // After a header, too, the bitmap needs its whole file header.
    EXPECT_EQ(ErrorOf<EReadError>(WithHeader({ 'B', 'M', 0, 0 }, 4)), "Stream read error");
}

TEST(KanaPicture, AFailedDecodeLeavesThePictureEmpty)
{
    TBitmap picture(3, 3);
    EXPECT_THROW(LoadKanaPicture(TBytes(20, 'x'), picture), EInvalidGraphic);
    EXPECT_TRUE(picture.Empty());
}

TEST(KanaPicture, BlobsOfPicturesLoadBack)
{
    TBitmap picture(3, 2);
    picture.SetPixel(1, 1, clLime);
    const TBytes blob = KanaPictureBlob(picture);
    EXPECT_EQ(blob.size(), 8 + 14 + 40 + 2 * 4 + 2 * 4u);
    const TBitmap back = Loaded(blob);
    EXPECT_EQ(back.PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_EQ(back.GetPixel(1, 1), clLime);
    EXPECT_EQ(back.GetPixel(2, 0), clWhite);

    EXPECT_EQ(KanaPictureBlob(TBitmap()), WithHeader({}, 0));
}
