#pragma once
#include <compare>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/gfx/FontMatch.h"

// What the font engine asks the matcher: a family in a style, and for a fallback the code
// point the face must have.
struct FontRequest {
    std::string Family;
    bool Bold = false;
    bool Italic = false;
    std::optional<char32_t> CodePoint;
    friend auto operator<=>(const FontRequest&, const FontRequest&) = default;
};

// A file or folder as it was when the answers were given: its modification time and size,
// or missing.
struct FileStamp {
    std::string Path;
    bool Exists = false;
    std::int64_t ModifiedNs = 0;
    std::int64_t Size = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;

    static FileStamp Of(const std::string& path);
};

// The matcher's answers kept between runs, with everything they depend on: the environment
// that steers fontconfig, and the stamps of its configuration files, its font folders and the
// answered font files. An answer without a candidate means no installed face fits.
struct FontMatches {
    std::map<std::string, std::optional<std::string>> Environment;
    std::vector<FileStamp> Stamps;
    std::map<FontRequest, std::optional<FontCandidate>> Answers;
    friend bool operator==(const FontMatches&, const FontMatches&) = default;
};

// The values of the variables fontconfig's answers depend on, unset ones as nothing.
std::map<std::string, std::optional<std::string>> FontEnvironment();

// True when the environment is the one the answers were given in and every stamp still holds.
bool StillValid(const FontMatches& matches);

// The text form of the answers, one record a line. Records that the form cannot hold (a
// family with a tab or a line break, a path with a line break) are left out.
std::string FormatFontMatches(const FontMatches& matches);
// Nothing when the text is not a complete, well-formed set of answers.
std::optional<FontMatches> ParseFontMatches(std::string_view text);
