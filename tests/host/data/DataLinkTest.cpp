#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "host/data/ADOConnection.h"
#include "host/data/ADOQuery.h"
#include "host/data/DataSource.h"

namespace {

// Writes down what it hears, with the pronunciation of the row it then stands on.
class TRecordingLink : public TDataLink {
public:
    std::vector<std::string> Heard;

protected:
    void ActiveChanged() override { Heard.push_back(Active() ? "active " + Row() : "inactive"); }
    void RecordChanged() override { Heard.push_back("row " + Row()); }

private:
    std::string Row() const { return DataSet()->FieldByName("t_pronounce").AsString(); }
};

class DataLink : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string path = folder_.File("db1.mdb");
        MakeSmallMoratab(path);
        connection_->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path);
        for (TADOQuery* query : { query_, other_ }) {
            query->SetConnection(connection_);
            query->SQL()->Add("select *from moratab where t_type='片假名' order by id");
        }
        source_->SetDataSet(query_);
        link_.SetDataSource(source_);
    }

    TTempFolder folder_;
    TComponent owner_ { nullptr };
    TADOConnection* connection_ = new TADOConnection(&owner_);
    TADOQuery* query_ = new TADOQuery(&owner_);
    TADOQuery* other_ = new TADOQuery(&owner_);
    TDataSource* source_ = new TDataSource(&owner_);
    TRecordingLink link_;
};

} // namespace

TEST_F(DataLink, HearsOpeningRowChangesAndClosing)
{
    EXPECT_FALSE(link_.Active());
    query_->Open();
    query_->First();
    query_->Next();
    query_->Next(); // past the end: no other row
    query_->Close();
    query_->Open();
    query_->SQL()->Clear();
    EXPECT_EQ(link_.Heard, (std::vector<std::string> { "active a", "row a", "row i", "inactive", "active a", "inactive" }));
}

TEST_F(DataLink, HearsTheDataSetChangeEvenBetweenOpenOnes)
{
    query_->Open();
    other_->Open();
    other_->Next();
    source_->SetDataSet(other_);
    EXPECT_EQ(link_.Heard, (std::vector<std::string> { "active a", "inactive", "active i" }));
    EXPECT_EQ(link_.DataSet(), other_);
}

TEST_F(DataLink, AnOpenDataSetIsHeardOnAttaching)
{
    query_->Open();
    TRecordingLink late;
    late.SetDataSource(source_);
    EXPECT_EQ(late.Heard, (std::vector<std::string> { "active a" }));
}

TEST_F(DataLink, LetsGoOfDataSetsAndSourcesThatGo)
{
    query_->Open();
    delete query_;
    EXPECT_EQ(source_->DataSet(), nullptr);
    EXPECT_EQ(link_.Heard, (std::vector<std::string> { "active a", "inactive" }));
    delete source_;
    EXPECT_EQ(link_.DataSource(), nullptr);
    EXPECT_EQ(link_.DataSet(), nullptr);
}
