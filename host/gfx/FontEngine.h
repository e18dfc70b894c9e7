#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/gfx/Font.h"
#include "host/sys/Exception.h"

// No installed font can be loaded for a text.
class EFontError : public Exception {
public:
    using Exception::Exception;
};

class FontFace;

// Identifies one rendering of a glyph: face, glyph index, em size in pixels and the synthetic
// emboldening and slanting applied to it.
struct GlyphKey {
    FontFace* Face = nullptr;
    std::uint32_t Index = 0;
    std::uint16_t Pixels = 0;
    bool SyntheticBold = false;
    bool SyntheticItalic = false;
    friend bool operator==(const GlyphKey&, const GlyphKey&) = default;
};

// One glyph of a laid-out line: X is its pen position in pixels from the line's start.
struct TextGlyph {
    GlyphKey Key;
    int X = 0;
    int Advance = 0;
};

// Vertical metrics of a font at its size, in pixels. Underline and strike-out positions are
// the top rows of their strokes, counted from the baseline downwards (negative is above).
struct FontMetrics {
    int Ascent = 0;
    int Descent = 0;
    int UnderlineTop = 0;
    int UnderlineThickness = 1;
    int StrikeOutTop = 0;
    int StrikeOutThickness = 1;
    int Height() const { return Ascent + Descent; }
};

// A laid-out line of text: one glyph per code point, left to right, and the metrics of the
// font it was laid out in.
struct TextLine {
    std::vector<TextGlyph> Glyphs;
    int Width = 0;
    FontMetrics Metrics;
};

// A glyph's antialiased coverage (0..255, Width x Rows, row by row). Its top-left pixel lies
// Left pixels right of the pen position and Top pixels above the baseline.
struct GlyphBitmap {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Rows = 0;
    std::vector<std::uint8_t> Coverage;
};

// The font file a request resolved to.
struct ResolvedFace {
    std::string File;
    int Index = 0;
    std::string Family;
    bool SyntheticBold = false;
    bool SyntheticItalic = false;
    // False when no installed face has the code point asked about (it is drawn as the
    // primary face's missing-glyph box).
    bool Covers = true;
};

// Chooses faces through fontconfig and rasterises with FreeType. A family that is not
// installed falls back to a sans face covering Chinese and kana; a code point that the chosen
// face lacks is drawn from another face that has it. Every lookup is cached: fontconfig's
// answer for a font or a fallback code point is kept between runs (in
// $XDG_CACHE_HOME/moraleaf/font-matches), measuring keeps advances only, and a
// glyph is rasterised once while it stays in the (bounded) glyph cache. One thread only.
class FontEngine {
public:
    static constexpr std::size_t MaxCachedGlyphs = 8192;

    static FontEngine& Instance();

    FontEngine(const FontEngine&) = delete;
    FontEngine& operator=(const FontEngine&) = delete;
    ~FontEngine();

    FontMetrics Metrics(const TFont& font);
    // Lays out text on one line without rasterising anything.
    TextLine Layout(const TFont& font, std::u32string_view text);
    TextLine Layout(const TFont& font, std::string_view utf8);
    int TextWidth(const TFont& font, std::string_view utf8);
    // The glyph's coverage, rasterised on first use. Valid until the next call on the engine.
    const GlyphBitmap& Rasterise(const GlyphKey& glyph);

    // The face a font uses for most of its text, and the one that draws a given code point.
    ResolvedFace PrimaryFace(const TFont& font);
    ResolvedFace FaceFor(const TFont& font, char32_t codePoint);

    // Glyphs rendered to coverage bitmaps since the engine started.
    std::size_t RasterisedGlyphCount() const;
    std::size_t CachedGlyphCount() const;

private:
    FontEngine();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
