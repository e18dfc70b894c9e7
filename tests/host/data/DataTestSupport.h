#pragma once
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/data/DatabaseError.h"
#include "host/data/drivers/ResultSet.h"

// A fresh folder removed with everything in it at the end of the test.
class TTempFolder {
public:
    TTempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "moraleaf-data-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    ~TTempFolder() { std::filesystem::remove_all(path_); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Runs statements on a writable connection of its own, as another program would.
inline void ExecuteWriting(const std::string& path, const std::string& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    char* message = nullptr;
    int code = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
    std::string text = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(db);
    ASSERT_EQ(code, SQLITE_OK) << text;
}

// The kana table with a few rows of each kind, stored out of id order; the last hiragana row
// has neither picture nor pronunciation.
inline void MakeSmallMoratab(const std::string& path)
{
    ExecuteWriting(path,
        "CREATE TABLE moratab(id INTEGER PRIMARY KEY, t_type TEXT, x INTEGER, y INTEGER, t_pic BLOB, t_pronounce TEXT);"
        "INSERT INTO moratab VALUES(2, '平假名', 3, 1, x'424d0102', 'u');"
        "INSERT INTO moratab VALUES(0, '平假名', 1, 1, x'424d0100', 'a');"
        "INSERT INTO moratab VALUES(50, '片假名', 2, 1, x'424d0201', 'i');"
        "INSERT INTO moratab VALUES(3, '平假名', 4, 1, x'424d0103', 'e');"
        "INSERT INTO moratab VALUES(49, '片假名', 1, 1, x'424d0200', 'a');"
        "INSERT INTO moratab VALUES(1, '平假名', 2, 1, x'424d0101', 'i');"
        "INSERT INTO moratab VALUES(4, '平假名', 5, 1, NULL, NULL);");
}

inline std::int64_t IntegerAt(const TResultSet& result, int row, const char* column)
{
    return std::get<std::int64_t>(result.Value(row, result.FindColumn(column)));
}

inline std::string TextAt(const TResultSet& result, int row, const char* column)
{
    return std::get<std::string>(result.Value(row, result.FindColumn(column)));
}

// Runs call and returns the message of the EDatabaseError it raises ("" when none).
template <typename Call> std::string DatabaseErrorOf(Call call)
{
    try {
        call();
    } catch (const EDatabaseError& e) {
        return e.Message();
    }
    return "";
}

inline std::uint64_t Fnv1a(const std::vector<std::uint8_t>& bytes)
{
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (std::uint8_t b : bytes)
        hash = (hash ^ b) * 0x100000001b3ULL;
    return hash;
}
