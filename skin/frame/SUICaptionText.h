#pragma once
#include <string>

// A caption too wide for its place: its first character when that is not ASCII, else its
// first one or two ASCII characters, followed by "...". Text is UTF-8; a broken sequence
// counts byte by byte.
std::string ShortenedCaption(const std::string& Caption);
