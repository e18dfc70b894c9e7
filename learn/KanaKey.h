#pragma once
#include <compare>
#include <string>

#include "learn/KanaTable.h"

// What progress is kept under: the kana as text and its script, so that it survives changes
// of pictures, ids or decks.
struct TKanaKey {
    std::string Text;
    TKanaScript Script;

    auto operator<=>(const TKanaKey&) const = default;
};
