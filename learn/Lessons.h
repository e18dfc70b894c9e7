#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "host/data/drivers/DatabaseDriver.h"
#include "learn/KanaTable.h"

// One kana of a lesson, as the deck holds it.
struct TLessonKana {
    const char* Table; // kBasicTable or kMoreTable, where its picture is
    std::int64_t Id;
    std::string Text; // t_kana, else the kana of its romaji in KanaTable; empty when neither
    std::string Romaji; // t_pronounce
};

struct TLesson {
    std::string Name; // a group of KanaTable ("か行", "浊音") or the lesson's kana joined by "・"
    TKanaScript Script;
    std::vector<TLessonKana> Kana; // in id order
};

// The lessons of a deck, all hiragana lessons first, then the katakana ones: a lesson for each
// chart row of moratab (by y, from the top), then one for each group of kana_more (voiced,
// half-voiced, contracted, then any other in the order of first appearance). A deck without
// kana_more has the chart rows only. Rows without a script word of t_type, a y, or a group
// belong to no lesson. A lesson is named after the KanaTable group its kana share.
std::vector<TLesson> ReadLessons(TDatabaseDriver& deck);
