// The hiragana and katakana charts, built each time their page is chosen.
#include "AppTestSupport.h"
#include "tools/kit/KanaDeck.h"

namespace {

constexpr const char* kHiraganaChart = "select *from moratab where t_type='平假名' order by id";
constexpr const char* kKatakanaChart = "select *from moratab where t_type='片假名' order by id";

TPoint GridPosition(int x, int y)
{
    return { (x - 1) * 100 + 10, (y - 1) * 100 + 10 };
}

} // namespace

TEST_F(MainWindowTest, TheDefaultDeckGivesTwoChartsOfFortyNineCells)
{
    WriteDatabase(DefaultKanaDeck());
    Start();
    Play(ClickTab(0) + ClickTab(1));
    ASSERT_TRUE(Session().Errors().empty()) << Session().Errors()[0];
    TForm1& form = Form();
    for (TScrollBox* box : { form.ScrollBox1, form.ScrollBox2 }) {
        const std::vector<TImage*> cells = Cells(box);
        ASSERT_EQ(cells.size(), 49u);
        for (TImage* cell : cells) {
            EXPECT_EQ(cell->Owner(), &form);
            EXPECT_EQ(cell->Width(), 100);
            EXPECT_EQ(cell->Height(), 100);
            EXPECT_EQ((cell->Left() - 10) % 100, 0);
            EXPECT_EQ((cell->Top() - 10) % 100, 0);
            EXPECT_EQ(cell->Picture().Width(), kKanaPictureSide);
            EXPECT_FALSE(cell->Hint().empty());
            EXPECT_TRUE(cell->ShowHint());
            EXPECT_EQ(cell->Cursor(), crHandPoint);
        }
    }
    EXPECT_EQ(SqlText, kKatakanaChart);
    EXPECT_EQ(form.suiPageControl1->ActivePage(), form.suiTabSheet2);
}

TEST_F(MainWindowTest, AChartCellSitsAtItsGridPlaceWithItsPictureAndPronunciation)
{
    WriteDatabase({
        Kana(2, kHiraganaType, 3, 2, "u", SolidPicture(30, 40, clBlue)),
        Kana(0, kHiraganaType, 1, 1, "a", SolidPicture(20, 10, clRed)),
        Kana(49, kKatakanaType, 1, 1, "A"),
    });
    Start();
    Play(ClickTab(0));
    TForm1& form = Form();
    EXPECT_EQ(form.suiPageControl1->ActivePage(), form.suiTabSheet1);
    EXPECT_EQ(SqlText, kHiraganaChart);
    const std::vector<TImage*> cells = Cells(form.ScrollBox1);
    ASSERT_EQ(cells.size(), 2u);
    // Placed in id order.
    EXPECT_EQ(cells[0]->BoundsRect(), Bounds(GridPosition(1, 1).X, GridPosition(1, 1).Y, 100, 100));
    EXPECT_EQ(cells[0]->Hint(), "a");
    EXPECT_EQ(cells[0]->Picture().Width(), 20);
    EXPECT_EQ(cells[0]->Picture().Graphic()->GetPixel(0, 0), clRed);
    EXPECT_EQ(cells[1]->BoundsRect(), Bounds(GridPosition(3, 2).X, GridPosition(3, 2).Y, 100, 100));
    EXPECT_EQ(cells[1]->Hint(), "u");
    EXPECT_EQ(cells[1]->Picture().Height(), 40);
    EXPECT_EQ(KanaImages[0][0], cells[0]);
    EXPECT_EQ(KanaImages[2][1], cells[1]);
    // The build leaves the chart query open past its last row; the other page is untouched.
    EXPECT_TRUE(form.Query1->Active());
    EXPECT_TRUE(form.Query1->Eof());
    EXPECT_TRUE(Cells(form.ScrollBox2).empty());
    EXPECT_FALSE(form.Query->Active());
    EXPECT_NE(PictureLoader, nullptr);
    EXPECT_EQ(PictureLoader->Parent(), nullptr);
    EXPECT_EQ(PictureLoader->DataField(), "t_pic");
}

TEST_F(MainWindowTest, ARebuildReplacesTheChartInsteadOfPilingUp)
{
    WriteDatabase({ Kana(0, kHiraganaType, 1, 1, "a"), Kana(1, kHiraganaType, 2, 1, "i") });
    Start();
    Play(ClickTab(0));
    const int components = Form().ComponentCount();
    const std::vector<TImage*> first = Cells(Form().ScrollBox1);
    ASSERT_EQ(first.size(), 2u);

    // The tab of the page already shown rebuilds it too.
    Play(ClickTab(0));
    EXPECT_EQ(Form().ComponentCount(), components);
    EXPECT_EQ(Cells(Form().ScrollBox1).size(), 2u);
    EXPECT_EQ(ComponentsOfClass("TDBImage"), 2); // DBImage1 and the one loader

    // A kana deleted from the table no longer shows after the next visit.
    WriteDatabase({ Kana(0, kHiraganaType, 1, 1, "a") });
    Play(ClickTab(2) + ClickTab(0));
    const std::vector<TImage*> cells = Cells(Form().ScrollBox1);
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells[0]->Hint(), "a");
    EXPECT_EQ(KanaImages[1][0], nullptr);
}

TEST_F(MainWindowTest, ARebuildPlacesCellsInTheContentWhateverTheScrollPosition)
{
    WriteDatabase({ Kana(0, kHiraganaType, 1, 1, "a"), Kana(1, kHiraganaType, 9, 6, "far") });
    Start();
    Play(ClickTab(0));
    TScrollBox* box = Form().ScrollBox1;
    ASSERT_TRUE(box->VertScrollBar().IsScrollBarVisible());
    box->VertScrollBar().SetPosition(120);
    box->HorzScrollBar().SetPosition(50);
    const int dy = box->VertScrollBar().Position();
    const int dx = box->HorzScrollBar().Position();
    ASSERT_GT(dy, 0);
    ASSERT_GT(dx, 0);
    Play(ClickTab(0));
    // The view stays where it was, and the new cells lie at their places in the content.
    EXPECT_EQ(box->HorzScrollBar().Position(), dx);
    EXPECT_EQ(box->VertScrollBar().Position(), dy);
    const std::vector<TImage*> cells = Cells(box);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0]->Left(), GridPosition(1, 1).X - dx);
    EXPECT_EQ(cells[0]->Top(), GridPosition(1, 1).Y - dy);
    EXPECT_EQ(cells[1]->Left(), GridPosition(9, 6).X - dx);
    EXPECT_EQ(cells[1]->Top(), GridPosition(9, 6).Y - dy);
    // Scrolled back to the start, the chart has its margin again.
    box->VertScrollBar().SetPosition(0);
    box->HorzScrollBar().SetPosition(0);
    EXPECT_EQ(cells[0]->BoundsRect(), Bounds(10, 10, 100, 100));
}

TEST_F(MainWindowTest, BothChartsShareTheSlotsButKeepTheirCells)
{
    WriteDatabase({ Kana(0, kHiraganaType, 1, 1, "a"), Kana(49, kKatakanaType, 1, 1, "A") });
    Start();
    Play(ClickTab(0) + ClickTab(1));
    const std::vector<TImage*> hiragana = Cells(Form().ScrollBox1);
    const std::vector<TImage*> katakana = Cells(Form().ScrollBox2);
    ASSERT_EQ(hiragana.size(), 1u);
    ASSERT_EQ(katakana.size(), 1u);
    EXPECT_EQ(KanaImages[0][0], katakana[0]);
    EXPECT_EQ(hiragana[0]->Hint(), "a");

    // Rebuilding the hiragana chart leaves the katakana cells alone.
    Play(ClickTab(0));
    EXPECT_EQ(KanaImages[0][0], Cells(Form().ScrollBox1)[0]);
    ASSERT_EQ(Cells(Form().ScrollBox2).size(), 1u);
    EXPECT_EQ(Cells(Form().ScrollBox2)[0], katakana[0]);
    EXPECT_EQ(SqlText, kHiraganaChart);
}

TEST_F(MainWindowTest, TwoRowsOnOneGridPlaceBothGetACellAndTheLaterOneHasTheSlot)
{
    WriteDatabase({ Kana(3, kHiraganaType, 2, 2, "later"), Kana(1, kHiraganaType, 2, 2, "earlier") });
    Start();
    Play(ClickTab(0));
    const std::vector<TImage*> cells = Cells(Form().ScrollBox1);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(KanaImages[1][1], cells[1]);
    EXPECT_EQ(cells[1]->Hint(), "later");
}

TEST_F(MainWindowTest, RowsOffTheGridAreSkippedAndTheBuildGoesOn)
{
    WriteDatabase({
        Kana(0, kHiraganaType, 0, 1, "zero"),
        Kana(1, kHiraganaType, 201, 1, "wide"),
        Kana(2, kHiraganaType, 1, -3, "negative"),
        Kana(3, kHiraganaType, 200, 200, "corner"),
        Kana(4, kHiraganaType, 1, 1, "a"),
    });
    Start();
    Play(ClickTab(0));
    EXPECT_TRUE(Session().Errors().empty());
    const std::vector<TImage*> cells = Cells(Form().ScrollBox1);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0]->Hint(), "corner");
    EXPECT_EQ(KanaImages[199][199], cells[0]);
    EXPECT_EQ(cells[1]->Hint(), "a");
}

TEST_F(MainWindowTest, AnEmptyKindPlacesNoCell)
{
    WriteDatabase({ Kana(0, kHiraganaType, 1, 1, "a") });
    Start();
    Play(ClickTab(1));
    EXPECT_TRUE(Session().Errors().empty());
    EXPECT_TRUE(Cells(Form().ScrollBox2).empty());
    EXPECT_NE(PictureLoader, nullptr);
    EXPECT_TRUE(Form().Query1->Active());
}

TEST_F(MainWindowTest, ACellWithoutPictureOrPronunciationStillGetsHandCursorAndTooltip)
{
    WriteDatabase({ Kana(0, kHiraganaType, 1, 1, std::nullopt, std::nullopt) });
    Start();
    Play(ClickTab(0));
    const std::vector<TImage*> cells = Cells(Form().ScrollBox1);
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells[0]->Picture().Width(), 0);
    EXPECT_EQ(cells[0]->Hint(), "");
    EXPECT_TRUE(cells[0]->ShowHint());
    EXPECT_EQ(cells[0]->Cursor(), crHandPoint);
}

TEST_F(MainWindowTest, ABrokenPictureStopsTheBuildAtItsRowAndTheProgramGoesOn)
{
    WriteDatabase({
        Kana(0, kHiraganaType, 1, 1, "a"),
        Kana(1, kHiraganaType, 2, 1, "bad", TBlob(60, 'X')),
        Kana(2, kHiraganaType, 3, 1, "u"),
    });
    Start();
    Play(ClickTab(0));
    ASSERT_EQ(Session().Errors().size(), 1u);
    EXPECT_EQ(Session().Errors()[0], "Bitmap image is not valid");
    // The cell made before the bad row stays; the query stands on the bad row.
    ASSERT_EQ(Cells(Form().ScrollBox1).size(), 1u);
    EXPECT_FALSE(Form().Query1->Eof());
    EXPECT_EQ(Form().Query1->FieldByName("t_pronounce").AsString(), "bad");

    // The window still answers: the katakana page builds.
    Play(ClickTab(1));
    EXPECT_EQ(Form().suiPageControl1->ActivePage(), Form().suiTabSheet2);
    EXPECT_EQ(Session().Errors().size(), 1u);
}

TEST_F(MainWindowTest, AMissingColumnIsReportedByName)
{
    ExecuteOnDatabase("db1.mdb",
        "CREATE TABLE moratab(id INTEGER PRIMARY KEY, t_type TEXT, x INTEGER, y INTEGER, t_pic BLOB);"
        "INSERT INTO moratab VALUES(0, '平假名', 1, 1, NULL);");
    Start();
    Play(ClickTab(0));
    ASSERT_EQ(Session().Errors().size(), 1u);
    EXPECT_EQ(Session().Errors()[0], "Field 't_pronounce' not found");
    EXPECT_EQ(Cells(Form().ScrollBox1).size(), 1u);
    EXPECT_TRUE(Form().Showing());
}
