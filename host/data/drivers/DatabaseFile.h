#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/data/DatabaseError.h"

class TDatabaseDriver;

// The errors that name a database file, in the provider's words.
EDatabaseError FileNotFoundError(const std::string& path);
EDatabaseError FileOpenError(const std::string& path, std::string_view reason);
// The error for a failed system call on the file: not found, or could not open with the reason.
EDatabaseError FileAccessError(const std::string& path, int error);
EDatabaseError UnrecognizedFormatError(const std::string& path);
EDatabaseError DamagedFileError(const std::string& path, std::string_view reason);

struct TFileHead {
    std::vector<std::uint8_t> Bytes; // at most the count asked for
    std::uint64_t Size = 0;
};

// Reads the first bytes of a regular file, raising the errors above when it cannot.
TFileHead ReadFileHead(const std::string& path, size_t count);

// The file driver: resolves Data Source against the current folder and opens it read-only with
// the driver its first bytes call for (SQLite, or Access of the Jet 3, Jet 4 or ACE kind).
std::unique_ptr<TDatabaseDriver> OpenDatabaseFile(const std::string& dataSource);
