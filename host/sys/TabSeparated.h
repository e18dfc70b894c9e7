#pragma once
#include <string>
#include <string_view>
#include <vector>

// The fields of one tab-separated line, as they stand (any escaping is the caller's).
inline std::vector<std::string_view> SplitAtTabs(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos)
            return fields;
        line.remove_prefix(tab + 1);
    }
}

// A field that may hold any text: a backslash, tab, line feed and carriage return inside it are
// written as \\, \t, \n and \r.
inline std::string TsvEscape(std::string_view field)
{
    std::string out;
    out.reserve(field.size());
    for (char c : field) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}
