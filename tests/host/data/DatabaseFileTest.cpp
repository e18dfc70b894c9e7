#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "host/data/drivers/DatabaseDriver.h"
#include "host/data/drivers/DatabaseFile.h"

namespace {

// Runs in folder, then returns to where the test program was started.
class TWorkingFolder {
public:
    explicit TWorkingFolder(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    TWorkingFolder(const TWorkingFolder&) = delete;
    TWorkingFolder& operator=(const TWorkingFolder&) = delete;
    ~TWorkingFolder() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};

std::string OpenError(const std::string& dataSource)
{
    return DatabaseErrorOf([&] { ConnectDriver("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + dataSource); });
}

} // namespace

TEST(DatabaseFile, AMissingFileIsNamedWithItsFullPath)
{
    TTempFolder folder;
    TWorkingFolder inside(folder.Path());
    EXPECT_EQ(OpenError("db1.mdb"), "Could not find file '" + folder.File("db1.mdb") + "'.");
    EXPECT_EQ(OpenError("sub/../db1.mdb"), "Could not find file '" + folder.File("db1.mdb") + "'.");
    EXPECT_EQ(OpenError(""), "Could not find file ''.");
}

TEST(DatabaseFile, ARelativeDataSourceIsFoundInTheWorkingFolder)
{
    TTempFolder folder;
    MakeSmallMoratab(folder.File("db1.mdb"));
    TWorkingFolder inside(folder.Path());
    auto driver = ConnectDriver("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=db1.mdb;Persist Security Info=False");
    EXPECT_EQ(driver->Execute("select *from moratab where t_type='平假名'and id=3").RecordCount(), 1);
}

TEST(DatabaseFile, WhatIsNoDatabaseIsRefusedByName)
{
    TTempFolder folder;
    EXPECT_EQ(OpenError(folder.Path().string()), "Could not open file '" + folder.Path().string() + "': Is a directory.");

    std::string text = folder.File("notes.mdb");
    WriteBytes(text, { 'h', 'e', 'l', 'l', 'o' });
    EXPECT_EQ(OpenError(text), "Unrecognized database format '" + text + "'.");
    std::string empty = folder.File("empty.mdb");
    WriteBytes(empty, {});
    EXPECT_EQ(OpenError(empty), "Unrecognized database format '" + empty + "'.");
    // A signature cut short is no signature.
    std::string cut = folder.File("cut.mdb");
    WriteBytes(cut, { 'S', 'Q', 'L', 'i', 't', 'e', ' ', 'f', 'o', 'r', 'm', 'a', 't', ' ', '3' });
    EXPECT_EQ(OpenError(cut), "Unrecognized database format '" + cut + "'.");
}

TEST(DatabaseFile, AnUnreadableFileIsNamedWithTheReason)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    TTempFolder folder;
    std::string path = folder.File("db1.mdb");
    MakeSmallMoratab(path);
    ::chmod(path.c_str(), 0);
    EXPECT_EQ(OpenError(path), "Could not open file '" + path + "': Permission denied.");
}

TEST(DatabaseFile, ATruncatedSqliteFileFailsOnItsStatements)
{
    TTempFolder folder;
    std::string path = folder.File("db1.mdb");
    ExecuteWriting(path,
        "CREATE TABLE moratab(id INTEGER PRIMARY KEY, t_pic BLOB);"
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n WHERE i<97)"
        " INSERT INTO moratab SELECT i, randomblob(2000) FROM n;");
    std::vector<std::uint8_t> bytes = ReadBytes(path);
    for (size_t size : { size_t(100), size_t(4096), bytes.size() / 2 }) {
        WriteBytes(path, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)));
        std::string message = DatabaseErrorOf([&] {
            auto driver = ConnectDriver("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path);
            driver->Execute("select *from moratab");
        });
        EXPECT_EQ(message.rfind("Database file '" + path + "' is damaged: ", 0), 0u) << size << ": " << message;
    }
}
