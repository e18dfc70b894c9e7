#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <memory>
#include <tuple>

#include "host/gfx/BmpCodec.h"
#include "tests/host/gfx/BmpFiles.h"

namespace {

using TPixels = TPixelBuffer;

const TPixels kPalette = { 0x101010, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF };

TBmpImage Decode(const TBmpFile& f)
{
    return DecodeBmp(BuildBmp(f));
}

template <typename E> void ExpectError(const TBytes& file, const char* text)
{
    try {
        DecodeBmp(file);
        ADD_FAILURE() << "no error, expected: " << text;
    } catch (const E& e) {
        EXPECT_EQ(e.Message(), text);
    }
}

void ExpectInvalid(const TBytes& file)
{
    ExpectError<EInvalidGraphic>(file, "Bitmap image is not valid");
}

void ExpectShortRead(const TBytes& file)
{
    ExpectError<EReadError>(file, "Stream read error");
}

// A 24-bit picture whose pixel (x, y), y counted in file order, is R 0x80, G y, B x.
TBmpFile Gradient24(int width, int height)
{
    TBmpFile f { .width = width, .height = height, .bitCount = 24 };
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    for (int y = 0; y < std::abs(height); ++y) {
        TBytes row;
        for (int x = 0; x < width; ++x)
            row.insert(row.end(), { static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 0x80 });
        row.resize(stride, 0);
        f.pixels.insert(f.pixels.end(), row.begin(), row.end());
    }
    return f;
}

TPixel GradientPixel(int x, int fileRow)
{
    return 0x800000u | static_cast<TPixel>(fileRow) << 8 | static_cast<TPixel>(x);
}

} // namespace

// --- Pixel formats -------------------------------------------------------------------------

TEST(BmpFormats, OneBitRowsCrossByteBoundariesAndRunBottomUp)
{
    TBmpFile f { .width = 10, .height = 2, .bitCount = 1, .palette = { kPalette[0], kPalette[1] } };
    f.pixels = Rows({ { 0b10100000, 0b01000000 }, { 0xFF, 0xC0 } });
    const TBmpImage image = Decode(f);
    const TPixel a = kPalette[0], b = kPalette[1];
    EXPECT_EQ(image.Width, 10);
    EXPECT_EQ(image.Height, 2);
    EXPECT_EQ(image.Format, TPixelFormat::pf1bit);
    EXPECT_EQ(image.Pixels, (TPixels { b, b, b, b, b, b, b, b, b, b, b, a, b, a, a, a, a, a, a, b }));
}

TEST(BmpFormats, FourBitTakesTheHighNibbleFirst)
{
    TBmpFile f { .width = 3, .height = 1, .bitCount = 4, .colorsUsed = 4, .palette = { kPalette.begin(), kPalette.begin() + 4 } };
    f.pixels = Rows({ { 0x12, 0x30 } });
    const TBmpImage image = Decode(f);
    EXPECT_EQ(image.Format, TPixelFormat::pf4bit);
    EXPECT_EQ(image.Pixels, (TPixels { kPalette[1], kPalette[2], kPalette[3] }));
}

TEST(BmpFormats, EightBitIndexesBeyondAShortTableAreBlack)
{
    TBmpFile f { .width = 3, .height = 1, .bitCount = 8, .colorsUsed = 2, .palette = { kPalette[0], kPalette[1] } };
    f.pixels = Rows({ { 0, 1, 5 } });
    const TBmpImage image = Decode(f);
    EXPECT_EQ(image.Format, TPixelFormat::pf8bit);
    EXPECT_EQ(image.Pixels, (TPixels { kPalette[0], kPalette[1], 0 }));
}

TEST(BmpFormats, TableEntriesBeyondTheDepthAreReadPast)
{
    TBmpFile f { .width = 2, .height = 1, .bitCount = 8, .colorsUsed = 300 };
    for (TPixel i = 0; i < 300; ++i)
        f.palette.push_back(i * 0x010101u);
    f.pixels = Rows({ { 1, 255 } });
    f.offBits = 0; // the pixels must then follow the whole table
    EXPECT_EQ(Decode(f).Pixels, (TPixels { 0x010101, 0xFFFFFF }));
}

TEST(BmpFormats, SixteenBitDefaultsTo555AndScalesToFullRange)
{
    TBmpFile f { .width = 2, .height = 1, .bitCount = 16 };
    f.pixels = Rows({ { 0x00, 0x7C, 0x10, 0x02 } });
    const TBmpImage image = Decode(f);
    EXPECT_EQ(image.Format, TPixelFormat::pf15bit);
    EXPECT_EQ(image.Pixels, (TPixels { 0xFF0000, 0x008484 }));
}

TEST(BmpFormats, SixteenBitFieldsAfterTheInfoHeader)
{
    TBmpFile f { .width = 4, .height = 1, .bitCount = 16, .compression = 3, .masks = { 0xF800, 0x07E0, 0x001F } };
    f.pixels = Rows({ { 0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x00, 0x04 } });
    const TBmpImage image = Decode(f);
    EXPECT_EQ(image.Format, TPixelFormat::pf16bit);
    EXPECT_EQ(image.Pixels, (TPixels { 0xFF0000, 0x00FF00, 0x0000FF, 0x008200 }));
}

TEST(BmpFormats, TwentyFourBitRowsArePaddedAndFlipped)
{
    // Every width up to a few vector groups, so that each way of finishing a row is taken. The
    // file ends with the last pixel, in a block of its own size: reading past it trips the
    // address sanitizer.
    for (int width = 1; width <= 40; ++width) {
        const TBytes file = BuildBmp(Gradient24(width, 3));
        const std::size_t size = file.size() - static_cast<std::size_t>((4 - width * 3 % 4) % 4);
        const auto exact = std::make_unique<std::uint8_t[]>(size);
        std::copy_n(file.begin(), size, exact.get());
        const TBmpImage image = DecodeBmp({ exact.get(), size });
        EXPECT_EQ(image.Format, TPixelFormat::pf24bit);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(image.Pixels[static_cast<std::size_t>(y * width + x)], GradientPixel(x, 2 - y))
                    << width << ": " << x << ',' << y;
    }
}

TEST(BmpFormats, NegativeHeightIsTopDown)
{
    TBmpFile f = Gradient24(2, -2);
    EXPECT_EQ(Decode(f).Pixels, (TPixels { GradientPixel(0, 0), GradientPixel(1, 0), GradientPixel(0, 1), GradientPixel(1, 1) }));
}

TEST(BmpFormats, ThirtyTwoBitIgnoresTheFourthByte)
{
    TBmpFile f { .width = 1, .height = 1, .bitCount = 32, .pixels = { 0x33, 0x22, 0x11, 0xFF } };
    const TBmpImage image = Decode(f);
    EXPECT_EQ(image.Format, TPixelFormat::pf32bit);
    EXPECT_EQ(image.Pixels, (TPixels { 0x112233 }));
}

TEST(BmpFormats, ThirtyTwoBitFieldsOfAnyWidth)
{
    // 10-bit channels keep their top 8 bits; an empty mask gives 0.
    TBmpFile f { .width = 2, .height = 1, .bitCount = 32, .compression = 3, .masks = { 0x3FF00000, 0x000FFC00, 0x000003FF } };
    Put32(f.pixels, 0x3FF80004);
    Put32(f.pixels, 0x00000000);
    EXPECT_EQ(Decode(f).Pixels, (TPixels { 0xFF8001, 0 }));

    f.masks = { 0x00FF0000, 0, 0x000000FF };
    f.pixels.clear();
    Put32(f.pixels, 0x00123456);
    f.width = 1;
    EXPECT_EQ(Decode(f).Pixels, (TPixels { 0x120056 }));
}

class BmpHeaderSizes : public testing::TestWithParam<std::uint32_t> { };

TEST_P(BmpHeaderSizes, PlainAndBitFieldPixelsDecode)
{
    TBmpFile f = Gradient24(3, 2);
    f.headerSize = GetParam();
    const TBmpImage image = Decode(f);
    EXPECT_EQ(image.Pixels[0], GradientPixel(0, 1));
    EXPECT_EQ(image.Pixels[5], GradientPixel(2, 0));

    if (GetParam() == 64) // OS/2's header has no bit fields
        return;
    TBmpFile fields { .headerSize = GetParam(), .width = 2, .height = 1, .bitCount = 16, .compression = 3 };
    fields.masks = { 0xF800, 0x07E0, 0x001F };
    fields.pixels = Rows({ { 0x00, 0xF8, 0x1F, 0x00 } });
    EXPECT_EQ(Decode(fields).Pixels, (TPixels { 0xFF0000, 0x0000FF }));
}

INSTANTIATE_TEST_SUITE_P(InfoHeaders, BmpHeaderSizes, testing::Values(40u, 52u, 56u, 64u, 108u, 124u, 200u));

TEST(BmpFormats, Os2CoreHeaderWithThreeByteTable)
{
    TBmpFile f { .headerSize = 12, .width = 3, .height = 1, .bitCount = 1, .palette = { kPalette[2], kPalette[3] } };
    f.pixels = Rows({ { 0b01000000 } });
    EXPECT_EQ(Decode(f).Pixels, (TPixels { kPalette[2], kPalette[3], kPalette[2] }));

    const TBmpImage rgb = Decode([] {
        TBmpFile g = Gradient24(2, 1);
        g.headerSize = 12;
        return g;
    }());
    EXPECT_EQ(rgb.Pixels, (TPixels { GradientPixel(0, 0), GradientPixel(1, 0) }));
}

// --- Where the pixels are, and pixels that are missing ---------------------------------------

TEST(BmpPixelData, TheFileHeaderOffsetIsHonoured)
{
    TBmpFile f = Gradient24(1, 1);
    const TBytes pixels = f.pixels;
    f.pixels = { 0xEE, 0xEE, 0xEE, 0xEE };
    f.pixels.insert(f.pixels.end(), pixels.begin(), pixels.end());
    f.offBits = 14 + 40 + 4;
    EXPECT_EQ(Decode(f).Pixels, (TPixels { GradientPixel(0, 0) }));
}

TEST(BmpPixelData, AnOffsetIntoTheHeadersFallsBackToAfterTheTable)
{
    TBmpFile f { .width = 1, .height = 1, .bitCount = 8, .colorsUsed = 2, .palette = { kPalette[0], kPalette[1] } };
    f.pixels = Rows({ { 1 } });
    for (std::uint32_t offset : { 0u, 2u, 20u, 14u + 40u - 1 }) {
        f.offBits = offset;
        EXPECT_EQ(Decode(f).Pixels, (TPixels { kPalette[1] })) << offset;
    }

    // Masks after an information header belong to the headers.
    TBmpFile fields { .width = 1, .height = 1, .bitCount = 16, .compression = 3, .masks = { 0xF800, 0x07E0, 0x001F } };
    fields.pixels = Rows({ { 0x00, 0xF8 } });
    fields.offBits = 14 + 40 + 8;
    EXPECT_EQ(Decode(fields).Pixels, (TPixels { 0xFF0000 }));
}

namespace {

struct TShortTableCase {
    const char* name;
    std::uint32_t headerSize;
    std::uint16_t bitCount;
    std::uint32_t colorsUsed;
    std::size_t entries; // stored before the pixels
    TBytes row;
    TPixels expected;
};

void PrintTo(const TShortTableCase& c, std::ostream* os)
{
    *os << c.name;
}

// A one-row picture whose colour table, as stored, is shorter than the headers imply.
TBytes ShortTableFile(const TShortTableCase& c, std::size_t trailing)
{
    TBmpFile f { .headerSize = c.headerSize,
        .width = static_cast<std::int32_t>(c.expected.size()),
        .height = 1,
        .bitCount = c.bitCount,
        .colorsUsed = c.colorsUsed,
        .palette = { kPalette.begin(), kPalette.begin() + static_cast<std::ptrdiff_t>(c.entries) } };
    f.pixels = Rows({ c.row });
    f.pixels.resize(f.pixels.size() + trailing, 0xEE);
    return BuildBmp(f);
}

} // namespace

class BmpShortTables : public testing::TestWithParam<TShortTableCase> { };

TEST_P(BmpShortTables, PixelsStartAtTheOffsetAndTheTableEndsThere)
{
    // Without trailing bytes a full table would run past the end of the file; with them,
    // pixels read after a full table would come from the wrong place.
    for (std::size_t trailing : { 1024u, 0u }) {
        const TBmpImage image = DecodeBmp(ShortTableFile(GetParam(), trailing));
        EXPECT_EQ(image.Pixels, GetParam().expected) << trailing;
    }
}

// Indexes into entries the offset cuts off give black, as any index beyond the table.
INSTANTIATE_TEST_SUITE_P(HeadersAndDepths, BmpShortTables,
    testing::Values(
        TShortTableCase { "Core8", 12, 8, 0, 4, { 3, 0, 2, 1 }, { kPalette[3], kPalette[0], kPalette[2], kPalette[1] } },
        TShortTableCase { "Core8IndexBeyondTheTable", 12, 8, 0, 3, { 2, 3 }, { kPalette[2], 0 } },
        TShortTableCase { "Core4", 12, 4, 0, 3, { 0x21, 0x03 }, { kPalette[2], kPalette[1], kPalette[0], 0 } },
        TShortTableCase { "Core1", 12, 1, 0, 1, { 0b01000000 }, { kPalette[0], 0 } },
        TShortTableCase { "Info8", 40, 8, 0, 5, { 4, 1 }, { kPalette[4], kPalette[1] } },
        TShortTableCase { "Info8ColorsUsedBeyondTheOffset", 40, 8, 6, 2, { 1, 0, 5 }, { kPalette[1], kPalette[0], 0 } },
        TShortTableCase { "Info4", 40, 4, 0, 2, { 0x10 }, { kPalette[1], kPalette[0] } },
        TShortTableCase { "Os2Info8", 64, 8, 0, 3, { 2, 2, 1 }, { kPalette[2], kPalette[2], kPalette[1] } },
        TShortTableCase { "V5Info8", 124, 8, 0, 2, { 1 }, { kPalette[1] } }),
    [](const testing::TestParamInfo<TShortTableCase>& c) { return std::string(c.param.name); });

TEST(BmpPixelData, AnOffsetPastTheEndLeavesEveryPixelAtTheFill)
{
    TBmpFile f = Gradient24(2, 1);
    f.offBits = 0x7FFFFFFF;
    EXPECT_EQ(Decode(f).Pixels, (TPixels { 0, 0 }));
}

TEST(BmpPixelData, RowsCutShortKeepWholePixelsAndFillTheRest)
{
    // Bottom-up: the file's first row is the picture's last. Half of the second row is there:
    // one whole pixel and one byte of the next.
    TBmpFile f = Gradient24(2, 3);
    f.pixels.resize(8 + 4);
    EXPECT_EQ(Decode(f).Pixels, (TPixels { 0, 0, GradientPixel(0, 1), 0, GradientPixel(0, 0), GradientPixel(1, 0) }));

    TBmpFile indexed { .width = 2, .height = 2, .bitCount = 8, .colorsUsed = 2, .palette = { kPalette[4], kPalette[1] } };
    indexed.pixels = { 1, 1 };
    EXPECT_EQ(Decode(indexed).Pixels, (TPixels { kPalette[4], kPalette[4], kPalette[1], kPalette[1] }));
}

// --- Run-length encoding ----------------------------------------------------------------------

TEST(BmpRle, Rle8RunsAbsoluteRunsLineEndsDeltasAndTheEnd)
{
    TBmpFile f { .width = 6,
        .height = 3,
        .bitCount = 8,
        .compression = 1,
        .colorsUsed = 4,
        .palette = { kPalette.begin(), kPalette.begin() + 4 } };
    f.pixels = { 3, 1, /*absolute*/ 0, 3, 2, 3, 2, 0, /*end of line*/ 0, 0,
        /*delta*/ 0, 2, 2, 1, 2, 3, /*end of bitmap*/ 0, 1, /*never read*/ 6, 1 };
    const TBmpImage image = Decode(f);
    const TPixel _ = kPalette[0], a = kPalette[1], b = kPalette[2], c = kPalette[3];
    EXPECT_EQ(image.Format, TPixelFormat::pf8bit);
    EXPECT_EQ(image.Pixels, (TPixels { _, _, c, c, _, _, /**/ _, _, _, _, _, _, /**/ a, a, a, b, c, b }));
}

TEST(BmpRle, Rle4AlternatesNibblesInRunsAndPadsAbsoluteRuns)
{
    TBmpFile f { .width = 5,
        .height = 2,
        .bitCount = 4,
        .compression = 2,
        .colorsUsed = 5,
        .palette = { kPalette.begin(), kPalette.begin() + 5 } };
    f.pixels = { /*absolute, 3 nibbles*/ 0, 3, 0x31, 0x20, /*run*/ 2, 0x44, 0, 0, 1, 0x20, 0, 1 };
    const TBmpImage image = Decode(f);
    const TPixel _ = kPalette[0];
    EXPECT_EQ(image.Format, TPixelFormat::pf4bit);
    EXPECT_EQ(
        image.Pixels, (TPixels { kPalette[2], _, _, _, _, kPalette[3], kPalette[1], kPalette[2], kPalette[4], kPalette[4] }));

    f.width = 5;
    f.height = 1;
    f.pixels = { 5, 0x12 };
    EXPECT_EQ(Decode(f).Pixels, (TPixels { kPalette[1], kPalette[2], kPalette[1], kPalette[2], kPalette[1] }));
}

TEST(BmpRle, RunsAndDeltasAreClippedAtTheEdges)
{
    TBmpFile f { .width = 4,
        .height = 3,
        .bitCount = 8,
        .compression = 1,
        .colorsUsed = 4,
        .palette = { kPalette.begin(), kPalette.begin() + 4 } };
    f.pixels = { /*a run longer than the row does not wrap*/ 10, 1, 2, 2, 0, 0,
        /*a delta past the right edge*/ 0, 2, 200, 0, 3, 2, 0, 0,
        /*an absolute run longer than the data*/ 0, 6, 3, 3, 3 };
    const TPixel _ = kPalette[0], a = kPalette[1], c = kPalette[3];
    EXPECT_EQ(Decode(f).Pixels, (TPixels { c, c, c, _, _, _, _, _, a, a, a, a }));

    f.pixels = { /*a delta past the top ends the picture*/ 0, 2, 0, 50, 4, 1, /*truncated delta*/ 0, 2, 1 };
    EXPECT_EQ(Decode(f).Pixels, TPixels(12, _));
    f.pixels = { 2, 1, 0, 2, 1 };
    EXPECT_EQ(Decode(f).Pixels, (TPixels { _, _, _, _, _, _, _, _, a, a, _, _ }));
}

TEST(BmpRle, TopDownRunLengthDataIsRefused)
{
    TBmpFile f {
        .width = 2, .height = -2, .bitCount = 8, .compression = 1, .colorsUsed = 1, .palette = { kPalette[0] }, .pixels = { 0, 1 }
    };
    ExpectInvalid(BuildBmp(f));
}

// --- Files this reader refuses ----------------------------------------------------------------

TEST(BmpErrors, DataEndingBeforeTheFileHeaderIsAReadError)
{
    const TBytes file = BuildBmp(Gradient24(1, 1));
    for (std::size_t n = 0; n < 14; ++n)
        ExpectShortRead(TBytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n)));
    ExpectShortRead(TBytes(13, 'X'));
}

TEST(BmpErrors, ASignatureOtherThanBMIsInvalid)
{
    TBytes file = BuildBmp(Gradient24(1, 1));
    file[1] = 'A';
    ExpectInvalid(file);
    ExpectInvalid(TBytes(14, 0));
}

TEST(BmpErrors, DataEndingInsideTheInfoHeaderIsAReadError)
{
    const TBytes file = BuildBmp(Gradient24(1, 1));
    for (std::size_t n : { 14u, 17u, 18u, 30u, 53u })
        ExpectShortRead(TBytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n)));
}

TEST(BmpErrors, UnknownHeaderSizesAreInvalid)
{
    for (std::uint32_t size : { 0u, 11u, 13u, 16u, 39u }) {
        TBytes file = BuildBmp(Gradient24(1, 1));
        Patch32(file, 14, size);
        ExpectInvalid(file);
    }
}

TEST(BmpErrors, PlanesOtherThanOneAreInvalid)
{
    for (std::uint16_t planes : { 0, 2 }) {
        TBmpFile f = Gradient24(1, 1);
        f.planes = planes;
        ExpectInvalid(BuildBmp(f));
    }
}

TEST(BmpErrors, BitDepthsAndCompressionsThisReaderCannotDecode)
{
    const std::tuple<std::uint32_t, std::uint16_t, std::uint32_t> cases[] = {
        { 40, 0, 0 },
        { 40, 2, 0 },
        { 40, 3, 0 },
        { 40, 64, 0 },
        { 12, 2, 0 },
        { 40, 24, 4 } /*JPEG*/,
        { 40, 24, 5 } /*PNG*/,
        { 40, 32, 6 },
        { 40, 8, 11 },
        { 40, 4, 1 } /*RLE8 needs 8 bits*/,
        { 40, 8, 2 } /*RLE4 needs 4 bits*/,
        { 40, 24, 3 },
        { 40, 8, 3 } /*bit fields need 16 or 32*/,
        { 64, 16, 3 } /*OS/2 Huffman*/,
    };
    for (auto [headerSize, bits, compression] : cases) {
        TBmpFile f { .headerSize = headerSize, .width = 1, .height = 1, .bitCount = bits, .compression = compression };
        f.masks = { 0xF800, 0x07E0, 0x001F };
        f.pixels.assign(64, 0);
        SCOPED_TRACE(testing::Message() << headerSize << '/' << bits << '/' << compression);
        ExpectInvalid(BuildBmp(f));
    }
}

TEST(BmpErrors, AColourTableOrMasksCutShortIsAReadError)
{
    // The file ends before the offset, inside the table that lies before it.
    TBmpFile f { .width = 1, .height = 1, .bitCount = 8, .palette = std::vector<TPixel>(10, 0), .offBits = 14 + 40 + 11 * 4 };
    ExpectShortRead(BuildBmp(f));
    f.colorsUsed = 0xFFFFFFFF;
    f.offBits = 0xFFFFFFFF;
    ExpectShortRead(BuildBmp(f));

    TBmpFile trueColour = Gradient24(1, 1);
    trueColour.colorsUsed = 0x40000000;
    trueColour.offBits = 0x7FFFFFFF;
    ExpectShortRead(BuildBmp(trueColour));

    // An offset into the headers asks for the whole table.
    TBmpFile core {
        .headerSize = 12, .width = 1, .height = 1, .bitCount = 4, .palette = std::vector<TPixel>(15, 0), .offBits = 0
    };
    ExpectShortRead(BuildBmp(core));

    TBmpFile fields { .width = 1, .height = 1, .bitCount = 16, .compression = 3, .masks = { 0xF800, 0x07E0 } };
    ExpectShortRead(BuildBmp(fields));
}

class BmpSizeLimits : public testing::TestWithParam<std::pair<std::int32_t, std::int32_t>> { };

TEST_P(BmpSizeLimits, AreRefusedBeforeAnyPixelIsRead)
{
    TBmpFile f { .width = GetParam().first, .height = GetParam().second, .bitCount = 32, .pixels = { 1, 2, 3, 4 } };
    ExpectInvalid(BuildBmp(f));
}

INSTANTIATE_TEST_SUITE_P(OutOfRange, BmpSizeLimits,
    testing::Values(std::pair { -1, 1 }, std::pair { 0, 1 }, std::pair { 1, 0 }, std::pair { INT_MIN, 1 },
        std::pair { 1, INT_MIN }, std::pair { 16385, 1 }, std::pair { 1, 16385 }, std::pair { 1, -16385 },
        std::pair { 16384, 4097 }, std::pair { 8193, -8192 }));

TEST(BmpSizes, TheLargestSidesDecodeFromFewBytes)
{
    TBmpFile wide { .width = 16384, .height = 1, .bitCount = 1, .palette = { kPalette[5], kPalette[1] }, .pixels = { 0x80 } };
    const TBmpImage image = Decode(wide);
    EXPECT_EQ(image.Pixels[0], kPalette[1]);
    EXPECT_EQ(image.Pixels[16383], kPalette[5]);

    TBmpFile tall { .width = 1, .height = -16384, .bitCount = 24, .pixels = { 1, 2, 3, 0 } };
    EXPECT_EQ(Decode(tall).Pixels.back(), 0u);
}

// --- Writing ------------------------------------------------------------------------------------

namespace {

TBitmap Sample(int width, int height, int colours)
{
    TBitmap bitmap(width, height);
    int i = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x, ++i)
            bitmap.ScanLine(y)[x] = static_cast<TPixel>((i % colours) * 0x0107);
    return bitmap;
}

std::uint32_t Field32(const TBytes& file, std::size_t at)
{
    return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | static_cast<std::uint32_t>(file[at + 3]) << 24;
}

} // namespace

class BmpWriter : public testing::TestWithParam<int> { };

TEST_P(BmpWriter, RoundTripsBottomUpWithAnInfoHeader)
{
    const TBitmap bitmap = Sample(5, 3, 7);
    const TBytes file = EncodeBmp(bitmap, GetParam());
    EXPECT_EQ(Field32(file, 2), file.size());
    EXPECT_EQ(Field32(file, 14), 40u);
    EXPECT_EQ(Field32(file, 22), 3u); // positive height: bottom-up
    EXPECT_EQ(file[28], GetParam());

    const TBmpImage image = DecodeBmp(file);
    EXPECT_EQ(image.Width, 5);
    EXPECT_EQ(image.Height, 3);
    EXPECT_EQ(BitsPerPixel(image.Format), GetParam());
    EXPECT_EQ(image.Pixels, TPixels(bitmap.Pixels().begin(), bitmap.Pixels().end()));
}

INSTANTIATE_TEST_SUITE_P(Depths, BmpWriter, testing::Values(8, 24, 32));

TEST(BmpWriterLimits, EightBitFallsBackTo24ForMoreThan256Colours)
{
    EXPECT_EQ(EncodeBmp(Sample(16, 16, 256), 8)[28], 8);
    const TBitmap many = Sample(17, 16, 257);
    const TBytes file = EncodeBmp(many, 8);
    EXPECT_EQ(file[28], 24);
    EXPECT_EQ(DecodeBmp(file).Pixels, TPixels(many.Pixels().begin(), many.Pixels().end()));
}

TEST(BmpWriterLimits, EmptyBitmapsWriteNothingAndOtherDepthsAreRefused)
{
    EXPECT_TRUE(EncodeBmp(TBitmap(), 24).empty());
    EXPECT_THROW(EncodeBmp(Sample(1, 1, 1), 16), Exception);
}
