#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Kana that learners take for one another, each group with what tells them apart.
struct TLookAlikeGroup {
    std::string_view Kana; // the kana of one script, separated by "/"
    std::string_view Reason;
};

std::span<const TLookAlikeGroup> LookAlikeGroups();

// The kana that look like this one, in the order of the table, each once.
std::vector<std::string_view> LookAlikesOf(std::string_view kana);

// A kana as a choice shows it.
struct TChoiceKana {
    std::string_view Text;
    std::string_view Romaji;
};

// Up to three kana to offer beside the right one: its look-alikes first, then kana of its row
// or vowel, then any, taken from the pool (the selected kana) or, when the pool holds fewer
// than four, from the deck, the deck also filling what the pool cannot. None has a romaji
// that answers the question or one already chosen. The same seed chooses the same.
std::vector<TChoiceKana> ChooseDistractors(
    const TChoiceKana& answer, std::span<const TChoiceKana> pool, std::span<const TChoiceKana> deck, std::uint32_t seed);

// The romaji offered on a choice question: the right one and the wrong ones, in an order the
// seed decides; fewer than four only when the deck has too few kana.
struct TChoices {
    std::vector<std::string> Romaji;
    std::size_t Right; // the index of the answer's
};

TChoices MakeChoices(
    const TChoiceKana& answer, std::span<const TChoiceKana> pool, std::span<const TChoiceKana> deck, std::uint32_t seed);
