#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/data/drivers/ResultSet.h"

// The two tables of a deck file.
enum class TDeckTable { MoraTab, KanaMore };

// One row of a deck table. Columns other than id may be null.
struct TDeckRow {
    std::int64_t Id = 0;
    std::optional<std::string> Type; // t_type
    std::optional<std::int64_t> X; // chart column from 1
    std::optional<std::int64_t> Y; // chart row from 1
    std::optional<TBlob> Picture; // t_pic: a kana picture blob
    std::optional<std::string> Pronounce; // t_pronounce
    std::optional<std::string> Kana; // t_kana: the kana as text
    std::optional<std::string> Group; // t_group, of kana_more only
    TDeckTable Table = TDeckTable::MoraTab;
};

// "moratab" or "kana_more".
const char* DeckTableName(TDeckTable table);

// Reads the text of a deck table file: a header of column names, then one row per line,
// escaped as Tsv.h says, null as empty. The columns id, t_type, x, y and t_pronounce come in
// any order, t_kana may be left out, and kana_more has t_group too; id is a whole number given
// once; x and y are empty or 1 to 200 (the chart's range). The rows come without pictures. The
// first fault raises Exception naming `name` and the line: "NAME:3: id 0 appears twice".
std::vector<TDeckRow> ParseDeckTable(std::string_view text, TDeckTable table, const std::string& name);
