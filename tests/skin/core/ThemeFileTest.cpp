// Theme files: what the reader takes from a file, what it refuses, and the writer's side.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/core/SUIThemeFile.h"
#include "tests/skin/core/SkinTestSupport.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

// Offsets of the writer's records: one after the other behind the header.
std::size_t RecordAt(int index)
{
    return kThemeHeaderLength + static_cast<std::size_t>(index) * kThemeRecordLength;
}

void Poke32(TBytes& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t Peek32(const TBytes& bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

TBytes ThreeInts()
{
    TsuiThemeFileWriter w;
    w.AddInt("First", 1);
    w.AddInt("Second", 2);
    w.AddInt("Third", 3);
    return w.SaveToBytes();
}

std::string DamageOf(const TBytes& bytes)
{
    try {
        TsuiThemeFileReader reader(bytes, "bad.thm");
    } catch (const EThemeFileError& e) {
        return e.Message();
    }
    return "not refused";
}

std::string Damaged(const std::string& what)
{
    return "Theme file \"bad.thm\" is damaged: " + what;
}

} // namespace

TEST(ThemeFile, WrittenValuesReadBackByNameInAnyCase)
{
    const TBytes face = CoordinateBitmap(6, 3).SaveToBytes();
    TsuiThemeFileWriter w;
    w.AddImage("ButtonImage", face);
    w.AddInt("FormBorderColor", 0x00C82C00);
    w.AddInt("TitleBarButtonRightOffsetInt", -3);
    w.AddBool("ButtonTransparentBool", 1);
    w.AddBool("OddBool", 2);
    w.AddText("Author", "someone");
    TsuiThemeFileReader reader(w.SaveToBytes(), "t.thm");

    EXPECT_EQ(reader.GetInt("formbordercolor"), 0x00C82C00);
    EXPECT_EQ(reader.GetInt("TitleBarButtonRightOffsetInt"), -3);
    EXPECT_TRUE(reader.GetBool("BUTTONTRANSPARENTBOOL"));
    EXPECT_TRUE(reader.GetBool("OddBool"));
    const auto image = reader.GetImage("buttonimage");
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(TBytes(image->begin(), image->end()), face);

    // Absent names, and names of another kind.
    EXPECT_EQ(reader.GetInt("Author"), -1);
    EXPECT_EQ(reader.GetInt("ButtonTransparentBool"), -1);
    EXPECT_FALSE(reader.GetBool("FormBorderColor"));
    EXPECT_FALSE(reader.GetImage("FormBorderColor").has_value());
}

TEST(ThemeFile, FirstValueOfANameWins)
{
    TsuiThemeFileWriter w;
    w.AddInt("FormBorderColor", 1);
    w.AddInt("formbordercolor", 2);
    w.AddImage("ButtonImage", TBytes { 'B', 'M', 1 });
    w.AddImage("ButtonImage", TBytes { 'B', 'M', 2 });
    TsuiThemeFileReader reader(w.SaveToBytes(), "t.thm");
    EXPECT_EQ(reader.GetInt("FormBorderColor"), 1);
    EXPECT_EQ(reader.GetImage("ButtonImage")->back(), 1);
}

TEST(ThemeFile, TheRecordThatEndsTheChainIsNoValue)
{
    TBytes bytes = ThreeInts();
    Poke32(bytes, RecordAt(0) + 73, 0);
    TsuiThemeFileReader reader(bytes, "t.thm");
    EXPECT_EQ(reader.GetInt("First"), -1);
    EXPECT_EQ(reader.GetInt("Second"), -1);
}

TEST(ThemeFile, RecordsOfOtherTypesAreSkipped)
{
    TBytes bytes = ThreeInts();
    bytes[RecordAt(1) + 64] = 5;
    Poke32(bytes, RecordAt(1) + 69, 9999); // never read, so never checked
    TsuiThemeFileReader reader(bytes, "t.thm");
    EXPECT_EQ(reader.GetInt("First"), 1);
    EXPECT_EQ(reader.GetInt("Second"), -1);
    EXPECT_EQ(reader.GetInt("Third"), 3);
}

TEST(ThemeFile, AnImageOfLengthZeroIsTheWholeFile)
{
    TsuiThemeFileWriter w;
    w.AddImage("ButtonImage", CoordinateBitmap(2, 2).SaveToBytes());
    TBytes bytes = w.SaveToBytes();
    Poke32(bytes, RecordAt(0) + 69, 0);
    TsuiThemeFileReader reader(bytes, "t.thm");
    const auto image = reader.GetImage("ButtonImage");
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(TBytes(image->begin(), image->end()), bytes);
    // Which no bitmap loader takes: the file does not begin with "BM".
    TBitmap b;
    EXPECT_THROW(b.LoadFromBytes(*image), Exception);
}

TEST(ThemeFile, ANameMayFillAllSixtyFourBytes)
{
    const std::string longest(kThemeNameLength, 'N');
    TsuiThemeFileWriter w;
    w.AddInt(longest, 7);
    TsuiThemeFileReader reader(w.SaveToBytes(), "t.thm");
    EXPECT_EQ(reader.GetInt(longest), 7);

    EXPECT_THROW(w.AddInt(longest + "N", 1), Exception);
    EXPECT_THROW(w.AddInt(std::string("A\0B", 3), 1), Exception);
    EXPECT_THROW(w.AddImage("Empty", {}), Exception);
}

TEST(ThemeFile, DamagedFilesAreRefusedWithWhatIsWrong)
{
    const TBytes good = ThreeInts();
    auto damaged = [&](auto change) {
        TBytes bytes = good;
        change(bytes);
        return DamageOf(bytes);
    };

    EXPECT_EQ(DamageOf(TBytes(good.begin(), good.begin() + 20)), Damaged("the header is cut short"));
    EXPECT_EQ(damaged([](TBytes& b) { Poke32(b, 12, 16); }), Damaged("the header length is 16, not 24"));
    EXPECT_EQ(
        damaged([](TBytes& b) { Poke32(b, 20, 0x7FFFFFF0); }), Damaged("the record at offset 2147483632 lies outside the file"));
    EXPECT_EQ(damaged([&](TBytes& b) { Poke32(b, RecordAt(2) + 73, static_cast<std::uint32_t>(good.size() - 40)); }),
        Damaged("the record at offset " + std::to_string(good.size() - 40) + " lies outside the file"));
    EXPECT_EQ(damaged([](TBytes& b) { Poke32(b, RecordAt(1) + 65, static_cast<std::uint32_t>(b.size() - 2)); }),
        Damaged("the value of \"Second\" lies outside the file"));
    EXPECT_EQ(damaged([](TBytes& b) { Poke32(b, RecordAt(1) + 65, 0xFFFFFFFF); }),
        Damaged("the value of \"Second\" lies outside the file"));
    EXPECT_EQ(
        damaged([](TBytes& b) { Poke32(b, RecordAt(1) + 69, 3); }), Damaged("the integer \"Second\" is 3 bytes long, not 4"));
    EXPECT_EQ(damaged([](TBytes& b) { b[RecordAt(2) + 64] = suiRecordBoolean; }),
        Damaged("the boolean \"Third\" is 4 bytes long, not 1"));
    EXPECT_EQ(damaged([](TBytes& b) { Poke32(b, RecordAt(2) + 73, static_cast<std::uint32_t>(RecordAt(0))); }),
        Damaged("the record chain comes back to the record at offset 24"));
    EXPECT_EQ(damaged([](TBytes& b) { Poke32(b, RecordAt(0) + 73, static_cast<std::uint32_t>(RecordAt(0) + 40)); }),
        Damaged("the record at offset 64 overlaps the record at offset 24"));
    // A record that points at itself.
    EXPECT_EQ(damaged([](TBytes& b) { Poke32(b, RecordAt(0) + 73, Peek32(b, 20)); }),
        Damaged("the record chain comes back to the record at offset 24"));
}

TEST(ThemeFile, ADamagedFileAddsNothing)
{
    TsuiThemeFileWriter first;
    first.AddInt("Kept", 5);
    TsuiThemeFileReader reader(first.SaveToBytes(), "first.thm");

    TBytes bad = ThreeInts();
    Poke32(bad, RecordAt(2) + 69, 2); // "First" and "Second" come before the damage
    EXPECT_THROW(reader.LoadFromBytes(bad, "bad.thm"), EThemeFileError);
    EXPECT_EQ(reader.GetInt("Kept"), 5);
    EXPECT_EQ(reader.GetInt("First"), -1);

    reader.LoadFromBytes(ThreeInts(), "more.thm");
    EXPECT_EQ(reader.GetInt("First"), 1);
}

TEST(ThemeFile, AFileThatCannotBeOpened)
{
    try {
        TsuiThemeFileReader reader("/nonexistent/skin.thm");
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message().rfind("Cannot open file \"/nonexistent/skin.thm\". ", 0), 0u) << e.Message();
    }
}
