#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "host/data/ADOConnection.h"
#include "host/data/ADOQuery.h"

namespace {

std::string ConnectionStringFor(const std::string& path)
{
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";Persist Security Info=False";
}

class ADOQuery : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = folder_.File("db1.mdb");
        MakeSmallMoratab(path_);
        connection_->SetConnectionString(ConnectionStringFor(path_));
        query_->SetConnection(connection_);
    }

    void Run(const std::string& sql)
    {
        query_->SQL()->Clear();
        query_->SQL()->Add(sql);
        query_->Open();
    }

    int CurrentId() const { return query_->FieldByName("id").AsInteger(); }

    TTempFolder folder_;
    std::string path_;
    TComponent owner_ { nullptr };
    TADOConnection* connection_ = new TADOConnection(&owner_);
    TADOQuery* query_ = new TADOQuery(&owner_);
};

} // namespace

TEST_F(ADOQuery, OpensOnTheFirstRowAndWalksToTheLast)
{
    Run("select *from moratab where t_type='平假名' order by id");
    EXPECT_TRUE(query_->Active());
    EXPECT_EQ(query_->RecordCount(), 5);
    std::vector<int> ids;
    for (; !query_->Eof(); query_->Next())
        ids.push_back(CurrentId());
    EXPECT_EQ(ids, (std::vector<int> { 0, 1, 2, 3, 4 }));
    // Past the end the query stays open on its last row.
    EXPECT_TRUE(query_->Active());
    EXPECT_EQ(CurrentId(), 4);
    query_->First();
    EXPECT_FALSE(query_->Eof());
    EXPECT_EQ(CurrentId(), 0);
}

TEST_F(ADOQuery, AnEmptyResultIsOpenAndAtItsEnd)
{
    Run("select *from moratab where id=999");
    EXPECT_TRUE(query_->Active());
    EXPECT_TRUE(query_->Eof());
    EXPECT_EQ(query_->RecordCount(), 0);
    EXPECT_TRUE(query_->FieldByName("t_pronounce").IsNull());
    EXPECT_EQ(query_->FieldByName("t_pronounce").AsString(), "");
    EXPECT_TRUE(query_->FieldByName("t_pic").AsBytes().empty());
}

TEST_F(ADOQuery, ChangingTheStatementClosesTheQuery)
{
    Run("select *from moratab");
    EXPECT_EQ(query_->RecordCount(), 7);
    query_->SQL()->Clear();
    EXPECT_FALSE(query_->Active());
    EXPECT_EQ(DatabaseErrorOf([&] { query_->RecordCount(); }), "Cannot perform this operation on a closed dataset");
    EXPECT_EQ(DatabaseErrorOf([&] { query_->Next(); }), "Cannot perform this operation on a closed dataset");
    EXPECT_TRUE(query_->Eof());
    EXPECT_EQ(query_->FieldCount(), 0);
    query_->Close();

    query_->SQL()->Add("select *from moratab where t_type='片假名'");
    query_->SQL()->Add("and id=50");
    query_->Open();
    EXPECT_EQ(query_->RecordCount(), 1);
    EXPECT_EQ(query_->FieldByName("t_pronounce").AsString(), "i");
}

TEST_F(ADOQuery, FieldsReadTheCurrentRow)
{
    Run("select *from moratab where id=2 or id=4 order by id");
    ASSERT_EQ(query_->FieldCount(), 6);
    EXPECT_EQ(query_->Fields(4).FieldName(), "t_pic");
    EXPECT_EQ(query_->FieldByName("x").AsInteger(), 3);
    EXPECT_EQ(query_->FieldByName("Y").AsInteger(), 1);
    EXPECT_EQ(query_->FieldByName("T_PRONOUNCE").AsString(), "u");
    const TField& picture = query_->FieldByName("t_pic");
    EXPECT_TRUE(picture.IsBlob());
    EXPECT_FALSE(query_->FieldByName("t_pronounce").IsBlob());
    EXPECT_EQ(std::vector<std::uint8_t>(picture.AsBytes().begin(), picture.AsBytes().end()),
        (std::vector<std::uint8_t> { 0x42, 0x4d, 0x01, 0x02 }));

    query_->Next();
    EXPECT_TRUE(query_->FieldByName("t_pronounce").IsNull());
    EXPECT_EQ(query_->FieldByName("t_pronounce").AsString(), "");
    EXPECT_TRUE(picture.IsNull());
    EXPECT_EQ(DatabaseErrorOf([&] { query_->FieldByName("t_sound"); }), "Field 't_sound' not found");
    EXPECT_THROW(query_->Fields(6), Exception);
}

TEST_F(ADOQuery, IntegersAreReadFromTextAndNumbers)
{
    Run("select '12' as a, ' -7' as b, 2.6 as c, null as d, 'abc' as e, '1x' as f, 5000000000 as g, x'00' as h");
    EXPECT_EQ(query_->FieldByName("a").AsInteger(), 12);
    EXPECT_EQ(query_->FieldByName("b").AsInteger(), -7);
    EXPECT_EQ(query_->FieldByName("c").AsInteger(), 3);
    EXPECT_EQ(query_->FieldByName("c").AsString(), "2.6");
    EXPECT_EQ(query_->FieldByName("d").AsInteger(), 0);
    EXPECT_EQ(DatabaseErrorOf([&] { query_->FieldByName("e").AsInteger(); }), "'abc' is not a valid integer value");
    EXPECT_EQ(DatabaseErrorOf([&] { query_->FieldByName("f").AsInteger(); }), "'1x' is not a valid integer value");
    EXPECT_EQ(DatabaseErrorOf([&] { query_->FieldByName("g").AsInteger(); }), "'5000000000' is not a valid integer value");
    EXPECT_EQ(DatabaseErrorOf([&] { query_->FieldByName("h").AsInteger(); }), "Cannot access field 'h' as type Integer");
}

TEST_F(ADOQuery, AFailedOpenLeavesTheQueryClosed)
{
    EXPECT_EQ(DatabaseErrorOf([&] { Run("select *from nowhere"); }), "no such table: nowhere");
    EXPECT_FALSE(query_->Active());
    EXPECT_TRUE(connection_->Connected());
}

TEST_F(ADOQuery, OpeningConnectsAgainAfterAFailedConnection)
{
    const std::string missing = folder_.File("later.mdb");
    connection_->SetConnectionString(ConnectionStringFor(missing));
    EXPECT_EQ(DatabaseErrorOf([&] { connection_->Open(); }), "Could not find file '" + missing + "'.");
    EXPECT_FALSE(connection_->Connected());
    EXPECT_EQ(DatabaseErrorOf([&] { Run("select *from moratab"); }), "Could not find file '" + missing + "'.");
    EXPECT_FALSE(query_->Active());

    MakeSmallMoratab(missing);
    Run("select *from moratab");
    EXPECT_TRUE(connection_->Connected());
    EXPECT_EQ(query_->RecordCount(), 7);
}

TEST_F(ADOQuery, ForgetsAConnectionThatGoes)
{
    Run("select *from moratab");
    delete connection_;
    EXPECT_EQ(query_->Connection(), nullptr);
    // The rows already read stay readable.
    EXPECT_EQ(query_->RecordCount(), 7);
    query_->Close();
    EXPECT_EQ(DatabaseErrorOf([&] { query_->Open(); }), "Missing Connection or ConnectionString");
}

TEST_F(ADOQuery, TheConnectionOnlyChangesWhileClosed)
{
    EXPECT_EQ(connection_->Provider(), "Microsoft.Jet.OLEDB.4.0");
    connection_->Open();
    EXPECT_EQ(DatabaseErrorOf([&] { connection_->SetConnectionString("Data Source=x"); }),
        "Operation is not allowed when the object is open.");
    connection_->Close();

    // A string that names no provider takes the Provider property's.
    connection_->SetConnectionString("Data Source=" + path_);
    EXPECT_EQ(DatabaseErrorOf([&] { connection_->Open(); }), "Provider cannot be found. It may not be properly installed.");
    connection_->SetProvider("Microsoft.Jet.OLEDB.4.0");
    connection_->Open();
    EXPECT_TRUE(connection_->Connected());
}
