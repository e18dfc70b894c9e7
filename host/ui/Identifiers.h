#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Names of classes, properties, components and enumeration values match without regard to the
// case of ASCII letters, as the host's identifiers do.

constexpr char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr bool SameIdent(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i]))
            return false;
    }
    return true;
}

// A letter or underscore, then letters, digits and underscores.
constexpr bool IsValidIdent(std::string_view s)
{
    if (s.empty())
        return false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !(digit && i > 0))
            return false;
    }
    return true;
}

// Hash and equality for maps keyed by identifiers; both accept string views for look-ups.
struct TIdentHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const
    {
        std::size_t h = 14695981039346656037ull;
        for (char c : s)
            h = (h ^ static_cast<unsigned char>(AsciiUpper(c))) * 1099511628211ull;
        return h;
    }
};

struct TIdentEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return SameIdent(a, b); }
};
