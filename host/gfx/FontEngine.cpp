#include "host/gfx/FontEngine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>

#include "host/gfx/CachedFontMatcher.h"
#include "host/gfx/FontFace.h"
#include "host/gfx/Utf8.h"
#include "host/sys/XdgFolders.h"

namespace {

constexpr int kDefaultPixels = 11; // height 0: the host's default font
constexpr int kMaxPixels = 1024; // keeps one glyph's coverage within a few megabytes
constexpr std::size_t kMaxCachedCoverageBytes = std::size_t { 16 } << 20;
constexpr std::size_t kMaxCachedFonts = 256;
constexpr std::size_t kMaxCachedFallbacks = 4096;
// Outlines only (no embedded bitmaps, so synthetic styles always apply), fitted to the pixel
// grid by the auto-hinter in both directions: crisp stems at UI sizes, and the same look for
// every face whatever hinting instructions it carries.
constexpr FT_Int32 kLoadFlags = FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_NORMAL | FT_LOAD_FORCE_AUTOHINT;
constexpr FT_Fixed kItalicShear = 0x0366A; // tan 12 degrees, 16.16

int RoundPixels(FT_Pos v)
{
    return static_cast<int>((v + 32) >> 6);
}

// How much wider synthetic bold makes a glyph (26.6): a whole pixel at UI sizes, more for
// large text, as the host's overstruck bold.
FT_Pos BoldStrength(int pixels)
{
    return 64 * std::max(1, (pixels + 12) / 24);
}

struct GlyphKeyHash {
    std::size_t operator()(const GlyphKey& k) const
    {
        std::size_t h = std::hash<const void*> {}(k.Face);
        h ^= static_cast<std::size_t>(k.Index) * 0x9E3779B97F4A7C15ull;
        h ^= static_cast<std::size_t>(k.Pixels) << 40;
        h ^= static_cast<std::size_t>(k.SyntheticBold) << 56 | static_cast<std::size_t>(k.SyntheticItalic) << 57;
        return h;
    }
};

struct FaceChoice {
    FontFace* Face = nullptr;
    bool SyntheticBold = false;
    bool SyntheticItalic = false;
};

// A font request resolved to its primary face at an em size.
struct SizedFont {
    FaceChoice Primary;
    int Pixels = kDefaultPixels;
    FontMetrics Metrics;
    bool Bold = false;
    bool Italic = false;
};

struct CachedGlyph {
    int Advance = 0;
    bool Rendered = false;
    GlyphBitmap Bitmap;
};

} // namespace

struct FontEngine::Impl {
    Impl()
    {
        if (FT_Init_FreeType(&library) != 0)
            throw EFontError("The font rasteriser cannot be started");
    }
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
    ~Impl()
    {
        glyphs.clear();
        faces.clear();
        FT_Done_FreeType(library);
    }

    FontFace* Face(const std::string& file, int index);
    FaceChoice Search(const std::string& family, bool bold, bool italic, std::optional<char32_t> codePoint);
    FaceChoice Choose(const std::string& family, bool bold, bool italic);
    FaceChoice Fallback(char32_t codePoint, bool bold, bool italic);
    int EmPixels(FontFace& face, int height);
    SizedFont Sized(const TFont& font);
    FaceChoice FaceFor(const SizedFont& font, char32_t codePoint, FT_UInt& index);
    FT_GlyphSlot LoadOutline(const GlyphKey& key);
    CachedGlyph& Glyph(const GlyphKey& key);
    const GlyphBitmap& Rasterise(const GlyphKey& key);
    void ClearGlyphs();

    CachedFontMatcher matcher { XdgCacheHome() / "moraleaf" / "font-matches" };
    FT_Library library = nullptr;
    // Installed font files are few, so opened faces are kept for good.
    std::map<std::pair<std::string, int>, std::unique_ptr<FontFace>> faces;
    std::map<std::tuple<std::string, bool, bool>, FaceChoice> choices;
    std::map<std::tuple<std::string, int, bool, bool>, SizedFont> sizedFonts;
    std::unordered_map<std::uint32_t, FaceChoice> fallbacks;
    std::unordered_map<GlyphKey, CachedGlyph, GlyphKeyHash> glyphs;
    std::size_t coverageBytes = 0;
    std::size_t rasterised = 0;
};

// The opened face of a file, or nullptr when FreeType cannot use it.
FontFace* FontEngine::Impl::Face(const std::string& file, int index)
{
    const auto key = std::make_pair(file, index);
    if (auto it = faces.find(key); it != faces.end())
        return it->second.get();
    std::unique_ptr<FontFace> face;
    try {
        face = std::make_unique<FontFace>(library, file, index);
    } catch (const EFontError&) {
        // Remembered as unusable so that the file is not tried again.
    }
    return faces.emplace(key, std::move(face)).first->second.get();
}

// The first of fontconfig's candidates that loads (and, when a code point is given, really has
// a glyph for it), with the styles it lacks made up.
FaceChoice FontEngine::Impl::Search(const std::string& family, bool bold, bool italic, std::optional<char32_t> codePoint)
{
    const std::optional<FontCandidate> candidate
        = matcher.First({ family, bold, italic, codePoint }, [&](const FontCandidate& c) {
              const FontFace* face = Face(c.File, c.Index);
              return face != nullptr && (!codePoint || face->GlyphIndex(*codePoint) != 0);
          });
    if (!candidate)
        return {};
    return { Face(candidate->File, candidate->Index), bold && !candidate->Bold, italic && !candidate->Italic };
}

FaceChoice FontEngine::Impl::Choose(const std::string& family, bool bold, bool italic)
{
    auto key = std::make_tuple(family, bold, italic);
    if (auto it = choices.find(key); it != choices.end())
        return it->second;
    const FaceChoice choice = Search(family, bold, italic, std::nullopt);
    if (choice.Face == nullptr)
        throw EFontError("No installed font can be used for \"" + family + "\"");
    if (choices.size() >= kMaxCachedFonts)
        choices.clear();
    choices.emplace(std::move(key), choice);
    return choice;
}

// The face that draws a code point the primary face lacks; no face when none has it.
FaceChoice FontEngine::Impl::Fallback(char32_t codePoint, bool bold, bool italic)
{
    const std::uint32_t key
        = static_cast<std::uint32_t>(codePoint) | std::uint32_t { bold } << 21 | std::uint32_t { italic } << 22;
    if (auto it = fallbacks.find(key); it != fallbacks.end())
        return it->second;
    const FaceChoice choice = codePoint <= 0x10FFFF ? Search({}, bold, italic, codePoint) : FaceChoice {};
    if (fallbacks.size() >= kMaxCachedFallbacks)
        fallbacks.clear();
    fallbacks.emplace(key, choice);
    return choice;
}

// Negative heights are em sizes; a positive height is the cell (ascent plus descent), met by
// the largest em whose cell fits it; 0 is the default size.
int FontEngine::Impl::EmPixels(FontFace& face, int height)
{
    if (height < 0)
        return height < -kMaxPixels ? kMaxPixels : -height;
    if (height == 0)
        return kDefaultPixels;
    const FT_Face ft = face.Handle();
    const long cellUnits = ft->ascender - ft->descender > 0 ? ft->ascender - ft->descender : ft->units_per_EM;
    const long long estimate = std::llround(static_cast<double>(std::min(height, kMaxPixels * 4)) * ft->units_per_EM / cellUnits);
    int em = static_cast<int>(std::clamp<long long>(estimate, 1, kMaxPixels));
    while (em > 1 && face.Activate(em) && face.LineHeight() > height)
        --em;
    return em;
}

SizedFont FontEngine::Impl::Sized(const TFont& font)
{
    const bool bold = font.Style().Has(TFontStyle::fsBold);
    const bool italic = font.Style().Has(TFontStyle::fsItalic);
    auto key = std::make_tuple(font.Name(), font.Height(), bold, italic);
    if (auto it = sizedFonts.find(key); it != sizedFonts.end())
        return it->second;
    SizedFont sized;
    sized.Primary = Choose(font.Name(), bold, italic);
    sized.Pixels = EmPixels(*sized.Primary.Face, font.Height());
    if (!sized.Primary.Face->Activate(sized.Pixels))
        throw EFontError("The font \"" + font.Name() + "\" cannot be scaled to " + std::to_string(sized.Pixels) + " pixels");
    sized.Metrics = sized.Primary.Face->Metrics();
    sized.Bold = bold;
    sized.Italic = italic;
    if (sizedFonts.size() >= kMaxCachedFonts)
        sizedFonts.clear();
    sizedFonts.emplace(std::move(key), sized);
    return sized;
}

// The face and glyph index that draw a code point: the primary face when it has the glyph,
// else a fallback face, else the primary face's missing-glyph box (index 0).
FaceChoice FontEngine::Impl::FaceFor(const SizedFont& font, char32_t codePoint, FT_UInt& index)
{
    index = font.Primary.Face->GlyphIndex(codePoint);
    if (index != 0)
        return font.Primary;
    const FaceChoice fallback = Fallback(codePoint, font.Bold, font.Italic);
    if (fallback.Face == nullptr)
        return font.Primary;
    index = fallback.Face->GlyphIndex(codePoint);
    return fallback;
}

// Loads the glyph's outline at its size with the synthetic styles applied; nullptr when the
// face cannot give it. Loading hints the outline but does not rasterise it.
FT_GlyphSlot FontEngine::Impl::LoadOutline(const GlyphKey& key)
{
    if (!key.Face->Activate(key.Pixels))
        return nullptr;
    const FT_Face face = key.Face->Handle();
    if (FT_Load_Glyph(face, key.Index, kLoadFlags) != 0)
        return nullptr;
    FT_GlyphSlot slot = face->glyph;
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE)
        return slot;
    if (key.SyntheticBold) {
        // Thicker stems, widened to the right so the left bearing stays.
        const FT_Pos strength = BoldStrength(key.Pixels);
        FT_Outline_EmboldenXY(&slot->outline, strength, 0);
        FT_Outline_Translate(&slot->outline, strength / 2, 0);
    }
    if (key.SyntheticItalic) {
        FT_Matrix shear { 0x10000, kItalicShear, 0, 0x10000 };
        FT_Outline_Transform(&slot->outline, &shear);
    }
    return slot;
}

void FontEngine::Impl::ClearGlyphs()
{
    glyphs.clear();
    coverageBytes = 0;
}

// The cached glyph with its advance, loaded (not rasterised) on first use.
CachedGlyph& FontEngine::Impl::Glyph(const GlyphKey& key)
{
    if (auto it = glyphs.find(key); it != glyphs.end())
        return it->second;
    CachedGlyph glyph;
    if (const FT_GlyphSlot slot = LoadOutline(key)) {
        glyph.Advance = RoundPixels(slot->advance.x);
        if (key.SyntheticBold)
            glyph.Advance += static_cast<int>(BoldStrength(key.Pixels) >> 6);
    }
    if (glyphs.size() >= FontEngine::MaxCachedGlyphs)
        ClearGlyphs();
    return glyphs.emplace(key, std::move(glyph)).first->second;
}

const GlyphBitmap& FontEngine::Impl::Rasterise(const GlyphKey& key)
{
    CachedGlyph* glyph = &Glyph(key);
    if (glyph->Rendered)
        return glyph->Bitmap;

    GlyphBitmap bitmap;
    FT_GlyphSlot slot = LoadOutline(key);
    const bool blank = slot == nullptr || (slot->format == FT_GLYPH_FORMAT_OUTLINE && slot->outline.n_points == 0);
    if (!blank && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0 && slot->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
        ++rasterised;
        const FT_Bitmap& source = slot->bitmap;
        bitmap.Left = slot->bitmap_left;
        bitmap.Top = slot->bitmap_top;
        bitmap.Width = static_cast<int>(source.width);
        bitmap.Rows = static_cast<int>(source.rows);
        bitmap.Coverage.resize(static_cast<std::size_t>(source.width) * source.rows);
        for (unsigned row = 0; row < source.rows; ++row) {
            const unsigned char* from = source.buffer + static_cast<std::ptrdiff_t>(row) * source.pitch;
            std::copy_n(from, source.width, bitmap.Coverage.begin() + static_cast<std::ptrdiff_t>(row * source.width));
        }
    }
    if (coverageBytes + bitmap.Coverage.size() > kMaxCachedCoverageBytes) {
        CachedGlyph kept;
        kept.Advance = glyph->Advance;
        ClearGlyphs();
        glyph = &glyphs.emplace(key, std::move(kept)).first->second;
    }
    coverageBytes += bitmap.Coverage.size();
    glyph->Bitmap = std::move(bitmap);
    glyph->Rendered = true;
    return glyph->Bitmap;
}

FontEngine& FontEngine::Instance()
{
    static FontEngine engine;
    return engine;
}

FontEngine::FontEngine()
    : impl_(std::make_unique<Impl>())
{
}

FontEngine::~FontEngine() = default;

FontMetrics FontEngine::Metrics(const TFont& font)
{
    return impl_->Sized(font).Metrics;
}

TextLine FontEngine::Layout(const TFont& font, std::u32string_view codePoints)
{
    const SizedFont sized = impl_->Sized(font);
    TextLine line;
    line.Metrics = sized.Metrics;
    line.Glyphs.reserve(codePoints.size());
    for (const char32_t codePoint : codePoints) {
        FT_UInt index = 0;
        const FaceChoice choice = impl_->FaceFor(sized, codePoint, index);
        const GlyphKey key { choice.Face, index, static_cast<std::uint16_t>(sized.Pixels), choice.SyntheticBold,
            choice.SyntheticItalic };
        const int advance = impl_->Glyph(key).Advance;
        line.Glyphs.push_back({ key, line.Width, advance });
        line.Width += advance;
    }
    return line;
}

TextLine FontEngine::Layout(const TFont& font, std::string_view utf8)
{
    return Layout(font, DecodeUtf8(utf8));
}

int FontEngine::TextWidth(const TFont& font, std::string_view utf8)
{
    return Layout(font, utf8).Width;
}

const GlyphBitmap& FontEngine::Rasterise(const GlyphKey& glyph)
{
    return impl_->Rasterise(glyph);
}

namespace {

ResolvedFace Describe(const FaceChoice& choice, bool covers)
{
    return { choice.Face->File(), choice.Face->Index(), choice.Face->Family(), choice.SyntheticBold, choice.SyntheticItalic,
        covers };
}

} // namespace

ResolvedFace FontEngine::PrimaryFace(const TFont& font)
{
    return Describe(impl_->Sized(font).Primary, true);
}

ResolvedFace FontEngine::FaceFor(const TFont& font, char32_t codePoint)
{
    FT_UInt index = 0;
    const FaceChoice choice = impl_->FaceFor(impl_->Sized(font), codePoint, index);
    return Describe(choice, index != 0);
}

std::size_t FontEngine::RasterisedGlyphCount() const
{
    return impl_->rasterised;
}

std::size_t FontEngine::CachedGlyphCount() const
{
    return impl_->glyphs.size();
}
