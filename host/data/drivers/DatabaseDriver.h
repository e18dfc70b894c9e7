#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "host/data/drivers/ResultSet.h"

// An open database that runs statements; it only ever reads.
class TDatabaseDriver {
public:
    virtual ~TDatabaseDriver() = default;
    // Runs one statement against the database as it is now and reads its whole result.
    virtual TResultSet Execute(const std::string& sql) = 0;
};

// Opens the database a connection string names: the provider selects the driver (the Jet and
// ACE providers select the file driver, which opens Data Source). Failures raise EDatabaseError.
std::unique_ptr<TDatabaseDriver> ConnectDriver(std::string_view connectionString);
