#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "learn/KanaKey.h"

// Leitner boxes: a right answer moves a kana up one box, a wrong one back to the first; the
// higher the box, the longer until the kana is due again.
constexpr int kFirstBox = 1;
constexpr int kLastBox = 5;

struct TBoxState {
    int Box;
    std::chrono::sys_seconds Due;

    bool operator==(const TBoxState&) const = default;
};

// Every kana answered at least once; a kana not in it is new.
using TBoxStates = std::unordered_map<TKanaKey, TBoxState, TKanaKeyHash>;

// How long a kana rests in a box: none in the first, then 1, 3, 7 and 14 days.
std::chrono::days BoxInterval(int box);

// A kana's box after an answer given at `now`; `current` is null for a new kana.
TBoxState NextBoxState(const TBoxState* current, bool right, std::chrono::sys_seconds now);

// The kana of a round, as indices into `selected`, at most `length` of them, each once: the
// kana due at `now` first, drawn at random with the lower boxes much more likely to come
// early, then the new kana in random order, then the rest, the soonest due first. The same
// seed gives the same round.
std::vector<std::size_t> DrawRound(std::span<const TKanaKey> selected, const TBoxStates& states, std::chrono::sys_seconds now,
    std::size_t length, std::uint32_t seed);
