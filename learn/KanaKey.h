#pragma once
#include <compare>
#include <cstddef>
#include <functional>
#include <string>

#include "learn/KanaTable.h"

// What progress is kept under: the kana as text and its script, so that it survives changes
// of pictures, ids or decks.
struct TKanaKey {
    std::string Text;
    TKanaScript Script;

    auto operator<=>(const TKanaKey&) const = default;
};

struct TKanaKeyHash {
    std::size_t operator()(const TKanaKey& key) const noexcept
    {
        return std::hash<std::string>()(key.Text) * 2 + static_cast<std::size_t>(key.Script);
    }
};
