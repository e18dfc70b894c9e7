#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A stored layout as a tree: objects with their stored properties and child objects. The
// parser (LayoutParser.h) makes it from text, the printer (LayoutPrinter.h) turns it back into
// text; the reader and writer (Reader.h, Writer.h) move it into and out of components.

enum class TValueKind : std::uint8_t { Integer, String, Ident, Set, List, Collection, Binary };

struct TLayoutItem;

// A stored value and the line it stands on (0 for values made by the writer). The As...
// accessors raise EReadError ("Line 12: Identifier expected") for a value of another kind.
class TLayoutValue {
public:
    // An integer 0. The special members are defined where TLayoutItem is complete.
    TLayoutValue();
    ~TLayoutValue();
    TLayoutValue(const TLayoutValue&);
    TLayoutValue(TLayoutValue&&) noexcept;
    TLayoutValue& operator=(const TLayoutValue&);
    TLayoutValue& operator=(TLayoutValue&&) noexcept;

    static TLayoutValue FromInteger(std::int64_t value, int line = 0);
    // An integer that reads better in hexadecimal ($E7E7E7), such as a colour.
    static TLayoutValue FromHex(std::int64_t value, int line = 0);
    static TLayoutValue FromString(std::string value, int line = 0);
    static TLayoutValue FromIdent(std::string ident, int line = 0);
    static TLayoutValue FromSet(std::vector<std::string> idents, int line = 0);
    static TLayoutValue FromList(std::vector<TLayoutValue> values, int line = 0);
    static TLayoutValue FromCollection(std::vector<TLayoutItem> items, int line = 0);
    static TLayoutValue FromBinary(std::vector<std::uint8_t> bytes, int line = 0);

    TValueKind Kind() const { return kind_; }
    int Line() const { return line_; }
    bool IsHex() const { return hex_; }

    std::int64_t AsInteger() const;
    const std::string& AsString() const;
    const std::string& AsIdent() const;
    const std::vector<std::string>& AsSet() const;
    const std::vector<TLayoutValue>& AsList() const;
    const std::vector<TLayoutItem>& AsCollection() const;
    const std::vector<std::uint8_t>& AsBinary() const;

    // Raises EReadError "Line N: problem" for this value.
    [[noreturn]] void Fail(std::string_view problem) const;

private:
    TLayoutValue(TValueKind kind, int line);
    void Expect(TValueKind kind) const;

    TValueKind kind_ = TValueKind::Integer;
    int line_ = 0;
    bool hex_ = false;
    std::int64_t integer_ = 0;
    std::string text_;
    std::vector<std::string> idents_;
    std::vector<TLayoutValue> values_;
    std::vector<TLayoutItem> items_;
    std::vector<std::uint8_t> bytes_;
};

struct TLayoutProperty {
    std::string Name; // a path into sub-objects: Font.Height
    TLayoutValue Value;
    int Line = 0;
};

// One item of a stored collection: its properties in stored order.
struct TLayoutItem {
    int Line = 0;
    std::vector<TLayoutProperty> Properties;
};

struct TLayoutObject {
    std::string Name; // empty for an unnamed component
    std::string ClassName;
    int Line = 0;
    std::vector<TLayoutProperty> Properties;
    std::vector<TLayoutObject> Children;
};

// Raises EReadError "Line N: problem".
[[noreturn]] void LayoutError(int line, std::string_view problem);
