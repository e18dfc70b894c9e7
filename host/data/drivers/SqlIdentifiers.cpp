#include "host/data/drivers/SqlIdentifiers.h"

namespace {

bool IsWordStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

bool IsWordPart(char c)
{
    return IsWordStart(c) || (c >= '0' && c <= '9') || c == '$';
}

// Reads a quoted run starting at pos (on the opening quote) up to its closing quote, where a
// doubled closing quote stands for one; an unclosed run ends with the text.
std::string ReadQuoted(std::string_view sql, size_t& pos, char close)
{
    std::string text;
    ++pos;
    while (pos < sql.size()) {
        char c = sql[pos++];
        if (c == close) {
            if (pos < sql.size() && sql[pos] == close && close != ']') {
                text += close;
                ++pos;
                continue;
            }
            break;
        }
        text += c;
    }
    return text;
}

} // namespace

std::vector<std::string> SqlIdentifiers(std::string_view sql)
{
    std::vector<std::string> names;
    size_t pos = 0;
    while (pos < sql.size()) {
        char c = sql[pos];
        if (c == '\'') {
            ReadQuoted(sql, pos, '\'');
        } else if (c == '"' || c == '`') {
            names.push_back(ReadQuoted(sql, pos, c));
        } else if (c == '[') {
            names.push_back(ReadQuoted(sql, pos, ']'));
        } else if (c == '-' && sql.substr(pos, 2) == "--") {
            size_t end = sql.find('\n', pos);
            pos = end == std::string_view::npos ? sql.size() : end + 1;
        } else if (c == '/' && sql.substr(pos, 2) == "/*") {
            size_t end = sql.find("*/", pos + 2);
            pos = end == std::string_view::npos ? sql.size() : end + 2;
        } else if (IsWordStart(c)) {
            size_t start = pos;
            while (pos < sql.size() && IsWordPart(sql[pos]))
                ++pos;
            names.emplace_back(sql.substr(start, pos - start));
        } else if (c >= '0' && c <= '9') {
            while (pos < sql.size() && IsWordPart(sql[pos]))
                ++pos;
        } else {
            ++pos;
        }
    }
    return names;
}
