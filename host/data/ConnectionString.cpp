#include "host/data/ConnectionString.h"

#include "host/data/DatabaseError.h"
#include "host/data/SameText.h"

namespace {

[[noreturn]] void RaiseMalformed()
{
    throw EDatabaseError("Format of the initialization string is not valid.");
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace

TConnectionString::TConnectionString(std::string_view text)
{
    size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == ';' || IsBlank(text[pos])) {
            ++pos;
            continue;
        }
        size_t equals = text.find('=', pos);
        size_t semicolon = text.find(';', pos);
        if (equals == std::string_view::npos || equals > semicolon)
            RaiseMalformed();
        std::string_view key = Trim(text.substr(pos, equals - pos));
        if (key.empty())
            RaiseMalformed();

        pos = equals + 1;
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
        std::string value;
        if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) {
            char quote = text[pos++];
            for (;;) {
                if (pos >= text.size())
                    RaiseMalformed();
                if (text[pos] == quote) {
                    if (pos + 1 < text.size() && text[pos + 1] == quote) {
                        value += quote;
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                value += text[pos++];
            }
            while (pos < text.size() && IsBlank(text[pos]))
                ++pos;
            if (pos < text.size() && text[pos] != ';')
                RaiseMalformed();
        } else {
            size_t end = text.find(';', pos);
            if (end == std::string_view::npos)
                end = text.size();
            value = Trim(text.substr(pos, end - pos));
            pos = end;
        }
        pairs_.emplace_back(std::string(key), std::move(value));
    }
}

std::string TConnectionString::Value(std::string_view key) const
{
    for (auto it = pairs_.rbegin(); it != pairs_.rend(); ++it) {
        if (SameText(it->first, key))
            return it->second;
    }
    return {};
}
