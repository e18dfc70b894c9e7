#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "host/data/FieldType.h"
#include "host/data/drivers/ResultSet.h"

class TDataSet;

// One column of an open data set, read in the data set's current row. Fields are made when the
// data set opens and destroyed when it closes.
class TField {
public:
    TField(const TDataSet& dataSet, int index, const TResultColumn& column);
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    const TDataSet& DataSet() const { return dataSet_; }
    int Index() const { return index_; }
    const std::string& FieldName() const { return name_; }
    TFieldType DataType() const { return dataType_; }
    // A large object: long bytes or long text.
    bool IsBlob() const { return IsBlobType(dataType_); }

    // The value in the current row; null when the data set has no current row.
    const TDataValue& Value() const;
    bool IsNull() const;
    // Whole numbers as they are, text converted, fractions rounded; null reads as 0. A value
    // that is no integer raises EDatabaseError ("'abc' is not a valid integer value").
    int AsInteger() const;
    // Null reads as "", numbers in decimal, bytes as they are.
    std::string AsString() const;
    // The content of a large object (or of text) as bytes; empty for null.
    std::span<const std::uint8_t> AsBytes() const;

private:
    [[noreturn]] void AccessError(const char* type) const;

    const TDataSet& dataSet_;
    int index_;
    std::string name_;
    TFieldType dataType_;
};
