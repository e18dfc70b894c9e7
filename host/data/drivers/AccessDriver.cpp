#include "host/data/drivers/AccessDriver.h"

#include <sqlite3.h>

#include "host/data/drivers/AccessConversion.h"
#include "host/data/drivers/ChildProcess.h"
#include "host/data/drivers/DatabaseFile.h"
#include "host/data/drivers/SqlIdentifiers.h"
#include "host/data/drivers/SqliteStatement.h"

namespace {

// Where the header page keeps the engine version: 0 is Jet 3 (2 KiB pages), later ones 4 KiB.
constexpr size_t versionOffset = 0x14;
// The header page, the first page of the free-space map and the table of all objects.
constexpr std::uint64_t minimumPages = 3;

} // namespace

TAccessDriver::TAccessDriver(std::string path)
    : path_(std::move(path))
{
    CheckFile();
}

// What can be checked before libmdb sees the file: the signature and whole pages.
void TAccessDriver::CheckFile() const
{
    TFileHead head = ReadFileHead(path_, versionOffset + 1);
    if (head.Bytes.size() <= versionOffset)
        throw DamagedFileError(path_, "it is shorter than its header");
    std::uint64_t pageSize = head.Bytes[versionOffset] == 0 ? 2048 : 4096;
    if (head.Size % pageSize != 0)
        throw DamagedFileError(path_, "its size is not a whole number of " + std::to_string(pageSize) + "-byte pages");
    if (head.Size < minimumPages * pageSize)
        throw DamagedFileError(path_, "it is shorter than the pages every database has");
}

TResultSet TAccessDriver::Execute(const std::string& sql)
{
    CheckFile();
    std::vector<std::string> names = SqlIdentifiers(sql);
    TBlob image = ReadInChildProcess(path_, [&] { return ConvertAccessTables(path_, names); });

    sqlite3* raw = nullptr;
    int code = sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE, nullptr);
    TSqliteConnection db(raw);
    if (code != SQLITE_OK)
        throw EDatabaseError(sqlite3_errstr(code));
    if (!image.empty()) {
        auto* bytes = static_cast<unsigned char*>(sqlite3_malloc64(image.size()));
        if (!bytes)
            throw EDatabaseError(sqlite3_errstr(SQLITE_NOMEM));
        std::copy(image.begin(), image.end(), bytes);
        auto size = static_cast<sqlite3_int64>(image.size());
        code = sqlite3_deserialize(
            db.get(), "main", bytes, size, size, SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY);
        if (code != SQLITE_OK)
            throw EDatabaseError(sqlite3_errstr(code));
    }
    AllowReadingOnly(db.get());
    return RunStatement(db.get(), sql, path_);
}
