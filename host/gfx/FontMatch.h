#pragma once
#include <optional>
#include <string>
#include <vector>

// An installed font file offered for a request, with the style it really has.
struct FontCandidate {
    std::string File;
    int Index = 0;
    bool Bold = false;
    bool Italic = false;
    friend bool operator==(const FontCandidate&, const FontCandidate&) = default;
};

// The program's access to fontconfig, set up while the matcher lives.
class FontMatcher {
public:
    FontMatcher();
    FontMatcher(const FontMatcher&) = delete;
    FontMatcher& operator=(const FontMatcher&) = delete;
    ~FontMatcher();

    // The scalable faces closest to a family and style, best first, judged for Chinese text (so
    // a family that is not installed gets a face covering Chinese and kana). With a code point
    // only faces whose character set has it are offered.
    std::vector<FontCandidate> Candidates(
        const std::string& family, bool bold, bool italic, std::optional<char32_t> codePoint = std::nullopt) const;

    // The configuration files and font folders fontconfig has read: its answers hold while
    // none of them changes.
    std::vector<std::string> Sources() const;
};
