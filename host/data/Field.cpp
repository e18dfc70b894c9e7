#include "host/data/Field.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

#include "host/data/DataSet.h"
#include "host/data/DatabaseError.h"

namespace {

[[noreturn]] void NotAnInteger(const std::string& text)
{
    throw EDatabaseError("'" + text + "' is not a valid integer value");
}

int IntegerFromText(const std::string& text)
{
    // Leading blanks and a plus sign are allowed, as the host's conversion allows them.
    std::size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos)
        NotAnInteger(text);
    if (text[start] == '+' && start + 1 < text.size() && text[start + 1] != '-')
        ++start;
    int value = 0;
    const char* end = text.data() + text.size();
    auto [next, error] = std::from_chars(text.data() + start, end, value);
    if (error != std::errc() || next != end)
        NotAnInteger(text);
    return value;
}

std::string FloatText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

} // namespace

TField::TField(const TDataSet& dataSet, int index, const TResultColumn& column)
    : dataSet_(dataSet)
    , index_(index)
    , name_(column.Name)
    , dataType_(column.DataType)
{
}

const TDataValue& TField::Value() const
{
    return dataSet_.CurrentValue(index_);
}

bool TField::IsNull() const
{
    return std::holds_alternative<std::monostate>(Value());
}

int TField::AsInteger() const
{
    const TDataValue& value = Value();
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        if (!std::in_range<int>(*number))
            NotAnInteger(std::to_string(*number));
        return static_cast<int>(*number);
    }
    if (const auto* number = std::get_if<double>(&value)) {
        const double rounded = std::round(*number);
        if (!(rounded >= std::numeric_limits<int>::min() && rounded <= std::numeric_limits<int>::max()))
            NotAnInteger(FloatText(*number));
        return static_cast<int>(rounded);
    }
    if (const auto* text = std::get_if<std::string>(&value))
        return IntegerFromText(*text);
    if (std::holds_alternative<TBlob>(value))
        AccessError("Integer");
    return 0;
}

std::string TField::AsString() const
{
    const TDataValue& value = Value();
    if (const auto* number = std::get_if<std::int64_t>(&value))
        return std::to_string(*number);
    if (const auto* number = std::get_if<double>(&value))
        return FloatText(*number);
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    if (const auto* bytes = std::get_if<TBlob>(&value))
        return std::string(bytes->begin(), bytes->end());
    return {};
}

std::span<const std::uint8_t> TField::AsBytes() const
{
    const TDataValue& value = Value();
    if (const auto* bytes = std::get_if<TBlob>(&value))
        return *bytes;
    if (const auto* text = std::get_if<std::string>(&value))
        return { reinterpret_cast<const std::uint8_t*>(text->data()), text->size() };
    if (std::holds_alternative<std::monostate>(value))
        return {};
    AccessError("Blob");
}

void TField::AccessError(const char* type) const
{
    throw EDatabaseError("Cannot access field '" + name_ + "' as type " + type);
}
