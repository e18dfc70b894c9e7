#include "host/gfx/FontMatch.h"

#include <filesystem>
#include <memory>

#include "host/gfx/FontEngine.h"
#include "host/gfx/FontconfigLibrary.h"
#include "host/sys/XdgFolders.h"

namespace {

// Without a language fontconfig mixes glyphs of a Japanese and a Chinese face inside one
// Chinese caption.
constexpr char kLanguage[] = "zh-cn";

const FontconfigLibrary& Fc()
{
    return FontconfigLibrary::Get();
}

const FcChar8* FcString(const char* s)
{
    return reinterpret_cast<const FcChar8*>(s);
}

struct PatternDeleter {
    void operator()(FcPattern* p) const { Fc().PatternDestroy(p); }
};

struct StrListDeleter {
    void operator()(FcStrList* l) const { Fc().StrListDone(l); }
};

void AddAll(std::vector<std::string>& to, FcStrList* list)
{
    std::unique_ptr<FcStrList, StrListDeleter> owned(list);
    while (const FcChar8* s = owned ? Fc().StrListNext(owned.get()) : nullptr)
        to.emplace_back(reinterpret_cast<const char*>(s));
}

struct FontSetDeleter {
    void operator()(FcFontSet* s) const { Fc().FontSetDestroy(s); }
};

} // namespace

FontMatcher::FontMatcher()
{
    if (!Fc().Init())
        throw EFontError("The font configuration cannot be read");
}

// The font engine is the program's only user of fontconfig.
FontMatcher::~FontMatcher()
{
    Fc().Fini();
}

std::vector<FontCandidate> FontMatcher::Candidates(
    const std::string& family, bool bold, bool italic, std::optional<char32_t> codePoint) const
{
    std::unique_ptr<FcPattern, PatternDeleter> pattern(Fc().PatternCreate());
    if (!family.empty())
        Fc().PatternAddString(pattern.get(), FC_FAMILY, FcString(family.c_str()));
    Fc().PatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    Fc().PatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    Fc().PatternAddString(pattern.get(), FC_LANG, FcString(kLanguage));
    Fc().PatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    Fc().ConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    Fc().DefaultSubstitute(pattern.get());

    FcResult result = FcResultNoMatch;
    std::unique_ptr<FcFontSet, FontSetDeleter> sorted(Fc().FontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
    std::vector<FontCandidate> candidates;
    for (int i = 0; sorted && i < sorted->nfont; ++i) {
        FcPattern* font = sorted->fonts[i];
        if (codePoint) {
            FcCharSet* charset = nullptr;
            if (Fc().PatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch
                || !Fc().CharSetHasChar(charset, *codePoint))
                continue;
        }
        FcChar8* file = nullptr;
        if (Fc().PatternGetString(font, FC_FILE, 0, &file) != FcResultMatch)
            continue;
        FontCandidate candidate;
        candidate.File = reinterpret_cast<const char*>(file);
        Fc().PatternGetInteger(font, FC_INDEX, 0, &candidate.Index);
        int weight = FC_WEIGHT_REGULAR;
        int slant = FC_SLANT_ROMAN;
        Fc().PatternGetInteger(font, FC_WEIGHT, 0, &weight);
        Fc().PatternGetInteger(font, FC_SLANT, 0, &slant);
        candidate.Bold = weight >= FC_WEIGHT_DEMIBOLD;
        candidate.Italic = slant != FC_SLANT_ROMAN;
        candidates.push_back(std::move(candidate));
    }
    return candidates;
}

std::vector<std::string> FontMatcher::Sources() const
{
    std::vector<std::string> sources;
    AddAll(sources, Fc().ConfigGetConfigFiles(nullptr));
    // The user's own configuration, which the system's includes only when it exists: a file
    // made there changes the folder's stamp, or the folder is made.
    const std::filesystem::path user = XdgConfigHome() / "fontconfig";
    sources.push_back(user.string());
    sources.push_back((user / "conf.d").string());
    // With the subfolders found while scanning, so that a font added anywhere is noticed.
    AddAll(sources, Fc().ConfigGetFontDirs(nullptr));
    return sources;
}
