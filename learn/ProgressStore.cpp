#include "learn/ProgressStore.h"

#include <sqlite3.h>

#include <ctime>
#include <string_view>

#include "host/sys/XdgFolders.h"

namespace {

// An SQLite call that failed: its primary result code and the library's message.
class ESqlite : public std::exception {
public:
    ESqlite(int code, std::string message)
        : code_(code & 0xFF)
        , message_(std::move(message))
    {
    }
    int Code() const { return code_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    int code_;
    std::string message_;
};

// The file holds a schema newer than this program knows.
struct ENewerFile { };

struct TDatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct TStatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using TDatabase = std::unique_ptr<sqlite3, TDatabaseCloser>;
using TStatement = std::unique_ptr<sqlite3_stmt, TStatementFinalizer>;

[[noreturn]] void Fail(sqlite3* db, int code)
{
    throw ESqlite(code, db ? sqlite3_errmsg(db) : sqlite3_errstr(code));
}

void Execute(sqlite3* db, const char* sql)
{
    if (const int code = sqlite3_exec(db, sql, nullptr, nullptr, nullptr); code != SQLITE_OK)
        Fail(db, code);
}

TStatement Prepare(sqlite3* db, const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    if (const int code = sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr); code != SQLITE_OK)
        Fail(db, code);
    return TStatement(statement);
}

// True for a row, false at the end.
bool Step(sqlite3_stmt* statement)
{
    const int code = sqlite3_step(statement);
    if (code != SQLITE_ROW && code != SQLITE_DONE)
        Fail(sqlite3_db_handle(statement), code);
    return code == SQLITE_ROW;
}

void BindText(sqlite3_stmt* statement, int index, std::string_view text)
{
    sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

std::string ColumnText(sqlite3_stmt* statement, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, column))) : std::string();
}

// Rolls back unless committed.
class TTransaction {
public:
    explicit TTransaction(sqlite3* db)
        : db_(db)
    {
        Execute(db_, "BEGIN IMMEDIATE");
    }
    TTransaction(const TTransaction&) = delete;
    TTransaction& operator=(const TTransaction&) = delete;
    ~TTransaction()
    {
        if (!committed_)
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    void Commit()
    {
        Execute(db_, "COMMIT");
        committed_ = true;
    }

private:
    sqlite3* db_;
    bool committed_ = false;
};

TDatabase OpenDatabase(const std::string& name)
{
    sqlite3* raw = nullptr;
    const int code = sqlite3_open_v2(name.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    TDatabase db(raw);
    if (code != SQLITE_OK)
        Fail(raw, code);
    // Another Moraleaf writing at the same moment holds the lock for a millisecond.
    sqlite3_busy_timeout(db.get(), 2000);
    return db;
}

int SchemaVersion(sqlite3* db)
{
    const TStatement statement = Prepare(db, "PRAGMA user_version");
    return Step(statement.get()) ? sqlite3_column_int(statement.get(), 0) : 0;
}

void CheckIntact(sqlite3* db)
{
    const TStatement statement = Prepare(db, "PRAGMA quick_check");
    const std::string result = Step(statement.get()) ? ColumnText(statement.get(), 0) : std::string();
    if (result != "ok")
        throw ESqlite(SQLITE_CORRUPT, result);
}

void CreateSchema(sqlite3* db)
{
    TTransaction transaction(db);
    if (SchemaVersion(db) != 0)
        return;
    Execute(db,
        "CREATE TABLE answers(id INTEGER PRIMARY KEY, time INTEGER NOT NULL, kana TEXT NOT NULL, script TEXT NOT NULL, "
        "given TEXT NOT NULL, correct INTEGER NOT NULL, mode TEXT NOT NULL, ms INTEGER NOT NULL);"
        "CREATE INDEX answers_by_time ON answers(time);"
        "CREATE TABLE boxes(kana TEXT NOT NULL, script TEXT NOT NULL, box INTEGER NOT NULL, due INTEGER NOT NULL, "
        "PRIMARY KEY(kana, script)) WITHOUT ROWID;"
        "PRAGMA user_version = 1;");
    transaction.Commit();
}

std::string Quoted(const std::filesystem::path& path)
{
    return "\"" + path.string() + "\"";
}

std::string NotSavedText(const std::filesystem::path& file, const std::string& reason)
{
    return "无法写入进度文件 " + Quoted(file) + "（" + reason + "），本次练习的进度不会保存。";
}

// The moment a damaged file was put aside, in UTC: 20261208-125037.
std::string Stamp(std::chrono::sys_seconds now)
{
    const std::time_t time = now.time_since_epoch().count();
    std::tm parts {};
    ::gmtime_r(&time, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &parts);
    return text;
}

// Moves the file and its -wal and -shm to a name not yet taken; the new name of the file.
std::filesystem::path PutAside(const std::filesystem::path& file, std::chrono::sys_seconds now)
{
    std::filesystem::path aside = file.string() + ".damaged-" + Stamp(now);
    for (int n = 2; std::filesystem::exists(aside); ++n)
        aside = file.string() + ".damaged-" + Stamp(now) + "-" + std::to_string(n);
    std::filesystem::rename(file, aside);
    for (const char* companion : { "-wal", "-shm" }) {
        std::error_code ignored;
        std::filesystem::rename(file.string() + companion, aside.string() + companion, ignored);
    }
    return aside;
}

// The file: checked whole, of a schema this program knows, in WAL mode.
TDatabase OpenFileDatabase(const std::filesystem::path& file)
{
    TDatabase db = OpenDatabase(file.string());
    // Until the file proved sound, closing it must leave its -wal as it was, to go aside
    // with it.
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    CheckIntact(db.get());
    if (SchemaVersion(db.get()) > TProgressStore::kSchemaVersion)
        throw ENewerFile();
    CreateSchema(db.get());
    // WAL with NORMAL sync keeps every committed answer when the program is killed; a power
    // cut may lose the last few, never the file.
    Execute(db.get(), "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL");
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, nullptr);
    return db;
}

// Codes that say the file is not a sound progress file, as opposed to one that cannot be
// written (read-only, missing folder, full disk).
bool IsDamage(int code)
{
    return code == SQLITE_NOTADB || code == SQLITE_CORRUPT || code == SQLITE_ERROR || code == SQLITE_FORMAT
        || code == SQLITE_MISMATCH || code == SQLITE_SCHEMA;
}

// Runs a reading; a failure of the file becomes a notice naming it.
template <typename F> auto Reading(const std::filesystem::path& file, F read)
{
    try {
        return read();
    } catch (const ESqlite& e) {
        throw EProgressFileError("无法读取进度文件 " + Quoted(file) + "（" + e.what() + "）。");
    }
}

} // namespace

std::filesystem::path ProgressFilePath()
{
    return XdgDataHome() / "moraleaf" / "progress.db";
}

std::chrono::seconds LocalUtcOffset(std::chrono::sys_seconds at)
{
    const std::time_t time = at.time_since_epoch().count();
    std::tm parts {};
    ::localtime_r(&time, &parts);
    return std::chrono::seconds(parts.tm_gmtoff);
}

struct TProgressStore::TConnection {
    explicit TConnection(TDatabase database)
        : Db(std::move(database))
        , AddAnswer(
              Prepare(Db.get(), "INSERT INTO answers(time, kana, script, given, correct, mode, ms) VALUES(?, ?, ?, ?, ?, ?, ?)"))
        , SaveBox(Prepare(Db.get(),
              "INSERT INTO boxes(kana, script, box, due) VALUES(?, ?, ?, ?) "
              "ON CONFLICT(kana, script) DO UPDATE SET box = excluded.box, due = excluded.due"))
    {
    }

    void Write(const TAnswerRecord& answer, const TBoxState& box)
    {
        const std::string_view script = ScriptType(answer.Kana.Script);
        TTransaction transaction(Db.get());
        sqlite3_stmt* add = AddAnswer.get();
        sqlite3_reset(add);
        sqlite3_bind_int64(add, 1, answer.Time.time_since_epoch().count());
        BindText(add, 2, answer.Kana.Text);
        BindText(add, 3, script);
        BindText(add, 4, answer.Given);
        sqlite3_bind_int(add, 5, answer.Right);
        BindText(add, 6, answer.Mode == TAnswerMode::Typed ? "typed" : "choice");
        sqlite3_bind_int(add, 7, answer.Milliseconds);
        Step(add);
        sqlite3_stmt* save = SaveBox.get();
        sqlite3_reset(save);
        BindText(save, 1, answer.Kana.Text);
        BindText(save, 2, script);
        sqlite3_bind_int(save, 3, box.Box);
        sqlite3_bind_int64(save, 4, box.Due.time_since_epoch().count());
        Step(save);
        transaction.Commit();
    }

    TDatabase Db;
    TStatement AddAnswer;
    TStatement SaveBox;
};

TProgressStore::TProgressStore() = default;

TProgressStore::~TProgressStore() = default;

// The store in memory is made on first use: the program starts with one that a run without
// practice never touches.
TProgressStore::TConnection& TProgressStore::Connection() const
{
    if (!connection_) {
        TDatabase db = OpenDatabase(":memory:");
        CreateSchema(db.get());
        connection_ = std::make_unique<TConnection>(std::move(db));
    }
    return *connection_;
}

void TProgressStore::OpenInMemory()
{
    TDatabase db = OpenDatabase(":memory:");
    if (connection_) {
        // Whatever the file held comes along.
        if (sqlite3_backup* backup = sqlite3_backup_init(db.get(), "main", connection_->Db.get(), "main")) {
            sqlite3_backup_step(backup, -1);
            sqlite3_backup_finish(backup);
        }
    }
    CreateSchema(db.get());
    connection_ = std::make_unique<TConnection>(std::move(db));
    saved_ = false;
}

void TProgressStore::Open(const std::filesystem::path& file, std::chrono::sys_seconds now)
{
    file_ = file;
    connection_.reset();
    std::error_code error;
    std::filesystem::create_directories(file_.parent_path(), error);
    if (error) {
        OpenInMemory();
        throw EProgressFileError(NotSavedText(file_, error.message()));
    }
    try {
        connection_ = std::make_unique<TConnection>(OpenFileDatabase(file_));
        saved_ = true;
        return;
    } catch (const ENewerFile&) {
        OpenInMemory();
        throw EProgressFileError("进度文件 " + Quoted(file_) + " 由更新版本的 Moraleaf 写成，本次练习的进度不会保存。");
    } catch (const ESqlite& e) {
        if (!IsDamage(e.Code())) {
            OpenInMemory();
            throw EProgressFileError(NotSavedText(file_, e.what()));
        }
    }
    std::filesystem::path aside;
    try {
        aside = PutAside(file_, now);
        connection_ = std::make_unique<TConnection>(OpenFileDatabase(file_));
        saved_ = true;
    } catch (const std::exception& e) {
        OpenInMemory();
        throw EProgressFileError(
            "进度文件 " + Quoted(file_) + " 已损坏，且无法改名或重建（" + e.what() + "），本次练习的进度不会保存。");
    }
    throw EProgressFileError(
        "进度文件 " + Quoted(file_) + " 已损坏或不是进度数据库，已改名为 " + Quoted(aside) + "，重新开始记录。");
}

void TProgressStore::Record(const TAnswerRecord& answer, const TBoxState& box)
{
    try {
        Connection().Write(answer, box);
    } catch (const ESqlite& e) {
        if (!saved_)
            throw EProgressFileError("无法记录进度（" + std::string(e.what()) + "）。");
        OpenInMemory();
        Connection().Write(answer, box);
        throw EProgressFileError(NotSavedText(file_, e.what()));
    }
}

TBoxStates TProgressStore::Boxes() const
{
    return Reading(file_, [&] {
        TBoxStates boxes;
        const TStatement statement = Prepare(Connection().Db.get(), "SELECT kana, script, box, due FROM boxes");
        while (Step(statement.get())) {
            const std::optional<TKanaScript> script = ScriptOfType(ColumnText(statement.get(), 1));
            if (!script)
                continue;
            boxes[{ ColumnText(statement.get(), 0), *script }] = { sqlite3_column_int(statement.get(), 2),
                std::chrono::sys_seconds(std::chrono::seconds(sqlite3_column_int64(statement.get(), 3))) };
        }
        return boxes;
    });
}

std::array<int, kLastBox> TProgressStore::BoxCounts(TKanaScript script) const
{
    return Reading(file_, [&] {
        std::array<int, kLastBox> counts {};
        const TStatement statement
            = Prepare(Connection().Db.get(), "SELECT box, count(*) FROM boxes WHERE script = ? GROUP BY box");
        BindText(statement.get(), 1, ScriptType(script));
        while (Step(statement.get())) {
            const int box = sqlite3_column_int(statement.get(), 0);
            if (box >= kFirstBox && box <= kLastBox)
                counts[static_cast<std::size_t>(box - kFirstBox)] = sqlite3_column_int(statement.get(), 1);
        }
        return counts;
    });
}

std::array<TDayAnswers, 7> TProgressStore::LastDays(std::chrono::sys_seconds now, std::chrono::seconds utcOffset) const
{
    return Reading(file_, [&] {
        constexpr std::int64_t kDay = 86400;
        const std::int64_t offset = utcOffset.count();
        const auto localDay = [&](std::int64_t time) {
            const std::int64_t local = time + offset;
            return local / kDay - (local % kDay < 0);
        };
        const std::int64_t today = localDay(now.time_since_epoch().count());
        const std::int64_t first = today - 6;
        std::array<TDayAnswers, 7> days {};
        const TStatement statement
            = Prepare(Connection().Db.get(), "SELECT time, correct FROM answers WHERE time >= ? AND time < ?");
        sqlite3_bind_int64(statement.get(), 1, first * kDay - offset);
        sqlite3_bind_int64(statement.get(), 2, (today + 1) * kDay - offset);
        while (Step(statement.get())) {
            TDayAnswers& day = days[static_cast<std::size_t>(localDay(sqlite3_column_int64(statement.get(), 0)) - first)];
            (sqlite3_column_int(statement.get(), 1) ? day.Right : day.Wrong)++;
        }
        return days;
    });
}
