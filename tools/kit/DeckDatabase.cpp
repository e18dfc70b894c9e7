#include "tools/kit/DeckDatabase.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>

#include "host/sys/Exception.h"

namespace {

// t_kana and t_group come after the columns the main window reads, which keep their order.
const char* const kCreateBasicTable = "CREATE TABLE moratab(id INTEGER PRIMARY KEY, t_type TEXT, x INTEGER, y INTEGER, "
                                      "t_pic BLOB, t_pronounce TEXT, t_kana TEXT)";
const char* const kCreateMoreTable = "CREATE TABLE kana_more(id INTEGER PRIMARY KEY, t_type TEXT, x INTEGER, y INTEGER, "
                                     "t_pic BLOB, t_pronounce TEXT, t_kana TEXT, t_group TEXT)";

[[noreturn]] void CannotCreate(const std::string& path, int error)
{
    throw EFOpenError("Cannot create file \"" + path + "\". " + std::strerror(error));
}

[[noreturn]] void AlreadyExists(const std::string& path)
{
    throw Exception("File \"" + path + "\" already exists (--force replaces it)");
}

// The temporary file the database is built in, removed unless it was renamed into place.
class TTemporaryFile {
public:
    explicit TTemporaryFile(const std::string& destination)
    {
        const std::filesystem::path target(destination);
        path_ = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
        const int fd = ::mkstemp(path_.data());
        if (fd < 0) {
            const int error = errno;
            path_.clear();
            CannotCreate(destination, error);
        }
        // mkstemp makes the file private; the database gets what a new file would get.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
        ::close(fd);
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;
    ~TTemporaryFile()
    {
        if (!path_.empty())
            ::unlink(path_.c_str());
    }
    const std::string& Path() const { return path_; }
    void Release() { path_.clear(); }

private:
    std::string path_;
};

struct TSqliteClose {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct TStatementFinalize {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

class TDatabaseWriter {
public:
    TDatabaseWriter(const std::string& temporary, const std::string& destination)
        : destination_(destination)
    {
        sqlite3* raw = nullptr;
        const int code = sqlite3_open_v2(temporary.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
        db_.reset(raw);
        if (code != SQLITE_OK)
            Fail();
        // The file is private until it is complete: no journal, no syncing on the way.
        Execute("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF");
    }

    void Write(const std::vector<TDeckRow>& rows)
    {
        const bool more
            = std::any_of(rows.begin(), rows.end(), [](const TDeckRow& row) { return row.Table == TDeckTable::KanaMore; });
        Execute(kCreateBasicTable);
        if (more)
            Execute(kCreateMoreTable);
        Execute("BEGIN");
        TStatement basic = Prepare("INSERT INTO moratab VALUES(?, ?, ?, ?, ?, ?, ?)");
        TStatement extra = more ? Prepare("INSERT INTO kana_more VALUES(?, ?, ?, ?, ?, ?, ?, ?)") : TStatement();
        for (const TDeckRow& row : rows) {
            sqlite3_stmt* s = row.Table == TDeckTable::MoraTab ? basic.get() : extra.get();
            sqlite3_bind_int64(s, 1, row.Id);
            BindText(s, 2, row.Type);
            BindInteger(s, 3, row.X);
            BindInteger(s, 4, row.Y);
            if (row.Picture)
                sqlite3_bind_blob64(s, 5, row.Picture->data(), row.Picture->size(), SQLITE_STATIC);
            else
                sqlite3_bind_null(s, 5);
            BindText(s, 6, row.Pronounce);
            BindText(s, 7, row.Kana);
            if (row.Table == TDeckTable::KanaMore)
                BindText(s, 8, row.Group);
            if (sqlite3_step(s) != SQLITE_DONE)
                Fail();
            sqlite3_reset(s);
        }
        basic.reset();
        extra.reset();
        Execute("COMMIT");
        if (sqlite3_close(db_.release()) != SQLITE_OK)
            throw Exception("Cannot create file \"" + destination_ + "\". The database could not be closed");
    }

private:
    static void BindText(sqlite3_stmt* s, int parameter, const std::optional<std::string>& text)
    {
        if (text)
            sqlite3_bind_text64(s, parameter, text->data(), text->size(), SQLITE_STATIC, SQLITE_UTF8);
        else
            sqlite3_bind_null(s, parameter);
    }

    static void BindInteger(sqlite3_stmt* s, int parameter, const std::optional<std::int64_t>& value)
    {
        if (value)
            sqlite3_bind_int64(s, parameter, *value);
        else
            sqlite3_bind_null(s, parameter);
    }

    using TStatement = std::unique_ptr<sqlite3_stmt, TStatementFinalize>;

    TStatement Prepare(const char* sql)
    {
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(db_.get(), sql, -1, &raw, nullptr) != SQLITE_OK)
            Fail();
        return TStatement(raw);
    }

    void Execute(const char* sql)
    {
        if (sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            Fail();
    }

    [[noreturn]] void Fail() const
    {
        throw Exception("Cannot create file \"" + destination_ + "\". " + sqlite3_errmsg(db_.get()));
    }

    std::string destination_;
    std::unique_ptr<sqlite3, TSqliteClose> db_;
};

void SyncFile(const std::string& path, const std::string& destination)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        CannotCreate(destination, error);
    }
    ::close(fd);
}

// Puts the finished file in place; without `replace` never over an existing file, even one
// that appeared meanwhile.
void MoveIntoPlace(const std::string& from, const std::string& to, bool replace)
{
    if (replace) {
        if (std::rename(from.c_str(), to.c_str()) != 0)
            CannotCreate(to, errno);
        return;
    }
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return;
    if (errno != EINVAL && errno != ENOSYS) {
        if (errno == EEXIST)
            AlreadyExists(to);
        CannotCreate(to, errno);
    }
    // A file system that cannot rename without replacing: a hard link also refuses to replace.
    if (::link(from.c_str(), to.c_str()) != 0) {
        if (errno == EEXIST)
            AlreadyExists(to);
        CannotCreate(to, errno);
    }
    ::unlink(from.c_str());
}

} // namespace

void CheckDeckDestination(const std::string& path, bool replace)
{
    struct stat info { };
    if (!replace && ::lstat(path.c_str(), &info) == 0)
        AlreadyExists(path);
}

void WriteDeckDatabase(const std::string& path, const std::vector<TDeckRow>& rows, bool replace)
{
    CheckDeckDestination(path, replace);
    TTemporaryFile temporary(path);
    TDatabaseWriter(temporary.Path(), path).Write(rows);
    SyncFile(temporary.Path(), path);
    MoveIntoPlace(temporary.Path(), path, replace);
    temporary.Release();
}
