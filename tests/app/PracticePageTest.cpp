// The practice page, through the main window on the headless desktop: its setup, rounds in both
// answer modes, feedback, the summary, and what it leaves of the other pages.
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "AppTestSupport.h"
#include "app/StrokeOrderView.h"
#include "app/practice/PracticePage.h"
#include "app/practice/ProgressMap.h"
#include "host/ui/ScrollBox.h"
#include "host/voice/VoiceService.h"
#include "skin/controls/SUIEdit.h"
#include "tools/kit/KanaDeck.h"

namespace {

constexpr int kPracticeTab = 3;

// The main window with the learner's folders in the test's own folder, so that no test reads or
// writes the real progress and settings.
class PracticePageTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        for (const char* variable : { "XDG_DATA_HOME", "XDG_CONFIG_HOME" }) {
            if (const char* value = std::getenv(variable))
                saved_[variable] = value;
            ::setenv(variable, (std::filesystem::current_path() / variable).c_str(), 1);
        }
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        for (const char* variable : { "XDG_DATA_HOME", "XDG_CONFIG_HOME" }) {
            if (saved_.contains(variable))
                ::setenv(variable, saved_[variable].c_str(), 1);
            else
                ::unsetenv(variable);
        }
    }

    TPracticePage& Page() { return *Form().PracticePage; }
    // Starts the program on the practice page.
    void EnterPractice()
    {
        Start();
        Play(ClickTab(kPracticeTab));
    }
    TsuiCheckBox* Lesson(const std::string& name)
    {
        for (TsuiCheckBox* box : Page().LessonBoxes)
            if (box->Caption() == name)
                return box;
        ADD_FAILURE() << "no lesson " << name;
        return nullptr;
    }
    // The romaji of the question shown; a test that expected one fails without it.
    std::string Romaji()
    {
        if (Page().Question() == nullptr) {
            ADD_FAILURE() << "no question is shown";
            return "";
        }
        return Page().Question()->Romaji;
    }
    // Types an answer and submits it with Enter.
    void Type(const std::string& answer) { Play("type " + answer + "\nkey Return\n"); }

private:
    std::map<std::string, std::string> saved_;
};

std::vector<TDeckRow> WithoutKanaMore(std::vector<TDeckRow> rows)
{
    std::erase_if(rows, [](const TDeckRow& r) { return r.Table != TDeckTable::MoraTab; });
    return rows;
}

} // namespace

TEST_F(PracticePageTest, EnteringPracticeRunsNoStatementOfTheOtherPages)
{
    WriteDatabase(DefaultKanaDeck());
    EnterPractice();
    TForm1& form = Form();
    EXPECT_EQ(form.suiPageControl1->ActivePage(), form.suiTabSheet4);
    EXPECT_EQ(form.suiTabSheet4->Caption(), "练习");
    EXPECT_EQ(form.suiTabSheet4->PageIndex(), 3);
    EXPECT_EQ(SqlText, "");
    EXPECT_FALSE(form.Query->Active());
    EXPECT_FALSE(form.Query1->Active());
    EXPECT_EQ(DrawnId, 0);
    EXPECT_EQ(Page().Phase(), TPracticePhase::Setup);
    EXPECT_EQ(Page().Parent(), form.suiTabSheet4);
    // The other pages still work as before.
    Play(ClickTab(2));
    EXPECT_TRUE(form.Query->Active());
}

TEST_F(PracticePageTest, TheFirstRunChoosesHiraganaTheBasicRowsTypingAndTwentyThenRemembersTheChoices)
{
    WriteDatabase(DefaultKanaDeck());
    EnterPractice();
    EXPECT_TRUE(Page().ScriptHiragana->Checked());
    EXPECT_TRUE(Page().ModeTyped->Checked());
    EXPECT_TRUE(Page().Length20->Checked());
    ASSERT_EQ(Page().LessonBoxes.size(), 14u);
    for (std::size_t i = 0; i < Page().LessonBoxes.size(); ++i)
        EXPECT_EQ(Page().LessonBoxes[i]->Checked(), i < 11) << Page().LessonBoxes[i]->Caption();

    Play(ClickControl(Page().ScriptKatakana) + ClickControl(Page().ModeChoice) + ClickControl(Page().LengthAll)
        + ClickControl(Lesson("あ行")) + ClickControl(Lesson("拗音")));
    Stop();
    Start();
    Play(ClickTab(kPracticeTab));
    EXPECT_TRUE(Page().ScriptKatakana->Checked());
    EXPECT_FALSE(Page().ScriptHiragana->Checked());
    EXPECT_TRUE(Page().ModeChoice->Checked());
    EXPECT_TRUE(Page().LengthAll->Checked());
    EXPECT_FALSE(Lesson("あ行")->Checked());
    EXPECT_TRUE(Lesson("か行")->Checked());
    EXPECT_TRUE(Lesson("拗音")->Checked());
    EXPECT_TRUE(std::filesystem::exists("XDG_CONFIG_HOME/moraleaf"));
}

TEST_F(PracticePageTest, StartIsDisabledWithoutALessonAndEnabledByOne)
{
    WriteDatabase(DefaultKanaDeck());
    EnterPractice();
    EXPECT_TRUE(Page().StartButton->Enabled());
    std::string script;
    for (TsuiCheckBox* box : Page().LessonBoxes)
        if (box->Checked())
            script += ClickControl(box);
    Play(script);
    EXPECT_FALSE(Page().StartButton->Enabled());
    Play(ClickControl(Page().StartButton));
    EXPECT_EQ(Page().Phase(), TPracticePhase::Setup);
    Play(ClickControl(Lesson("浊音")));
    EXPECT_TRUE(Page().StartButton->Enabled());
}

TEST_F(PracticePageTest, ADeckWithoutKanaMoreDisablesItsThreeGroups)
{
    WriteDatabase(WithoutKanaMore(DefaultKanaDeck()));
    EnterPractice();
    for (const char* group : { "浊音", "半浊音", "拗音" })
        EXPECT_FALSE(Lesson(group)->Enabled()) << group;
    for (const char* row : { "あ行", "ん・っ" })
        EXPECT_TRUE(Lesson(row)->Enabled()) << row;
}

TEST_F(PracticePageTest, ATypedRoundGivesFeedbackAndAsksAMissedKanaAgainAtLeastThreeQuestionsLater)
{
    WriteDatabase(DefaultKanaDeck());
    EnterPractice();
    Play(ClickControl(Page().StartButton));
    ASSERT_EQ(Page().Phase(), TPracticePhase::Question) << (Session().Errors().empty() ? "" : Session().Errors()[0]);
    EXPECT_EQ(Page().CounterLabel->Caption(), "1 / 20");
    EXPECT_EQ(Page().QuestionImage->Picture().Width(), kKanaPictureSide);
    EXPECT_TRUE(Page().Choices().empty());

    const TKanaKey missed = Page().Question()->Key;
    const std::string missedRomaji = Romaji();
    Type("  " + missedRomaji + "x ");
    EXPECT_EQ(Page().Phase(), TPracticePhase::Feedback);
    EXPECT_EQ(Page().FeedbackText(), "错误");
    EXPECT_EQ(Page().AnswerLabel->Caption(), missedRomaji);
    EXPECT_EQ(Page().Question()->Key, missed);
    Play("key Return\n");
    ASSERT_EQ(Page().Phase(), TPracticePhase::Question);
    EXPECT_EQ(Page().CounterLabel->Caption(), "2 / 21");

    int number = 2;
    while (Page().Question()->Key != missed) {
        std::string upper = Romaji();
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        Type(upper);
        ASSERT_EQ(Page().FeedbackText(), "正确");
        EXPECT_EQ(Page().AnswerLabel->Caption(), "");
        Play("key Return\n");
        ++number;
        ASSERT_LT(number, 30);
    }
    EXPECT_GE(number, 1 + 4);
    EXPECT_EQ(Page().Asked(), static_cast<std::size_t>(number - 1));
    EXPECT_EQ(Page().Wrong(), 1u);
    EXPECT_EQ(Page().Right(), static_cast<std::size_t>(number - 2));
    EXPECT_TRUE(std::filesystem::exists("XDG_DATA_HOME/moraleaf/progress.db"));
    EXPECT_EQ(Page().ProgressFile(), std::filesystem::current_path() / "XDG_DATA_HOME/moraleaf/progress.db");
}

TEST_F(PracticePageTest, ChoiceQuestionsOfferFourDistinctRomajiWithTheRightOneAndTakeTheKeysOneToFour)
{
    WriteDatabase(DefaultKanaDeck());
    EnterPractice();
    Play(ClickControl(Page().ModeChoice) + ClickControl(Page().StartButton));
    ASSERT_EQ(Page().Phase(), TPracticePhase::Question);
    for (int question = 0; question < 6; ++question) {
        const std::vector<std::string> choices = Page().Choices();
        ASSERT_EQ(choices.size(), 4u);
        EXPECT_EQ(std::set<std::string>(choices.begin(), choices.end()).size(), 4u);
        const auto right = std::find(choices.begin(), choices.end(), Romaji());
        ASSERT_NE(right, choices.end());
        const int index = static_cast<int>(right - choices.begin());
        EXPECT_TRUE(Page().ChoiceButtons[static_cast<std::size_t>(index)]->Visible());
        // Every other question is answered wrongly with the key of a wrong choice.
        const bool answerRight = question % 2 == 0;
        const int key = answerRight ? index + 1 : (index + 1) % 4 + 1;
        Play("key " + std::to_string(key) + "\n");
        ASSERT_EQ(Page().Phase(), TPracticePhase::Feedback);
        EXPECT_EQ(Page().FeedbackText(), answerRight ? "正确" : "错误");
        if (answerRight) {
            // A right choice goes on by itself after a short pause.
            Play("wait 1000\n");
        } else {
            Play("wait 1000\n");
            EXPECT_EQ(Page().Phase(), TPracticePhase::Feedback);
            Play("key Return\n");
        }
        ASSERT_EQ(Page().Phase(), TPracticePhase::Question);
    }
    EXPECT_EQ(Page().Right(), 3u);
    EXPECT_EQ(Page().Wrong(), 3u);
}

TEST_F(PracticePageTest, ASelectionOfFewerThanFourKanaTakesItsChoicesFromTheDeck)
{
    WriteDatabase(DefaultKanaDeck());
    EnterPractice();
    std::string script = ClickControl(Page().ModeChoice);
    for (TsuiCheckBox* box : Page().LessonBoxes)
        if (box->Checked() && box->Caption() != "ん・っ")
            script += ClickControl(box);
    Play(script + ClickControl(Page().StartButton));
    ASSERT_EQ(Page().Phase(), TPracticePhase::Question);
    EXPECT_EQ(Page().CounterLabel->Caption(), "1 / 2");
    const std::vector<std::string> choices = Page().Choices();
    EXPECT_EQ(std::set<std::string>(choices.begin(), choices.end()).size(), 4u);
    EXPECT_NE(std::find(choices.begin(), choices.end(), Romaji()), choices.end());
}

TEST_F(PracticePageTest, EscapeEndsTheRoundWithItsSummary)
{
    WriteDatabase(DefaultKanaDeck());
    EnterPractice();
    Play(ClickControl(Page().StartButton));
    const std::string missedRomaji = Romaji();
    Type("q");
    Play("key Return\n");
    Type(Romaji());
    Play("key Return\n");
    Type(Romaji());
    Play("key Escape\n");
    EXPECT_EQ(Page().Phase(), TPracticePhase::Summary);
    EXPECT_EQ(Page().Question(), nullptr);
    EXPECT_EQ(Page().Asked(), 3u);
    EXPECT_EQ(Page().Right(), 2u);
    EXPECT_EQ(Page().Wrong(), 1u);
    EXPECT_EQ(Page().ScoreLabel->Caption(), "正确率：67%（2 / 3）");
    // The missed kana: its picture and its romaji.
    std::vector<std::string> captions;
    int pictures = 0;
    for (int i = 0; i < Page().MissedBox->ControlCount(); ++i) {
        if (auto* label = dynamic_cast<TLabel*>(Page().MissedBox->Controls(i)))
            captions.push_back(label->Caption());
        if (auto* image = dynamic_cast<TImage*>(Page().MissedBox->Controls(i)))
            pictures += image->Picture().Width() == kKanaPictureSide;
    }
    EXPECT_EQ(captions, std::vector<std::string> { missedRomaji });
    EXPECT_EQ(pictures, 1);

    Play(ClickControl(Page().AgainButton));
    EXPECT_EQ(Page().Phase(), TPracticePhase::Question);
    EXPECT_EQ(Page().Asked(), 0u);
    Play("key Escape\n" + ClickControl(Page().BackButton));
    EXPECT_EQ(Page().Phase(), TPracticePhase::Setup);
}

TEST_F(PracticePageTest, AKanaWhosePictureDoesNotDecodeIsReportedAndLeftOutOfTheRound)
{
    std::vector<TDeckRow> deck = DefaultKanaDeck();
    deck[0].Picture = TBlob { 'X', 'Y', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 };
    WriteDatabase(deck);
    EnterPractice();
    std::string script = ClickControl(Page().LengthAll);
    for (TsuiCheckBox* box : Page().LessonBoxes)
        if (box->Checked() && box->Caption() != "あ行")
            script += ClickControl(box);
    Play(script + ClickControl(Page().StartButton));
    EXPECT_EQ(Session().Errors(), std::vector<std::string> { "Bitmap image is not valid" });
    ASSERT_EQ(Page().Phase(), TPracticePhase::Question);
    EXPECT_EQ(Page().CounterLabel->Caption(), "1 / 4");
    std::set<std::string> asked;
    while (Page().Phase() == TPracticePhase::Question) {
        asked.insert(Page().Question()->Key.Text);
        Type(Romaji());
        Play("key Return\n");
    }
    EXPECT_EQ(asked, (std::set<std::string> { "い", "う", "え", "お" }));
    EXPECT_EQ(Page().Phase(), TPracticePhase::Summary);
    EXPECT_EQ(Page().ScoreLabel->Caption(), "正确率：100%（4 / 4）");
}

TEST_F(PracticePageTest, WhenProgressCannotBeSavedOneNoticeSaysSoAndTheRoundGoesOn)
{
    WriteDatabase(DefaultKanaDeck());
    // The data folder is a file, so no folder can be made in it.
    std::ofstream("XDG_DATA_HOME") << "not a folder";
    EnterPractice();
    ASSERT_EQ(Session().Errors().size(), 1u);
    EXPECT_NE(Session().Errors()[0].find("XDG_DATA_HOME/moraleaf/progress.db"), std::string::npos) << Session().Errors()[0];
    Play(ClickControl(Page().StartButton));
    Type(Romaji());
    EXPECT_EQ(Page().FeedbackText(), "正确");
    Play("key Return\n");
    Type("q");
    EXPECT_EQ(Page().Right(), 1u);
    EXPECT_EQ(Page().Wrong(), 1u);
    EXPECT_EQ(Session().Errors().size(), 1u);
}

TEST_F(PracticePageTest, ARoundRunsFromTheKeyboardAlone)
{
    WriteDatabase(DefaultKanaDeck());
    EnterPractice();
    auto focused = [this] { return Form().ActiveControl(); };
    EXPECT_EQ(focused(), Page().ScriptHiragana);
    for (int tabs = 0; focused() != Page().StartButton && tabs < 40; ++tabs)
        Play("key Tab\n");
    ASSERT_EQ(focused(), Page().StartButton);
    Play("key Return\n");
    ASSERT_EQ(Page().Phase(), TPracticePhase::Question);
    EXPECT_EQ(focused(), Page().AnswerEdit);
    Type(Romaji());
    EXPECT_EQ(Page().Phase(), TPracticePhase::Feedback);
    EXPECT_EQ(focused(), Page().NextButton);
    Play("key Space\n");
    EXPECT_EQ(Page().Phase(), TPracticePhase::Question);
    Play("key Escape\n");
    EXPECT_EQ(Page().Phase(), TPracticePhase::Summary);
    EXPECT_EQ(focused(), Page().AgainButton);
    Play("key Tab\nkey Space\n");
    EXPECT_EQ(Page().Phase(), TPracticePhase::Setup);
}

TEST_F(PracticePageTest, TheDumpDescribesThePracticePage)
{
    WriteDatabase(DefaultKanaDeck());
    EnterPractice();
    Play("dump setup.json\n" + ClickControl(Page().ModeChoice) + ClickControl(Page().StartButton) + "dump question.json\n");
    auto read = [](const char* path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    const std::string setup = read("setup.json");
    EXPECT_NE(setup.find("\"practice\": {\"phase\": \"setup\", \"question\": null, \"choices\": [], \"asked\": 0, "
                         "\"right\": 0, \"wrong\": 0, \"feedback\": \"\", \"progressFile\": \""
                  + (std::filesystem::current_path() / "XDG_DATA_HOME/moraleaf/progress.db").string() + "\"}"),
        std::string::npos)
        << setup.substr(setup.find("\"practice\""));
    EXPECT_NE(setup.find("{\"name\": \"StartButton\", \"class\": \"TsuiButton\""), std::string::npos);

    const TDrillKana& q = *Page().Question();
    std::string expected = "\"practice\": {\"phase\": \"question\", \"question\": {\"table\": \"" + std::string(q.Table)
        + "\", \"id\": " + std::to_string(q.Id) + ", \"script\": \"平假名\", \"kana\": \"" + q.Key.Text
        + "\", \"pronunciation\": \"" + q.Romaji + "\"}, \"choices\": [";
    for (std::size_t i = 0; i < 4; ++i)
        expected += (i ? ", \"" : "\"") + Page().Choices()[i] + "\"";
    expected += "], \"asked\": 0";
    const std::string question = read("question.json");
    EXPECT_NE(question.find(expected), std::string::npos) << question.substr(question.find("\"practice\""));
}

TEST(ProgressMapPalette, TheFiveBoxesGrowLighterStepByStepAndANewKanaIsWhite)
{
    // Relative luminance, so that the steps are told apart without telling hues apart.
    auto luminance = [](TColor c) { return 0.2126 * (c & 0xFF) + 0.7152 * ((c >> 8) & 0xFF) + 0.0722 * ((c >> 16) & 0xFF); };
    for (int box = kFirstBox; box < kLastBox; ++box)
        EXPECT_GT(luminance(BoxColor(box + 1)), luminance(BoxColor(box)) + 20) << box;
    EXPECT_EQ(BoxColor(0), clWhite);
}

TEST_F(PracticePageTest, TheProgressMapTintsAnsweredKanaByBox)
{
    WriteDatabase(DefaultKanaDeck());
    EnterPractice();
    Play(ClickControl(Page().StartButton));
    const TKanaKey right = Page().Question()->Key;
    Type(Romaji());
    Play("key Escape\n" + ClickControl(Page().BackButton) + ClickControl(Page().MapButton));
    ASSERT_EQ(Page().Phase(), TPracticePhase::Map);
    const std::vector<TMapKana>& kana = Page().ProgressMap->Kana();
    EXPECT_EQ(kana.size(), 49u + 58u);
    int answered = 0;
    for (const TMapKana& k : kana) {
        EXPECT_EQ(k.Box, k.Text == right.Text ? 2 : 0) << k.Text;
        answered += k.Box != 0;
    }
    EXPECT_EQ(answered, 1);
    // Every kana has a cell of its own, on the map and clear of the legend beside the charts.
    std::set<std::pair<int, int>> corners;
    for (const TMapKana& k : kana) {
        const TRect r = TProgressMap::CellRect(k);
        EXPECT_TRUE(corners.insert({ r.Left, r.Top }).second) << k.Text;
        EXPECT_GE(r.Left, 0);
        EXPECT_LE(r.Right, 380) << k.Text;
        EXPECT_LE(r.Bottom, Page().ProgressMap->Height()) << k.Text;
    }
    Play("key Escape\n");
    EXPECT_EQ(Page().Phase(), TPracticePhase::Setup);
}

TEST_F(PracticePageTest, AfterAMixedRoundTheMapShowsEitherScriptByItsSwitch)
{
    WriteDatabase(DefaultKanaDeck());
    EnterPractice();
    Play(ClickControl(Page().ScriptMixed) + ClickControl(Page().StartButton));
    // Right answers until both scripts have been asked.
    std::map<TKanaScript, std::set<std::string>> answered;
    for (int i = 0; i < 20 && answered.size() < 2 && Page().Phase() == TPracticePhase::Question; ++i) {
        answered[Page().Question()->Key.Script].insert(Page().Question()->Key.Text);
        Type(Romaji());
        Play("key Return\n");
    }
    ASSERT_EQ(answered.size(), 2u) << "a mixed round of 20 asks both scripts";
    Play("key Escape\n" + ClickControl(Page().BackButton) + ClickControl(Page().MapButton));
    ASSERT_EQ(Page().Phase(), TPracticePhase::Map);
    EXPECT_TRUE(Page().MapHiragana->Checked());
    for (const TKanaScript script : { TKanaScript::Hiragana, TKanaScript::Katakana }) {
        if (script == TKanaScript::Katakana)
            Play(ClickControl(Page().MapKatakana));
        const std::vector<TMapKana>& kana = Page().ProgressMap->Kana();
        EXPECT_EQ(kana.size(), 49u + 58u);
        for (const TMapKana& k : kana) {
            ASSERT_NE(FindKana(k.Text), nullptr) << k.Text;
            EXPECT_EQ(FindKana(k.Text)->Script, script) << k.Text;
            EXPECT_EQ(k.Box != 0, answered[script].contains(k.Text)) << k.Text;
        }
    }
    EXPECT_EQ(Page().Phase(), TPracticePhase::Map);
}

TEST_F(PracticePageTest, AnAnswerSpeaksTheKanaUnlessSpeechIsOffAndSAndWSpeakAndShowStrokesOnDemand)
{
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", (std::filesystem::current_path() / "speech.raw").c_str(), 1);
    auto spoken = [] {
        Voice().WaitUntilIdle();
        return Voice().LastSpoken() ? Voice().LastSpoken()->Kana : std::string();
    };
    WriteDatabase(DefaultKanaDeck());
    EnterPractice();
    EXPECT_TRUE(Page().SpeechBox->Checked()) << "speech is on at first";
    Play(ClickControl(Page().StartButton));
    const std::string first = Page().Question()->Key.Text;
    Type("nothing");
    EXPECT_EQ(spoken(), first);
    const int played = Voice().Statistics().FromCache + Voice().Statistics().Synthesized;
    Play("key S\n");
    Voice().WaitUntilIdle();
    EXPECT_EQ(Voice().Statistics().FromCache + Voice().Statistics().Synthesized, played + 1) << "S says it again";

    Play("key W\n");
    auto* view = dynamic_cast<TStrokeOrderView*>(Form().FindComponent("StrokeOrderView"));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Kana(), first);
    Play("key Escape\nkey Return\n");
    EXPECT_EQ(view->Kana(), "");
    EXPECT_EQ(Page().Phase(), TPracticePhase::Question) << "the keyboard is back on the page after the strokes";

    // Speech off: the next answer says nothing.
    Play("key Escape\n" + ClickControl(Page().BackButton) + ClickControl(Page().SpeechBox));
    EXPECT_FALSE(Page().Settings().Speech);
    Play(ClickControl(Page().StartButton));
    const std::string before = spoken();
    const int made = Voice().Statistics().FromCache + Voice().Statistics().Synthesized;
    Type("nothing");
    EXPECT_EQ(Voice().Statistics().FromCache + Voice().Statistics().Synthesized, made);
    EXPECT_EQ(spoken(), before);
    DoneVoice();
}
