#include "tools/skinart/Compose.h"

#include <algorithm>

#include "host/gfx/Canvas.h"

namespace {

bool Inside(const TBitmap& b, int x, int y)
{
    return x >= 0 && y >= 0 && x < b.Width() && y < b.Height();
}

void Put(TBitmap& dest, int x, int y, TColor c, std::optional<TColor> key)
{
    if (Inside(dest, x, y) && (!key || c != *key))
        dest.SetPixel(x, y, c);
}

void SetFont(TCanvas& canvas, TColor colour, int size, bool bold)
{
    canvas.Font().SetName("Tahoma");
    canvas.Font().SetHeight(-size);
    canvas.Font().SetStyle(bold ? TFontStyles { TFontStyle::fsBold } : TFontStyles {});
    canvas.Font().SetColor(colour);
    canvas.Brush().Style = TBrushStyle::bsClear;
}

// A band of the face stretched over a target, fuchsia left out.
void Band(TBitmap& dest, int x, int y, const TRect& target, const TBitmap& face, const TRect& source)
{
    if (target.Width() <= 0 || target.Height() <= 0 || source.Width() <= 0 || source.Height() <= 0)
        return;
    Stretch(dest, target.Offset(x, y), face, source, clFuchsia);
}

} // namespace

void FillRect(TBitmap& dest, const TRect& r, TColor colour)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            Put(dest, x, y, colour, std::nullopt);
}

void Blit(TBitmap& dest, int x, int y, const TBitmap& source, std::optional<TColor> key)
{
    Blit(dest, x, y, source, Rect(0, 0, source.Width(), source.Height()), key);
}

void Blit(TBitmap& dest, int x, int y, const TBitmap& source, const TRect& part, std::optional<TColor> key)
{
    for (int sy = part.Top; sy < part.Bottom; ++sy)
        for (int sx = part.Left; sx < part.Right; ++sx)
            if (Inside(source, sx, sy))
                Put(dest, x + sx - part.Left, y + sy - part.Top, source.GetPixel(sx, sy), key);
}

void Stretch(TBitmap& dest, const TRect& to, const TBitmap& source, const TRect& part, std::optional<TColor> key)
{
    if (to.Width() <= 0 || to.Height() <= 0)
        return;
    for (int y = 0; y < to.Height(); ++y) {
        const int sy = part.Top + y * part.Height() / to.Height();
        for (int x = 0; x < to.Width(); ++x) {
            const int sx = part.Left + x * part.Width() / to.Width();
            if (Inside(source, sx, sy))
                Put(dest, to.Left + x, to.Top + y, source.GetPixel(sx, sy), key);
        }
    }
}

void Tile(TBitmap& dest, const TRect& r, const TBitmap& pattern)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            Put(dest, x, y, pattern.GetPixel(x % pattern.Width(), y % pattern.Height()), std::nullopt);
}

TBitmap Magnify(const TBitmap& source, int factor)
{
    TBitmap big(source.Width() * factor, source.Height() * factor);
    Stretch(big, Rect(0, 0, big.Width(), big.Height()), source, Rect(0, 0, source.Width(), source.Height()));
    return big;
}

TBitmap Frame(const TBitmap& strip, int count, int index)
{
    const int w = strip.Width() / count;
    TBitmap frame(w, strip.Height());
    Blit(frame, 0, 0, strip, Rect(w * index, 0, w * (index + 1), strip.Height()));
    return frame;
}

void Text(TBitmap& dest, int x, int y, const std::string& text, TColor colour, int size, bool bold)
{
    TCanvas& canvas = dest.Canvas();
    SetFont(canvas, colour, size, bold);
    canvas.TextOut(x, y, text);
}

int TextWidth(TBitmap& dest, const std::string& text, int size, bool bold)
{
    TCanvas& canvas = dest.Canvas();
    SetFont(canvas, clBlack, size, bold);
    return canvas.TextWidth(text);
}

void NineGrid(TBitmap& dest, int x, int y, int width, int height, const TBitmap& face, bool transparent)
{
    const int bw = face.Width(), bh = face.Height();
    const int hw = bw / 2, hh = bh / 2;
    const int hW = width / 2, hH = height / 2;
    const std::optional<TColor> cornerKey = transparent ? std::optional<TColor>(clFuchsia) : std::nullopt;
    // A corner keeps its outer corner when cut to its limit, and is skipped when empty.
    auto corner = [&](TRect source, int limitW, int limitH, bool right, bool bottom, TRect empty) {
        const int pw = std::max(0, std::min(source.Width(), limitW));
        const int ph = std::max(0, std::min(source.Height(), limitH));
        if (pw == 0 || ph == 0)
            return empty;
        if (right)
            source.Left = source.Right - pw;
        else
            source.Right = source.Left + pw;
        if (bottom)
            source.Top = source.Bottom - ph;
        else
            source.Bottom = source.Top + ph;
        const int px = right ? width - pw : 0;
        const int py = bottom ? height - ph : 0;
        Blit(dest, x + px, y + py, face, source, cornerKey);
        return Bounds(px, py, pw, ph);
    };
    const TRect c1 = corner(Rect(0, 0, hw, hh), hW, hH, false, false, Rect(0, 0, 0, 0));
    const TRect c2 = corner(Rect(0, bh - hh + 1, hw, bh), hW, hH - 1, false, true, Rect(0, height, 0, height));
    TRect left = Rect(0, hh, hw, bh - hh);
    const TRect leftTarget = Rect(0, c1.Bottom, c1.Right, c2.Top);
    left.Right = std::min(left.Right, left.Left + leftTarget.Width());
    Band(dest, x, y, leftTarget, face, left);
    const TRect c3 = corner(Rect(bw - hw + 1, 0, bw, hh), hW - 1, hH, true, false, Rect(width, 0, width, 0));
    const TRect c4
        = corner(Rect(bw - hw + 1, bh - hh + 1, bw, bh), hW - 1, hH - 1, true, true, Rect(width, height, width, height));
    TRect right = Rect(bw - hw + 1, bh - hh, bw, hh + 2);
    const TRect rightTarget = Rect(c3.Left, c3.Bottom, c3.Right, c4.Top);
    right.Left = std::max(right.Left, right.Right - rightTarget.Width());
    Band(dest, x, y, rightTarget, face, right);
    TRect top = Rect(hw, 0, bw - hw + 1, hh);
    const TRect topTarget = Rect(c1.Right, 0, c3.Left, c1.Bottom);
    top.Bottom = std::min(top.Bottom, top.Top + topTarget.Height());
    Band(dest, x, y, topTarget, face, top);
    Band(dest, x, y, Rect(c1.Right, c1.Bottom, c3.Left, c4.Top - 1), face, Rect(hw, hh, bw - hw + 1, bh - hh));
    TRect bottom = Rect(hw, bh - hh, bw - hw + 1, bh);
    const TRect bottomTarget = Rect(c1.Right - 1, c2.Top - 1, c4.Left, c4.Bottom);
    bottom.Top = std::max(bottom.Top, bottom.Bottom - bottomTarget.Height());
    Band(dest, x, y, bottomTarget, face, bottom);
}

void ThreePart(TBitmap& dest, const TRect& r, const TBitmap& image)
{
    const int w = image.Width() / 3;
    const int h = image.Height();
    Blit(dest, r.Left, r.Top, image, Rect(0, 0, w, h), clFuchsia);
    Blit(dest, r.Right - w, r.Top, image, Rect(2 * w, 0, 3 * w, h), clFuchsia);
    Stretch(dest, Rect(r.Left + w, r.Top, r.Right - w, r.Bottom), image, Rect(w, 0, 2 * w, h));
}
