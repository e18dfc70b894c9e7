#include "tests/app/AppTestSupport.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "app/StrokeOrderView.h"
#include "host/ui/Menus.h"
#include "host/voice/VoiceService.h"
#include "skin/frame/SUIPopupMenu.h"

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// The kana pictures speak through SDL's disk driver into the test's own folder.
class KanaPictureTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", (std::filesystem::current_path() / "speech.raw").c_str(), 1);
    }
    void TearDown() override
    {
        DoneVoice();
        MainWindowTest::TearDown();
    }

    static std::string Spoken()
    {
        Voice().WaitUntilIdle();
        const std::optional<TSpokenKana> spoken = Voice().LastSpoken();
        return spoken ? spoken->Kana : "";
    }

    TsuiPopupMenu& Menu() { return *dynamic_cast<TsuiPopupMenu*>(Form().FindComponent("KanaPictureMenu")); }
    TStrokeOrderView& StrokeView() { return *dynamic_cast<TStrokeOrderView*>(Form().FindComponent("StrokeOrderView")); }

    // Opens the menu for a picture as a right click does, without its modal loop.
    void OpenMenuFor(TControl* picture)
    {
        Menu().SetPopupComponent(picture);
        Menu().OnPopup(&Menu());
    }
    TMenuItem& Item(const char* caption)
    {
        for (int i = 0; i < Menu().Items()->Count(); ++i) {
            if (Menu().Items()->Items(i)->Caption() == caption)
                return *Menu().Items()->Items(i);
        }
        throw Exception(std::string("no item ") + caption);
    }
};

std::vector<TDeckRow> SpeakingDeck()
{
    TDeckRow ka = Kana(0, kHiraganaType, 1, 1, "ka");
    ka.Kana = "か";
    TDeckRow odd = Kana(1, kHiraganaType, 2, 1, "xyz"); // a pronunciation the voice has no kana for
    TDeckRow sa = Kana(49, kKatakanaType, 1, 1, "sa");
    sa.Kana = "ソ"; // a stored kana wins over the kana of its romaji
    return { ka, odd, sa };
}

} // namespace

TEST_F(KanaPictureTest, AClickOnAChartCellSpeaksItsStoredKanaElseTheKanaOfItsRomaji)
{
    WriteDatabase(SpeakingDeck());
    Start();
    Play(ClickTab(0));
    Play(ClickControl(Cells(Form().ScrollBox1).at(0)));
    EXPECT_EQ(Spoken(), "か");

    Play(ClickTab(1));
    Play(ClickControl(Cells(Form().ScrollBox2).at(0)));
    EXPECT_EQ(Spoken(), "ソ");

    ExecuteOnDatabase("db1.mdb", "ALTER TABLE moratab DROP COLUMN t_kana");
    Play(ClickTab(1));
    Play(ClickControl(Cells(Form().ScrollBox2).at(0)));
    EXPECT_EQ(Spoken(), "サ") << "a deck without t_kana speaks the kana of the romaji";
    EXPECT_TRUE(Session().Errors().empty()) << Session().Errors().front();
}

TEST_F(KanaPictureTest, TheDrawnPictureSpeaksTheDrawnKanaAndNothingBeforeADraw)
{
    TDeckRow ka = Kana(0, kHiraganaType, 1, 1, "ka");
    WriteDatabase({ ka });
    Start();
    Play(ClickControl(Form().DBImage1));
    EXPECT_EQ(Spoken(), "") << "nothing is drawn at start";
    Play(ClickControl(Form().suiButton1) + ClickControl(Form().DBImage1));
    EXPECT_EQ(Spoken(), "か");
    EXPECT_EQ(SqlText, "select *from moratab where id=0") << "speaking runs no statement";
}

TEST_F(KanaPictureTest, TheMenuShowsStrokesUntilEscOrAClickAndOffersNothingForAnUnknownKana)
{
    WriteDatabase(SpeakingDeck());
    Start();
    Play(ClickTab(0));
    const std::vector<TImage*> cells = Cells(Form().ScrollBox1);

    OpenMenuFor(cells.at(0));
    EXPECT_TRUE(Item("发音").Enabled());
    EXPECT_EQ(Item("笔顺").Enabled(), StrokeOrderFontInstalled());
    ASSERT_TRUE(StrokeOrderFontInstalled()) << "fonts-kanjistrokeorders is a dependency";
    Item("笔顺").Click();
    EXPECT_TRUE(StrokeView().Visible());
    EXPECT_EQ(StrokeView().Kana(), "か");
    EXPECT_EQ(StrokeView().BoundsRect(), Form().suiPageControl1->BoundsRect());
    Play("key Escape\n");
    EXPECT_FALSE(StrokeView().Visible());
    EXPECT_EQ(StrokeView().Kana(), "");

    Item("笔顺").Click();
    Play(ClickControl(&StrokeView()));
    EXPECT_FALSE(StrokeView().Visible()) << "a click closes it too";

    OpenMenuFor(cells.at(1));
    EXPECT_FALSE(Item("发音").Enabled());
    EXPECT_FALSE(Item("笔顺").Enabled());
}

TEST_F(KanaPictureTest, ARightClickOpensTheMenuAndTheDumpTellsWhatWasSpokenAndShown)
{
    WriteDatabase(SpeakingDeck());
    Start();
    Play(ClickTab(0));
    TImage* cell = Cells(Form().ScrollBox1).at(0);
    const TPoint p = InWindow(cell, 50, 50);
    const std::string at = " " + std::to_string(p.X) + " " + std::to_string(p.Y);
    // 发音 is the menu's first item, 笔顺 its second; the keys choose inside the menu's loop.
    Play("click" + at + "\ndump before.json\nclick" + at + " right\nkey Down\nkey Down\nkey Return\ndump strokes.json\n");
    EXPECT_TRUE(StrokeView().Visible());
    EXPECT_EQ(Menu().PopupComponent(), cell);

    const std::string before = ReadText("before.json");
    EXPECT_NE(before.find("\"strokeView\": null"), std::string::npos) << before;
    const std::string strokes = ReadText("strokes.json");
    EXPECT_NE(strokes.find("\"strokeView\": \"か\""), std::string::npos) << strokes;
    const std::string spokenKa = "\"spoken\": {\"kana\": \"か\", \"ms\": ";
    const std::size_t spoken = before.find(spokenKa);
    ASSERT_NE(spoken, std::string::npos) << before;
    const int ms = std::stoi(before.substr(spoken + spokenKa.size()));
    EXPECT_GE(ms, 150);
    EXPECT_LE(ms, 900);
}
