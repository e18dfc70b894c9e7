#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "host/gfx/Bitmap.h"
#include "host/gfx/PngWriter.h"
#include "host/res/Resources.h"
#include "tests/host/gfx/BmpFiles.h"

namespace {

class BitmapFiles : public testing::Test {
protected:
    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path() / ("moraleaf-bitmap-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Path(const char* name) const { return (dir_ / name).string(); }

private:
    std::filesystem::path dir_;
};

TBitmap Checker()
{
    TBitmap bitmap(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            bitmap.SetPixel(x, y, (x + y) % 2 ? clNavy : clYellow);
    return bitmap;
}

} // namespace

TEST_F(BitmapFiles, SavedFilesLoadBack)
{
    const TBitmap bitmap = Checker();
    bitmap.SaveToFile(Path("a.bmp"), 32);
    TBitmap back;
    back.LoadFromFile(Path("a.bmp"));
    EXPECT_EQ(back.PixelFormat(), TPixelFormat::pf32bit);
    ASSERT_EQ(back.Width(), 4);
    EXPECT_TRUE(std::equal(back.Pixels().begin(), back.Pixels().end(), bitmap.Pixels().begin(), bitmap.Pixels().end()));
}

TEST_F(BitmapFiles, FilesThatCannotBeOpenedNameThemselves)
{
    TBitmap bitmap;
    try {
        bitmap.LoadFromFile(Path("missing.bmp"));
        ADD_FAILURE();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + Path("missing.bmp") + "\". No such file or directory");
    }
    try {
        Checker().SaveToFile(Path("no/such/dir.bmp"));
        ADD_FAILURE();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message().rfind("Cannot create file \"" + Path("no/such/dir.bmp") + "\".", 0), 0u) << e.Message();
    }
    EXPECT_THROW(SavePngFile(Checker(), Path("no/such/dir.png")), EFOpenError);
}

TEST(BitmapLoading, AFailedLoadLeavesTheBitmapAsItWas)
{
    TBitmap bitmap = Checker();
    bitmap.SetPixelFormat(TPixelFormat::pf4bit);
    TBytes broken = BuildBmp({ .width = 2, .height = 2, .bitCount = 8, .offBits = 14 + 40 + 256 * 4 });
    broken.resize(60);
    EXPECT_THROW(bitmap.LoadFromBytes(broken), EReadError);
    EXPECT_THROW(bitmap.LoadFromResourceName("NO_SUCH_BITMAP"), EResNotFound);
    EXPECT_EQ(bitmap.Width(), 4);
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf4bit);
    EXPECT_EQ(bitmap.GetPixel(1, 0), clNavy);
}

TEST(PngWriter, WritesAnRgbImageOfTheBitmapsSize)
{
    const TBytes png = EncodePng(Checker());
    const TBytes signature = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    ASSERT_GT(png.size(), 33u);
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
    // IHDR: width, height (big-endian), depth 8, colour type 2 (RGB).
    EXPECT_EQ(TBytes(png.begin() + 12, png.begin() + 26), (TBytes { 'I', 'H', 'D', 'R', 0, 0, 0, 4, 0, 0, 0, 3, 8, 2 }));
    EXPECT_THROW(EncodePng(TBitmap()), EInvalidGraphic);
}
