#include <gtest/gtest.h>

#include <cstdio>

#include "DataTestSupport.h"
#include "host/data/drivers/AccessConversion.h"
#include "host/data/drivers/ChildProcess.h"
#include "host/data/drivers/DatabaseDriver.h"

// Expected values were read with mdb-export from mdbtools.
namespace {

const std::string testData = MORALEAF_ACCESS_TESTDATA;
const std::string projectFile = testData + "/test2V2000.mdb";
const std::string unicodeFile = testData + "/testUnicodeCompV2003.mdb";

std::unique_ptr<TDatabaseDriver> Connect(const std::string& path)
{
    return ConnectDriver("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";Persist Security Info=False");
}

const TDataValue& ValueAt(const TResultSet& result, int row, const char* column)
{
    int index = result.FindColumn(column);
    EXPECT_GE(index, 0) << column;
    return result.Value(row, index);
}

TFieldType TypeOf(const TResultSet& result, const char* column)
{
    return result.Columns()[static_cast<size_t>(result.FindColumn(column))].DataType;
}

// A copy of an Access file with some bytes changed near the start of its table-definition and
// data pages, where libmdb finds its way; the same for a seed.
std::vector<std::uint8_t> Damaged(std::vector<std::uint8_t> bytes, std::uint32_t seed, int changes)
{
    const size_t pageSize = 4096;
    std::vector<size_t> pages;
    for (size_t page = 0; page < bytes.size() / pageSize; ++page) {
        if (bytes[page * pageSize] == 1 || bytes[page * pageSize] == 2)
            pages.push_back(page);
    }
    std::uint32_t state = seed * 2654435761u + 1;
    auto next = [&] { return (state = state * 1664525u + 1013904223u) >> 8; };
    for (int i = 0; i < changes; ++i) {
        size_t at = pages[next() % pages.size()] * pageSize + next() % 1024;
        bytes[at] = static_cast<std::uint8_t>(next());
    }
    return bytes;
}

// What reading a damaged file may end in: the rows still readable, a table lost with its pages,
// or an error that names the file.
bool IsOrderlyOutcome(const std::string& message, const std::string& path)
{
    return message.empty() || message.rfind("no such table: ", 0) == 0 || message.find("'" + path + "'") != std::string::npos;
}

} // namespace

TEST(AccessDriver, ReadsEveryKindOfColumnOfAJet4Table)
{
    auto driver = Connect(projectFile);
    TResultSet result = driver->Execute("select *from MSP_PROJECTS");
    ASSERT_EQ(result.RecordCount(), 1);
    ASSERT_EQ(result.Columns().size(), 74u);
    EXPECT_EQ(IntegerAt(result, 0, "PROJ_ID"), 1);
    EXPECT_EQ(TypeOf(result, "PROJ_ID"), TFieldType::ftInteger);
    EXPECT_EQ(TextAt(result, 0, "PROJ_NAME"), "Project1");
    EXPECT_EQ(TypeOf(result, "PROJ_NAME"), TFieldType::ftString);
    EXPECT_EQ(TextAt(result, 0, "PROJ_OPT_CURRENCY_SYMBOL"), "£");
    EXPECT_EQ(TextAt(result, 0, "PROJ_DATA_SOURCE"), "Z:\\temp\\Project1.mpd");
    EXPECT_EQ(TextAt(result, 0, "PROJ_INFO_CURRENT_DATE"), "2006-02-03 08:00:00");
    EXPECT_EQ(TypeOf(result, "PROJ_INFO_CURRENT_DATE"), TFieldType::ftDateTime);
    EXPECT_EQ(IntegerAt(result, 0, "PROJ_OPT_CALC_ACT_COSTS"), 1);
    EXPECT_EQ(IntegerAt(result, 0, "PROJ_OPT_SPREAD_ACT_COSTS"), 0);
    EXPECT_EQ(TypeOf(result, "PROJ_OPT_CALC_ACT_COSTS"), TFieldType::ftBoolean);
    EXPECT_EQ(IntegerAt(result, 0, "PROJ_OPT_MINUTES_PER_WEEK"), 2400);
    EXPECT_EQ(std::get<double>(ValueAt(result, 0, "PROJ_OPT_DEF_OVT_RATE")), 0.0);
    EXPECT_EQ(TypeOf(result, "PROJ_OPT_DEF_OVT_RATE"), TFieldType::ftFloat);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(ValueAt(result, 0, "PROJ_TYPE")));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(ValueAt(result, 0, "PROJ_PROP_CATEGORY")));

    std::string memo = TextAt(result, 0, "PROJ_PROP_AUTHOR");
    EXPECT_EQ(TypeOf(result, "PROJ_PROP_AUTHOR"), TFieldType::ftMemo);
    EXPECT_EQ(memo.size(), 348u);
    EXPECT_EQ(memo.rfind("Jon Iles this is a a vawesrasoih", 0), 0u);
    EXPECT_EQ(memo.substr(memo.size() - 12), "jflksjadf as");

    const TBlob& ole = std::get<TBlob>(ValueAt(result, 0, "RESERVED_BINARY_DATA"));
    EXPECT_EQ(TypeOf(result, "RESERVED_BINARY_DATA"), TFieldType::ftBlob);
    EXPECT_TRUE(IsBlobType(TypeOf(result, "RESERVED_BINARY_DATA")));
    EXPECT_EQ(ole.size(), 22970u);
    EXPECT_EQ(Fnv1a(ole), 0x24b8257f024feb01ULL);
}

TEST(AccessDriver, ReadsCompressedUnicodeTextAsUtf8)
{
    auto driver = Connect(unicodeFile);
    TResultSet result = driver->Execute("select * from [Table] order by ID desc");
    ASSERT_EQ(result.RecordCount(), 8);
    EXPECT_EQ(IntegerAt(result, 0, "ID"), 8);
    EXPECT_EQ(TextAt(result, 5, "Unicode"), "Мир");
    EXPECT_EQ(TextAt(result, 6, "Unicode"), "ääkkösiä");
    EXPECT_EQ(TextAt(result, 3, "Unicode"), "漢字仮名交じり文");
    // The kana statements' way of writing: no blank after '*' nor after the closing quote.
    TResultSet one = driver->Execute("select *from [table] where Unicode='Мир'and id=3");
    ASSERT_EQ(one.RecordCount(), 1);
    EXPECT_EQ(IntegerAt(one, 0, "id"), 3);
}

TEST(AccessDriver, LoadsOnlyTheTablesTheStatementNames)
{
    auto driver = Connect(unicodeFile);
    TResultSet result = driver->Execute("select (select count(*) from sqlite_master) as loaded, * from `TABLE` -- MSysACEs");
    ASSERT_EQ(result.RecordCount(), 8);
    EXPECT_EQ(std::get<std::int64_t>(result.Value(0, 0)), 1);
    EXPECT_EQ(driver->Execute("select *from MSysACEs").RecordCount(), 79);
    EXPECT_EQ(DatabaseErrorOf([&] { driver->Execute("select *from moratab where t_type='平假名' order by id"); }),
        "no such table: moratab");
}

TEST(AccessDriver, NeverWritesAndSeesTheFileAsItIsAtEachStatement)
{
    TTempFolder folder;
    std::string path = folder.File("db1.mdb");
    WriteBytes(path, ReadBytes(unicodeFile));
    struct stat before { };
    ASSERT_EQ(::stat(path.c_str(), &before), 0);

    auto driver = Connect(path);
    EXPECT_EQ(driver->Execute("select * from [Table]").RecordCount(), 8);
    EXPECT_NE(DatabaseErrorOf([&] { driver->Execute("delete from [Table]"); }), "");
    EXPECT_NE(DatabaseErrorOf([&] { driver->Execute("vacuum into 'copy.db'"); }), "");
    struct stat after { };
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(ReadBytes(path), ReadBytes(unicodeFile));
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), std::filesystem::directory_iterator()), 1);

    // Another program rewrites the file in place between two statements.
    WriteBytes(path, ReadBytes(projectFile));
    EXPECT_EQ(DatabaseErrorOf([&] { driver->Execute("select * from [Table]"); }), "no such table: Table");
    EXPECT_EQ(driver->Execute("select PROJ_NAME from MSP_PROJECTS").RecordCount(), 1);
}

TEST(AccessDriver, ACutShortFileIsRefusedBeforeLibmdbSeesIt)
{
    TTempFolder folder;
    std::string path = folder.File("db1.mdb");
    std::vector<std::uint8_t> bytes = ReadBytes(projectFile);
    auto execute = [&](size_t size) {
        WriteBytes(path, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)));
        return DatabaseErrorOf([&] { Connect(path)->Execute("select *from MSP_PROJECTS"); });
    };
    EXPECT_EQ(execute(5000), "Database file '" + path + "' is damaged: its size is not a whole number of 4096-byte pages.");
    EXPECT_EQ(execute(8192), "Database file '" + path + "' is damaged: it is shorter than the pages every database has.");
    EXPECT_EQ(execute(20), "Database file '" + path + "' is damaged: it is shorter than its header.");
    // Whole pages, but not all of them.
    for (size_t pages : { 3, 10, 20, 40, 63 }) {
        std::string message = execute(pages * 4096);
        EXPECT_TRUE(IsOrderlyOutcome(message, path)) << pages << ": " << message;
    }
}

TEST(AccessDriver, DamagedPagesGiveAnErrorOrARowNeverACrash)
{
    TTempFolder folder;
    std::string path = folder.File("db1.mdb");
    for (const auto& [file, statement] :
        { std::pair(projectFile, "select *from MSP_PROJECTS"), std::pair(unicodeFile, "select *from [Table]") }) {
        const std::string sql = statement;
        std::vector<std::uint8_t> bytes = ReadBytes(file);
        for (std::uint32_t seed = 1; seed <= 40; ++seed) {
            WriteBytes(path, Damaged(bytes, seed, static_cast<int>(seed % 4) + 1));
            std::string message = DatabaseErrorOf([&] { Connect(path)->Execute(sql); });
            EXPECT_TRUE(IsOrderlyOutcome(message, path)) << seed << ": " << message;
        }
    }
}

TEST(AccessDriver, OtherEnginesSignaturesChooseTheAccessDriver)
{
    TTempFolder folder;
    // An ACE header on empty pages, and a Jet 3 one (2 KiB pages).
    std::vector<std::uint8_t> ace(3 * 4096);
    std::string aceSignature("\x00\x01\x00\x00Standard ACE DB\x00\x02", 21);
    std::copy(aceSignature.begin(), aceSignature.end(), ace.begin());
    std::string acePath = folder.File("db1.accdb");
    WriteBytes(acePath, ace);
    std::string message = DatabaseErrorOf([&] { Connect(acePath)->Execute("select *from moratab"); });
    EXPECT_NE(message.find(acePath), std::string::npos) << message;

    std::vector<std::uint8_t> jet3(5 * 2048);
    std::string jet3Signature("\x00\x01\x00\x00Standard Jet DB\x00\x00", 21);
    std::copy(jet3Signature.begin(), jet3Signature.end(), jet3.begin());
    std::string jet3Path = folder.File("jet3.mdb");
    WriteBytes(jet3Path, jet3);
    message = DatabaseErrorOf([&] { Connect(jet3Path)->Execute("select *from moratab"); });
    EXPECT_NE(message.find(jet3Path), std::string::npos) << message;
}

TEST(ChildProcess, ACrashOrAHangInTheReaderBecomesADatabaseError)
{
    const std::string prefix = "Database file '/data/db1.mdb' is damaged: ";
    EXPECT_EQ(ReadInChildProcess("/data/db1.mdb", [] { return TBlob { 1, 2, 3 }; }), (TBlob { 1, 2, 3 }));
    EXPECT_EQ(DatabaseErrorOf([] { ReadInChildProcess("/data/db1.mdb", []() -> TBlob { throw EDatabaseError("no catalog"); }); }),
        "no catalog");
    EXPECT_EQ(DatabaseErrorOf([] { ReadInChildProcess("/data/db1.mdb", []() -> TBlob { std::abort(); }); }),
        prefix + "reading it stopped on damaged data.");
    // What the reader prints goes nowhere.
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    ReadInChildProcess("/data/db1.mdb", [] {
        std::printf("row 1\n");
        std::fflush(stdout);
        std::fprintf(stderr, "oddity\n");
        return TBlob {};
    });
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    // One changed byte on a data page sends libmdb round in circles while it reads the catalog.
    TTempFolder folder;
    std::string path = folder.File("db1.mdb");
    std::vector<std::uint8_t> bytes = ReadBytes(projectFile);
    bytes[131692] = 140;
    WriteBytes(path, bytes);
    auto convert = [&] { return ConvertAccessTables(path, { "MSP_PROJECTS" }); };
    EXPECT_EQ(DatabaseErrorOf([&] { ReadInChildProcess(path, convert, std::chrono::milliseconds(1500)); }),
        "Database file '" + path + "' is damaged: reading it took too long.");
}
