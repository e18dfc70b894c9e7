#pragma once
#include <optional>
#include <string>

#include "host/data/drivers/DatabaseDriver.h"

// The tables of a kana deck: the basic chart, which the main window reads, and the voiced,
// half-voiced and contracted kana beside it.
extern const char* const kBasicTable; // moratab
extern const char* const kMoreTable; // kana_more

// Every row of a deck table in id order; none when the deck has no such table, as every deck
// made for the basic chart alone.
std::optional<TResultSet> ReadDeckTable(TDatabaseDriver& deck, const std::string& table);
