#pragma once
#include <sys/types.h>

#include <string>

#include "host/data/drivers/DatabaseDriver.h"
#include "host/data/drivers/SqliteStatement.h"

// An SQLite database file opened read-only: never created, written or journalled. Every
// statement runs in its own read transaction, so it sees the last committed state of the file;
// a file replaced meanwhile (another inode under the same name) is opened anew.
class TSqliteDriver : public TDatabaseDriver {
public:
    explicit TSqliteDriver(std::string path);
    TResultSet Execute(const std::string& sql) override;

private:
    void Open();

    std::string path_;
    TSqliteConnection db_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};
