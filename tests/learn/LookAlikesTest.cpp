#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "learn/KanaTable.h"
#include "learn/LookAlikes.h"

namespace {

std::vector<TChoiceKana> Script(TKanaScript script)
{
    std::vector<TChoiceKana> kana;
    for (std::span<const TKana> table : { BasicKana(), MoreKana() }) {
        for (const TKana& k : table) {
            if (k.Script == script)
                kana.push_back({ k.Text, k.Romaji });
        }
    }
    return kana;
}

TChoiceKana Kana(std::string_view text)
{
    const TKana* kana = FindKana(text);
    return { kana->Text, kana->Romaji };
}

std::vector<TChoiceKana> Pool(std::initializer_list<std::string_view> texts)
{
    std::vector<TChoiceKana> pool;
    for (std::string_view text : texts)
        pool.push_back(Kana(text));
    return pool;
}

std::set<std::string> Texts(const std::vector<TChoiceKana>& kana)
{
    std::set<std::string> texts;
    for (const TChoiceKana& k : kana)
        texts.emplace(k.Text);
    return texts;
}

} // namespace

TEST(LookAlikes, TheTableNamesKanaOfOneScriptEachGroupWithAReason)
{
    for (const TLookAlikeGroup& group : LookAlikeGroups()) {
        EXPECT_GE(group.Reason.size(), 20u) << group.Kana;
        std::set<TKanaScript> scripts;
        std::size_t members = 0;
        for (std::size_t start = 0; start <= group.Kana.size(); ++members) {
            const std::size_t end = std::min(group.Kana.find('/', start), group.Kana.size());
            const TKana* kana = FindKana(group.Kana.substr(start, end - start));
            ASSERT_NE(kana, nullptr) << group.Kana;
            scripts.insert(kana->Script);
            // The reason speaks of every kana of its group.
            EXPECT_NE(group.Reason.find(kana->Text), std::string_view::npos) << group.Kana;
            start = end + 1;
        }
        EXPECT_GE(members, 2u) << group.Kana;
        EXPECT_EQ(scripts.size(), 1u) << group.Kana;
    }
}

TEST(LookAlikes, KnowsTheKanaLearnersConfuseBothWays)
{
    const std::vector<std::vector<std::string_view>> confused
        = { { "シ", "ツ" }, { "ソ", "ン" }, { "ク", "ケ", "タ" }, { "ウ", "ワ", "フ" }, { "ね", "れ", "わ" }, { "め", "ぬ" },
              { "る", "ろ" }, { "は", "ほ" }, { "さ", "ち", "き" }, { "い", "り" }, { "あ", "お" }, { "ぬ", "ね" },
              { "ま", "も" }, { "コ", "ユ" }, { "ノ", "メ" }, { "チ", "テ" }, { "ナ", "メ" }, { "ヌ", "ス" } };
    for (const auto& group : confused) {
        for (std::string_view a : group) {
            const std::vector<std::string_view> alike = LookAlikesOf(a);
            EXPECT_EQ(std::count(alike.begin(), alike.end(), a), 0) << a;
            for (std::string_view b : group) {
                if (a != b) {
                    EXPECT_EQ(std::count(alike.begin(), alike.end(), b), 1) << a << " " << b;
                }
            }
        }
    }
    // ね stands in two groups; its look-alikes are both groups' others, each once.
    EXPECT_EQ(LookAlikesOf("ね"), (std::vector<std::string_view> { "れ", "わ", "ぬ" }));
    EXPECT_TRUE(LookAlikesOf("か").empty());
    EXPECT_TRUE(LookAlikesOf("").empty());
}

TEST(LookAlikes, DistractorsAreLookAlikesFirstThenRowOrVowelThenAny)
{
    struct TCase {
        const char* Answer;
        std::set<std::string> First; // the look-alikes, all chosen before anything else
        std::set<std::string> Then; // row or vowel kana the rest come from
    };
    const TCase cases[] = {
        { "シ", { "ツ" }, { "サ", "ス", "セ", "ソ", "キ", "チ", "ニ", "ヒ", "ミ", "リ", "ギ", "ジ", "ヂ", "ビ", "ピ", "ヰ" } },
        { "ク", { "ケ", "タ" },
            { "カ", "キ", "ケ", "コ", "ウ", "ス", "ツ", "ヌ", "フ", "ム", "ユ", "ル", "グ", "ズ", "ヅ", "ブ", "プ", "キュ",
                "シュ", "チュ", "ニュ", "ヒュ", "ミュ", "リュ", "ギュ", "ジュ", "ビュ", "ピュ" } },
        { "ね", { "れ", "わ", "ぬ" }, {} },
        { "が", {},
            { "ぎ", "ぐ", "げ", "ご", "あ", "か", "さ", "た", "な", "は", "ま", "や", "ら", "わ", "ざ", "だ", "ば", "ぱ", "きゃ",
                "しゃ", "ちゃ", "にゃ", "ひゃ", "みゃ", "りゃ", "ぎゃ", "じゃ", "びゃ", "ぴゃ" } },
    };
    for (const TCase& c : cases) {
        const TChoiceKana answer = Kana(c.Answer);
        const std::vector<TChoiceKana> deck = Script(FindKana(c.Answer)->Script);
        for (std::uint32_t seed = 0; seed < 10; ++seed) {
            const std::vector<TChoiceKana> chosen = ChooseDistractors(answer, deck, deck, seed);
            ASSERT_EQ(chosen.size(), 3u) << c.Answer;
            const std::vector<TChoiceKana> first(
                chosen.begin(), chosen.begin() + static_cast<long>(std::min<std::size_t>(c.First.size(), 3)));
            EXPECT_EQ(Texts(first), c.First) << c.Answer;
            for (std::size_t i = c.First.size(); i < 3; ++i)
                EXPECT_TRUE(c.Then.contains(std::string(chosen[i].Text))) << c.Answer << " " << chosen[i].Text;
            EXPECT_EQ(Texts(ChooseDistractors(answer, deck, deck, seed)), Texts(chosen));
        }
    }
}

TEST(LookAlikes, DistractorsNeverRepeatARomajiNorAnswerTheQuestion)
{
    struct TCase {
        std::vector<TChoiceKana> Pool;
        TChoiceKana Answer;
        std::set<std::string> Allowed; // the romaji a distractor may have
    };
    const TCase cases[] = {
        // ぢ is also "ji"; a deck that spells ぢ "di" makes "ji" an answer to it all the same.
        { Pool({ "じ", "ぢ", "ず", "づ", "か" }), Kana("じ"), { "zu", "ka" } },
        { { { "じ", "ji" }, { "ぢ", "di" }, { "ず", "zu" }, { "づ", "du" }, { "か", "ka" } }, { "ぢ", "di" },
            { "zu", "du", "ka" } },
        { Pool({ "お", "を", "あ", "い", "う" }), Kana("を"), { "a", "i", "u" } },
        // Upper case and spaces in a user's deck do not make a romaji new.
        { { { "か", "ka" }, { "カ", " KA" }, { "き", "ki" }, { "く", "ku" }, { "け", "ke" } }, { "か", "ka" },
            { "ki", "ku", "ke" } },
    };
    for (const TCase& c : cases) {
        for (std::uint32_t seed = 0; seed < 20; ++seed) {
            const std::vector<TChoiceKana> chosen = ChooseDistractors(c.Answer, c.Pool, c.Pool, seed);
            std::set<std::string> romaji;
            for (const TChoiceKana& k : chosen) {
                EXPECT_TRUE(c.Allowed.contains(std::string(k.Romaji))) << c.Answer.Text << " " << k.Romaji;
                romaji.emplace(k.Romaji);
            }
            EXPECT_EQ(romaji.size(), chosen.size()) << c.Answer.Text;
            EXPECT_EQ(chosen.size(), std::min<std::size_t>(c.Allowed.size(), 3)) << c.Answer.Text;
        }
    }
}

TEST(LookAlikes, ASmallPoolTakesItsDistractorsFromTheDeck)
{
    const std::vector<TChoiceKana> deck = Script(TKanaScript::Katakana);
    const std::vector<TChoiceKana> four = Pool({ "シ", "カ", "キ", "ク" });
    for (std::uint32_t seed = 0; seed < 10; ++seed) {
        // Four selected kana: the distractors are the other three, look-alike or not.
        EXPECT_EQ(Texts(ChooseDistractors(Kana("シ"), four, deck, seed)), (std::set<std::string> { "カ", "キ", "ク" }));
        // Fewer: the deck gives them, look-alikes first.
        const std::vector<TChoiceKana> chosen = ChooseDistractors(Kana("シ"), Pool({ "シ", "カ" }), deck, seed);
        ASSERT_EQ(chosen.size(), 3u);
        EXPECT_EQ(chosen[0].Text, "ツ");
    }
    // A deck of fewer than four gives what it has.
    EXPECT_EQ(Texts(ChooseDistractors(Kana("シ"), Pool({ "シ" }), Pool({ "シ", "ツ" }), 1)), (std::set<std::string> { "ツ" }));
    EXPECT_TRUE(ChooseDistractors(Kana("シ"), {}, {}, 1).empty());
}

TEST(LookAlikes, ChoicesHoldTheAnswerOnceAtASeededPlace)
{
    const std::vector<TChoiceKana> deck = Script(TKanaScript::Hiragana);
    std::set<std::size_t> places;
    for (std::uint32_t seed = 0; seed < 40; ++seed) {
        const TChoices choices = MakeChoices(Kana("る"), deck, deck, seed);
        ASSERT_EQ(choices.Romaji.size(), 4u);
        ASSERT_LT(choices.Right, 4u);
        EXPECT_EQ(choices.Romaji[choices.Right], "ru");
        EXPECT_EQ(std::count(choices.Romaji.begin(), choices.Romaji.end(), "ru"), 1);
        EXPECT_EQ(std::count(choices.Romaji.begin(), choices.Romaji.end(), "ro"), 1);
        const TChoices again = MakeChoices(Kana("る"), deck, deck, seed);
        EXPECT_EQ(again.Romaji, choices.Romaji);
        places.insert(choices.Right);
    }
    EXPECT_EQ(places.size(), 4u);
    const TChoices alone = MakeChoices(Kana("る"), {}, {}, 3);
    EXPECT_EQ(alone.Romaji, std::vector<std::string> { "ru" });
    EXPECT_EQ(alone.Right, 0u);
}
