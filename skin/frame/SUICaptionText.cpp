#include "skin/frame/SUICaptionText.h"

namespace {

// Bytes of the UTF-8 sequence that starts at Pos, never past the end of the text.
std::size_t SequenceLength(const std::string& Text, std::size_t Pos)
{
    const auto lead = static_cast<unsigned char>(Text[Pos]);
    std::size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else if (lead >= 0xE0 && lead < 0xF0)
        length = 3;
    else if (lead >= 0xC2 && lead < 0xE0)
        length = 2;
    std::size_t n = 1;
    while (n < length && Pos + n < Text.size() && (static_cast<unsigned char>(Text[Pos + n]) & 0xC0) == 0x80)
        ++n;
    return n;
}

bool IsAscii(char C)
{
    return static_cast<unsigned char>(C) < 0x80;
}

} // namespace

std::string ShortenedCaption(const std::string& Caption)
{
    std::size_t keep = 0;
    if (!Caption.empty()) {
        keep = SequenceLength(Caption, 0);
        if (IsAscii(Caption[0]) && keep < Caption.size() && IsAscii(Caption[keep]))
            ++keep;
    }
    return Caption.substr(0, keep) + "...";
}
