#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <random>

#include "LearnTestSupport.h"
#include "learn/ProgressStore.h"

namespace {

using std::chrono::days;
using std::chrono::hours;
using std::chrono::seconds;
using std::chrono::sys_seconds;

const sys_seconds kNow = sys_seconds(seconds(1'800'000'000)); // 2027-01-15 08:00:00 UTC

TAnswerRecord Answer(const std::string& kana, const std::string& given, bool right, sys_seconds time = kNow)
{
    return { time, { kana, TKanaScript::Hiragana }, given, right, TAnswerMode::Typed, 900 };
}

// The single value of a statement run on a connection of its own.
std::string Query(const std::filesystem::path& file, const std::string& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    std::string value = "(error)";
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(statement, 0);
        value = text ? reinterpret_cast<const char*>(text) : "";
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return value;
}

void Execute(const std::filesystem::path& file, const std::string& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

// Runs the body in a child process, which ends with the body's result (2 on an exception).
pid_t InChild(const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    try {
        ::_exit(body());
    } catch (...) {
        ::_exit(2);
    }
}

// Opens the store, expecting a notice; its text, or "" when none came.
std::string OpenWithNotice(TProgressStore& store, const std::filesystem::path& file)
{
    try {
        store.Open(file, kNow);
    } catch (const EProgressFileError& notice) {
        return notice.Message();
    }
    return "";
}

} // namespace

TEST(ProgressStore, KeepsAnswersAndBoxesInAWalFileThatOutlivesTheStore)
{
    TTempFolder folder;
    const std::filesystem::path file = folder.Path() / "not" / "yet" / "progress.db";
    {
        TProgressStore store;
        EXPECT_EQ(OpenWithNotice(store, file), "");
        EXPECT_TRUE(store.Saved());
        EXPECT_EQ(store.File(), file);
        store.Record(Answer("か", "ka", true), { 2, kNow + days(1) });
        store.Record(Answer("し", "si", true), { 3, kNow + days(3) });
        store.Record({ kNow, { "シ", TKanaScript::Katakana }, "tsu", false, TAnswerMode::Choice, 2500 }, { 1, kNow });
        store.Record(Answer("し", "shi", false), { 1, kNow });
        EXPECT_EQ(Query(file, "PRAGMA journal_mode"), "wal");
    }
    TProgressStore store;
    EXPECT_EQ(OpenWithNotice(store, file), "");
    const TBoxStates expected = { { { "か", TKanaScript::Hiragana }, { 2, kNow + days(1) } },
        { { "し", TKanaScript::Hiragana }, { 1, kNow } }, { { "シ", TKanaScript::Katakana }, { 1, kNow } } };
    EXPECT_EQ(store.Boxes(), expected);
    EXPECT_EQ(store.BoxCounts(TKanaScript::Hiragana), (std::array<int, 5> { 1, 1, 0, 0, 0 }));
    EXPECT_EQ(store.BoxCounts(TKanaScript::Katakana), (std::array<int, 5> { 1, 0, 0, 0, 0 }));
    EXPECT_EQ(Query(file, "PRAGMA user_version"), "1");
    EXPECT_EQ(
        Query(file,
            "SELECT group_concat(kana || script || given || correct || mode || ms || (time = 1800000000), ' ') FROM answers"),
        "か平假名ka1typed9001 し平假名si1typed9001 シ片假名tsu0choice25001 し平假名shi0typed9001");
}

TEST(ProgressStore, CountsTheAnswersOfTheLastSevenLocalDays)
{
    for (const seconds offset : { seconds(0), seconds(hours(8)), seconds(-hours(5)) }) {
        // Local midnight of today, and now ten hours later.
        const sys_seconds midnight = sys_seconds(days(20'800)) - offset;
        const sys_seconds now = midnight + hours(10);
        struct TCase {
            seconds At; // from local midnight today
            bool Right;
        };
        const TCase answers[] = { { seconds(1), true }, { seconds(2), false }, { hours(11), true }, { seconds(-1), false },
            { -days(6), true }, { -days(6) - seconds(1), true }, { days(1), true }, { -days(3) + hours(23), false } };
        TProgressStore store;
        for (const TCase& a : answers)
            store.Record(Answer("あ", "a", a.Right, midnight + a.At), { 1, now });
        const std::array<TDayAnswers, 7> expected = { { { 1, 0 }, {}, {}, { 0, 1 }, {}, { 0, 1 }, { 2, 1 } } };
        EXPECT_EQ(store.LastDays(now, offset), expected) << offset.count();
    }
}

TEST(ProgressStore, ADamagedFileIsPutAsideAndAFreshOneStarts)
{
    struct TCase {
        const char* Name;
        std::function<void(const std::filesystem::path&)> Damage;
    };
    const TCase cases[] = {
        { "text", [](const auto& file) { WriteText(file, "this is not a database\n"); } },
        { "random bytes",
            [](const auto& file) {
                std::mt19937 random(5);
                std::string bytes;
                for (int i = 0; i < 5000; ++i)
                    bytes += static_cast<char>(random());
                WriteText(file, bytes);
            } },
        { "SQLite header, then nothing sound",
            [](const auto& file) { WriteText(file, std::string("SQLite format 3\0", 16) + std::string(4080, '\xEE')); } },
        { "a scribbled page",
            [](const auto& file) {
                {
                    TProgressStore store;
                    store.Open(file, kNow);
                    for (int i = 0; i < 300; ++i)
                        store.Record(Answer("あ" + std::to_string(i), "a", true), { 2, kNow });
                }
                std::string bytes = ReadText(file);
                ASSERT_GT(bytes.size(), 3 * 4096u);
                bytes.replace(4096, 100, 100, '\xFF');
                WriteText(file, bytes);
                WriteText(file.string() + "-wal", "not a journal either");
            } },
        { "another program's tables",
            [](const auto& file) { Execute(file, "CREATE TABLE answers(x); CREATE TABLE boxes(y, z)"); } },
    };
    for (const TCase& c : cases) {
        TTempFolder folder;
        const std::filesystem::path file = folder.Path() / "progress.db";
        c.Damage(file);
        const std::string damaged = ReadText(file);
        const bool hadWal = std::filesystem::exists(file.string() + "-wal");
        TProgressStore store;
        const std::string notice = OpenWithNotice(store, file);
        const std::filesystem::path aside = file.string() + ".damaged-20270115-080000";
        EXPECT_EQ(notice,
            "进度文件 \"" + file.string() + "\" 已损坏或不是进度数据库，已改名为 \"" + aside.string() + "\"，重新开始记录。")
            << c.Name;
        EXPECT_TRUE(ReadText(aside) == damaged) << c.Name;
        EXPECT_EQ(std::filesystem::exists(aside.string() + "-wal"), hadWal) << c.Name;
        // The store works on a fresh file.
        EXPECT_TRUE(store.Saved()) << c.Name;
        store.Record(Answer("ね", "ne", true), { 2, kNow });
        EXPECT_EQ(Query(file, "SELECT count(*) FROM answers"), "1") << c.Name;
        EXPECT_EQ(Query(file, "PRAGMA integrity_check"), "ok") << c.Name;
    }
}

TEST(ProgressStore, ASecondDamageOnTheSameSecondKeepsTheFirstAside)
{
    TTempFolder folder;
    const std::filesystem::path file = folder.Path() / "progress.db";
    for (const char* text : { "first", "second" }) {
        WriteText(file, text);
        TProgressStore store;
        EXPECT_NE(OpenWithNotice(store, file), "");
    }
    EXPECT_EQ(ReadText(file.string() + ".damaged-20270115-080000"), "first");
    EXPECT_EQ(ReadText(file.string() + ".damaged-20270115-080000-2"), "second");
}

TEST(ProgressStore, AFileThatCannotBeWrittenLeavesProgressInMemoryWithOneNotice)
{
    TTempFolder folder;
    WriteText(folder.Path() / "file", "a file where the folder should be");
    const std::filesystem::path newer = folder.Path() / "newer.db";
    Execute(newer, "PRAGMA user_version = 2");
    struct TCase {
        std::filesystem::path File;
        std::string Notice; // the start of the notice
    };
    std::vector<TCase> cases = {
        { folder.Path() / "file" / "moraleaf" / "progress.db",
            "无法写入进度文件 \"" + (folder.Path() / "file" / "moraleaf" / "progress.db").string() + "\"（" },
        { newer, "进度文件 \"" + newer.string() + "\" 由更新版本的 Moraleaf 写成，本次练习的进度不会保存。" },
    };
    if (::geteuid() != 0) {
        const std::filesystem::path locked = folder.Path() / "locked";
        std::filesystem::create_directory(locked);
        std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        cases.push_back({ locked / "progress.db", "无法写入进度文件 \"" + (locked / "progress.db").string() + "\"（" });
    }
    for (const TCase& c : cases) {
        TProgressStore store;
        const std::string notice = OpenWithNotice(store, c.File);
        EXPECT_EQ(notice.substr(0, c.Notice.size()), c.Notice) << notice;
        EXPECT_TRUE(notice.ends_with("本次练习的进度不会保存。")) << notice;
        EXPECT_FALSE(store.Saved());
        store.Record(Answer("ぬ", "nu", false), { 1, kNow });
        EXPECT_EQ(store.Boxes().size(), 1u);
    }
    EXPECT_EQ(Query(newer, "PRAGMA user_version"), "2");
    EXPECT_EQ(Query(newer, "SELECT count(*) FROM sqlite_master"), "0");
}

TEST(ProgressStore, AWriteThatFailsMovesEverythingToMemoryAndSaysSoOnce)
{
    TTempFolder folder;
    const std::filesystem::path file = folder.Path() / "progress.db";
    // In a child, since a file size limit is for the whole process.
    const pid_t child = InChild([&] {
        TProgressStore store;
        store.Open(file, kNow);
        store.Record(Answer("か", "ka", true), { 2, kNow });
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit { 1, 1 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        int notices = 0;
        for (const char* kana : { "き", "く", "け" }) {
            try {
                store.Record(Answer(kana, "x", false), { 1, kNow });
            } catch (const EProgressFileError& notice) {
                notices += notice.Message().ends_with("本次练习的进度不会保存。");
            }
        }
        return notices == 1 && !store.Saved() && store.Boxes().size() == 4 ? 0 : 1;
    });
    ASSERT_GT(child, 0);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(Query(file, "SELECT count(*) FROM answers"), "1");
}

TEST(ProgressStore, AFileDamagedWhileOpenIsReportedWhenRead)
{
    TTempFolder folder;
    const std::filesystem::path file = folder.Path() / "progress.db";
    TProgressStore store;
    store.Open(file, kNow);
    for (int i = 0; i < 300; ++i)
        store.Record(Answer("あ" + std::to_string(i), "a", true), { 2, kNow });
    Execute(file, "PRAGMA wal_checkpoint(TRUNCATE)");
    std::string bytes = ReadText(file);
    bytes.replace(4096, bytes.size() - 4096, bytes.size() - 4096, '\xFF');
    WriteText(file, bytes);
    const std::string named = "无法读取进度文件 \"" + file.string() + "\"（";
    const std::function<void()> readings[]
        = { [&] { store.Boxes(); }, [&] { store.BoxCounts(TKanaScript::Hiragana); }, [&] { store.LastDays(kNow, seconds(0)); } };
    for (const auto& read : readings) {
        try {
            read();
            ADD_FAILURE() << "no notice";
        } catch (const EProgressFileError& notice) {
            EXPECT_TRUE(notice.Message().starts_with(named)) << notice.Message();
        }
    }
}

TEST(ProgressStore, AKilledWriterLosesNoCommittedAnswer)
{
    // A child records answers and reports each number after its commit returned; it is killed
    // at a random moment, and the file must be whole and hold every reported answer, each
    // with the box written in the same transaction.
    TTempFolder folder;
    const std::filesystem::path file = folder.Path() / "progress.db";
    std::mt19937 random(20261208);
    int next = 1;
    for (int round = 0; round < 30; ++round) {
        int pipe[2];
        ASSERT_EQ(::pipe(pipe), 0);
        const pid_t child = InChild([&] {
            ::close(pipe[0]);
            TProgressStore store;
            store.Open(file, kNow);
            for (int n = next;; ++n) {
                const std::string kana = "k" + std::to_string(n % 7);
                store.Record(Answer(kana, std::to_string(n), n % 3 != 0), { n % 5 + 1, sys_seconds(seconds(n)) });
                if (::write(pipe[1], &n, sizeof n) != sizeof n)
                    return 1;
            }
        });
        ASSERT_GT(child, 0);
        ::close(pipe[1]);
        int reported = next - 1;
        const bool started = ::read(pipe[0], &reported, sizeof reported) == sizeof reported;
        if (started)
            ::usleep(std::uniform_int_distribution<useconds_t>(0, 20'000)(random));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        for (int n; ::read(pipe[0], &n, sizeof n) == sizeof n;)
            reported = n;
        ::close(pipe[0]);
        ASSERT_TRUE(started) << "round " << round;

        ASSERT_EQ(Query(file, "PRAGMA integrity_check"), "ok") << "round " << round;
        const int last = std::stoi(Query(file, "SELECT max(CAST(given AS INTEGER)) FROM answers"));
        EXPECT_GE(last, reported) << "round " << round;
        EXPECT_LE(last, reported + 1) << "round " << round;
        EXPECT_EQ(
            Query(file, "SELECT count(DISTINCT given) = count(*) AND count(*) = " + std::to_string(last) + " FROM answers"), "1")
            << "round " << round;
        // Every kana's box is that of its last answer.
        EXPECT_EQ(Query(file,
                      "SELECT count(*) FROM boxes WHERE due <> (SELECT max(CAST(given AS INTEGER)) FROM answers a "
                      "WHERE a.kana = boxes.kana)"),
            "0")
            << "round " << round;
        next = last + 1;
    }
    EXPECT_GT(next, 30);
}
