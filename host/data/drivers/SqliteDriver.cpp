#include "host/data/drivers/SqliteDriver.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <cerrno>

#include "host/data/drivers/DatabaseFile.h"

namespace {

// Waits this long for a writer that holds the file locked while it commits.
constexpr int busyTimeoutMs = 2000;

// A file: URI for an absolute path; the characters that end the path part are escaped.
std::string ReadOnlyUri(const std::string& path)
{
    std::string uri = "file:";
    for (char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            static const char hex[] = "0123456789ABCDEF";
            uri += '%';
            uri += hex[static_cast<unsigned char>(c) >> 4];
            uri += hex[static_cast<unsigned char>(c) & 15];
        } else {
            uri += c;
        }
    }
    return uri + "?mode=ro";
}

} // namespace

TSqliteDriver::TSqliteDriver(std::string path)
    : path_(std::move(path))
{
    Open();
}

void TSqliteDriver::Open()
{
    struct stat info { };
    if (::stat(path_.c_str(), &info) != 0)
        throw FileAccessError(path_, errno);
    sqlite3* raw = nullptr;
    int code = sqlite3_open_v2(
        ReadOnlyUri(path_).c_str(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    TSqliteConnection db(raw);
    if (code != SQLITE_OK)
        throw FileOpenError(path_, sqlite3_errstr(code));
    sqlite3_busy_timeout(db.get(), busyTimeoutMs);
    AllowReadingOnly(db.get());
    db_ = std::move(db);
    device_ = info.st_dev;
    inode_ = info.st_ino;
}

TResultSet TSqliteDriver::Execute(const std::string& sql)
{
    struct stat info { };
    if (::stat(path_.c_str(), &info) != 0)
        throw FileAccessError(path_, errno);
    if (info.st_dev != device_ || info.st_ino != inode_)
        Open();
    return RunStatement(db_.get(), sql, path_);
}
