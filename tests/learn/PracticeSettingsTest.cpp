#include <gtest/gtest.h>

#include "LearnTestSupport.h"
#include "learn/PracticeSettings.h"

namespace {

const char* const kFirstRunText = "# Moraleaf: the last choices on the practice page\n"
                                  "script=平假名\n"
                                  "lesson=あ行\nlesson=か行\nlesson=さ行\nlesson=た行\nlesson=な行\nlesson=は行\n"
                                  "lesson=ま行\nlesson=や行\nlesson=ら行\nlesson=わ行\nlesson=ん・っ\n"
                                  "mode=typed\nround=20\nspeech=on\n";

TPracticeSettings Settings(
    TPracticeScript script, std::vector<std::string> lessons, TAnswerMode mode, TRoundLength length, bool speech)
{
    return { script, std::move(lessons), mode, length, speech };
}

} // namespace

TEST(PracticeSettings, TheFirstRunTakesHiraganaEveryBasicRowTypedAndTwenty)
{
    const TPracticeSettings first;
    EXPECT_EQ(first.Script, TPracticeScript::Hiragana);
    EXPECT_EQ(first.Lessons,
        (std::vector<std::string> { "あ行", "か行", "さ行", "た行", "な行", "は行", "ま行", "や行", "ら行", "わ行", "ん・っ" }));
    EXPECT_EQ(first.Mode, TAnswerMode::Typed);
    EXPECT_EQ(first.Length, TRoundLength::Twenty);
    EXPECT_TRUE(first.Speech);
    EXPECT_EQ(FormatPracticeSettings(first), kFirstRunText);
    TTempFolder folder;
    EXPECT_EQ(ReadPracticeSettings(folder.Path() / "missing.conf"), first);
}

TEST(PracticeSettings, EveryChoiceComesBackFromTheFile)
{
    const TPracticeSettings cases[] = {
        Settings(TPracticeScript::Katakana, { "浊音", "拗音" }, TAnswerMode::Choice, TRoundLength::Fifty, false),
        Settings(TPracticeScript::Mixed, {}, TAnswerMode::Typed, TRoundLength::All, true),
        Settings(
            TPracticeScript::Hiragana, { "あ行", "my own=lesson", "ア・イ" }, TAnswerMode::Choice, TRoundLength::Twenty, true),
    };
    TTempFolder folder;
    const std::filesystem::path file = folder.Path() / "a" / "b" / "practice.conf";
    for (const TPracticeSettings& settings : cases) {
        WritePracticeSettings(file, settings);
        EXPECT_EQ(ReadPracticeSettings(file), settings) << FormatPracticeSettings(settings);
    }
    // Nothing is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()), {}), 1);
}

TEST(PracticeSettings, AFileThatIsNotSettingsGivesTheFirstRunChoices)
{
    const std::string good = "script=片假名\nmode=choice\nround=50\nspeech=off\n";
    struct TCase {
        std::string Text;
        bool Read; // whether it reads as settings
    };
    const TCase cases[] = {
        { good, true },
        { "# written by hand\r\n\r\nscript=片假名\r\nmode=choice\r\nround=50\r\nspeech=off\r\n", true },
        { good + "colour=green\n", true },
        { "speech=off\nround=50\nmode=choice\nscript=片假名", true },
        { "", false },
        { "garbage", false },
        { "\x89PNG\r\n\x1a\n", false },
        { "script=楷书\nmode=choice\nround=50\nspeech=off\n", false },
        { "script=片假名\nmode=choice\nround=30\nspeech=off\n", false },
        { "script=片假名\nmode=choice\nround=50\nspeech=yes\n", false },
        { "script=片假名\nmode=choice\nround=50\n", false },
        { "script=片假名 \nmode=choice\nround=50\nspeech=off\n", false },
        { good + "script=平假名\n", false },
        { good + "just words\n", false },
        { good + "lesson=\n", false },
        { good + "lesson=あ行\nlesson=あ行\n", false },
        { good + "lesson=\xE3\x81\n", false },
        { good + "lesson=a\tb\n", false },
        { good + "lesson=\xC0\xAF\n", false },
        { good + "lesson=" + std::string(129, 'x') + "\n", false },
        { good + "# padding" + std::string(70'000, ' ') + "\n", false },
    };
    TTempFolder folder;
    const std::filesystem::path file = folder.Path() / "practice.conf";
    const TPracticeSettings expected = Settings(TPracticeScript::Katakana, {}, TAnswerMode::Choice, TRoundLength::Fifty, false);
    for (const TCase& c : cases) {
        EXPECT_EQ(ParsePracticeSettings(c.Text).has_value(), c.Read) << c.Text.substr(0, 80);
        WriteText(file, c.Text);
        EXPECT_EQ(ReadPracticeSettings(file), c.Read ? expected : TPracticeSettings {}) << c.Text.substr(0, 80);
    }
    std::string many = good;
    for (int i = 0; i < 257; ++i)
        many += "lesson=" + std::to_string(i) + "\n";
    EXPECT_FALSE(ParsePracticeSettings(many));
    // A folder where the file should be.
    EXPECT_EQ(ReadPracticeSettings(folder.Path()), TPracticeSettings {});
}

TEST(PracticeSettings, AFailedWriteSaysSoAndKeepsTheOldFile)
{
    TTempFolder folder;
    WriteText(folder.Path() / "file", "not a folder");
    const std::filesystem::path blocked = folder.Path() / "file" / "practice.conf";
    try {
        WritePracticeSettings(blocked, {});
        ADD_FAILURE() << "no error";
    } catch (const EPracticeSettingsError& e) {
        EXPECT_TRUE(e.Message().starts_with("无法保存练习设置 \"" + blocked.string() + "\"：")) << e.Message();
    }
    // A folder in the file's place cannot be replaced; what was there stays.
    const std::filesystem::path taken = folder.Path() / "taken";
    std::filesystem::create_directories(taken / "inside");
    EXPECT_THROW(WritePracticeSettings(taken, {}), EPracticeSettingsError);
    EXPECT_TRUE(std::filesystem::is_directory(taken / "inside"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
}

TEST(PracticeSettings, ARoundAsksAtMostItsLengthAndAllAsksEveryKana)
{
    struct TCase {
        TRoundLength Length;
        std::size_t Selected;
        std::size_t Questions;
    };
    const TCase cases[] = { { TRoundLength::Twenty, 46, 20 }, { TRoundLength::Twenty, 5, 5 }, { TRoundLength::Fifty, 214, 50 },
        { TRoundLength::Fifty, 49, 49 }, { TRoundLength::All, 214, 214 }, { TRoundLength::All, 0, 0 } };
    for (const TCase& c : cases)
        EXPECT_EQ(QuestionCount(c.Length, c.Selected), c.Questions) << c.Selected;
}

TEST(PracticeSettings, AWriteReplacesTheFileWholeRatherThanRewritingIt)
{
    // A second name of the old file keeps the old text when a new file takes the name.
    TTempFolder folder;
    const std::filesystem::path file = folder.Path() / "practice.conf";
    WritePracticeSettings(file, {});
    std::filesystem::create_hard_link(file, folder.Path() / "old");
    const TPracticeSettings changed = Settings(TPracticeScript::Mixed, { "拗音" }, TAnswerMode::Choice, TRoundLength::All, false);
    WritePracticeSettings(file, changed);
    EXPECT_EQ(ReadPracticeSettings(folder.Path() / "old"), TPracticeSettings {});
    EXPECT_EQ(ReadPracticeSettings(file), changed);
}
