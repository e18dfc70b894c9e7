#include <gtest/gtest.h>

#include <set>
#include <string>

#include "learn/AnswerChecker.h"
#include "learn/KanaTable.h"

namespace {

struct TTypedAnswer {
    const char* Given;
    const char* Kana;
    const char* Pronunciation; // as the deck stores it
    bool Right;
};

// Answers learners type, as they type them.
const TTypedAnswer kAnswers[] = {
    { "ka", "か", "ka", true },
    { " Ka ", "カ", "ka", true },
    { "\tKA\n", "か", "ka", true },
    { "shi", "し", "SHI ", true },
    { "si", "し", "shi", true },
    { "SI", "シ", "shi", true },
    { "shi", "シ", "si", true }, // a deck that stores Kunrei-shiki
    { "s hi", "し", "shi", false },
    { "chi", "ち", "chi", true },
    { "ti", "チ", "chi", true },
    { "tsu", "つ", "tsu", true },
    { "tu", "ツ", "tsu", true },
    { "tsu", "す", "su", false },
    { "fu", "ふ", "fu", true },
    { "hu", "フ", "fu", true },
    { "ji", "じ", "ji", true },
    { "zi", "ジ", "ji", true },
    { "di", "じ", "ji", false },
    { "di", "ぢ", "ji", true },
    { "zi", "ヂ", "ji", true },
    { "zu", "づ", "zu", true },
    { "du", "ヅ", "zu", true },
    { "du", "ず", "zu", false },
    { "sha", "しゃ", "sha", true },
    { "sya", "シャ", "sha", true },
    { "shya", "しゃ", "sha", false },
    { "syu", "しゅ", "shu", true },
    { "syo", "ショ", "sho", true },
    { "tya", "ちゃ", "cha", true },
    { "tyu", "チュ", "chu", true },
    { "tyo", "ちょ", "cho", true },
    { "cya", "ちゃ", "cha", false },
    { "ja", "じゃ", "ja", true },
    { "zya", "ジャ", "ja", true },
    { "jya", "じゃ", "ja", true },
    { "zyu", "じゅ", "ju", true },
    { "Jyu", "ジュ", "ju", true },
    { "zyo", "じょ", "jo", true },
    { "jyo", "ジョ", "jo", true },
    { "kya", "きゃ", "kya", true },
    { "kiya", "きゃ", "kya", false },
    { "wo", "を", "wo", true },
    { "o", "ヲ", "wo", true },
    { "wo", "お", "o", false },
    { "n", "ん", "n", true },
    { "nn", "ン", "n", true },
    { "n'", "ん", "n", true },
    { "m", "ん", "n", false },
    { "wi", "ゐ", "wi", true },
    { "i", "ヰ", "wi", true },
    { "we", "ゑ", "we", true },
    { "e", "ヱ", "we", true },
    { "xtsu", "っ", "(small tsu)", true },
    { "ltsu", "ッ", "(small tsu)", true },
    { "xtu", "っ", "(small tsu)", true },
    { "LTU", "ッ", "(small tsu)", true },
    { "(small tsu)", "っ", "(small tsu)", true },
    { "small tsu", "っ", "(small tsu)", true },
    { "tsu", "っ", "(small tsu)", false },
    { "", "あ", "a", false },
    { "   ", "あ", "a", false },
    // A user's own deck: what the table does not know stands as it is.
    { "kah", "か", "Kah", true },
    { "ka", "か", "kah", false },
    { "shee", "し", "shee", true },
    { "shi", "し", "shee", false },
    { "si", "シ", "shee", false },
    { "va", "ヴ", "va", true },
    { "ba", "ヴ", "va", false },
    { "x", "", "x", true },
    { "", "", "", false },
};

} // namespace

TEST(AnswerChecker, AcceptsTheUsualSpellingsOfTheKanaAndNothingElse)
{
    for (const TTypedAnswer& a : kAnswers)
        EXPECT_EQ(IsRightAnswer(a.Given, a.Kana, a.Pronunciation), a.Right) << '"' << a.Given << "\" for " << a.Kana;
}

TEST(AnswerChecker, TheRomajiOfAnotherKanaIsNeverRight)
{
    // Only the old kana ゐ ゑ を are also read as the vowel that took their place.
    const std::set<std::pair<std::string_view, std::string_view>> alsoRight
        = { { "ゐ", "i" }, { "ヰ", "i" }, { "ゑ", "e" }, { "ヱ", "e" }, { "を", "o" }, { "ヲ", "o" } };
    for (std::span<const TKana> table : { BasicKana(), MoreKana() }) {
        for (const TKana& kana : table) {
            for (std::span<const TKana> others : { BasicKana(), MoreKana() }) {
                for (const TKana& other : others) {
                    const bool right = other.Romaji == kana.Romaji || alsoRight.contains({ kana.Text, other.Romaji });
                    EXPECT_EQ(IsRightAnswer(other.Romaji, kana.Text, kana.Romaji), right) << other.Romaji << " for " << kana.Text;
                }
            }
        }
    }
}
