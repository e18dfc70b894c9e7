#pragma once
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "host/gfx/FontMatch.h"
#include "host/gfx/FontMatchFile.h"

// Fontconfig's answers kept in a file between runs. While nothing they depend on has changed,
// faces are found without setting fontconfig up, which reads dozens of configuration files.
// Otherwise (no file, a damaged or outdated one, a request not answered before) fontconfig is
// asked and the file written anew; one that cannot be written costs only the next start.
class CachedFontMatcher {
public:
    explicit CachedFontMatcher(std::filesystem::path file);
    CachedFontMatcher(const CachedFontMatcher&) = delete;
    CachedFontMatcher& operator=(const CachedFontMatcher&) = delete;
    ~CachedFontMatcher();

    // The best face for the request that usable accepts, or nothing when none does.
    std::optional<FontCandidate> First(const FontRequest& request, const std::function<bool(const FontCandidate&)>& usable);

private:
    FontMatcher& Matcher();
    void Save() const;

    std::filesystem::path file_;
    FontMatches matches_;
    std::unique_ptr<FontMatcher> matcher_;
};
