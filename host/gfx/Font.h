#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "host/gfx/Colors.h"

enum class TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A set of TFontStyle values.
class TFontStyles {
public:
    TFontStyles() = default;
    TFontStyles(std::initializer_list<TFontStyle> styles)
    {
        for (TFontStyle s : styles)
            bits_ |= static_cast<std::uint8_t>(s);
    }
    bool Has(TFontStyle s) const { return (bits_ & static_cast<std::uint8_t>(s)) != 0; }
    TFontStyles With(TFontStyle s) const
    {
        TFontStyles r = *this;
        r.bits_ |= static_cast<std::uint8_t>(s);
        return r;
    }
    TFontStyles Without(TFontStyle s) const
    {
        TFontStyles r = *this;
        r.bits_ &= static_cast<std::uint8_t>(~static_cast<std::uint8_t>(s));
        return r;
    }
    friend bool operator==(const TFontStyles&, const TFontStyles&) = default;

private:
    std::uint8_t bits_ = 0;
};

constexpr std::uint8_t DEFAULT_CHARSET = 1;

// A font description. Height follows the host convention: negative is the em size in pixels,
// positive the cell height (em plus internal leading); Size is in points at 96 pixels per inch.
class TFont {
public:
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    std::uint8_t Charset() const { return charset_; }
    void SetCharset(std::uint8_t charset);

    void Assign(const TFont& other);

    // Called after any property changes.
    std::function<void()> OnChange;

private:
    void Changed();

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TFontStyles style_;
    TColor color_ = clWindowText;
    std::uint8_t charset_ = DEFAULT_CHARSET;
};
