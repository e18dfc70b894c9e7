// The chart statement through the file drivers (SQLite beside sqlite3 itself, and Access), the
// chart build's reading through the query components, and making the default kana database.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "host/data/ADOConnection.h"
#include "host/data/ADOQuery.h"
#include "host/data/drivers/DatabaseDriver.h"
#include "host/gfx/KanaPicture.h"
#include "tools/kit/DatabaseListing.h"
#include "tools/kit/DeckDatabase.h"
#include "tools/kit/KanaDeck.h"

namespace {

const char* chartStatement = "select *from moratab where t_type='平假名' order by id";

void PutLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A kana picture blob: the graphic header, then a 96 x 96 8-bit BMP of random pixels.
std::vector<std::uint8_t> RandomPicture(std::mt19937& random)
{
    const std::uint32_t side = 96, palette = 256 * 4, pixels = side * side;
    const std::uint32_t fileSize = 14 + 40 + palette + pixels;
    std::vector<std::uint8_t> blob;
    PutLittleEndian(blob, 1, 2);
    PutLittleEndian(blob, 0x0100, 2);
    PutLittleEndian(blob, fileSize, 4);
    blob.push_back('B');
    blob.push_back('M');
    PutLittleEndian(blob, fileSize, 4);
    PutLittleEndian(blob, 0, 4);
    PutLittleEndian(blob, 14 + 40 + palette, 4);
    for (std::uint32_t value : { 40u, side, side })
        PutLittleEndian(blob, value, 4);
    PutLittleEndian(blob, 1, 2);
    PutLittleEndian(blob, 8, 2);
    for (std::uint32_t value : { 0u, pixels, 2835u, 2835u, 256u, 0u })
        PutLittleEndian(blob, value, 4);
    for (std::uint32_t i = 0; i < 256; ++i)
        PutLittleEndian(blob, i * 0x010101, 4);
    for (std::uint32_t i = 0; i < pixels; ++i)
        blob.push_back(static_cast<std::uint8_t>(random()));
    return blob;
}

// db1.mdb with 49 hiragana and 49 katakana rows, made once in a folder removed at exit.
class TKanaDatabase {
public:
    TKanaDatabase()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "moraleaf-bench-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        path_ = (folder_ / "db1.mdb").string();
        sqlite3* db = nullptr;
        sqlite3_open(path_.c_str(), &db);
        sqlite3_exec(db,
            "CREATE TABLE moratab(id INTEGER PRIMARY KEY, t_type TEXT, x INTEGER, y INTEGER, t_pic BLOB, t_pronounce TEXT);"
            "BEGIN",
            nullptr, nullptr, nullptr);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO moratab VALUES(?, ?, ?, ?, ?, ?)", -1, &insert, nullptr);
        std::mt19937 random(49);
        for (int id = 0; id < 98; ++id) {
            std::vector<std::uint8_t> picture = RandomPicture(random);
            sqlite3_bind_int(insert, 1, id);
            sqlite3_bind_text(insert, 2, id < 49 ? "平假名" : "片假名", -1, SQLITE_STATIC);
            sqlite3_bind_int(insert, 3, id % 49 % 5 + 1);
            sqlite3_bind_int(insert, 4, id % 49 / 5 + 1);
            sqlite3_bind_blob(insert, 5, picture.data(), static_cast<int>(picture.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 6, "ka", -1, SQLITE_STATIC);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    TKanaDatabase(const TKanaDatabase&) = delete;
    TKanaDatabase& operator=(const TKanaDatabase&) = delete;
    ~TKanaDatabase() { std::filesystem::remove_all(folder_); }
    const std::string& Path() const { return path_; }

private:
    std::filesystem::path folder_;
    std::string path_;
};

const TKanaDatabase& KanaDatabase()
{
    static TKanaDatabase database;
    return database;
}

std::unique_ptr<TDatabaseDriver> Connect(const std::string& path)
{
    return ConnectDriver("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";Persist Security Info=False");
}

void ChartStatementSqliteDriver(benchmark::State& state)
{
    auto driver = Connect(KanaDatabase().Path());
    for (auto _ : state) {
        TResultSet result = driver->Execute(chartStatement);
        benchmark::DoNotOptimize(result.RecordCount());
    }
}
BENCHMARK(ChartStatementSqliteDriver)->Unit(benchmark::kMillisecond);

// The floor: sqlite3 itself running the statement and copying out every value.
void ChartStatementSqlite3Direct(benchmark::State& state)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(("file:" + KanaDatabase().Path() + "?mode=ro").c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    for (auto _ : state) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, chartStatement, -1, &statement, nullptr);
        size_t bytes = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                std::vector<std::uint8_t> value(static_cast<size_t>(sqlite3_column_bytes(statement, i)));
                if (const void* blob = sqlite3_column_blob(statement, i))
                    std::memcpy(value.data(), blob, value.size());
                bytes += value.size();
            }
        }
        sqlite3_finalize(statement);
        benchmark::DoNotOptimize(bytes);
    }
    sqlite3_close(db);
}
BENCHMARK(ChartStatementSqlite3Direct)->Unit(benchmark::kMillisecond);

// No .mdb can be written here, so the Access figures use the test files' tables: MSysACEs of
// testUnicodeCompV2003.mdb (79 rows, the most of any) and MSP_PROJECTS of test2V2000.mdb (one
// row of 75 columns with a 22,970-byte OLE value over several pages).
void AccessDriver(benchmark::State& state, const char* file, const char* sql)
{
    auto driver = Connect(std::string(MORALEAF_ACCESS_TESTDATA) + "/" + file);
    for (auto _ : state) {
        TResultSet result = driver->Execute(sql);
        benchmark::DoNotOptimize(result.RecordCount());
    }
}
BENCHMARK_CAPTURE(AccessDriver, MSysACEs_79_rows, "testUnicodeCompV2003.mdb", "select *from MSysACEs order by ObjectId")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AccessDriver, MSP_PROJECTS_ole, "test2V2000.mdb", "select *from MSP_PROJECTS where PROJ_ID=1")
    ->Unit(benchmark::kMillisecond);

// The default kana database, as `moraleaf-kit db create` makes it, in a folder removed at exit.
class TDefaultDeck {
public:
    TDefaultDeck()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "moraleaf-bench-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        path_ = (folder_ / "db1.mdb").string();
        WriteDeckDatabase(path_, DefaultKanaDeck(), false);
    }
    TDefaultDeck(const TDefaultDeck&) = delete;
    TDefaultDeck& operator=(const TDefaultDeck&) = delete;
    ~TDefaultDeck() { std::filesystem::remove_all(folder_); }
    const std::string& Path() const { return path_; }
    std::string File(const char* name) const { return (folder_ / name).string(); }

private:
    std::filesystem::path folder_;
    std::string path_;
};

const TDefaultDeck& DefaultDeck()
{
    static TDefaultDeck deck;
    return deck;
}

// What a chart build asks of the store: the statement through the query, then every row's
// place, pronunciation and decoded picture.
void HiraganaChartThroughQuery(benchmark::State& state)
{
    TADOConnection connection(nullptr);
    connection.SetConnectionString(ProgramConnectionString(DefaultDeck().Path()));
    connection.Open();
    TADOQuery query(nullptr);
    query.SetConnection(&connection);
    TBitmap picture;
    for (auto _ : state) {
        query.Close();
        query.SQL()->Clear();
        query.SQL()->Add(chartStatement);
        query.Open();
        int cells = 0;
        for (query.First(); !query.Eof(); query.Next()) {
            cells += query.FieldByName("x").AsInteger() + query.FieldByName("y").AsInteger();
            benchmark::DoNotOptimize(query.FieldByName("t_pronounce").AsString());
            LoadKanaPicture(query.FieldByName("t_pic").AsBytes(), picture);
        }
        benchmark::DoNotOptimize(cells);
    }
}
BENCHMARK(HiraganaChartThroughQuery)->Unit(benchmark::kMillisecond);

// `moraleaf-kit db create --force`: 214 pictures drawn and encoded, the file written and renamed.
void DbCreate(benchmark::State& state)
{
    const std::string path = DefaultDeck().File("created.mdb");
    for (auto _ : state)
        WriteDeckDatabase(path, DefaultKanaDeck(), true);
}
BENCHMARK(DbCreate)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
