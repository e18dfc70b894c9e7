#include <gtest/gtest.h>
#include <sqlite3.h>

#include "DataTestSupport.h"
#include "host/data/ADOConnection.h"
#include "host/data/ADOQuery.h"
#include "host/data/DBImage.h"
#include "host/gfx/KanaPicture.h"
#include "host/sys/Exception.h"
#include "tests/host/ui/ControlTestSupport.h"

namespace {

TBitmap SolidPicture(int width, int height, TColor color)
{
    TBitmap picture(width, height);
    picture.Canvas().Brush().Color = color;
    picture.Canvas().FillRect({ 0, 0, width, height });
    return picture;
}

void InsertRow(const std::string& path, int id, const std::vector<std::uint8_t>& pic)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(
        sqlite3_prepare_v2(db, "INSERT INTO moratab VALUES(?, '平假名', 1, 1, ?, 'a')", -1, &statement, nullptr), SQLITE_OK);
    sqlite3_bind_int(statement, 1, id);
    sqlite3_bind_blob(statement, 2, pic.data(), static_cast<int>(pic.size()), SQLITE_TRANSIENT);
    EXPECT_EQ(sqlite3_step(statement), SQLITE_DONE);
    sqlite3_finalize(statement);
    sqlite3_close(db);
}

class DBImageTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        path_ = folder_.File("db1.mdb");
        ExecuteWriting(path_,
            "CREATE TABLE moratab(id INTEGER PRIMARY KEY, t_type TEXT, x INTEGER, y INTEGER, t_pic BLOB, t_pronounce TEXT);"
            "CREATE TABLE texts(id INTEGER PRIMARY KEY, t_pic TEXT);"
            "INSERT INTO texts VALUES(1, 'no picture');");
        InsertRow(path_, 1, KanaPictureBlob(SolidPicture(20, 10, clRed)));
        InsertRow(path_, 2, KanaPictureBlob(SolidPicture(30, 40, clBlue)));
        InsertRow(path_, 3, { 'X', 'Y', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15 });
        connection_->SetConnectionString(
            "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path_ + ";Persist Security Info=False");
        query_->SetConnection(connection_);
        source_->SetDataSet(query_);
        image_->SetDataSource(source_);
        image_->SetDataField("t_pic");
    }

    void TearDown() override
    {
        delete owner_;
        ControlTest::TearDown();
    }

    void Run(const std::string& sql)
    {
        query_->SQL()->Clear();
        query_->SQL()->Add(sql);
        query_->Open();
    }

    TTempFolder folder_;
    std::string path_;
    TComponent* owner_ = new TComponent(nullptr);
    TADOConnection* connection_ = new TADOConnection(owner_);
    TADOQuery* query_ = new TADOQuery(owner_);
    TDataSource* source_ = new TDataSource(owner_);
    TDBImage* image_ = new TDBImage(owner_);
};

} // namespace

TEST_F(DBImageTest, FollowsTheCurrentRowWhileOpenAndEmptiesOnClose)
{
    EXPECT_EQ(image_->Picture().Graphic(), nullptr);
    Run("select *from moratab where id<3 order by id");
    EXPECT_EQ(image_->Picture().Width(), 20);
    EXPECT_EQ(image_->Picture().Height(), 10);
    EXPECT_EQ(image_->Picture().Graphic()->Canvas().GetPixel(5, 5), clRed);
    query_->Next();
    EXPECT_EQ(image_->Picture().Width(), 30);
    EXPECT_EQ(image_->Picture().Graphic()->Canvas().GetPixel(5, 5), clBlue);
    query_->Close();
    EXPECT_EQ(image_->Picture().Graphic(), nullptr);
    // An empty result leaves the picture empty too.
    Run("select *from moratab where id=999");
    EXPECT_EQ(image_->Picture().Width(), 0);
}

TEST_F(DBImageTest, AColumnThatHoldsNoLargeObjectLeavesThePictureEmpty)
{
    Run("select *from texts");
    EXPECT_TRUE(query_->Active());
    EXPECT_EQ(image_->Picture().Graphic(), nullptr);
}

TEST_F(DBImageTest, AMissingFieldIsReported)
{
    image_->SetDataField("nothing");
    EXPECT_EQ(DatabaseErrorOf([&] { Run("select *from moratab"); }), "Field 'nothing' not found");
}

TEST_F(DBImageTest, ABrokenPictureStopsWhoeverMovedTheQuery)
{
    try {
        Run("select *from moratab where id=3");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Bitmap image is not valid");
    }
    EXPECT_EQ(image_->Picture().Width(), 0);
    // The next good row shows again.
    Run("select *from moratab where id=2");
    EXPECT_EQ(image_->Picture().Width(), 30);
}

TEST_F(DBImageTest, ForgetsADataSourceThatGoes)
{
    delete source_;
    EXPECT_EQ(image_->DataSource(), nullptr);
    Run("select *from moratab");
    EXPECT_EQ(image_->Picture().Graphic(), nullptr);
}

TEST_F(DBImageTest, PaintsThePictureCentredInsideItsBorder)
{
    TForm* form = ShownForm(300, 300);
    form->SetColor(clWhite);
    image_->SetParent(form);
    image_->SetBounds(10, 10, 170, 170);
    image_->SetColor(clWhite);
    Run("select *from moratab where id=2");
    DispatchPendingMessages();
    TBitmap shot = desk->CaptureWindow(form->Handle());
    // 30 x 40 in the 166 x 166 inside of the border: from (80, 75) to (110, 115) on the form.
    EXPECT_EQ(shot.Canvas().GetPixel(10 + 2 + 68, 10 + 2 + 63), clBlue);
    EXPECT_EQ(shot.Canvas().GetPixel(10 + 2 + 68 + 29, 10 + 2 + 63 + 39), clBlue);
    EXPECT_EQ(shot.Canvas().GetPixel(10 + 2 + 67, 10 + 2 + 63), clWhite);
    EXPECT_EQ(shot.Canvas().GetPixel(10 + 2 + 68 + 30, 10 + 2 + 63), clWhite);
    EXPECT_EQ(shot.Canvas().GetPixel(10 + 2 + 68, 10 + 2 + 63 + 40), clWhite);
    // The border is drawn, and nothing of the picture falls outside it.
    EXPECT_EQ(shot.Canvas().GetPixel(10, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(shot.Canvas().GetPixel(11, 90), ColorToRGB(clWindowFrame));
    query_->Close();
    DispatchPendingMessages();
    shot = desk->CaptureWindow(form->Handle());
    EXPECT_EQ(shot.Canvas().GetPixel(10 + 2 + 80, 10 + 2 + 80), clWhite);
}
