#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "learn/KanaTable.h"

namespace {

// Written out on their own, in table order: every hiragana and its romaji.
const char* const kBasicHiragana = "あ い う え お か き く け こ さ し す せ そ た ち つ て と な に ぬ ね の は ひ ふ へ ほ "
                                   "ま み む め も や ゆ よ ら り る れ ろ わ ゐ ゑ を ん っ";
const char* const kBasicRomaji = "a i u e o ka ki ku ke ko sa shi su se so ta chi tsu te to na ni nu ne no ha hi fu he ho "
                                 "ma mi mu me mo ya yu yo ra ri ru re ro wa wi we wo n (small_tsu)";
const char* const kMoreHiragana = "が ぎ ぐ げ ご ざ じ ず ぜ ぞ だ ぢ づ で ど ば び ぶ べ ぼ ぱ ぴ ぷ ぺ ぽ "
                                  "きゃ きゅ きょ しゃ しゅ しょ ちゃ ちゅ ちょ にゃ にゅ にょ ひゃ ひゅ ひょ みゃ みゅ みょ "
                                  "りゃ りゅ りょ ぎゃ ぎゅ ぎょ じゃ じゅ じょ びゃ びゅ びょ ぴゃ ぴゅ ぴょ";
const char* const kMoreRomaji = "ga gi gu ge go za ji zu ze zo da ji zu de do ba bi bu be bo pa pi pu pe po "
                                "kya kyu kyo sha shu sho cha chu cho nya nyu nyo hya hyu hyo mya myu myo "
                                "rya ryu ryo gya gyu gyo ja ju jo bya byu byo pya pyu pyo";

std::vector<std::string> Words(const char* text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word == "(small_tsu)" ? "(small tsu)" : word);
    return words;
}

// Kana lie in U+3040..U+30FF, three bytes each in UTF-8.
std::u32string DecodeUtf8(std::string_view text)
{
    std::u32string codePoints;
    for (std::size_t i = 0; i + 2 < text.size(); i += 3)
        codePoints += static_cast<char32_t>((text[i] & 0x0F) << 12 | (text[i + 1] & 0x3F) << 6 | (text[i + 2] & 0x3F));
    return codePoints;
}

std::string EncodeUtf8(const std::u32string& codePoints)
{
    std::string text;
    for (char32_t c : codePoints) {
        text += static_cast<char>(0xE0 | c >> 12);
        text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
    return text;
}

// A katakana is its hiragana moved by 0x60 code points.
std::string Katakana(const std::string& hiragana)
{
    std::u32string codePoints = DecodeUtf8(hiragana);
    for (char32_t& c : codePoints)
        c += 0x60;
    return EncodeUtf8(codePoints);
}

// The table's entries as "TEXT ROMAJI" words, and the expected ones: hiragana then katakana.
std::vector<std::string> Described(std::span<const TKana> table)
{
    std::vector<std::string> words;
    for (const TKana& kana : table)
        words.push_back(std::string(kana.Text) + " " + std::string(kana.Romaji));
    return words;
}

std::vector<std::string> Expected(const char* hiragana, const char* romaji)
{
    const std::vector<std::string> kana = Words(hiragana);
    const std::vector<std::string> spoken = Words(romaji);
    std::vector<std::string> words;
    for (int katakana = 0; katakana < 2; ++katakana) {
        for (std::size_t i = 0; i < kana.size(); ++i)
            words.push_back((katakana ? Katakana(kana[i]) : kana[i]) + " " + spoken[i]);
    }
    return words;
}

std::vector<TKana> AllKana()
{
    std::vector<TKana> all(BasicKana().begin(), BasicKana().end());
    all.insert(all.end(), MoreKana().begin(), MoreKana().end());
    return all;
}

} // namespace

TEST(KanaTable, HoldsEveryKanaWithItsRomajiInDeckOrder)
{
    EXPECT_EQ(Described(BasicKana()), Expected(kBasicHiragana, kBasicRomaji));
    EXPECT_EQ(Described(MoreKana()), Expected(kMoreHiragana, kMoreRomaji));
    for (std::span<const TKana> table : { BasicKana(), MoreKana() }) {
        for (std::size_t i = 0; i < table.size(); ++i)
            EXPECT_EQ(table[i].Script, i < table.size() / 2 ? TKanaScript::Hiragana : TKanaScript::Katakana) << table[i].Text;
    }
}

TEST(KanaTable, GroupsHoldTheirKanaInBothScripts)
{
    const std::map<std::string_view, int> expected = { { "あ行", 5 }, { "か行", 5 }, { "さ行", 5 }, { "た行", 5 }, { "な行", 5 },
        { "は行", 5 }, { "ま行", 5 }, { "や行", 3 }, { "ら行", 5 }, { "わ行", 4 }, { "ん・っ", 2 }, { kVoicedGroup, 20 },
        { kHalfVoicedGroup, 5 }, { kContractedGroup, 33 } };
    for (const TKanaScript script : { TKanaScript::Hiragana, TKanaScript::Katakana }) {
        std::map<std::string_view, int> counts;
        for (const TKana& kana : AllKana())
            counts[kana.Group] += kana.Script == script;
        EXPECT_EQ(counts, expected);
    }
    for (const TKana& kana : MoreKana())
        EXPECT_TRUE(kana.Group == kVoicedGroup || kana.Group == kHalfVoicedGroup || kana.Group == kContractedGroup);
}

TEST(KanaTable, EveryChartCellHoldsOneKana)
{
    std::set<std::tuple<std::string_view, TKanaScript, int, int>> cells;
    std::set<std::tuple<TKanaScript, int, int>> basicCells;
    for (const TKana& kana : AllKana()) {
        EXPECT_TRUE(kana.X >= 1 && kana.X <= 5 && kana.Y >= 1 && kana.Y <= 11) << kana.Text;
        EXPECT_TRUE(cells.insert({ kana.Group, kana.Script, kana.X, kana.Y }).second) << kana.Text;
    }
    for (const TKana& kana : BasicKana())
        EXPECT_TRUE(basicCells.insert({ kana.Script, kana.X, kana.Y }).second) << kana.Text;
    // A contracted kana stands in the column of its small ゃ, ゅ or ょ, as や, ゆ and よ do.
    for (const TKana& kana : MoreKana()) {
        if (kana.Group != kContractedGroup)
            continue;
        const std::u32string codePoints = DecodeUtf8(kana.Text);
        ASSERT_EQ(codePoints.size(), 2u) << kana.Text;
        const TKana* full = FindKana(EncodeUtf8(std::u32string(1, codePoints[1] + 1)));
        ASSERT_NE(full, nullptr) << kana.Text;
        EXPECT_EQ(kana.X, full->X) << kana.Text;
    }
}

TEST(KanaTable, ContractedRomajiJoinsTheHeadToTheSmallKana)
{
    for (const TKana& kana : MoreKana()) {
        if (kana.Group != kContractedGroup)
            continue;
        const std::u32string codePoints = DecodeUtf8(kana.Text);
        const TKana* head = FindKana(EncodeUtf8(std::u32string(1, codePoints[0])));
        const TKana* full = FindKana(EncodeUtf8(std::u32string(1, codePoints[1] + 1)));
        ASSERT_TRUE(head && full) << kana.Text;
        // ki + ゃ: ky + a; shi + ゃ: sh + a; ji + ゃ: j + a.
        std::string stem(head->Romaji.substr(0, head->Romaji.size() - 1));
        if (stem != "sh" && stem != "ch" && stem != "j")
            stem += 'y';
        EXPECT_EQ(kana.Romaji, stem + std::string(full->Romaji.substr(1))) << kana.Text;
    }
}

TEST(KanaTable, FindsEveryKanaByTextAndByRomaji)
{
    for (const TKana& kana : AllKana()) {
        ASSERT_NE(FindKana(kana.Text), nullptr) << kana.Text;
        EXPECT_EQ(FindKana(kana.Text)->Script, kana.Script);
        EXPECT_EQ(FindKana(kana.Text)->Romaji, kana.Romaji);
        const TKana* spoken = FindKanaByRomaji(kana.Romaji, kana.Script);
        ASSERT_NE(spoken, nullptr) << kana.Text;
        EXPECT_EQ(spoken->Romaji, kana.Romaji);
        EXPECT_EQ(spoken->Script, kana.Script);
    }
    // Kana sharing a romaji: the common one is found.
    const std::pair<const char*, const char*> shared[] = { { "ぢ", "じ" }, { "づ", "ず" }, { "ヂ", "ジ" }, { "ヅ", "ズ" } };
    for (const auto& [rare, common] : shared) {
        const TKana* kana = FindKana(rare);
        ASSERT_NE(kana, nullptr);
        EXPECT_EQ(FindKanaByRomaji(kana->Romaji, kana->Script)->Text, common);
    }
    // No other two kana of a script share a romaji.
    std::set<std::pair<std::string_view, TKanaScript>> romaji;
    for (const TKana& kana : AllKana())
        romaji.insert({ kana.Romaji, kana.Script });
    EXPECT_EQ(romaji.size(), AllKana().size() - 4);
    EXPECT_EQ(FindKana("か "), nullptr);
    EXPECT_EQ(FindKana("ka"), nullptr);
    EXPECT_EQ(FindKanaByRomaji("Ka", TKanaScript::Hiragana), nullptr);
    EXPECT_EQ(FindKanaByRomaji("kya", TKanaScript::Katakana)->Text, "キャ");
}

TEST(KanaTable, ScriptsAreTheTypeWordsOfTheDeck)
{
    EXPECT_EQ(ScriptType(TKanaScript::Hiragana), "平假名");
    EXPECT_EQ(ScriptType(TKanaScript::Katakana), "片假名");
    EXPECT_EQ(ScriptOfType("平假名"), TKanaScript::Hiragana);
    EXPECT_EQ(ScriptOfType("片假名"), TKanaScript::Katakana);
    EXPECT_EQ(ScriptOfType("平假"), std::nullopt);
    EXPECT_EQ(ScriptOfType(""), std::nullopt);
}

TEST(KanaTable, ADeckRowShowsItsStoredKanaElseTheKanaOfItsRomaji)
{
    const struct {
        const char* Stored;
        const char* Romaji;
        const char* Type;
        const char* Kana;
    } cases[] = {
        { "か", "ka", "平假名", "か" },
        { "", "ka", "平假名", "か" },
        { "", "ka", "片假名", "カ" },
        { "", "kya", "片假名", "キャ" },
        { "ゑ", "e", "平假名", "ゑ" }, // a stored kana wins over its romaji
        { "", "xyz", "平假名", "" },
        { "", "ka", "", "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(DeckKanaText(c.Stored, c.Romaji, c.Type), c.Kana) << c.Romaji << " " << c.Type;
}
