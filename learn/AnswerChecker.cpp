#include "learn/AnswerChecker.h"

#include <string_view>

namespace {

// The kana whose romaji learners spell in more than one way, with every accepted spelling,
// separated by "/": modified Hepburn first (as the deck stores it), then Kunrei-shiki and
// Nihon-shiki, then the spellings of Japanese keyboard input. A katakana is looked up as its
// hiragana; kana not listed have one spelling.
struct TSpellings {
    std::string_view Kana;
    std::string_view Spellings;
};

constexpr TSpellings kSpellings[] = {
    { "し", "shi/si" },
    { "ち", "chi/ti" },
    { "つ", "tsu/tu" },
    { "ふ", "fu/hu" },
    { "じ", "ji/zi" },
    { "ぢ", "ji/zi/di" },
    { "づ", "zu/du" },
    { "を", "wo/o" },
    { "ん", "n/nn/n'" },
    { "ゐ", "wi/i" },
    { "ゑ", "we/e" },
    { "っ", "(small tsu)/small tsu/xtsu/ltsu/xtu/ltu" },
    { "しゃ", "sha/sya" },
    { "しゅ", "shu/syu" },
    { "しょ", "sho/syo" },
    { "ちゃ", "cha/tya" },
    { "ちゅ", "chu/tyu" },
    { "ちょ", "cho/tyo" },
    { "じゃ", "ja/zya/jya" },
    { "じゅ", "ju/zyu/jyu" },
    { "じょ", "jo/zyo/jyo" },
};

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Katakana U+30A1..U+30F6 lie 0x60 code points above their hiragana; in UTF-8 that is
// E3 82 A1..BF and E3 83 80..B6.
std::string AsHiragana(std::string_view kana)
{
    std::string text(kana);
    for (std::size_t i = 0; i + 2 < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto middle = static_cast<unsigned char>(text[i + 1]);
        const auto last = static_cast<unsigned char>(text[i + 2]);
        if (lead != 0xE3 || (middle != 0x82 && middle != 0x83))
            continue;
        const unsigned codePoint = 0x3000u | (middle & 0x3Fu) << 6 | (last & 0x3Fu);
        if (codePoint < 0x30A1 || codePoint > 0x30F6)
            continue;
        const unsigned hiragana = codePoint - 0x60;
        text[i + 1] = static_cast<char>(0x80 | (hiragana >> 6 & 0x3F));
        text[i + 2] = static_cast<char>(0x80 | (hiragana & 0x3F));
        i += 2;
    }
    return text;
}

bool IsSpelling(std::string_view spellings, std::string_view answer)
{
    while (!spellings.empty()) {
        const std::size_t slash = spellings.find('/');
        if (spellings.substr(0, slash) == answer)
            return true;
        spellings = slash == std::string_view::npos ? std::string_view() : spellings.substr(slash + 1);
    }
    return false;
}

} // namespace

std::string NormalisedAnswer(std::string_view text)
{
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    std::string answer(text);
    for (char& c : answer) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return answer;
}

bool IsRightAnswer(std::string_view given, std::string_view kana, std::string_view pronunciation)
{
    const std::string answer = NormalisedAnswer(given);
    const std::string expected = NormalisedAnswer(pronunciation);
    if (answer.empty())
        return false;
    if (answer == expected)
        return true;
    const std::string hiragana = AsHiragana(kana);
    for (const TSpellings& row : kSpellings) {
        if (row.Kana == hiragana)
            return IsSpelling(row.Spellings, expected) && IsSpelling(row.Spellings, answer);
    }
    return false;
}
