#include "tools/kit/Tsv.h"

#include <cstdio>

std::string TsvUnescape(std::string_view field)
{
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            out += field[i];
            continue;
        }
        switch (field[i + 1]) {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            out += field[i];
            continue;
        }
        ++i;
    }
    return out;
}

std::string TsvValue(const TDataValue& value, std::string (*describeBlob)(const TBlob&))
{
    if (const auto* number = std::get_if<std::int64_t>(&value))
        return std::to_string(*number);
    if (const auto* number = std::get_if<double>(&value)) {
        char text[32];
        std::snprintf(text, sizeof text, "%.17g", *number);
        return text;
    }
    if (const auto* text = std::get_if<std::string>(&value))
        return TsvEscape(*text);
    if (const auto* bytes = std::get_if<TBlob>(&value))
        return describeBlob(*bytes);
    return {};
}
