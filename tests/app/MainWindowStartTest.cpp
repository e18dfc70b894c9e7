// The main window as the program starts and ends.
#include <csignal>

#include "AppTestSupport.h"
#include "host/data/ADOConnection.h"
#include "host/win/QuitSignals.h"
#include "host/win/Window.h"
#include "skin/frame/SUIForm.h"

namespace {

std::vector<TDeckRow> SmallDeck()
{
    return { Kana(0, kHiraganaType, 1, 1, "a"), Kana(49, kKatakanaType, 1, 1, "a") };
}

} // namespace

TEST_F(MainWindowTest, StartsOnTheRandomDrawPageWithNothingDrawn)
{
    WriteDatabase(SmallDeck());
    Start();
    TForm1& form = Form();
    EXPECT_TRUE(Session().Errors().empty());
    EXPECT_EQ(form.suiPageControl1->ActivePage(), form.suiTabSheet3);
    EXPECT_TRUE(form.suiTabSheet3->Visible());
    // The pages in their stored order, whatever order the sheets were read in; the practice
    // page after the three.
    ASSERT_EQ(form.suiPageControl1->PageCount(), 4);
    EXPECT_EQ(form.suiPageControl1->Pages(0), form.suiTabSheet1);
    EXPECT_EQ(form.suiPageControl1->Pages(1), form.suiTabSheet2);
    EXPECT_EQ(form.suiPageControl1->Pages(2), form.suiTabSheet3);
    EXPECT_EQ(form.suiPageControl1->Pages(3), form.suiTabSheet4);
    const TStrings& tabs = form.suiPageControl1->TopPanel()->Tabs();
    ASSERT_EQ(tabs.Count(), 4);
    EXPECT_EQ(tabs.Strings(0), "平假名");
    EXPECT_EQ(tabs.Strings(1), "片假名");
    EXPECT_EQ(tabs.Strings(2), "随机抽取");
    EXPECT_EQ(tabs.Strings(3), "练习");
    EXPECT_EQ(form.suiPageControl1->TopPanel()->TabIndex(), 2);
    EXPECT_FALSE(form.suiTabSheet1->Enabled());
    EXPECT_FALSE(form.suiTabSheet2->Enabled());
    EXPECT_TRUE(form.R3->Checked());
    EXPECT_FALSE(form.R1->Checked());
    EXPECT_FALSE(form.R2->Checked());
    // No statement has run: the change event is not raised while the layout is read.
    EXPECT_EQ(SqlText, "");
    EXPECT_EQ(DrawnId, 0);
    EXPECT_FALSE(form.Query->Active());
    EXPECT_FALSE(form.Query1->Active());
    EXPECT_TRUE(form.ADOConnection1->Connected());
    EXPECT_EQ(form.DBImage1->Picture().Width(), 0);
    EXPECT_EQ(form.Label2->Caption(), "");
    EXPECT_EQ(form.Label1->Caption(), "鼠标移动到图片上可以查看发音");
    EXPECT_EQ(form.Hint(), "");
    EXPECT_EQ(PictureLoader, nullptr);
    EXPECT_TRUE(Cells(form.ScrollBox1).empty());
}

TEST_F(MainWindowTest, TheWindowIsTheSkinnedMoraleafWindowCentredOnTheScreen)
{
    WriteDatabase(SmallDeck());
    Start();
    TForm1& form = Form();
    EXPECT_TRUE(form.Showing());
    EXPECT_EQ(GetWindowText(form.Handle()), "Moraleaf");
    EXPECT_EQ(form.suiForm1->Caption(), "Moraleaf");
    EXPECT_EQ(form.suiForm1->UIStyle(), MacOS);
    EXPECT_FALSE(form.suiForm1->UIStyleAutoUpdateSub());
    EXPECT_EQ(form.suiButton1->UIStyle(), WinXP);
    EXPECT_EQ(form.R1->UIStyle(), MacOS);
    EXPECT_EQ(form.suiPageControl1->UIStyle(), MacOS);
    EXPECT_EQ(form.Constraints().MinWidth(), 130);
    // The skinned form took the caption away: the window is its client area.
    EXPECT_EQ(form.ClientWidth(), 676);
    EXPECT_EQ(form.ClientHeight(), 400);
    const TRect work
        = { 0, 0, THeadlessBackend::kScreenWidth, THeadlessBackend::kScreenHeight - THeadlessBackend::kTaskBarHeight };
    EXPECT_NEAR(form.Left(), (work.Width() - form.Width()) / 2, 1);
    EXPECT_NEAR(form.Top(), (work.Height() - form.Height()) / 2, THeadlessBackend::kTaskBarHeight / 2 + 1);
    // Each page lies below the title bar and the tabs.
    EXPECT_GT(InWindow(form.suiTabSheet3, 0, 0).Y, 23);
}

TEST_F(MainWindowTest, WithoutTheDatabaseTheErrorShowsOnceAndTheWindowStillComesUp)
{
    Start();
    ASSERT_EQ(Session().Errors().size(), 1u);
    EXPECT_NE(Session().Errors()[0].find("db1.mdb"), std::string::npos) << Session().Errors()[0];
    TForm1& form = Form();
    EXPECT_TRUE(form.Showing());
    EXPECT_EQ(form.suiPageControl1->ActivePage(), form.suiTabSheet3);
    EXPECT_FALSE(form.ADOConnection1->Connected());

    // Each statement tries again: still missing, then found.
    Play(ClickControl(form.suiButton1));
    EXPECT_EQ(Session().Errors().size(), 2u);
    WriteDatabase(SmallDeck());
    Play(ClickControl(form.suiButton1));
    EXPECT_EQ(Session().Errors().size(), 2u);
    EXPECT_TRUE(form.Query->Active());
}

TEST_F(MainWindowTest, ClosingTheWindowClosesTheChartQueryAndEndsTheProgram)
{
    WriteDatabase(SmallDeck());
    Start();
    Play(ClickTab(0));
    ASSERT_TRUE(Form().Query1->Active());
    Session().Close();
    EXPECT_FALSE(Form().Query1->Active());
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(Session().Errors().empty());
}

TEST_F(MainWindowTest, AQuitSignalClosesTheWindowThroughItsCloseHandler)
{
    CatchQuitSignals();
    WriteDatabase(SmallDeck());
    Start();
    Play(ClickTab(0));
    ASSERT_TRUE(Form().Query1->Active());
    ASSERT_EQ(std::raise(SIGTERM), 0);
    Play("wait 1\n");
    EXPECT_FALSE(Form().Query1->Active());
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(Session().Errors().empty());
}

TEST_F(MainWindowTest, ClosingBeforeAnyChartClosesTheClosedQueryWithoutError)
{
    WriteDatabase(SmallDeck());
    Start();
    Session().Close();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(Session().Errors().empty());
}

TEST_F(MainWindowTest, ReleasingTheWindowLeavesNoSlotPointingAtItsCells)
{
    WriteDatabase(SmallDeck());
    Start();
    Play(ClickTab(0) + ClickTab(1));
    ASSERT_NE(KanaImages[0][0], nullptr);
    TearDown();
    EXPECT_EQ(KanaImages[0][0], nullptr);
    EXPECT_EQ(PictureLoader, nullptr);
    SetUp();
}
