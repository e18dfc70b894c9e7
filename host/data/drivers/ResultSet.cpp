#include "host/data/drivers/ResultSet.h"

#include <cassert>

#include "host/data/SameText.h"

TResultSet::TResultSet(std::vector<TResultColumn> columns, std::vector<TDataValue> values)
    : columns_(std::move(columns))
    , values_(std::move(values))
{
    assert(columns_.empty() ? values_.empty() : values_.size() % columns_.size() == 0);
    recordCount_ = columns_.empty() ? 0 : static_cast<int>(values_.size() / columns_.size());
}

int TResultSet::FindColumn(std::string_view name) const
{
    for (size_t i = 0; i < columns_.size(); ++i) {
        if (SameText(columns_[i].Name, name))
            return static_cast<int>(i);
    }
    return -1;
}

const TDataValue& TResultSet::Value(int row, int column) const
{
    assert(row >= 0 && row < recordCount_ && column >= 0 && column < static_cast<int>(columns_.size()));
    return values_[static_cast<size_t>(row) * columns_.size() + static_cast<size_t>(column)];
}
