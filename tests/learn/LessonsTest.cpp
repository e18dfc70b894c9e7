#include <gtest/gtest.h>

#include "host/data/drivers/DatabaseFile.h"
#include "learn/DeckTables.h"
#include "learn/Lessons.h"
#include "tests/host/data/DataTestSupport.h"

namespace {

const char* const kBasic = "CREATE TABLE moratab(id INTEGER PRIMARY KEY, t_type TEXT, x INTEGER, y INTEGER, t_pic BLOB, "
                           "t_pronounce TEXT, t_kana TEXT);";
const char* const kMore = "CREATE TABLE kana_more(id INTEGER PRIMARY KEY, t_type TEXT, x INTEGER, y INTEGER, t_pic BLOB, "
                          "t_pronounce TEXT, t_kana TEXT, t_group TEXT);";
// As every deck made for the basic chart alone: no t_kana, no kana_more.
const char* const kOldBasic
    = "CREATE TABLE moratab(id INTEGER PRIMARY KEY, t_type TEXT, x INTEGER, y INTEGER, t_pic BLOB, t_pronounce TEXT);";

// Lessons as lines "SCRIPT NAME: TABLE ID TEXT ROMAJI, ...".
std::string Describe(const std::vector<TLesson>& lessons)
{
    std::string text;
    for (const TLesson& lesson : lessons) {
        text += std::string(ScriptType(lesson.Script)) + " " + lesson.Name + ":";
        for (const TLessonKana& kana : lesson.Kana)
            text += std::string(" ") + kana.Table + " " + std::to_string(kana.Id) + " " + kana.Text + " " + kana.Romaji + ",";
        text += "\n";
    }
    return text;
}

} // namespace

TEST(Lessons, ComeFromTheChartRowsAndTheExtraGroups)
{
    struct TCase {
        const char* Deck;
        const char* Sql;
        const char* Lessons;
    };
    const TCase cases[] = {
        { "whole deck, rows out of order",
            "INSERT INTO moratab VALUES(5, '平假名', 1, 2, NULL, 'ka', 'か');"
            "INSERT INTO moratab VALUES(1, '平假名', 2, 1, NULL, 'i', 'い');"
            "INSERT INTO moratab VALUES(0, '平假名', 1, 1, NULL, 'a', 'あ');"
            "INSERT INTO moratab VALUES(49, '片假名', 1, 1, NULL, 'a', 'ア');"
            "INSERT INTO moratab VALUES(47, '平假名', 1, 11, NULL, 'n', 'ん');"
            "INSERT INTO moratab VALUES(48, '平假名', 3, 11, NULL, '(small tsu)', 'っ');"
            "INSERT INTO kana_more VALUES(1025, '平假名', 1, 1, NULL, 'kya', 'きゃ', '拗音');"
            "INSERT INTO kana_more VALUES(1020, '平假名', 1, 1, NULL, 'pa', 'ぱ', '半浊音');"
            "INSERT INTO kana_more VALUES(1000, '平假名', 1, 1, NULL, 'ga', 'が', '浊音');"
            "INSERT INTO kana_more VALUES(1058, '片假名', 1, 1, NULL, 'ga', 'ガ', '浊音');",
            "平假名 あ行: moratab 0 あ a, moratab 1 い i,\n"
            "平假名 か行: moratab 5 か ka,\n"
            "平假名 ん・っ: moratab 47 ん n, moratab 48 っ (small tsu),\n"
            "平假名 浊音: kana_more 1000 が ga,\n"
            "平假名 半浊音: kana_more 1020 ぱ pa,\n"
            "平假名 拗音: kana_more 1025 きゃ kya,\n"
            "片假名 あ行: moratab 49 ア a,\n"
            "片假名 浊音: kana_more 1058 ガ ga,\n" },
        { "no kana_more",
            "INSERT INTO moratab VALUES(0, '平假名', 1, 1, NULL, 'a', 'あ');"
            "INSERT INTO moratab VALUES(49, '片假名', 1, 1, NULL, 'a', 'ア');",
            "平假名 あ行: moratab 0 あ a,\n"
            "片假名 あ行: moratab 49 ア a,\n" },
        { "kana text missing or empty",
            "INSERT INTO moratab VALUES(0, '平假名', 1, 1, NULL, 'a', NULL);"
            "INSERT INTO moratab VALUES(60, '片假名', 1, 1, NULL, 'wo', '');"
            "INSERT INTO kana_more VALUES(1030, '片假名', 1, 1, NULL, 'ja', NULL, '拗音');",
            "平假名 あ行: moratab 0 あ a,\n"
            "片假名 わ行: moratab 60 ヲ wo,\n"
            "片假名 拗音: kana_more 1030 ジャ ja,\n" },
        { "a row of mixed groups, unknown kana and groups",
            "INSERT INTO moratab VALUES(0, '平假名', 1, 4, NULL, 'a', 'あ');"
            "INSERT INTO moratab VALUES(1, '平假名', 2, 4, NULL, 'ka', NULL);"
            "INSERT INTO moratab VALUES(2, '平假名', 3, 4, NULL, 'vu', NULL);"
            "INSERT INTO moratab VALUES(3, '平假名', 1, 6, NULL, 'xa', 'ぁ');"
            "INSERT INTO kana_more VALUES(1000, '平假名', 1, 1, NULL, 'vu', 'ゔ', 'ヴ行');"
            "INSERT INTO kana_more VALUES(1001, '平假名', 1, 1, NULL, 'ga', 'が', '浊音');",
            "平假名 あ・か・vu: moratab 0 あ a, moratab 1 か ka, moratab 2  vu,\n"
            "平假名 ぁ: moratab 3 ぁ xa,\n"
            "平假名 浊音: kana_more 1001 が ga,\n"
            "平假名 ヴ行: kana_more 1000 ゔ vu,\n" },
        { "rows that belong to no lesson",
            "INSERT INTO moratab VALUES(0, '平假名', 1, NULL, NULL, 'a', 'あ');"
            "INSERT INTO moratab VALUES(1, 'hiragana', 1, 1, NULL, 'a', 'あ');"
            "INSERT INTO moratab VALUES(2, NULL, 1, 1, NULL, 'a', 'あ');"
            "INSERT INTO moratab VALUES(3, '平假名', 1, 1, NULL, 'a', 'あ');"
            "INSERT INTO kana_more VALUES(1000, '平假名', 1, 1, NULL, 'ga', 'が', NULL);"
            "INSERT INTO kana_more VALUES(1001, '平假名', 1, 1, NULL, 'ga', 'が', '');",
            "平假名 あ行: moratab 3 あ a,\n" },
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Deck);
        TTempFolder folder;
        const std::string path = folder.File("deck.db");
        ExecuteWriting(path, std::string(kBasic) + kMore + c.Sql);
        EXPECT_EQ(Describe(ReadLessons(*OpenDatabaseFile(path))), c.Lessons);
    }
}

TEST(Lessons, ADeckOfTheBasicChartAloneDerivesTheKanaFromTheRomaji)
{
    TTempFolder folder;
    const std::string path = folder.File("db1.mdb");
    ExecuteWriting(path,
        std::string(kOldBasic)
            + "INSERT INTO moratab VALUES(11, '平假名', 2, 3, NULL, 'shi');"
              "INSERT INTO moratab VALUES(97, '片假名', 3, 11, NULL, '(small tsu)');"
              "INSERT INTO moratab VALUES(50, '片假名', 2, 1, NULL, 'I');"
              "INSERT INTO moratab VALUES(51, '片假名', 3, 1, NULL, NULL);");
    EXPECT_EQ(Describe(ReadLessons(*OpenDatabaseFile(path))),
        "平假名 さ行: moratab 11 し shi,\n"
        "片假名 I・: moratab 50  I, moratab 51  ,\n"
        "片假名 ん・っ: moratab 97 ッ (small tsu),\n");
}

TEST(Lessons, OtherFaultsOfTheDeckAreRaised)
{
    TTempFolder folder;
    const std::string path = folder.File("deck.db");
    ExecuteWriting(path, "CREATE TABLE kana_more(id INTEGER PRIMARY KEY);");
    EXPECT_EQ(DatabaseErrorOf([&] { ReadLessons(*OpenDatabaseFile(path)); }), "no such table: moratab");
    ExecuteWriting(path, std::string(kOldBasic) + "DROP TABLE kana_more; CREATE TABLE kana_more(t_group TEXT);");
    EXPECT_EQ(DatabaseErrorOf([&] { ReadLessons(*OpenDatabaseFile(path)); }), "no such column: id");
}

TEST(DeckTables, AMissingTableReadsAsNone)
{
    TTempFolder folder;
    const std::string path = folder.File("deck.db");
    MakeSmallMoratab(path);
    const auto sqlite = OpenDatabaseFile(path);
    EXPECT_EQ(ReadDeckTable(*sqlite, kMoreTable), std::nullopt);
    ASSERT_NE(ReadDeckTable(*sqlite, kBasicTable), std::nullopt);
    EXPECT_EQ(ReadDeckTable(*sqlite, kBasicTable)->RecordCount(), 7);
    EXPECT_EQ(IntegerAt(*ReadDeckTable(*sqlite, kBasicTable), 0, "id"), 0);
}
