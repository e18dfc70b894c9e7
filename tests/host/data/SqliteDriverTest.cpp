#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "host/data/drivers/DatabaseDriver.h"
#include "host/data/drivers/SqliteStatement.h"

namespace {

std::unique_ptr<TDatabaseDriver> Connect(const std::string& path)
{
    return ConnectDriver("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";Persist Security Info=False");
}

std::vector<std::int64_t> Ids(const TResultSet& result)
{
    std::vector<std::int64_t> ids;
    for (int row = 0; row < result.RecordCount(); ++row)
        ids.push_back(IntegerAt(result, row, "id"));
    return ids;
}

class SqliteDriver : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = folder_.File("db1.mdb");
        MakeSmallMoratab(path_);
        driver_ = Connect(path_);
    }

    TTempFolder folder_;
    std::string path_;
    std::unique_ptr<TDatabaseDriver> driver_;
};

} // namespace

TEST_F(SqliteDriver, RunsTheKanaStatementsAsWritten)
{
    EXPECT_EQ(Ids(driver_->Execute("select *from moratab where t_type='平假名' order by id")),
        (std::vector<std::int64_t> { 0, 1, 2, 3, 4 }));
    EXPECT_EQ(
        Ids(driver_->Execute("select *from moratab where t_type='片假名' order by id")), (std::vector<std::int64_t> { 49, 50 }));
    EXPECT_EQ(driver_->Execute("select *from moratab").RecordCount(), 7);
    EXPECT_EQ(driver_->Execute("select *from moratab where t_type='平假名'").RecordCount(), 5);
    EXPECT_EQ(driver_->Execute("select *from moratab where t_type='片假名'").RecordCount(), 2);
    EXPECT_EQ(Ids(driver_->Execute("select *from moratab where id=50")), (std::vector<std::int64_t> { 50 }));
    EXPECT_EQ(Ids(driver_->Execute("select *from moratab where t_type='平假名'and id=3")), (std::vector<std::int64_t> { 3 }));
    EXPECT_EQ(Ids(driver_->Execute("select *from moratab where t_type='片假名'and id=49")), (std::vector<std::int64_t> { 49 }));
}

TEST_F(SqliteDriver, ReportsColumnsWithTheirKindsAndValues)
{
    TResultSet result = driver_->Execute("select *from moratab where id=1");
    ASSERT_EQ(result.Columns().size(), 6u);
    const char* names[] = { "id", "t_type", "x", "y", "t_pic", "t_pronounce" };
    TFieldType types[] = { TFieldType::ftInteger, TFieldType::ftString, TFieldType::ftInteger, TFieldType::ftInteger,
        TFieldType::ftBlob, TFieldType::ftString };
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(result.Columns()[i].Name, names[i]);
        EXPECT_EQ(result.Columns()[i].DataType, types[i]) << names[i];
    }
    EXPECT_TRUE(IsBlobType(result.Columns()[4].DataType));
    EXPECT_EQ(TextAt(result, 0, "t_type"), "平假名");
    EXPECT_EQ(IntegerAt(result, 0, "x"), 2);
    EXPECT_EQ(std::get<TBlob>(result.Value(0, result.FindColumn("t_pic"))), (TBlob { 0x42, 0x4d, 0x01, 0x01 }));
    EXPECT_EQ(result.FindColumn("T_Pronounce"), 5);
    EXPECT_EQ(result.FindColumn("t_pronunciation"), -1);
}

TEST_F(SqliteDriver, NullsStayNullAndKeepTheDeclaredKind)
{
    TResultSet result = driver_->Execute("select *from moratab where id=4");
    ASSERT_EQ(result.RecordCount(), 1);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(result.Value(0, result.FindColumn("t_pic"))));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(result.Value(0, result.FindColumn("t_pronounce"))));
    EXPECT_EQ(result.Columns()[4].DataType, TFieldType::ftBlob);
}

TEST_F(SqliteDriver, AnEmptyResultHasItsColumnsAndNoRows)
{
    for (const char* sql : { "select *from moratab where id=98", "select *from moratab where t_type='片假名'and id=3" }) {
        TResultSet result = driver_->Execute(sql);
        EXPECT_EQ(result.RecordCount(), 0) << sql;
        EXPECT_EQ(result.Columns().size(), 6u) << sql;
    }
}

TEST_F(SqliteDriver, UndeclaredColumnsTakeTheirKindFromTheValues)
{
    TResultSet result = driver_->Execute("select count(*) as n, 1.5 as f, 'a' as s, x'00ff' as b, null as z, "
                                         "(select t_pic from moratab where id=4) as p from moratab");
    EXPECT_EQ(result.Columns()[0].DataType, TFieldType::ftInteger);
    EXPECT_EQ(result.Columns()[1].DataType, TFieldType::ftFloat);
    EXPECT_EQ(result.Columns()[2].DataType, TFieldType::ftString);
    EXPECT_EQ(result.Columns()[3].DataType, TFieldType::ftBlob);
    EXPECT_EQ(result.Columns()[4].DataType, TFieldType::ftString);
    EXPECT_EQ(std::get<double>(result.Value(0, 1)), 1.5);
}

TEST(FieldTypeFromDeclaration, AccessAndSqliteSpellings)
{
    EXPECT_EQ(FieldTypeFromDeclaration("BOOLEAN"), TFieldType::ftBoolean);
    EXPECT_EQ(FieldTypeFromDeclaration("longbinary"), TFieldType::ftBlob);
    EXPECT_EQ(FieldTypeFromDeclaration("OLEOBJECT"), TFieldType::ftBlob);
    EXPECT_EQ(FieldTypeFromDeclaration("VARBINARY(16)"), TFieldType::ftVarBytes);
    EXPECT_EQ(FieldTypeFromDeclaration("LONGTEXT"), TFieldType::ftMemo);
    EXPECT_EQ(FieldTypeFromDeclaration("Memo"), TFieldType::ftMemo);
    EXPECT_EQ(FieldTypeFromDeclaration("BIGINT"), TFieldType::ftInteger);
    EXPECT_EQ(FieldTypeFromDeclaration("VARCHAR(255)"), TFieldType::ftString);
    EXPECT_EQ(FieldTypeFromDeclaration("CURRENCY"), TFieldType::ftFloat);
    EXPECT_EQ(FieldTypeFromDeclaration("DATETIME"), TFieldType::ftDateTime);
    EXPECT_EQ(FieldTypeFromDeclaration(""), std::nullopt);
    EXPECT_EQ(FieldTypeFromDeclaration("ANY"), std::nullopt);
}

TEST_F(SqliteDriver, StatementErrorsCarryTheDatabasesText)
{
    EXPECT_EQ(DatabaseErrorOf([&] { driver_->Execute("select *from kana"); }), "no such table: kana");
    EXPECT_EQ(DatabaseErrorOf([&] { driver_->Execute("select * from moratab; select 1"); }),
        "Characters found after end of SQL statement.");
    EXPECT_EQ(DatabaseErrorOf([&] { driver_->Execute("  "); }),
        "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'.");
    EXPECT_EQ(driver_->Execute("select 1;  ").RecordCount(), 1);
}

TEST_F(SqliteDriver, NeverWritesTheFileNorBesideIt)
{
    struct stat before { };
    ASSERT_EQ(::stat(path_.c_str(), &before), 0);
    std::vector<std::uint8_t> bytes = ReadBytes(path_);

    driver_->Execute("select *from moratab where t_type='平假名' order by id");
    for (const char* sql : { "insert into moratab(id) values(99)", "update moratab set x=0", "delete from moratab",
             "create table t(a)", "begin", "pragma journal_mode=wal", "attach 'other.db' as other", "vacuum into 'copy.db'" }) {
        EXPECT_NE(DatabaseErrorOf([&] { driver_->Execute(sql); }), "") << sql;
    }
    driver_ = Connect(path_);
    driver_->Execute("select *from moratab");
    driver_.reset();

    struct stat after { };
    ASSERT_EQ(::stat(path_.c_str(), &after), 0);
    EXPECT_EQ(ReadBytes(path_), bytes);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.Path()))
        files.push_back(entry.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string> { "db1.mdb" });
}

TEST_F(SqliteDriver, EachStatementSeesTheFileAsItIsThen)
{
    EXPECT_EQ(driver_->Execute("select *from moratab").RecordCount(), 7);
    // Another program writes while the connection stays open: no lock of ours stands in its way.
    ExecuteWriting(path_, "INSERT INTO moratab VALUES(51, '片假名', 3, 1, NULL, 'u')");
    EXPECT_EQ(driver_->Execute("select *from moratab").RecordCount(), 8);
    ExecuteWriting(path_, "UPDATE moratab SET t_pronounce='ka' WHERE id=51");
    EXPECT_EQ(TextAt(driver_->Execute("select *from moratab where id=51"), 0, "t_pronounce"), "ka");

    // A new file put in its place, as a copy over it or a tool that writes anew would.
    std::string fresh = folder_.File("fresh.db");
    ExecuteWriting(fresh, "CREATE TABLE moratab(id INTEGER, t_pronounce TEXT); INSERT INTO moratab VALUES(7, 'new')");
    std::filesystem::rename(fresh, path_);
    EXPECT_EQ(TextAt(driver_->Execute("select *from moratab"), 0, "t_pronounce"), "new");

    std::filesystem::remove(path_);
    EXPECT_EQ(DatabaseErrorOf([&] { driver_->Execute("select *from moratab"); }), "Could not find file '" + path_ + "'.");
}

TEST_F(SqliteDriver, AColumnDroppedByAnotherProgramTakesNoValuesWithIt)
{
    // The statement is run once first, so the connection holds the table as it was.
    EXPECT_EQ(TextAt(driver_->Execute("select *from moratab where id=1"), 0, "t_pronounce"), "i");
    ExecuteWriting(path_, "ALTER TABLE moratab DROP COLUMN t_pic");
    TResultSet result = driver_->Execute("select *from moratab where id=1");
    std::vector<std::string> names;
    for (const TResultColumn& column : result.Columns())
        names.push_back(column.Name);
    EXPECT_EQ(names, (std::vector<std::string> { "id", "t_type", "x", "y", "t_pronounce" }));
    EXPECT_EQ(TextAt(result, 0, "t_pronounce"), "i");
}
