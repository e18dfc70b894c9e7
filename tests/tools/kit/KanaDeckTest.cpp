#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

#include "host/data/ADOConnection.h"
#include "host/data/ADOQuery.h"
#include "host/gfx/KanaPicture.h"
#include "tests/host/data/DataTestSupport.h"
#include "tools/kit/DatabaseListing.h"
#include "tools/kit/DeckDatabase.h"
#include "tools/kit/DeckFolder.h"
#include "tools/kit/KanaDeck.h"

namespace {

// Written out independently of the deck: the romaji and the chart place (column, row; row 10
// is "a", 11 "b") of each kana in id order, the same for both kinds.
const std::vector<std::string> kRomaji = { "a", "i", "u", "e", "o", "ka", "ki", "ku", "ke", "ko", "sa", "shi", "su", "se", "so",
    "ta", "chi", "tsu", "te", "to", "na", "ni", "nu", "ne", "no", "ha", "hi", "fu", "he", "ho", "ma", "mi", "mu", "me", "mo",
    "ya", "yu", "yo", "ra", "ri", "ru", "re", "ro", "wa", "wi", "we", "wo", "n", "(small tsu)" };
const char* const kPlaces = "11 21 31 41 51 12 22 32 42 52 13 23 33 43 53 14 24 34 44 54 15 25 35 45 55 "
                            "16 26 36 46 56 17 27 37 47 57 18 38 58 19 29 39 49 59 1a 2a 4a 5a 1b 3b";

std::string PlaceCode(int x, int y)
{
    return std::to_string(x) + (y < 10 ? std::to_string(y) : std::string(1, static_cast<char>('a' + y - 10)));
}

class KanaDeck : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = new TTempFolder;
        WriteDeckDatabase(Path(), DefaultKanaDeck(), false);
    }
    static void TearDownTestSuite() { delete folder_; }
    static std::string Path() { return folder_->File("db1.mdb"); }

    void SetUp() override
    {
        connection_->SetConnectionString(ProgramConnectionString(Path()));
        query_->SetConnection(connection_);
    }

    void Run(const std::string& sql)
    {
        query_->SQL()->Clear();
        query_->SQL()->Add(sql);
        query_->Open();
    }

    // The chart query's rows, as "id romaji place" words.
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        for (query_->First(); !query_->Eof(); query_->Next())
            rows.push_back(std::to_string(query_->FieldByName("id").AsInteger()) + " "
                + query_->FieldByName("t_pronounce").AsString() + " "
                + PlaceCode(query_->FieldByName("x").AsInteger(), query_->FieldByName("y").AsInteger()));
        return rows;
    }

    static inline TTempFolder* folder_ = nullptr;
    TComponent owner_ { nullptr };
    TADOConnection* connection_ = new TADOConnection(&owner_);
    TADOQuery* query_ = new TADOQuery(&owner_);
};

std::vector<std::string> ExpectedRows(int firstId)
{
    std::istringstream places(kPlaces);
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < kRomaji.size(); ++i) {
        std::string place;
        places >> place;
        rows.push_back(std::to_string(firstId + static_cast<int>(i)) + " " + kRomaji[i] + " " + place);
    }
    return rows;
}

} // namespace

TEST_F(KanaDeck, ChartsHoldEveryKanaInOrder)
{
    Run("select *from moratab where t_type='平假名' order by id");
    EXPECT_EQ(Rows(), ExpectedRows(0));
    Run("select *from moratab where t_type='片假名' order by id");
    EXPECT_EQ(Rows(), ExpectedRows(49));
}

TEST_F(KanaDeck, AnswersTheDrawStatements)
{
    Run("select *from moratab");
    EXPECT_EQ(query_->RecordCount(), 98);
    Run("select *from moratab where t_type='平假名'");
    EXPECT_EQ(query_->RecordCount(), 49);
    Run("select *from moratab where t_type='片假名'");
    EXPECT_EQ(query_->RecordCount(), 49);
    Run("select *from moratab where id=97");
    EXPECT_EQ(query_->FieldByName("t_pronounce").AsString(), "(small tsu)");
    Run("select *from moratab where t_type='片假名'and id=52");
    EXPECT_EQ(query_->FieldByName("t_pronounce").AsString(), "e");
    EXPECT_EQ(query_->FieldByName("t_type").AsString(), "片假名");
    Run("select *from moratab where t_type='平假名'and id=3");
    EXPECT_EQ(query_->FieldByName("t_pronounce").AsString(), "e");
    Run("select *from moratab where t_type='平假名'and id=52");
    EXPECT_TRUE(query_->Eof());
}

TEST_F(KanaDeck, EveryPictureIsAn8BitKanaOn96By96)
{
    for (const char* table : { "moratab", "kana_more" }) {
        Run(std::string("select *from ") + table);
        for (; !query_->Eof(); query_->Next()) {
            const TField& field = query_->FieldByName("t_pic");
            ASSERT_TRUE(field.IsBlob());
            TBitmap picture;
            LoadKanaPicture(field.AsBytes(), picture);
            SCOPED_TRACE(query_->FieldByName("t_kana").AsString());
            ASSERT_EQ(picture.Width(), 96);
            ASSERT_EQ(picture.Height(), 96);
            EXPECT_EQ(picture.PixelFormat(), TPixelFormat::pf8bit);
            // Ink in the middle, white paper along every edge.
            int ink = 0;
            for (int y = 0; y < 96; ++y) {
                for (int x = 0; x < 96; ++x) {
                    const TColor color = picture.GetPixel(x, y);
                    if (x < 8 || y < 8 || x >= 88 || y >= 88) {
                        ASSERT_EQ(color, clWhite) << x << "," << y;
                    }
                    ink += color == clBlack;
                }
            }
            EXPECT_GT(ink, 100);
        }
    }
}

TEST_F(KanaDeck, KanaMoreHoldsTheVoicedHalfVoicedAndContractedKana)
{
    Run("select t_type, t_group, count(*) as n, min(id) as first, max(id) as last from kana_more group by t_type, t_group "
        "order by first");
    std::vector<std::string> groups;
    for (query_->First(); !query_->Eof(); query_->Next())
        groups.push_back(query_->FieldByName("t_type").AsString() + " " + query_->FieldByName("t_group").AsString() + " "
            + query_->FieldByName("n").AsString() + " " + query_->FieldByName("first").AsString() + "-"
            + query_->FieldByName("last").AsString());
    EXPECT_EQ(groups,
        (std::vector<std::string> { "平假名 浊音 20 1000-1019", "平假名 半浊音 5 1020-1024", "平假名 拗音 33 1025-1057",
            "片假名 浊音 20 1058-1077", "片假名 半浊音 5 1078-1082", "片假名 拗音 33 1083-1115" }));

    // Written out on their own: "id kana romaji place" as the chart test reads places.
    const std::vector<std::string> samples = { "1000 が ga 11", "1006 じ ji 22", "1011 ぢ ji 23", "1012 づ zu 33",
        "1019 ぼ bo 54", "1024 ぽ po 51", "1025 きゃ kya 11", "1029 しゅ shu 32", "1031 ちゃ cha 13", "1051 じょ jo 59",
        "1057 ぴょ pyo 5b", "1058 ガ ga 11", "1086 シャ sha 12", "1115 ピョ pyo 5b" };
    for (const std::string& sample : samples) {
        Run("select * from kana_more where id=" + sample.substr(0, 4));
        EXPECT_EQ(std::to_string(query_->FieldByName("id").AsInteger()) + " " + query_->FieldByName("t_kana").AsString() + " "
                + query_->FieldByName("t_pronounce").AsString() + " "
                + PlaceCode(query_->FieldByName("x").AsInteger(), query_->FieldByName("y").AsInteger()),
            sample);
    }
    Run("select * from moratab where id in (0, 11, 48, 49, 97) order by id");
    std::vector<std::string> basic;
    for (; !query_->Eof(); query_->Next())
        basic.push_back(query_->FieldByName("t_kana").AsString());
    EXPECT_EQ(basic, (std::vector<std::string> { "あ", "し", "っ", "ア", "ッ" }));
    Run("select * from moratab where t_kana is null or t_kana = ''");
    EXPECT_TRUE(query_->Eof());
}

TEST_F(KanaDeck, ReadingLeavesTheFileAsItWas)
{
    struct stat before { };
    ASSERT_EQ(::stat(Path().c_str(), &before), 0);
    const std::uint64_t checksum = Fnv1a(ReadBytes(Path()));

    Run("select *from moratab where t_type='片假名' order by id");
    Run("select *from moratab where t_type='平假名'and id=7");
    std::ostringstream listing;
    DumpDatabase(Path(), listing);
    QueryDatabase(Path(), "select count(*) from moratab", listing);
    EXPECT_EQ(DatabaseErrorOf([&] { Run("delete from moratab"); }), "not authorized");
    TTempFolder exported;
    ExportDeck(Path(), exported.File("deck"));

    struct stat after { };
    ASSERT_EQ(::stat(Path().c_str(), &after), 0);
    EXPECT_EQ(Fnv1a(ReadBytes(Path())), checksum);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_->Path()), {}), 1);
}

TEST_F(KanaDeck, ReplacesAFileOnlyWhenAsked)
{
    const std::string path = folder_->File("other.mdb");
    WriteBytes(path, { 'k', 'e', 'e', 'p' });
    EXPECT_THROW(WriteDeckDatabase(path, DefaultKanaDeck(), false), Exception);
    EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t> { 'k', 'e', 'e', 'p' }));

    WriteDeckDatabase(path, DefaultKanaDeck(), true);
    EXPECT_EQ(ReadBytes(path), ReadBytes(Path()));
    std::filesystem::remove(path);
    // No temporary file stays behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_->Path()), {}), 1);
}
