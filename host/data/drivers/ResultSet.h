#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "host/data/FieldType.h"

using TBlob = std::vector<std::uint8_t>;

// One stored value: null, a 64-bit integer, a float, UTF-8 text or bytes.
using TDataValue = std::variant<std::monostate, std::int64_t, double, std::string, TBlob>;

struct TResultColumn {
    std::string Name;
    TFieldType DataType = TFieldType::ftString;
};

// The whole result of one statement, held in memory (a client-side cursor), so the record count
// is exact and the rows stay valid whatever happens to the file afterwards.
class TResultSet {
public:
    TResultSet() = default;
    // values holds the rows one after another, Columns().size() values each.
    TResultSet(std::vector<TResultColumn> columns, std::vector<TDataValue> values);

    const std::vector<TResultColumn>& Columns() const { return columns_; }
    int RecordCount() const { return recordCount_; }
    // The index of the column of that name in any letter case, or -1; the first one wins when a
    // statement yields the same name twice.
    int FindColumn(std::string_view name) const;
    const TDataValue& Value(int row, int column) const;

private:
    std::vector<TResultColumn> columns_;
    std::vector<TDataValue> values_;
    int recordCount_ = 0;
};
