#pragma once
#include <string>
#include <vector>

#include "host/data/drivers/ResultSet.h"

// Copies the tables of an Access file whose names are among names (in any letter case) into a
// new in-memory SQLite database and returns that database's image. Columns are declared so that
// their kinds read back as the provider reports them: text TEXT, memo LONGTEXT (long text), OLE
// LONGBINARY (long binary), binary VARBINARY, yes/no BOOLEAN, whole numbers INTEGER, floating
// and fixed-point numbers DOUBLE, CURRENCY or DECIMAL, dates DATETIME ('YYYY-MM-DD hh:mm:ss').
// Uses libmdb, which trusts the file: run it in a child process.
TBlob ConvertAccessTables(const std::string& path, const std::vector<std::string>& names);
