#include "host/ui/Layout.h"

#include "host/sys/Exception.h"

void LayoutError(int line, std::string_view problem)
{
    throw EReadError("Line " + std::to_string(line) + ": " + std::string(problem));
}

TLayoutValue::TLayoutValue() = default;
TLayoutValue::~TLayoutValue() = default;
TLayoutValue::TLayoutValue(const TLayoutValue&) = default;
TLayoutValue::TLayoutValue(TLayoutValue&&) noexcept = default;
TLayoutValue& TLayoutValue::operator=(const TLayoutValue&) = default;
TLayoutValue& TLayoutValue::operator=(TLayoutValue&&) noexcept = default;

TLayoutValue::TLayoutValue(TValueKind kind, int line)
    : kind_(kind)
    , line_(line)
{
}

TLayoutValue TLayoutValue::FromInteger(std::int64_t value, int line)
{
    TLayoutValue v(TValueKind::Integer, line);
    v.integer_ = value;
    return v;
}

TLayoutValue TLayoutValue::FromHex(std::int64_t value, int line)
{
    TLayoutValue v = FromInteger(value, line);
    v.hex_ = true;
    return v;
}

TLayoutValue TLayoutValue::FromString(std::string value, int line)
{
    TLayoutValue v(TValueKind::String, line);
    v.text_ = std::move(value);
    return v;
}

TLayoutValue TLayoutValue::FromIdent(std::string ident, int line)
{
    TLayoutValue v(TValueKind::Ident, line);
    v.text_ = std::move(ident);
    return v;
}

TLayoutValue TLayoutValue::FromSet(std::vector<std::string> idents, int line)
{
    TLayoutValue v(TValueKind::Set, line);
    v.idents_ = std::move(idents);
    return v;
}

TLayoutValue TLayoutValue::FromList(std::vector<TLayoutValue> values, int line)
{
    TLayoutValue v(TValueKind::List, line);
    v.values_ = std::move(values);
    return v;
}

TLayoutValue TLayoutValue::FromCollection(std::vector<TLayoutItem> items, int line)
{
    TLayoutValue v(TValueKind::Collection, line);
    v.items_ = std::move(items);
    return v;
}

TLayoutValue TLayoutValue::FromBinary(std::vector<std::uint8_t> bytes, int line)
{
    TLayoutValue v(TValueKind::Binary, line);
    v.bytes_ = std::move(bytes);
    return v;
}

void TLayoutValue::Fail(std::string_view problem) const
{
    LayoutError(line_, problem);
}

void TLayoutValue::Expect(TValueKind kind) const
{
    if (kind_ == kind)
        return;
    switch (kind) {
    case TValueKind::Integer:
        Fail("Integer expected");
    case TValueKind::String:
        Fail("String expected");
    case TValueKind::Ident:
        Fail("Identifier expected");
    case TValueKind::Set:
        Fail("Set expected");
    case TValueKind::List:
        Fail("List expected");
    case TValueKind::Collection:
        Fail("Collection expected");
    case TValueKind::Binary:
        Fail("Binary value expected");
    }
    Fail("Invalid value");
}

std::int64_t TLayoutValue::AsInteger() const
{
    Expect(TValueKind::Integer);
    return integer_;
}

const std::string& TLayoutValue::AsString() const
{
    Expect(TValueKind::String);
    return text_;
}

const std::string& TLayoutValue::AsIdent() const
{
    Expect(TValueKind::Ident);
    return text_;
}

const std::vector<std::string>& TLayoutValue::AsSet() const
{
    Expect(TValueKind::Set);
    return idents_;
}

const std::vector<TLayoutValue>& TLayoutValue::AsList() const
{
    Expect(TValueKind::List);
    return values_;
}

const std::vector<TLayoutItem>& TLayoutValue::AsCollection() const
{
    Expect(TValueKind::Collection);
    return items_;
}

const std::vector<std::uint8_t>& TLayoutValue::AsBinary() const
{
    Expect(TValueKind::Binary);
    return bytes_;
}
