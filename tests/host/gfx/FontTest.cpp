#include <gtest/gtest.h>

#include <climits>

#include "host/gfx/Font.h"
#include "host/gfx/FontEngine.h"
#include "host/gfx/Utf8.h"

namespace {

TFont UiFont(const std::string& name = "MS Sans Serif", int height = -11)
{
    TFont font;
    font.SetName(name);
    font.SetHeight(height);
    return font;
}

} // namespace

TEST(Font, SettersReportOnlyRealChanges)
{
    TFont font;
    int changes = 0;
    font.OnChange = [&] { ++changes; };
    font.SetName("MS Sans Serif");
    font.SetHeight(-11);
    font.SetColor(clWindowText);
    font.SetStyle({});
    font.SetCharset(DEFAULT_CHARSET);
    EXPECT_EQ(changes, 0);

    font.SetName("Tahoma");
    font.SetHeight(-12);
    font.SetColor(clRed);
    font.SetStyle({ TFontStyle::fsBold });
    font.SetCharset(134);
    EXPECT_EQ(changes, 5);
    font.SetStyle({ TFontStyle::fsBold });
    EXPECT_EQ(changes, 5);
}

TEST(Font, SizeAndHeightConvertAtNinetySixPixelsPerInch)
{
    TFont font;
    EXPECT_EQ(font.Size(), 8); // the default -11
    font.SetSize(8);
    EXPECT_EQ(font.Height(), -11);
    font.SetSize(9);
    EXPECT_EQ(font.Height(), -12);
    font.SetSize(12);
    EXPECT_EQ(font.Height(), -16);
    font.SetHeight(-16);
    EXPECT_EQ(font.Size(), 12);
    // A cell height reads as a negative size and converts back to a cell height.
    font.SetHeight(20);
    EXPECT_EQ(font.Size(), -15);
    font.SetSize(-15);
    EXPECT_EQ(font.Height(), 20);
    font.SetSize(INT_MAX);
    EXPECT_EQ(font.Height(), -INT_MAX);
}

TEST(Font, AssignCopiesEverythingButTheHandlerAndReportsOnce)
{
    TFont source;
    source.SetName("Tahoma");
    source.SetHeight(-13);
    source.SetStyle({ TFontStyle::fsItalic, TFontStyle::fsUnderline });
    source.SetColor(clNavy);
    source.SetCharset(128);
    bool sourceHandlerCalled = false;
    source.OnChange = [&] { sourceHandlerCalled = true; };

    TFont target;
    int changes = 0;
    target.OnChange = [&] { ++changes; };
    target.Assign(source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(target.Name(), "Tahoma");
    EXPECT_EQ(target.Height(), -13);
    EXPECT_EQ(target.Style(), (TFontStyles { TFontStyle::fsItalic, TFontStyle::fsUnderline }));
    EXPECT_EQ(target.Color(), clNavy);
    EXPECT_EQ(target.Charset(), 128);

    target.Assign(source);
    EXPECT_EQ(changes, 1);
    target.OnChange();
    EXPECT_FALSE(sourceHandlerCalled);
}

TEST(Utf8, DecodesValidTextAndReplacesEachBrokenSequence)
{
    EXPECT_EQ(DecodeUtf8("A\xC3\xA9\xE5\xB9\xB3\xF0\x9F\x98\x80"), (std::u32string { U'A', 0xE9, 0x5E73, 0x1F600 }));
    const char32_t bad = kReplacementCharacter;
    EXPECT_EQ(DecodeUtf8("\x80x"), (std::u32string { bad, U'x' })); // stray continuation
    EXPECT_EQ(DecodeUtf8("\xE5\xB9x"), (std::u32string { bad, U'x' })); // cut short
    EXPECT_EQ(DecodeUtf8("\xE5\xB9"), (std::u32string { bad })); // cut by the end
    EXPECT_EQ(DecodeUtf8("\xC0\x80"), (std::u32string { bad, bad })); // overlong NUL
    EXPECT_EQ(DecodeUtf8("\xE0\x80\x80"), (std::u32string { bad, bad, bad })); // overlong
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), (std::u32string { bad, bad, bad })); // surrogate
    EXPECT_EQ(DecodeUtf8("\xF4\x90\x80\x80"), (std::u32string { bad, bad, bad, bad })); // past U+10FFFF
    EXPECT_EQ(DecodeUtf8("\xFF"), (std::u32string { bad }));
    EXPECT_EQ(DecodeUtf8(std::string_view("a\0b", 3)), (std::u32string { U'a', 0, U'b' }));
}

TEST(FontEngine, MissingFamiliesFallBackToOneFaceCoveringChineseAndKana)
{
    FontEngine& engine = FontEngine::Instance();
    for (const char* family : { "MS Sans Serif", "Tahoma", "宋体", "" }) {
        SCOPED_TRACE(family);
        const TFont font = UiFont(family);
        const ResolvedFace primary = engine.PrimaryFace(font);
        // Every character of these captions comes from the primary face: no mixing.
        for (const char32_t cp : std::u32string(U"平假名片随机あアM&")) {
            const ResolvedFace face = engine.FaceFor(font, cp);
            EXPECT_TRUE(face.Covers);
            EXPECT_EQ(face.File, primary.File);
            EXPECT_EQ(face.Index, primary.Index);
        }
    }
}

TEST(FontEngine, InstalledFamilyIsUsedAndLacksAreFilledPerCharacter)
{
    FontEngine& engine = FontEngine::Instance();
    const TFont kana = UiFont("IPAPGothic", -40);
    const ResolvedFace primary = engine.PrimaryFace(kana);
    EXPECT_EQ(primary.Family, "IPAPGothic");
    EXPECT_EQ(engine.FaceFor(kana, U'あ').File, primary.File);

    // A simplified Chinese character the Japanese face has no glyph for.
    const ResolvedFace fallback = engine.FaceFor(kana, U'这');
    EXPECT_TRUE(fallback.Covers);
    EXPECT_NE(fallback.File, primary.File);
    EXPECT_GT(engine.TextWidth(kana, "这"), 20);

    // Nothing installed has a glyph here: the primary face's missing-glyph box is used.
    const ResolvedFace none = engine.FaceFor(kana, 0x10FFFD);
    EXPECT_FALSE(none.Covers);
    EXPECT_EQ(none.File, primary.File);
}

TEST(FontEngine, HeightIsAnEmSizeWhenNegativeAndACellWhenPositive)
{
    FontEngine& engine = FontEngine::Instance();
    const FontMetrics ui = engine.Metrics(UiFont());
    EXPECT_EQ(ui.Ascent, 11);
    EXPECT_EQ(ui.Descent, 3);
    EXPECT_EQ(ui.Height(), 14);
    EXPECT_GT(ui.UnderlineTop + ui.UnderlineThickness, 0);
    EXPECT_LE(ui.UnderlineTop + ui.UnderlineThickness, ui.Descent);
    EXPECT_LT(ui.StrikeOutTop, 0);

    EXPECT_EQ(engine.Metrics(UiFont("MS Sans Serif", 14)).Height(), 14);
    for (int cell : { 9, 20, 33 }) {
        const int height = engine.Metrics(UiFont("MS Sans Serif", cell)).Height();
        EXPECT_LE(height, cell);
        EXPECT_GE(height, cell - 2);
    }
    EXPECT_EQ(engine.Metrics(UiFont("MS Sans Serif", 0)).Height(), 14); // the default size

    // Absurd sizes are bounded rather than allocating giant glyphs.
    const FontMetrics huge = engine.Metrics(UiFont("MS Sans Serif", INT_MIN));
    EXPECT_GT(huge.Height(), 1000);
    EXPECT_LT(huge.Height(), 2000);
    EXPECT_LT(engine.Metrics(UiFont("MS Sans Serif", INT_MAX)).Height(), 5000);
}

TEST(FontEngine, MeasuringNeverRasterisesAndDrawingRasterisesEachGlyphOnce)
{
    FontEngine& engine = FontEngine::Instance();
    const TFont font = UiFont("MS Sans Serif", -17); // a size no other test uses
    const std::string caption = "Kana 平假名 chart あいう片";

    const std::size_t before = engine.RasterisedGlyphCount();
    const int width = engine.TextWidth(font, caption);
    EXPECT_GT(width, 0);
    EXPECT_EQ(engine.TextWidth(font, caption), width);
    EXPECT_EQ(engine.RasterisedGlyphCount(), before);

    const TextLine line = engine.Layout(font, caption);
    EXPECT_EQ(line.Width, width);
    for (const TextGlyph& glyph : line.Glyphs)
        engine.Rasterise(glyph.Key);
    const std::size_t drawn = engine.RasterisedGlyphCount() - before;
    EXPECT_GT(drawn, 10u);
    EXPECT_LT(drawn, line.Glyphs.size()); // blanks and repeats cost nothing

    for (const TextGlyph& glyph : engine.Layout(font, caption).Glyphs)
        engine.Rasterise(glyph.Key);
    EXPECT_EQ(engine.TextWidth(font, caption), width);
    EXPECT_EQ(engine.RasterisedGlyphCount() - before, drawn);
}

TEST(FontEngine, LayoutPlacesOneGlyphPerCodePointAtSummedAdvances)
{
    FontEngine& engine = FontEngine::Instance();
    const TFont font = UiFont();
    const TextLine line = engine.Layout(font, "Ab平\xFF");
    ASSERT_EQ(line.Glyphs.size(), 4u);
    int x = 0;
    for (const TextGlyph& glyph : line.Glyphs) {
        EXPECT_EQ(glyph.X, x);
        EXPECT_GT(glyph.Advance, 0);
        x += glyph.Advance;
    }
    EXPECT_EQ(line.Width, x);
    EXPECT_EQ(engine.TextWidth(font, "Ab"), engine.TextWidth(font, "A") + engine.TextWidth(font, "b"));
    EXPECT_EQ(engine.TextWidth(font, "\xFF"), engine.TextWidth(font, "\xEF\xBF\xBD")); // shown as U+FFFD
    EXPECT_EQ(engine.TextWidth(font, ""), 0);
}

TEST(FontEngine, BoldWithoutABoldFaceIsSyntheticAndWider)
{
    FontEngine& engine = FontEngine::Instance();
    TFont regular = UiFont();
    TFont bold = UiFont();
    bold.SetStyle({ TFontStyle::fsBold });
    EXPECT_FALSE(engine.PrimaryFace(regular).SyntheticBold);
    const ResolvedFace boldFace = engine.PrimaryFace(bold);
    EXPECT_EQ(boldFace.File, engine.PrimaryFace(regular).File); // the UI face has no bold cut
    EXPECT_TRUE(boldFace.SyntheticBold);
    EXPECT_EQ(engine.TextWidth(bold, "Close"), engine.TextWidth(regular, "Close") + 5);
    EXPECT_EQ(engine.Metrics(bold).Height(), engine.Metrics(regular).Height());

    TFont italic = UiFont();
    italic.SetStyle({ TFontStyle::fsItalic });
    EXPECT_TRUE(engine.PrimaryFace(italic).SyntheticItalic);
    EXPECT_EQ(engine.TextWidth(italic, "Close"), engine.TextWidth(regular, "Close"));
}

TEST(FontEngine, GlyphCacheStaysBoundedUnderManyDistinctGlyphs)
{
    FontEngine& engine = FontEngine::Instance();
    const TFont font = UiFont("MS Sans Serif", -9);
    std::u32string text;
    for (char32_t cp = 0x4E00; cp < 0x4E00 + 12000; ++cp)
        text.push_back(cp);
    const TextLine line = engine.Layout(font, std::u32string_view(text));
    EXPECT_EQ(line.Glyphs.size(), text.size());
    EXPECT_LE(engine.CachedGlyphCount(), FontEngine::MaxCachedGlyphs);
}
