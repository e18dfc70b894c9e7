// Text on a canvas: measuring, TextOut/TextRect and the host's single-line DrawText.
#include <algorithm>
#include <optional>
#include <vector>

#include "host/gfx/Canvas.h"
#include "host/gfx/FontEngine.h"
#include "host/gfx/Utf8.h"

namespace {

// The device rectangles text may touch: the context's clip (within the surface) and, when
// given, a logical rectangle.
std::vector<TRect> TextClip(const TDeviceContext& dc, const std::optional<TRect>& logicalClip)
{
    TRegion region = dc.ClipRegion();
    if (logicalClip)
        region = region.Intersect(TRegion(dc.ToDevice(*logicalClip)));
    return region.Rects();
}

void FillSolid(TBitmap& surface, const std::vector<TRect>& clip, const TRect& area, TPixel pixel)
{
    for (const TRect& c : clip) {
        const TRect r = IntersectRect(area, c);
        for (int y = r.Top; y < r.Bottom; ++y)
            std::fill(surface.ScanLine(y) + r.Left, surface.ScanLine(y) + r.Right, pixel);
    }
}

TPixel Blend(TPixel under, TPixel ink, unsigned coverage)
{
    const unsigned rest = 255 - coverage;
    TPixel out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const unsigned channel = (((ink >> shift) & 0xFF) * coverage + ((under >> shift) & 0xFF) * rest + 127) / 255;
        out |= channel << shift;
    }
    return out;
}

// Blends a glyph's coverage in the ink colour, its top-left pixel at (left, top) (device).
void BlendGlyph(TBitmap& surface, const std::vector<TRect>& clip, int left, int top, const GlyphBitmap& glyph, TPixel ink)
{
    const TRect box = Bounds(left, top, glyph.Width, glyph.Rows);
    for (const TRect& c : clip) {
        const TRect r = IntersectRect(box, c);
        for (int y = r.Top; y < r.Bottom; ++y) {
            TPixel* pixel = surface.ScanLine(y) + r.Left;
            const std::uint8_t* coverage = glyph.Coverage.data()
                + static_cast<std::size_t>(y - top) * static_cast<std::size_t>(glyph.Width) + (r.Left - left);
            for (int x = r.Left; x < r.Right; ++x, ++pixel, ++coverage) {
                if (*coverage == 255)
                    *pixel = ink;
                else if (*coverage != 0)
                    *pixel = Blend(*pixel, ink, *coverage);
            }
        }
    }
}

struct LinePlacement {
    int X = 0; // logical top-left corner of the line's cell
    int Y = 0;
    std::optional<TRect> Clip; // logical; the context's clip always applies
    std::optional<TRect> Background; // filled with the brush colour unless the brush is clear
    std::optional<std::size_t> Accelerator; // glyph underlined on its own
};

void PaintLine(TCanvas& canvas, const TextLine& line, const LinePlacement& at)
{
    const TDeviceContext& dc = *canvas.Handle();
    TBitmap& surface = dc.Surface();
    const std::vector<TRect> clip = TextClip(dc, at.Clip);
    if (clip.empty())
        return;
    if (at.Background && canvas.Brush().Style != TBrushStyle::bsClear)
        FillSolid(surface, clip, dc.ToDevice(*at.Background), ColorToPixel(ColorToRGB(canvas.Brush().Color)));

    // Each glyph goes where the logical layout puts it, rasterised at the surface's scale: on
    // a finer surface the text is sharper, never wider or placed otherwise.
    const int scale = dc.Scale();
    const int baseline = dc.ToDeviceY(static_cast<std::int64_t>(at.Y) + line.Metrics.Ascent);
    const TPixel ink = ColorToPixel(ColorToRGB(canvas.Font().Color()));
    FontEngine& engine = FontEngine::Instance();
    for (const TextGlyph& glyph : line.Glyphs) {
        GlyphKey key = glyph.Key;
        key.Pixels = static_cast<std::uint16_t>(key.Pixels * scale);
        const GlyphBitmap& bitmap = engine.Rasterise(key);
        const int left = dc.ToDeviceX(static_cast<std::int64_t>(at.X) + glyph.X);
        BlendGlyph(surface, clip, left + bitmap.Left, baseline - bitmap.Top, bitmap, ink);
    }

    const FontMetrics& m = line.Metrics;
    const auto stroke = [&](int from, int to, int top, int thickness) {
        const std::int64_t y = static_cast<std::int64_t>(at.Y) + m.Ascent + top;
        FillSolid(surface, clip,
            Rect(dc.ToDeviceX(static_cast<std::int64_t>(at.X) + from), dc.ToDeviceY(y),
                dc.ToDeviceX(static_cast<std::int64_t>(at.X) + to), dc.ToDeviceY(y + thickness)),
            ink);
    };
    const TFontStyles style = canvas.Font().Style();
    if (style.Has(TFontStyle::fsUnderline))
        stroke(0, line.Width, m.UnderlineTop, m.UnderlineThickness);
    if (style.Has(TFontStyle::fsStrikeOut))
        stroke(0, line.Width, m.StrikeOutTop, m.StrikeOutThickness);
    if (at.Accelerator && *at.Accelerator < line.Glyphs.size()) {
        const TextGlyph& glyph = line.Glyphs[*at.Accelerator];
        stroke(glyph.X, glyph.X + glyph.Advance, m.UnderlineTop, m.UnderlineThickness);
    }
}

// A caption with its "&" prefixes taken out: "&&" stands for "&", "&x" marks x as the
// accelerator (the last one marked wins), a lone trailing "&" is dropped.
struct PrefixedText {
    std::u32string Text;
    std::optional<std::size_t> Accelerator;
};

PrefixedText StripPrefixes(std::u32string_view text)
{
    PrefixedText out;
    out.Text.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != U'&') {
            out.Text.push_back(text[i]);
            continue;
        }
        if (++i == text.size())
            break;
        if (text[i] != U'&')
            out.Accelerator = out.Text.size();
        out.Text.push_back(text[i]);
    }
    return out;
}

} // namespace

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    const TextLine line = FontEngine::Instance().Layout(font_, std::string_view(text));
    PaintLine(*this, line, { x, y, std::nullopt, Bounds(x, y, line.Width, line.Metrics.Height()), std::nullopt });
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text)
{
    const TextLine line = FontEngine::Instance().Layout(font_, std::string_view(text));
    PaintLine(*this, line, { x, y, r, r, std::nullopt });
}

int TCanvas::TextWidth(const std::string& text)
{
    return FontEngine::Instance().TextWidth(font_, text);
}

int TCanvas::TextHeight(const std::string&)
{
    return FontEngine::Instance().Metrics(font_).Height();
}

TSize TCanvas::TextExtent(const std::string& text)
{
    const TextLine line = FontEngine::Instance().Layout(font_, std::string_view(text));
    return { line.Width, line.Metrics.Height() };
}

int DrawText(TCanvas& canvas, const std::string& text, TRect& r, unsigned format)
{
    PrefixedText caption;
    if (format & DT_NOPREFIX)
        caption.Text = DecodeUtf8(text);
    else
        caption = StripPrefixes(DecodeUtf8(text));
    const TextLine line = FontEngine::Instance().Layout(canvas.Font(), std::u32string_view(caption.Text));
    const int height = line.Metrics.Height();
    if (format & DT_CALCRECT) {
        r.Right = r.Left + line.Width;
        r.Bottom = r.Top + height;
        return height;
    }

    int x = r.Left;
    if (format & DT_CENTER)
        x = r.Left + (r.Width() - line.Width) / 2;
    else if (format & DT_RIGHT)
        x = r.Right - line.Width;
    // As on the host, vertical placement needs a single line.
    int y = r.Top;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
        y = r.Top + (r.Height() - height) / 2;
    else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
        y = r.Bottom - height;

    std::optional<TRect> clip;
    if (!(format & DT_NOCLIP))
        clip = r;
    PaintLine(canvas, line, { x, y, clip, Bounds(x, y, line.Width, height), caption.Accelerator });
    return height;
}
