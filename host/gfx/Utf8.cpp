#include "host/gfx/Utf8.h"

#include <cstdint>

namespace {

// How many continuation bytes follow a lead byte, and the allowed range of the first of them
// (narrowed for E0, ED, F0 and F4 to exclude overlongs, surrogates and values past U+10FFFF).
struct LeadByte {
    int continuations = -1;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
};

LeadByte Classify(std::uint8_t b)
{
    if (b >= 0xC2 && b <= 0xDF)
        return { 1 };
    if (b == 0xE0)
        return { 2, 0xA0, 0xBF };
    if (b == 0xED)
        return { 2, 0x80, 0x9F };
    if (b >= 0xE1 && b <= 0xEF)
        return { 2 };
    if (b == 0xF0)
        return { 3, 0x90, 0xBF };
    if (b >= 0xF1 && b <= 0xF3)
        return { 3 };
    if (b == 0xF4)
        return { 3, 0x80, 0x8F };
    return {};
}

} // namespace

std::u32string DecodeUtf8(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<std::uint8_t>(text[i]);
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        const LeadByte lead = Classify(b);
        if (lead.continuations < 0) {
            out.push_back(kReplacementCharacter);
            ++i;
            continue;
        }
        char32_t cp = b & (0x3F >> lead.continuations);
        size_t j = i + 1;
        int got = 0;
        for (; got < lead.continuations && j < text.size(); ++got, ++j) {
            const auto c = static_cast<std::uint8_t>(text[j]);
            const std::uint8_t low = got == 0 ? lead.low : 0x80;
            const std::uint8_t high = got == 0 ? lead.high : 0xBF;
            if (c < low || c > high)
                break;
            cp = (cp << 6) | (c & 0x3F);
        }
        out.push_back(got == lead.continuations ? cp : kReplacementCharacter);
        i = j;
    }
    return out;
}
