#include "host/gfx/Font.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr int kPixelsPerInch = 96;
constexpr int kPointsPerInch = 72;

// value * numerator / denominator, rounded half away from zero, as the host's MulDiv; kept
// within ±INT_MAX so that the result can always be negated.
int MulDiv(int value, int numerator, int denominator)
{
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    const std::int64_t half = denominator / 2;
    const std::int64_t quotient = product >= 0 ? (product + half) / denominator : (product - half) / denominator;
    constexpr std::int64_t limit = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(quotient, -limit, limit));
}

} // namespace

void TFont::SetName(const std::string& name)
{
    if (name == name_)
        return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height)
{
    if (height == height_)
        return;
    height_ = height;
    Changed();
}

// A negative height (em size) gives a positive size and a cell height a negative one, as on
// the host, so that Size and Height convert into each other without loss of meaning.
int TFont::Size() const
{
    return -MulDiv(height_, kPointsPerInch, kPixelsPerInch);
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, kPixelsPerInch, kPointsPerInch));
}

void TFont::SetStyle(TFontStyles style)
{
    if (style == style_)
        return;
    style_ = style;
    Changed();
}

void TFont::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    Changed();
}

void TFont::SetCharset(std::uint8_t charset)
{
    if (charset == charset_)
        return;
    charset_ = charset;
    Changed();
}

void TFont::Assign(const TFont& other)
{
    if (&other == this)
        return;
    const bool same = name_ == other.name_ && height_ == other.height_ && style_ == other.style_ && color_ == other.color_
        && charset_ == other.charset_;
    if (same)
        return;
    name_ = other.name_;
    height_ = other.height_;
    style_ = other.style_;
    color_ = other.color_;
    charset_ = other.charset_;
    Changed();
}

void TFont::Changed()
{
    if (OnChange)
        OnChange();
}
