#pragma once
#include <string>

#include "host/data/drivers/DatabaseDriver.h"

// An Access file (Jet 3, Jet 4 or ACE), read with libmdb. For every statement the tables it
// names are copied afresh into an in-memory SQLite database, which runs the statement; so each
// statement sees the file as it is then, and a large file is never converted whole. No copy is
// kept between statements: Access rewrites pages in place, and a size and modification time that
// look unchanged can hide a write made within the same clock tick. libmdb does
// not guard against damaged files, so the copy is made in a child process.
class TAccessDriver : public TDatabaseDriver {
public:
    explicit TAccessDriver(std::string path);
    TResultSet Execute(const std::string& sql) override;

private:
    void CheckFile() const;

    std::string path_;
};
