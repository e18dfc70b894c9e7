#pragma once
#include <string>
#include <string_view>

// An answer as it is compared: ASCII letters in lower case, surrounding spaces removed.
std::string NormalisedAnswer(std::string_view text);

// Whether a typed answer names the kana: the deck's pronunciation of it or one of the usual
// spellings of that pronunciation (Hepburn, Kunrei-shiki, Nihon-shiki, keyboard input). A
// pronunciation the program does not know for the kana is matched as it stands. An empty
// answer is never right.
bool IsRightAnswer(std::string_view given, std::string_view kana, std::string_view pronunciation);
