#include "host/gfx/FontMatch.h"

#include <fontconfig/fontconfig.h>

#include <memory>

#include "host/gfx/FontEngine.h"

namespace {

// Without a language fontconfig mixes glyphs of a Japanese and a Chinese face inside one
// Chinese caption.
constexpr char kLanguage[] = "zh-cn";

const FcChar8* FcString(const char* s)
{
    return reinterpret_cast<const FcChar8*>(s);
}

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};

struct FontSetDeleter {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};

} // namespace

FontMatcher::FontMatcher()
{
    if (!FcInit())
        throw EFontError("The font configuration cannot be read");
}

// The font engine is the program's only user of fontconfig.
FontMatcher::~FontMatcher()
{
    FcFini();
}

std::vector<FontCandidate> FontMatcher::Candidates(
    const std::string& family, bool bold, bool italic, std::optional<char32_t> codePoint) const
{
    std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
    if (!family.empty())
        FcPatternAddString(pattern.get(), FC_FAMILY, FcString(family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddString(pattern.get(), FC_LANG, FcString(kLanguage));
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());

    FcResult result = FcResultNoMatch;
    std::unique_ptr<FcFontSet, FontSetDeleter> sorted(FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
    std::vector<FontCandidate> candidates;
    for (int i = 0; sorted && i < sorted->nfont; ++i) {
        FcPattern* font = sorted->fonts[i];
        if (codePoint) {
            FcCharSet* charset = nullptr;
            if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch || !FcCharSetHasChar(charset, *codePoint))
                continue;
        }
        FcChar8* file = nullptr;
        if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch)
            continue;
        FontCandidate candidate;
        candidate.File = reinterpret_cast<const char*>(file);
        FcPatternGetInteger(font, FC_INDEX, 0, &candidate.Index);
        int weight = FC_WEIGHT_REGULAR;
        int slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(font, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(font, FC_SLANT, 0, &slant);
        candidate.Bold = weight >= FC_WEIGHT_DEMIBOLD;
        candidate.Italic = slant != FC_SLANT_ROMAN;
        candidates.push_back(std::move(candidate));
    }
    return candidates;
}
