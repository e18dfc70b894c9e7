#include "host/ui/LayoutParser.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "host/ui/Identifiers.h"

namespace {

enum class TToken : std::uint8_t { End, Ident, Integer, String, Symbol };

bool IsIdentStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Binary values (pictures) are most of a layout's text, so their digits are looked up.
constexpr std::array<signed char, 256> kHexDigits = [] {
    std::array<signed char, 256> digits {};
    digits.fill(-1);
    for (int c = '0'; c <= '9'; ++c)
        digits[static_cast<std::size_t>(c)] = static_cast<signed char>(c - '0');
    for (int c = 'A'; c <= 'F'; ++c) {
        digits[static_cast<std::size_t>(c)] = static_cast<signed char>(c - 'A' + 10);
        digits[static_cast<std::size_t>(c - 'A' + 'a')] = static_cast<signed char>(c - 'A' + 10);
    }
    return digits;
}();

int HexDigit(char c)
{
    return kHexDigits[static_cast<unsigned char>(c)];
}

void AppendUtf8(std::string& s, std::uint32_t code)
{
    if (code < 0x80) {
        s += static_cast<char>(code);
    } else if (code < 0x800) {
        s += static_cast<char>(0xC0 | (code >> 6));
        s += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        s += static_cast<char>(0xE0 | (code >> 12));
        s += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (code >> 18));
        s += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (code & 0x3F));
    }
}

class TLexer {
public:
    explicit TLexer(std::string_view text)
        : text_(text)
    {
        if (text_.starts_with("\xEF\xBB\xBF"))
            pos_ = 3;
        Next();
    }

    TToken Kind() const { return kind_; }
    int Line() const { return line_; }
    const std::string& Text() const { return text_value_; }
    std::int64_t Integer() const { return integer_; }
    bool IsHex() const { return hex_; }
    bool IsSymbol(char c) const { return kind_ == TToken::Symbol && symbol_ == c; }
    bool IsKeyword(std::string_view word) const { return kind_ == TToken::Ident && SameIdent(text_value_, word); }

    void Next()
    {
        SkipBlanks();
        line_ = currentLine_;
        if (pos_ >= text_.size()) {
            kind_ = TToken::End;
            return;
        }
        const char c = text_[pos_];
        if (IsIdentStart(c)) {
            const std::size_t start = pos_;
            while (pos_ < text_.size() && (IsIdentStart(text_[pos_]) || IsDigit(text_[pos_])))
                ++pos_;
            kind_ = TToken::Ident;
            text_value_.assign(text_.substr(start, pos_ - start));
        } else if (IsDigit(c) || c == '$') {
            ReadNumber();
        } else if (c == '\'' || c == '#') {
            ReadString();
        } else if (std::string_view("=:.[](),<>{}+-").find(c) != std::string_view::npos) {
            kind_ = TToken::Symbol;
            symbol_ = c;
            ++pos_;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            char code[8];
            std::snprintf(code, sizeof code, "$%02X", byte);
            LayoutError(line_,
                byte >= 0x21 && byte < 0x7F ? std::string("Invalid character '") + c + "'"
                                            : std::string("Invalid character ") + code);
        }
    }

    // The bytes after the current '{' up to the closing '}', which becomes the current token.
    std::vector<std::uint8_t> ReadBinary()
    {
        std::vector<std::uint8_t> bytes;
        if (const std::size_t close = text_.find('}', pos_); close != std::string_view::npos)
            bytes.reserve((close - pos_) / 2);
        int high = -1;
        for (;;) {
            // Runs of whole digit pairs, the bulk of the value, are taken two digits at a time.
            while (high < 0 && pos_ + 1 < text_.size()) {
                const int first = HexDigit(text_[pos_]);
                const int second = HexDigit(text_[pos_ + 1]);
                if ((first | second) < 0)
                    break;
                bytes.push_back(static_cast<std::uint8_t>(first << 4 | second));
                pos_ += 2;
            }
            SkipBlanks();
            if (pos_ >= text_.size())
                LayoutError(currentLine_, "Invalid binary value");
            const char c = text_[pos_++];
            if (c == '}')
                break;
            const int digit = HexDigit(c);
            if (digit < 0)
                LayoutError(currentLine_, "Invalid binary value");
            if (high < 0) {
                high = digit;
            } else {
                bytes.push_back(static_cast<std::uint8_t>(high << 4 | digit));
                high = -1;
            }
        }
        if (high >= 0)
            LayoutError(currentLine_, "Invalid binary value");
        kind_ = TToken::Symbol;
        symbol_ = '}';
        line_ = currentLine_;
        return bytes;
    }

private:
    void SkipBlanks()
    {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n')
                ++currentLine_;
            else if (c != ' ' && c != '\t' && c != '\r' && c != '\f' && c != '\v')
                break;
            ++pos_;
        }
    }

    void ReadNumber()
    {
        hex_ = text_[pos_] == '$';
        const int base = hex_ ? 16 : 10;
        if (hex_)
            ++pos_;
        std::uint64_t value = 0;
        int digits = 0;
        for (; pos_ < text_.size(); ++pos_) {
            const int digit = HexDigit(text_[pos_]);
            if (digit < 0 || digit >= base)
                break;
            if (value > (static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) - static_cast<unsigned>(digit))
                    / static_cast<unsigned>(base))
                LayoutError(line_, "Number too large");
            value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
            ++digits;
        }
        if (digits == 0)
            LayoutError(line_, "Invalid number");
        kind_ = TToken::Integer;
        integer_ = static_cast<std::int64_t>(value);
    }

    // 'text', '' for a quote, #65 or #$41 for a character; the parts follow each other directly.
    void ReadString()
    {
        text_value_.clear();
        while (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) {
            if (text_[pos_] == '\'') {
                ++pos_;
                for (;;) {
                    if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r')
                        LayoutError(line_, "Unterminated string");
                    if (text_[pos_] == '\'') {
                        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                            text_value_ += '\'';
                            pos_ += 2;
                            continue;
                        }
                        ++pos_;
                        break;
                    }
                    text_value_ += text_[pos_++];
                }
            } else {
                ++pos_;
                const bool hex = pos_ < text_.size() && text_[pos_] == '$';
                if (hex)
                    ++pos_;
                const int base = hex ? 16 : 10;
                std::uint32_t code = 0;
                int digits = 0;
                for (; pos_ < text_.size(); ++pos_) {
                    const int digit = HexDigit(text_[pos_]);
                    if (digit < 0 || digit >= base)
                        break;
                    code = code * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
                    if (code > 0x10FFFF)
                        LayoutError(line_, "Invalid character code");
                    ++digits;
                }
                if (digits == 0 || (code >= 0xD800 && code <= 0xDFFF))
                    LayoutError(line_, "Invalid character code");
                AppendUtf8(text_value_, code);
            }
        }
        kind_ = TToken::String;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int currentLine_ = 1;
    int line_ = 1;
    TToken kind_ = TToken::End;
    char symbol_ = 0;
    std::string text_value_;
    std::int64_t integer_ = 0;
    bool hex_ = false;
};

class TParser {
public:
    explicit TParser(std::string_view text)
        : lexer_(text)
    {
    }

    TLayoutObject ParseRoot()
    {
        TLayoutObject root = ParseObject(1);
        if (lexer_.Kind() != TToken::End)
            Fail("End of layout expected");
        return root;
    }

private:
    [[noreturn]] void Fail(std::string_view problem) const { LayoutError(lexer_.Line(), problem); }

    void CheckDepth(int depth) const
    {
        if (depth > kMaxLayoutDepth)
            Fail("Layout nested too deeply");
    }

    std::string TakeIdent()
    {
        if (lexer_.Kind() != TToken::Ident)
            Fail("Identifier expected");
        std::string ident = lexer_.Text();
        lexer_.Next();
        return ident;
    }

    void TakeSymbol(char c)
    {
        if (!lexer_.IsSymbol(c))
            Fail(std::string("'") + c + "' expected");
        lexer_.Next();
    }

    TLayoutObject ParseObject(int depth)
    {
        CheckDepth(depth);
        TLayoutObject object;
        object.Line = lexer_.Line();
        if (!lexer_.IsKeyword("object"))
            Fail("'object' expected");
        lexer_.Next();
        std::string first = TakeIdent();
        if (lexer_.IsSymbol(':')) {
            lexer_.Next();
            object.Name = std::move(first);
            object.ClassName = TakeIdent();
        } else {
            object.ClassName = std::move(first);
        }
        for (;;) {
            if (lexer_.IsKeyword("end")) {
                lexer_.Next();
                return object;
            }
            if (lexer_.IsKeyword("object")) {
                object.Children.push_back(ParseObject(depth + 1));
                continue;
            }
            if (!object.Children.empty())
                Fail("'end' expected");
            object.Properties.push_back(ParseProperty(depth));
        }
    }

    TLayoutProperty ParseProperty(int depth)
    {
        TLayoutProperty prop;
        prop.Line = lexer_.Line();
        prop.Name = TakeIdent();
        while (lexer_.IsSymbol('.')) {
            lexer_.Next();
            prop.Name += '.';
            prop.Name += TakeIdent();
        }
        TakeSymbol('=');
        prop.Value = ParseValue(depth + 1);
        return prop;
    }

    TLayoutValue ParseValue(int depth)
    {
        CheckDepth(depth);
        const int line = lexer_.Line();
        switch (lexer_.Kind()) {
        case TToken::Integer: {
            TLayoutValue value = lexer_.IsHex() ? TLayoutValue::FromHex(lexer_.Integer(), line)
                                                : TLayoutValue::FromInteger(lexer_.Integer(), line);
            lexer_.Next();
            return value;
        }
        case TToken::String: {
            std::string text = lexer_.Text();
            lexer_.Next();
            while (lexer_.IsSymbol('+')) {
                lexer_.Next();
                if (lexer_.Kind() != TToken::String)
                    Fail("String expected");
                text += lexer_.Text();
                lexer_.Next();
            }
            return TLayoutValue::FromString(std::move(text), line);
        }
        case TToken::Ident:
            if (lexer_.IsKeyword("object") || lexer_.IsKeyword("end"))
                Fail("Property value expected");
            return TLayoutValue::FromIdent(TakeIdent(), line);
        case TToken::Symbol:
            break;
        case TToken::End:
            Fail("Property value expected");
        }
        if (lexer_.IsSymbol('-')) {
            lexer_.Next();
            if (lexer_.Kind() != TToken::Integer)
                Fail("Number expected");
            TLayoutValue value = TLayoutValue::FromInteger(-lexer_.Integer(), line);
            lexer_.Next();
            return value;
        }
        if (lexer_.IsSymbol('['))
            return ParseSet(line);
        if (lexer_.IsSymbol('('))
            return ParseList(depth, line);
        if (lexer_.IsSymbol('<'))
            return ParseCollection(depth, line);
        if (lexer_.IsSymbol('{')) {
            std::vector<std::uint8_t> bytes = lexer_.ReadBinary();
            lexer_.Next();
            return TLayoutValue::FromBinary(std::move(bytes), line);
        }
        Fail("Property value expected");
    }

    TLayoutValue ParseSet(int line)
    {
        lexer_.Next();
        std::vector<std::string> idents;
        if (!lexer_.IsSymbol(']')) {
            for (;;) {
                idents.push_back(TakeIdent());
                if (lexer_.IsSymbol(']'))
                    break;
                TakeSymbol(',');
            }
        }
        lexer_.Next();
        return TLayoutValue::FromSet(std::move(idents), line);
    }

    TLayoutValue ParseList(int depth, int line)
    {
        lexer_.Next();
        std::vector<TLayoutValue> values;
        while (!lexer_.IsSymbol(')')) {
            if (lexer_.Kind() == TToken::End)
                Fail("')' expected");
            values.push_back(ParseValue(depth + 1));
        }
        lexer_.Next();
        return TLayoutValue::FromList(std::move(values), line);
    }

    TLayoutValue ParseCollection(int depth, int line)
    {
        lexer_.Next();
        std::vector<TLayoutItem> items;
        while (!lexer_.IsSymbol('>')) {
            if (!lexer_.IsKeyword("item"))
                Fail("'item' expected");
            TLayoutItem item;
            item.Line = lexer_.Line();
            lexer_.Next();
            while (!lexer_.IsKeyword("end"))
                item.Properties.push_back(ParseProperty(depth));
            lexer_.Next();
            items.push_back(std::move(item));
        }
        lexer_.Next();
        return TLayoutValue::FromCollection(std::move(items), line);
    }

    TLexer lexer_;
};

} // namespace

TLayoutObject ParseLayout(std::string_view text)
{
    return TParser(text).ParseRoot();
}
