#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The program's one table of kana and their romaji: the 49 kana of the basic chart, the voiced,
// half-voiced and contracted kana, each in hiragana and katakana.

enum class TKanaScript { Hiragana, Katakana };

struct TKana {
    std::string_view Text; // UTF-8: "か", "きゃ"
    TKanaScript Script;
    std::string_view Romaji; // canonical modified Hepburn, lower case, as a deck stores it
    std::string_view Group; // the lesson: a row of the basic chart or one of the extra groups
    int X; // chart column from 1, by vowel
    int Y; // chart row from 1, by consonant, within the chart of the group
};

// The words t_type holds for the two scripts.
extern const char* const kHiraganaType; // 平假名
extern const char* const kKatakanaType; // 片假名

// The groups beyond the basic chart, as t_group holds them.
extern const std::string_view kVoicedGroup; // 浊音
extern const std::string_view kHalfVoicedGroup; // 半浊音
extern const std::string_view kContractedGroup; // 拗音

std::string_view ScriptType(TKanaScript script);
std::optional<TKanaScript> ScriptOfType(std::string_view type);

// The basic chart in deck order: the hiragana row by row, then the katakana in the same order,
// so that a kana's index is its id in moratab.
std::span<const TKana> BasicKana();
// The voiced, half-voiced and contracted kana: the hiragana group by group, then the katakana
// in the same order.
std::span<const TKana> MoreKana();

// The entry of a kana text, or null.
const TKana* FindKana(std::string_view text);
// The kana of a script whose canonical romaji this is, or null. Where two kana share one romaji
// (じ and ぢ are both "ji", ず and づ both "zu") the common one comes first and is found.
const TKana* FindKanaByRomaji(std::string_view romaji, TKanaScript script);

// The kana a deck row shows: its t_kana when the deck has one, else the kana of its romaji in
// the script its t_type names; empty when neither tells.
std::string DeckKanaText(std::string_view storedKana, std::string_view romaji, std::string_view type);
