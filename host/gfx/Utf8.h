#pragma once
#include <string>
#include <string_view>

// The code points of UTF-8 text. A byte sequence that is not valid UTF-8 (a stray or missing
// continuation byte, an overlong form, a surrogate, a value past U+10FFFF) becomes one U+FFFD
// per maximal invalid subpart, so broken text still shows where it is broken.
std::u32string DecodeUtf8(std::string_view text);

constexpr char32_t kReplacementCharacter = 0xFFFD;
