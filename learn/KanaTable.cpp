#include "learn/KanaTable.h"

#include <array>
#include <cstddef>

const char* const kHiraganaType = "平假名";
const char* const kKatakanaType = "片假名";

namespace {

constexpr std::string_view kVoiced = "浊音";
constexpr std::string_view kHalfVoiced = "半浊音";
constexpr std::string_view kContracted = "拗音";

// One kana in both scripts: hiragana, katakana, romaji, group, chart column, chart row.
struct TKanaPair {
    std::string_view Hiragana;
    std::string_view Katakana;
    std::string_view Romaji;
    std::string_view Group;
    int X;
    int Y;
};

// The basic chart, row by row, as moratab holds it.
constexpr std::array<TKanaPair, 49> kBasic { {
    { "あ", "ア", "a", "あ行", 1, 1 },
    { "い", "イ", "i", "あ行", 2, 1 },
    { "う", "ウ", "u", "あ行", 3, 1 },
    { "え", "エ", "e", "あ行", 4, 1 },
    { "お", "オ", "o", "あ行", 5, 1 },
    { "か", "カ", "ka", "か行", 1, 2 },
    { "き", "キ", "ki", "か行", 2, 2 },
    { "く", "ク", "ku", "か行", 3, 2 },
    { "け", "ケ", "ke", "か行", 4, 2 },
    { "こ", "コ", "ko", "か行", 5, 2 },
    { "さ", "サ", "sa", "さ行", 1, 3 },
    { "し", "シ", "shi", "さ行", 2, 3 },
    { "す", "ス", "su", "さ行", 3, 3 },
    { "せ", "セ", "se", "さ行", 4, 3 },
    { "そ", "ソ", "so", "さ行", 5, 3 },
    { "た", "タ", "ta", "た行", 1, 4 },
    { "ち", "チ", "chi", "た行", 2, 4 },
    { "つ", "ツ", "tsu", "た行", 3, 4 },
    { "て", "テ", "te", "た行", 4, 4 },
    { "と", "ト", "to", "た行", 5, 4 },
    { "な", "ナ", "na", "な行", 1, 5 },
    { "に", "ニ", "ni", "な行", 2, 5 },
    { "ぬ", "ヌ", "nu", "な行", 3, 5 },
    { "ね", "ネ", "ne", "な行", 4, 5 },
    { "の", "ノ", "no", "な行", 5, 5 },
    { "は", "ハ", "ha", "は行", 1, 6 },
    { "ひ", "ヒ", "hi", "は行", 2, 6 },
    { "ふ", "フ", "fu", "は行", 3, 6 },
    { "へ", "ヘ", "he", "は行", 4, 6 },
    { "ほ", "ホ", "ho", "は行", 5, 6 },
    { "ま", "マ", "ma", "ま行", 1, 7 },
    { "み", "ミ", "mi", "ま行", 2, 7 },
    { "む", "ム", "mu", "ま行", 3, 7 },
    { "め", "メ", "me", "ま行", 4, 7 },
    { "も", "モ", "mo", "ま行", 5, 7 },
    { "や", "ヤ", "ya", "や行", 1, 8 },
    { "ゆ", "ユ", "yu", "や行", 3, 8 },
    { "よ", "ヨ", "yo", "や行", 5, 8 },
    { "ら", "ラ", "ra", "ら行", 1, 9 },
    { "り", "リ", "ri", "ら行", 2, 9 },
    { "る", "ル", "ru", "ら行", 3, 9 },
    { "れ", "レ", "re", "ら行", 4, 9 },
    { "ろ", "ロ", "ro", "ら行", 5, 9 },
    { "わ", "ワ", "wa", "わ行", 1, 10 },
    { "ゐ", "ヰ", "wi", "わ行", 2, 10 },
    { "ゑ", "ヱ", "we", "わ行", 4, 10 },
    { "を", "ヲ", "wo", "わ行", 5, 10 },
    { "ん", "ン", "n", "ん・っ", 1, 11 },
    { "っ", "ッ", "(small tsu)", "ん・っ", 3, 11 },
} };

// Each group has its own chart: columns by vowel, rows by consonant; a contracted kana sits
// in the column of its small ゃ (a), ゅ (u) or ょ (o).
constexpr std::array<TKanaPair, 58> kMore { {
    { "が", "ガ", "ga", kVoiced, 1, 1 },
    { "ぎ", "ギ", "gi", kVoiced, 2, 1 },
    { "ぐ", "グ", "gu", kVoiced, 3, 1 },
    { "げ", "ゲ", "ge", kVoiced, 4, 1 },
    { "ご", "ゴ", "go", kVoiced, 5, 1 },
    { "ざ", "ザ", "za", kVoiced, 1, 2 },
    { "じ", "ジ", "ji", kVoiced, 2, 2 },
    { "ず", "ズ", "zu", kVoiced, 3, 2 },
    { "ぜ", "ゼ", "ze", kVoiced, 4, 2 },
    { "ぞ", "ゾ", "zo", kVoiced, 5, 2 },
    { "だ", "ダ", "da", kVoiced, 1, 3 },
    { "ぢ", "ヂ", "ji", kVoiced, 2, 3 },
    { "づ", "ヅ", "zu", kVoiced, 3, 3 },
    { "で", "デ", "de", kVoiced, 4, 3 },
    { "ど", "ド", "do", kVoiced, 5, 3 },
    { "ば", "バ", "ba", kVoiced, 1, 4 },
    { "び", "ビ", "bi", kVoiced, 2, 4 },
    { "ぶ", "ブ", "bu", kVoiced, 3, 4 },
    { "べ", "ベ", "be", kVoiced, 4, 4 },
    { "ぼ", "ボ", "bo", kVoiced, 5, 4 },
    { "ぱ", "パ", "pa", kHalfVoiced, 1, 1 },
    { "ぴ", "ピ", "pi", kHalfVoiced, 2, 1 },
    { "ぷ", "プ", "pu", kHalfVoiced, 3, 1 },
    { "ぺ", "ペ", "pe", kHalfVoiced, 4, 1 },
    { "ぽ", "ポ", "po", kHalfVoiced, 5, 1 },
    { "きゃ", "キャ", "kya", kContracted, 1, 1 },
    { "きゅ", "キュ", "kyu", kContracted, 3, 1 },
    { "きょ", "キョ", "kyo", kContracted, 5, 1 },
    { "しゃ", "シャ", "sha", kContracted, 1, 2 },
    { "しゅ", "シュ", "shu", kContracted, 3, 2 },
    { "しょ", "ショ", "sho", kContracted, 5, 2 },
    { "ちゃ", "チャ", "cha", kContracted, 1, 3 },
    { "ちゅ", "チュ", "chu", kContracted, 3, 3 },
    { "ちょ", "チョ", "cho", kContracted, 5, 3 },
    { "にゃ", "ニャ", "nya", kContracted, 1, 4 },
    { "にゅ", "ニュ", "nyu", kContracted, 3, 4 },
    { "にょ", "ニョ", "nyo", kContracted, 5, 4 },
    { "ひゃ", "ヒャ", "hya", kContracted, 1, 5 },
    { "ひゅ", "ヒュ", "hyu", kContracted, 3, 5 },
    { "ひょ", "ヒョ", "hyo", kContracted, 5, 5 },
    { "みゃ", "ミャ", "mya", kContracted, 1, 6 },
    { "みゅ", "ミュ", "myu", kContracted, 3, 6 },
    { "みょ", "ミョ", "myo", kContracted, 5, 6 },
    { "りゃ", "リャ", "rya", kContracted, 1, 7 },
    { "りゅ", "リュ", "ryu", kContracted, 3, 7 },
    { "りょ", "リョ", "ryo", kContracted, 5, 7 },
    { "ぎゃ", "ギャ", "gya", kContracted, 1, 8 },
    { "ぎゅ", "ギュ", "gyu", kContracted, 3, 8 },
    { "ぎょ", "ギョ", "gyo", kContracted, 5, 8 },
    { "じゃ", "ジャ", "ja", kContracted, 1, 9 },
    { "じゅ", "ジュ", "ju", kContracted, 3, 9 },
    { "じょ", "ジョ", "jo", kContracted, 5, 9 },
    { "びゃ", "ビャ", "bya", kContracted, 1, 10 },
    { "びゅ", "ビュ", "byu", kContracted, 3, 10 },
    { "びょ", "ビョ", "byo", kContracted, 5, 10 },
    { "ぴゃ", "ピャ", "pya", kContracted, 1, 11 },
    { "ぴゅ", "ピュ", "pyu", kContracted, 3, 11 },
    { "ぴょ", "ピョ", "pyo", kContracted, 5, 11 },
} };

template <std::size_t N> constexpr void AddBoth(const std::array<TKanaPair, N>& pairs, TKana*& out)
{
    for (const TKanaScript script : { TKanaScript::Hiragana, TKanaScript::Katakana }) {
        for (const TKanaPair& pair : pairs) {
            const std::string_view text = script == TKanaScript::Hiragana ? pair.Hiragana : pair.Katakana;
            *out++ = { text, script, pair.Romaji, pair.Group, pair.X, pair.Y };
        }
    }
}

constexpr std::size_t kBasicCount = 2 * kBasic.size();

constexpr std::array<TKana, kBasicCount + 2 * kMore.size()> MakeTable()
{
    std::array<TKana, kBasicCount + 2 * kMore.size()> table {};
    TKana* out = table.data();
    AddBoth(kBasic, out);
    AddBoth(kMore, out);
    return table;
}

constexpr auto kTable = MakeTable();

} // namespace

const std::string_view kVoicedGroup = kVoiced;
const std::string_view kHalfVoicedGroup = kHalfVoiced;
const std::string_view kContractedGroup = kContracted;

std::string_view ScriptType(TKanaScript script)
{
    return script == TKanaScript::Hiragana ? kHiraganaType : kKatakanaType;
}

std::optional<TKanaScript> ScriptOfType(std::string_view type)
{
    if (type == kHiraganaType)
        return TKanaScript::Hiragana;
    if (type == kKatakanaType)
        return TKanaScript::Katakana;
    return std::nullopt;
}

std::span<const TKana> BasicKana()
{
    return std::span<const TKana>(kTable).first(kBasicCount);
}

std::span<const TKana> MoreKana()
{
    return std::span<const TKana>(kTable).subspan(kBasicCount);
}

const TKana* FindKana(std::string_view text)
{
    for (const TKana& kana : kTable) {
        if (kana.Text == text)
            return &kana;
    }
    return nullptr;
}

const TKana* FindKanaByRomaji(std::string_view romaji, TKanaScript script)
{
    for (const TKana& kana : kTable) {
        if (kana.Script == script && kana.Romaji == romaji)
            return &kana;
    }
    return nullptr;
}

std::string DeckKanaText(std::string_view storedKana, std::string_view romaji, std::string_view type)
{
    if (!storedKana.empty())
        return std::string(storedKana);
    const std::optional<TKanaScript> script = ScriptOfType(type);
    const TKana* known = script ? FindKanaByRomaji(romaji, *script) : nullptr;
    return known ? std::string(known->Text) : std::string();
}
