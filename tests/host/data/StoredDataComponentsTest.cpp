#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "host/data/ADOConnection.h"
#include "host/data/ADOQuery.h"
#include "host/data/DataClasses.h"
#include "host/data/DataSource.h"
#include "host/ui/Properties.h"
#include "host/ui/Streaming.h"

namespace {

// The main window's data components as its layout stores them: Connected comes before the
// connection string, so it can only take effect once everything is read.
std::string Layout(const std::string& path)
{
    return R"(object Form1: TComponent
  object ADOConnection1: TADOConnection
    Connected = True
    ConnectionString = 'Provider=Microsoft.Jet.OLEDB.4.0;Data Source=)"
        + path + R"(;Persist Security Info=False'
    LoginPrompt = False
    Mode = cmShareDenyNone
    Provider = 'Microsoft.Jet.OLEDB.4.0'
  end
  object Query: TADOQuery
    Connection = ADOConnection1
    CursorType = ctKeyset
    SQL.Strings = (
      'select *from moratab')
  end
  object DataSource2: TDataSource
    DataSet = Query
  end
end
)";
}

class StoredDataComponents : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegisterClasses<TComponent>();
        RegisterDataClasses();
    }

    template <typename T> T& Find(const char* name) { return dynamic_cast<T&>(*form_.FindComponent(name)); }

    TTempFolder folder_;
    TComponent form_ { nullptr };
};

} // namespace

TEST_F(StoredDataComponents, ConnectOnceTheLayoutIsRead)
{
    const std::string path = folder_.File("db1.mdb");
    MakeSmallMoratab(path);
    ReadComponentFromString(Layout(path), &form_);

    auto& connection = Find<TADOConnection>("ADOConnection1");
    EXPECT_TRUE(connection.Connected());
    EXPECT_FALSE(connection.LoginPrompt());
    EXPECT_EQ(connection.Mode(), cmShareDenyNone);
    auto& query = Find<TADOQuery>("Query");
    EXPECT_EQ(query.Connection(), &connection);
    EXPECT_EQ(query.SQL()->Text(), "select *from moratab\n");
    EXPECT_EQ(query.CursorLocation(), clUseClient);
    EXPECT_EQ(query.LockType(), ltOptimistic);
    EXPECT_FALSE(query.Active());
    EXPECT_EQ(Find<TDataSource>("DataSource2").DataSet(), &query);
    EXPECT_EQ(GetEnumProp(&query, "CursorType"), "ctKeyset");

    query.Open();
    EXPECT_EQ(query.RecordCount(), 7);
}

TEST_F(StoredDataComponents, AFailedConnectionIsRaisedAndStaysClosed)
{
    const std::string path = folder_.File("missing.mdb");
    EXPECT_EQ(DatabaseErrorOf([&] { ReadComponentFromString(Layout(path), &form_); }), "Could not find file '" + path + "'.");
    auto& connection = Find<TADOConnection>("ADOConnection1");
    EXPECT_FALSE(connection.Connected());
    EXPECT_FALSE(connection.ComponentState().Contains(csLoading));

    // The next statement connects again.
    MakeSmallMoratab(path);
    Find<TADOQuery>("Query").Open();
    EXPECT_TRUE(connection.Connected());
}
