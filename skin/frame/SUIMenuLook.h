#pragma once
#include <cstdint>
#include <string>

#include "host/gfx/Canvas.h"
#include "host/ui/ColorIdents.h"
#include "host/ui/FontProperties.h"
#include "host/ui/Publisher.h"
#include "skin/core/SUIThemes.h"

class TImageList;
class TMenuItem;
class TsuiFileTheme;

// The look shared by the skinned popup and main menus: a style, the item metrics, colours and
// font it gives, and how an item is measured and drawn in them. A menu class takes it as its
// second base and publishes it with PublishMenuLook.
class TsuiMenuLook {
public:
    TsuiUIStyle UIStyle() const { return FUIStyle; }
    // Re-derives the heights, the bar width and the colours, overwriting values set before.
    void SetUIStyle(TsuiUIStyle Value);
    TsuiFileTheme* FileTheme() const { return FFileTheme; }

    // Both heights are fixed while the style is MacOS.
    int MenuItemHeight() const { return FMenuItemHeight; }
    void SetMenuItemHeight(int Value);
    int SeparatorHeight() const { return FSeparatorHeight; }
    void SetSeparatorHeight(int Value);

    // The bar down the left side; captions start after it.
    int BarWidth() const { return FBarWidth; }
    void SetBarWidth(int Value) { FBarWidth = Value; }
    TColor BarColor() const { return FBarColor; }
    void SetBarColor(TColor Value) { FBarColor = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TColor SeparatorColor() const { return FSeparatorColor; }
    void SetSeparatorColor(TColor Value) { FSeparatorColor = Value; }
    TColor SelectedBorderColor() const { return FSelectedBorderColor; }
    void SetSelectedBorderColor(TColor Value) { FSelectedBorderColor = Value; }
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value) { FSelectedColor = Value; }
    TColor SelectedFontColor() const { return FSelectedFontColor; }
    void SetSelectedFontColor(TColor Value) { FSelectedFontColor = Value; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value) { FFontColor = Value; }
    // Kept with the menu; nothing draws it.
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    // A flat border drawn over the menu window.
    bool FlatMenu() const { return FFlatMenu; }
    void SetFlatMenu(bool Value) { FFlatMenu = Value; }

    // The caption font when UseSystemFont is off.
    const std::string& FontName() const { return FFontName; }
    void SetFontName(const std::string& Value) { FFontName = Value; }
    int FontSize() const { return FFontSize; }
    void SetFontSize(int Value) { FFontSize = Value; }
    std::uint8_t FontCharset() const { return FFontCharset; }
    void SetFontCharset(std::uint8_t Value) { FFontCharset = Value; }
    bool UseSystemFont() const { return FUseSystemFont; }
    void SetUseSystemFont(bool Value) { FUseSystemFont = Value; }

protected:
    TsuiMenuLook() = default;
    ~TsuiMenuLook() = default;
    TsuiMenuLook(const TsuiMenuLook&) = delete;
    TsuiMenuLook& operator=(const TsuiMenuLook&) = delete;

    // A colour of the style: from the file theme when the style reads it, else built in.
    TColor ThemeColor(int Entry) const;

    void MeasureMenuItem(const TMenuItem& Item, TCanvas& Canvas, int& Width, int& Height) const;
    // Images: the menu's image list for item images, or none; CheckImages holds the check mark
    // as image 0.
    void DrawMenuItem(const TMenuItem& Item, TCanvas& Canvas, const TRect& R, bool Selected, const TImageList* Images,
        const TImageList& CheckImages) const;

    TsuiFileTheme* FFileTheme = nullptr;

private:
    void DrawItemBackground(TCanvas& Canvas, const TRect& R) const;
    void SetCaptionFont(const TMenuItem& Item, TCanvas& Canvas, bool Selected) const;

    TsuiUIStyle FUIStyle = DeepBlue;
    int FMenuItemHeight = 21;
    int FSeparatorHeight = 5;
    int FBarWidth = 26;
    TColor FBarColor = clBlack;
    TColor FColor = clBlack;
    TColor FSeparatorColor = clBlack;
    TColor FSelectedBorderColor = clBlack;
    TColor FSelectedColor = clBlack;
    TColor FSelectedFontColor = clBlack;
    TColor FFontColor = clBlack;
    TColor FBorderColor = clBlack;
    bool FFlatMenu = false;
    std::string FFontName = "MS Sans Serif";
    int FFontSize = 8;
    std::uint8_t FFontCharset = DEFAULT_CHARSET;
    bool FUseSystemFont = true;
};

// The look's properties, in stored order; T provides SetFileTheme and may replace any setter.
template <typename T> void PublishMenuLook(TPublisher<T>& p)
{
    p.Property("FileTheme", &T::FileTheme, &T::SetFileTheme);
    p.Property("UIStyle", &T::UIStyle, &T::SetUIStyle);
    p.Property("MenuItemHeight", &T::MenuItemHeight, &T::SetMenuItemHeight);
    p.Property("SeparatorHeight", &T::SeparatorHeight, &T::SetSeparatorHeight);
    p.Property("BarWidth", &T::BarWidth, &T::SetBarWidth);
    p.Property("BarColor", &T::BarColor, &T::SetBarColor).Idents(ColorIdents());
    p.Property("Color", &T::Color, &T::SetColor).Idents(ColorIdents());
    p.Property("SeparatorColor", &T::SeparatorColor, &T::SetSeparatorColor).Idents(ColorIdents());
    p.Property("SelectedBorderColor", &T::SelectedBorderColor, &T::SetSelectedBorderColor).Idents(ColorIdents());
    p.Property("SelectedColor", &T::SelectedColor, &T::SetSelectedColor).Idents(ColorIdents());
    p.Property("SelectedFontColor", &T::SelectedFontColor, &T::SetSelectedFontColor).Idents(ColorIdents());
    p.Property("FontColor", &T::FontColor, &T::SetFontColor).Idents(ColorIdents());
    p.Property("BorderColor", &T::BorderColor, &T::SetBorderColor).Idents(ColorIdents()).Default(clBlack);
    p.Property("FlatMenu", &T::FlatMenu, &T::SetFlatMenu).Default(false);
    p.Property("FontName", &T::FontName, &T::SetFontName).Default("MS Sans Serif");
    p.Property("FontSize", &T::FontSize, &T::SetFontSize).Default(8);
    p.Property("FontCharset", &T::FontCharset, &T::SetFontCharset).Idents(CharsetIdents()).Default(DEFAULT_CHARSET);
    p.Property("UseSystemFont", &T::UseSystemFont, &T::SetUseSystemFont).Default(true);
}
