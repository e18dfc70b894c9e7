// The random draw page: the draw by the radio buttons, the draw on entering the page and the
// pronunciation under the pointer.
#include "AppTestSupport.h"
#include "host/data/DataSource.h"
#include "host/ui/HintWindow.h"

namespace {

// Hiragana ids 0..k-1 and katakana ids 49.., each kana pronounced by its id.
std::vector<TDeckRow> Deck(int hiragana, int katakana)
{
    std::vector<TDeckRow> rows;
    for (int i = 0; i < hiragana; ++i)
        rows.push_back(Kana(i, kHiraganaType, i + 1, 1, "h" + std::to_string(i)));
    for (int i = 0; i < katakana; ++i)
        rows.push_back(Kana(49 + i, kKatakanaType, i + 1, 1, "k" + std::to_string(49 + i), SolidPicture(60, 50, clBlue)));
    return rows;
}

// The pronunciation that Deck gives the row of an id.
std::string PronunciationOf(int id)
{
    return (id < 49 ? "h" : "k") + std::to_string(id);
}

// The number at the end of a statement.
int TrailingNumber(const std::string& sql)
{
    const std::size_t digits = sql.find_last_not_of("0123456789") + 1;
    return std::stoi(sql.substr(digits));
}

// Every statement a query opens, as its lines read at that moment.
class TOpenedStatements : public TDataLink {
public:
    TOpenedStatements(TForm1& form, TADOQuery* query)
        : source_(new TDataSource(&form))
    {
        source_->SetDataSet(query);
        SetDataSource(source_);
    }

    std::vector<std::string> Statements;

protected:
    void ActiveChanged() override
    {
        if (!Active())
            return;
        std::string text = static_cast<TADOQuery*>(DataSet())->SQL()->Text();
        while (!text.empty() && text.back() == '\n')
            text.pop_back();
        Statements.push_back(text);
    }

private:
    TDataSource* source_;
};

} // namespace

TEST_F(MainWindowTest, TheKatakanaDrawLooksUpTheDrawnNumberPlusFortyNine)
{
    WriteDatabase(Deck(3, 1));
    Start();
    Play(ClickControl(Form().R2) + ClickControl(Form().suiButton1));
    TForm1& form = Form();
    EXPECT_TRUE(form.R2->Checked());
    EXPECT_FALSE(form.R3->Checked());
    EXPECT_EQ(SqlText, "select *from moratab where t_type='片假名'and id=49");
    EXPECT_EQ(DrawnId, 0);
    EXPECT_TRUE(form.Query->Active());
    EXPECT_EQ(form.Query->RecordCount(), 1);
    EXPECT_EQ(form.DBImage1->Picture().Width(), 60);
    EXPECT_EQ(form.DBImage1->Picture().Height(), 50);
}

TEST_F(MainWindowTest, TheHiraganaDrawLooksUpTheDrawnNumberItself)
{
    WriteDatabase(Deck(1, 3));
    Start();
    Play(ClickControl(Form().R1) + ClickControl(Form().suiButton1));
    EXPECT_EQ(SqlText, "select *from moratab where t_type='平假名'and id=0");
    EXPECT_EQ(Form().Query->FieldByName("t_pronounce").AsString(), "h0");
}

TEST_F(MainWindowTest, EachDrawCountsThePoolOfItsButtonAndShowsOneOfItsRows)
{
    // Every id that the right pool gives finds a row, whose pronunciation names its id and kind;
    // the statement seen first names the pool that was counted. A wrong pool fails every draw.
    WriteDatabase(Deck(49, 3));
    Start();
    TForm1& form = Form();
    TOpenedStatements opened(form, form.Query);
    struct TPool {
        TsuiRadioButton* Button;
        const char* Count;
        const char* Lookup;
        // The ids the pool's draws look up: the drawn number from 0 plus FirstId.
        int FirstId;
        int LastId;
    };
    const TPool pools[] = {
        { form.R1, "select *from moratab where t_type='平假名'", "select *from moratab where t_type='平假名'and id=", 0, 48 },
        { form.R2, "select *from moratab where t_type='片假名'", "select *from moratab where t_type='片假名'and id=", 49, 51 },
        { form.R3, "select *from moratab", "select *from moratab where id=", 0, 51 },
    };
    for (const TPool& pool : pools) {
        Play(ClickControl(pool.Button));
        for (int i = 0; i < 8; ++i) {
            opened.Statements.clear();
            Play(ClickControl(form.suiButton1));
            ASSERT_EQ(opened.Statements.size(), 2u) << pool.Count;
            EXPECT_EQ(opened.Statements[0], pool.Count);
            ASSERT_TRUE(opened.Statements[1].starts_with(pool.Lookup)) << opened.Statements[1];
            EXPECT_EQ(SqlText, opened.Statements[1]);
            const int id = TrailingNumber(SqlText);
            EXPECT_EQ(id, DrawnId + pool.FirstId);
            EXPECT_GE(id, pool.FirstId) << pool.Count;
            EXPECT_LE(id, pool.LastId) << pool.Count;
            ASSERT_EQ(form.Query->RecordCount(), 1) << SqlText;
            EXPECT_EQ(form.Query->FieldByName("t_pronounce").AsString(), PronunciationOf(id));
        }
    }
    EXPECT_TRUE(Session().Errors().empty());
}

TEST_F(MainWindowTest, AnEmptyPoolLooksUpNumberZero)
{
    WriteDatabase(Deck(2, 0));
    Start();
    Play(ClickControl(Form().R2) + ClickControl(Form().suiButton1));
    EXPECT_EQ(SqlText, "select *from moratab where t_type='片假名'and id=49");
    EXPECT_TRUE(Form().Query->Active());
    EXPECT_EQ(Form().Query->RecordCount(), 0);
    EXPECT_EQ(Form().DBImage1->Picture().Width(), 0);
    EXPECT_TRUE(Session().Errors().empty());
}

TEST_F(MainWindowTest, EnteringThePageDrawsFromAllKanaWhicheverButtonIsChecked)
{
    WriteDatabase(Deck(1, 0));
    Start();
    Play(ClickControl(Form().R1) + ClickTab(0) + ClickTab(2));
    EXPECT_EQ(SqlText, "select *from moratab where id=0");
    EXPECT_TRUE(Form().Query->Active());
    EXPECT_TRUE(Form().R1->Checked());

    // The tab of the page already shown draws again.
    Form().Query->Close();
    Play(ClickTab(2));
    EXPECT_TRUE(Form().Query->Active());
}

TEST_F(MainWindowTest, CheckingARadioButtonUnchecksTheOthers)
{
    WriteDatabase(Deck(1, 1));
    Start();
    TForm1& form = Form();
    Play(ClickControl(form.R1));
    EXPECT_TRUE(form.R1->Checked());
    EXPECT_FALSE(form.R2->Checked());
    EXPECT_FALSE(form.R3->Checked());
    Play(ClickControl(form.R1));
    EXPECT_TRUE(form.R1->Checked());
}

TEST_F(MainWindowTest, ThePronunciationShowsOverThePictureAndClearsOverTheBarePanel)
{
    WriteDatabase(Deck(1, 0));
    Start();
    TForm1& form = Form();
    // Before any draw both handlers do nothing.
    Play(At("move", form.DBImage1, 80, 80));
    EXPECT_EQ(form.Label2->Caption(), "");

    Play(ClickControl(form.suiButton1) + At("move", form.DBImage1, 85, 85));
    EXPECT_EQ(form.Hint(), "h0");
    EXPECT_EQ(form.Label2->Caption(), "h0");

    // Other controls on the panel neither show nor clear it.
    Play(At("move", form.Label1, 5, 5) + At("move", form.R2, 5, 5) + At("move", form.Panel4, 5, 5));
    EXPECT_EQ(form.Label2->Caption(), "h0");

    Play(At("move", form.Panel1, 20, 20));
    EXPECT_EQ(form.Hint(), "");
    EXPECT_EQ(form.Label2->Caption(), "");

    // A new draw leaves the last pronunciation shown until the pointer moves.
    Play(At("move", form.DBImage1, 85, 85) + ClickControl(form.suiButton1));
    EXPECT_EQ(form.Label2->Caption(), "h0");
}

TEST_F(MainWindowTest, ThePictureTooltipIsTheWindowsHint)
{
    WriteDatabase(Deck(1, 0));
    Start();
    TForm1& form = Form();
    Play(ClickControl(form.suiButton1) + At("move", form.DBImage1, 80, 80) + At("move", form.DBImage1, 82, 82) + "wait 600\n");
    ASSERT_NE(Application->HintWindow(), nullptr);
    EXPECT_EQ(Application->HintWindow()->Caption(), "h0");
    EXPECT_TRUE(Application->HintWindow()->Showing());
}

TEST_F(MainWindowTest, AChartCellWithoutPronunciationShowsTheWindowsHint)
{
    std::vector<TDeckRow> rows = Deck(1, 1);
    rows.push_back(Kana(60, kHiraganaType, 2, 1, std::nullopt));
    WriteDatabase(rows);
    Start();
    TForm1& form = Form();
    // The one katakana row is drawn, whatever the generator gives.
    Play(ClickControl(form.R2) + ClickControl(form.suiButton1) + At("move", form.DBImage1, 80, 80) + ClickTab(0));
    const std::vector<TImage*> cells = Cells(form.ScrollBox1);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[1]->EffectiveHint(), "k49");
    Play(At("move", cells[1], 50, 50) + "wait 600\n");
    ASSERT_NE(Application->HintWindow(), nullptr);
    EXPECT_EQ(Application->HintWindow()->Caption(), "k49");
}

TEST_F(MainWindowTest, ABrokenDrawnPictureIsShownInTheErrorBoxAndTheNextDrawWorks)
{
    std::vector<TDeckRow> rows = Deck(1, 0);
    rows.push_back(Kana(49, kKatakanaType, 1, 1, "bad", TBlob { 'B', 'M', 0 }));
    WriteDatabase(rows);
    Start();
    Play(ClickControl(Form().R2) + ClickControl(Form().suiButton1));
    ASSERT_EQ(Session().Errors().size(), 1u);
    EXPECT_EQ(Session().Errors()[0], "Stream read error");
    EXPECT_EQ(Form().DBImage1->Picture().Width(), 0);

    Play(ClickControl(Form().R1) + ClickControl(Form().suiButton1));
    EXPECT_EQ(Session().Errors().size(), 1u);
    EXPECT_EQ(Form().DBImage1->Picture().Width(), 20);
}
