#include <gtest/gtest.h>

#include <sstream>

#include "host/gfx/KanaPicture.h"
#include "tests/host/data/DataTestSupport.h"
#include "tools/kit/DatabaseListing.h"
#include "tools/kit/DeckDatabase.h"
#include "tools/kit/DeckFolder.h"
#include "tools/kit/KanaDeck.h"

namespace {

std::string Dump(const std::string& path)
{
    std::ostringstream out;
    DumpDatabase(path, out);
    return out.str();
}

std::string ErrorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "";
}

void WriteText(const std::string& path, const std::string& text)
{
    WriteBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

class DeckFolder : public ::testing::Test {
protected:
    std::vector<TDeckRow> Import() { return ReadDeckFolder(Deck()); }
    std::string Deck() const { return folder_.File("deck"); }
    std::string Table() const { return folder_.File("deck/moratab.tsv"); }

    TTempFolder folder_;
};

// Rows of both tables with nulls, text that needs escaping and a picture without its graphic
// header.
std::vector<TDeckRow> AwkwardRows()
{
    TBitmap dot(1, 1);
    const std::vector<std::uint8_t> bare = dot.SaveToBytes(24);
    std::vector<TDeckRow> rows(4);
    rows[0] = { 5, "平假名", 2, 200, KanaPictureBlob(bare), "tab\there\\back\nline", "か\\な", std::nullopt };
    rows[1] = { 7, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt };
    rows[2] = { 9, "片假名", 1, 1, KanaPictureBlob(std::span<const std::uint8_t>()), "", "", std::nullopt };
    rows[3] = { 1000, "平假名", std::nullopt, 3, KanaPictureBlob(bare), "ga", "が", "浊\r音", TDeckTable::KanaMore };
    return rows;
}

} // namespace

TEST_F(DeckFolder, ExportThenImportGivesTheSameDatabase)
{
    const std::string original = folder_.File("db1.mdb");
    const std::string copy = folder_.File("copy.mdb");
    WriteDeckDatabase(original, DefaultKanaDeck(), false);
    EXPECT_EQ(ExportDeck(original, Deck()), 98 + 116);
    EXPECT_TRUE(std::filesystem::exists(folder_.File("deck/kana_more.tsv")));
    EXPECT_TRUE(std::filesystem::exists(folder_.File("deck/1115.bmp")));
    WriteDeckDatabase(copy, Import(), false);
    EXPECT_NE(Dump(copy).find("\nkana_more\nid\tt_type\tx\ty\tt_pic\tt_pronounce\tt_kana\tt_group\n1000\t"), std::string::npos);
    EXPECT_EQ(Dump(copy), Dump(original));
    EXPECT_EQ(ReadBytes(copy), ReadBytes(original));
}

TEST_F(DeckFolder, AFolderOfTheBasicChartAloneStillImports)
{
    std::filesystem::create_directory(Deck());
    WriteText(Table(), "id\tt_type\tx\ty\tt_pronounce\n0\t平假名\t1\t1\ta\n49\t片假名\t1\t1\ta\n");
    TBitmap dot(1, 1);
    WriteBytes(folder_.File("deck/49.bmp"), dot.SaveToBytes(8));
    const std::vector<TDeckRow> rows = Import();
    ASSERT_EQ(rows.size(), 2u);
    for (const TDeckRow& row : rows) {
        EXPECT_EQ(row.Table, TDeckTable::MoraTab);
        EXPECT_EQ(row.Kana, std::nullopt);
    }
    EXPECT_EQ(rows[0].Picture, std::nullopt);
    EXPECT_NE(rows[1].Picture, std::nullopt);
    const std::string file = folder_.File("db1.mdb");
    WriteDeckDatabase(file, rows, false);
    EXPECT_EQ(Dump(file).substr(0, Dump(file).find("49")),
        "moratab\nid\tt_type\tx\ty\tt_pic\tt_pronounce\tt_kana\n0\t平假名\t1\t1\t\ta\t\n");
    EXPECT_EQ(Dump(file).find("kana_more"), std::string::npos);
}

TEST_F(DeckFolder, IdsNameOneRowAcrossBothTables)
{
    const std::string file = folder_.File("db1.mdb");
    std::vector<TDeckRow> rows = AwkwardRows();
    rows[1].Table = TDeckTable::KanaMore;
    rows[1].Id = 5;
    WriteDeckDatabase(file, rows, false);
    EXPECT_EQ(ErrorOf([&] { ExportDeck(file, Deck()); }), "The id 5 appears twice in moratab and kana_more");
    EXPECT_FALSE(std::filesystem::exists(Deck()));
    // A table without a key, as an Access deck may be.
    const std::string keyless = folder_.File("keyless.mdb");
    ExecuteWriting(keyless, "CREATE TABLE moratab(id INTEGER, t_pic BLOB); INSERT INTO moratab VALUES(3, NULL), (3, NULL)");
    EXPECT_EQ(ErrorOf([&] { ExportDeck(keyless, Deck()); }), "The id 3 appears twice in moratab");
    EXPECT_FALSE(std::filesystem::exists(Deck()));

    std::filesystem::create_directory(Deck());
    WriteText(Table(), "id\tt_type\tx\ty\tt_pronounce\tt_kana\n5\t平假名\t1\t1\ta\tあ\n");
    WriteText(
        folder_.File("deck/kana_more.tsv"), "id\tt_type\tx\ty\tt_pronounce\tt_kana\tt_group\n5\t平假名\t1\t1\tga\tが\t浊音\n");
    EXPECT_EQ(ErrorOf([&] { Import(); }), folder_.File("deck/kana_more.tsv") + ": id 5 is also an id of moratab.tsv");
}

TEST_F(DeckFolder, KeepsNullsAndOddTextThroughTheFolder)
{
    const std::string original = folder_.File("odd.mdb");
    const std::string copy = folder_.File("copy.mdb");
    WriteDeckDatabase(original, AwkwardRows(), false);
    ExportDeck(original, Deck());
    EXPECT_FALSE(std::filesystem::exists(folder_.File("deck/7.bmp")));
    WriteDeckDatabase(copy, Import(), false);
    // An empty text comes back as null, which the program reads the same way.
    std::string expected = Dump(original);
    EXPECT_NE(expected.find("\t1\t1\t8 bytes 0x0 crc32=94e8f647\t\t\n"), std::string::npos) << expected;
    EXPECT_NE(expected.find("\tga\tが\t浊\\r音\n"), std::string::npos) << expected;
    EXPECT_EQ(Dump(copy), expected);
}

TEST_F(DeckFolder, ImportNamesTheFirstBadPicture)
{
    WriteDeckDatabase(folder_.File("db1.mdb"), DefaultKanaDeck(), false);
    ExportDeck(folder_.File("db1.mdb"), Deck());
    WriteText(folder_.File("deck/40.bmp"), "BMnot a bitmap at all, only text");
    WriteText(folder_.File("deck/6.bmp"), "GIF89a, not a Windows bitmap");
    WriteText(folder_.File("deck/3.bmp"), "BM");
    EXPECT_EQ(ErrorOf([&] { Import(); }), folder_.File("deck/3.bmp") + ": Stream read error");
    std::filesystem::remove(folder_.File("deck/3.bmp"));
    EXPECT_EQ(ErrorOf([&] { Import(); }), folder_.File("deck/6.bmp") + ": Bitmap image is not valid");
}

TEST_F(DeckFolder, ImportRefusesAMalformedTable)
{
    std::filesystem::create_directory(Deck());
    const std::string header = "t_pronounce\tid\tx\ty\tt_type\n";
    const std::pair<std::string, std::string> cases[] = {
        { header + "a\t0\t1\t1\t平假名\na\t0\t2\t1\t平假名\n", ":3: id 0 appears twice" },
        { header + "a\t0\t201\t1\t平假名\n", ":2: x 201 lies outside 1 to 200" },
        { header + "a\t0\t1\t0\t平假名\n", ":2: y 0 lies outside 1 to 200" },
        { header + "a\tone\t1\t1\t平假名\n", ":2: id 'one' is not a whole number" },
        { header + "a\t\t1\t1\t平假名\n", ":2: the id is empty" },
        { header + "a\t0\t1\t1\n", ":2: expected 5 fields, found 4" },
        { "id\tt_type\tx\ty\tt_pronounce\tt_sound\n", ":1: unknown column 't_sound'" },
        { "id\tt_type\tx\ty\n", ":1: the column 't_pronounce' is missing" },
        { header.substr(0, header.size() - 1) + "\tt_group\n", ":1: unknown column 't_group'" },
        { header.substr(0, header.size() - 1) + "\tt_kana\tT_KANA\n", ":1: column 'T_KANA' appears twice" },
    };
    for (const auto& [table, error] : cases) {
        WriteText(Table(), table);
        EXPECT_EQ(ErrorOf([&] { Import(); }), Table() + error);
    }
    WriteText(Table(), header);
    const std::string more = folder_.File("deck/kana_more.tsv");
    const std::pair<std::string, std::string> moreCases[] = {
        { header, ":1: the column 't_group' is missing" },
        { "t_group\t" + header + "浊音\tga\t1000\t1\t0\t平假名\n", ":2: y 0 lies outside 1 to 200" },
        { "t_group\t" + header + "浊音\tga\t1000\t1\t1\n", ":2: expected 6 fields, found 5" },
    };
    for (const auto& [table, error] : moreCases) {
        WriteText(more, table);
        EXPECT_EQ(ErrorOf([&] { Import(); }), more + error);
    }
    std::filesystem::remove(more);
    WriteText(Table(), header + "\r\nwo\t46\t5\t10\t\\u5e73\r\n\n");
    const std::vector<TDeckRow> rows = Import();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Pronounce, "wo");
    EXPECT_EQ(rows[0].Type, "\\u5e73");
}

TEST_F(DeckFolder, ExportNeedsAnEmptyFolder)
{
    WriteDeckDatabase(folder_.File("db1.mdb"), AwkwardRows(), false);
    std::filesystem::create_directory(Deck());
    WriteText(Table(), "keep");
    EXPECT_EQ(ErrorOf([&] { ExportDeck(folder_.File("db1.mdb"), Deck()); }), "Folder \"" + Deck() + "\" is not empty");
    EXPECT_EQ(ReadBytes(Table()), (std::vector<std::uint8_t> { 'k', 'e', 'e', 'p' }));
}
