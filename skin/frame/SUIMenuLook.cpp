#include "skin/frame/SUIMenuLook.h"

#include "host/ui/ImageList.h"
#include "host/ui/Menus.h"
#include "host/ui/ShortCuts.h"
#include "host/win/Painting.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIPublic.h"

namespace {

constexpr TColor kDisabledFontColor = 0x808080;
constexpr TColor kSeparatorColor = 0x848284;
// Caption and shortcut sit this far below the item's top; images and check marks this far in.
constexpr int kTextTop = 4;
constexpr int kImageLeft = 4;
constexpr int kImageTop = 3;
constexpr int kShortCutRightGap = 16;

bool HasUsableImage(const TMenuItem& Item, const TImageList* Images)
{
    return Item.ImageIndex() != -1 && Images != nullptr && Item.ImageIndex() < Images->Count();
}

} // namespace

void TsuiMenuLook::SetUIStyle(TsuiUIStyle Value)
{
    FUIStyle = Value;
    FBarWidth = 26;
    if (Value == MacOS) {
        FMenuItemHeight = 20;
        FSeparatorHeight = 12;
        FSeparatorColor = clBlack;
    } else {
        FMenuItemHeight = 21;
        FSeparatorHeight = 5;
        FSeparatorColor = kSeparatorColor;
    }
    FBarColor = ThemeColor(SUI_THEME_MENU_BAR_COLOR);
    FColor = ThemeColor(SUI_THEME_MENU_BACKGROUND_COLOR);
    FFontColor = ThemeColor(SUI_THEME_MENU_FONT_COLOR);
    FSelectedBorderColor = ThemeColor(SUI_THEME_MENU_SELECTED_BORDER_COLOR);
    FSelectedColor = ThemeColor(SUI_THEME_MENU_SELECTED_BACKGROUND_COLOR);
    FSelectedFontColor = ThemeColor(SUI_THEME_MENU_SELECTED_FONT_COLOR);
}

void TsuiMenuLook::SetMenuItemHeight(int Value)
{
    if (FUIStyle != MacOS)
        FMenuItemHeight = Value;
}

void TsuiMenuLook::SetSeparatorHeight(int Value)
{
    if (FUIStyle != MacOS)
        FSeparatorHeight = Value;
}

TColor TsuiMenuLook::ThemeColor(int Entry) const
{
    TsuiUIStyle style = FUIStyle;
    if (TsuiFileTheme::CanUseFileTheme(FFileTheme, FUIStyle, style))
        return FFileTheme->GetColor(Entry);
    return GetThemeColor(style, Entry);
}

void TsuiMenuLook::MeasureMenuItem(const TMenuItem& Item, TCanvas& Canvas, int& Width, int& Height) const
{
    Height = Item.IsLine() ? FSeparatorHeight : FMenuItemHeight;
    Width = Canvas.TextWidth(Item.Caption()) + Canvas.TextWidth(ShortCutToText(Item.ShortCut())) + FBarWidth + 40;
}

void TsuiMenuLook::DrawMenuItem(const TMenuItem& Item, TCanvas& Canvas, const TRect& R, bool Selected, const TImageList* Images,
    const TImageList& CheckImages) const
{
    if (FFlatMenu) {
        if (HWND wnd = WindowFromDC(Canvas.Handle()))
            DrawMenuWindowBorder(wnd, clBlack, ThemeColor(SUI_THEME_FORM_BACKGROUND_COLOR));
    }

    if (Item.IsLine()) {
        if (FUIStyle == MacOS) {
            DrawMacMenuBarThin(Canvas, R);
        } else {
            DrawItemBackground(Canvas, R);
            DrawMenuSeparatorLine(Canvas, R, FSeparatorColor, FBarWidth);
        }
        return;
    }

    if (Selected && Item.Enabled()) {
        if (FUIStyle == MacOS) {
            DrawMacMenuSelection(Canvas, R);
        } else {
            FillRectColor(Canvas, R, FSelectedColor);
            FrameRectColor(Canvas, R, FSelectedBorderColor);
        }
    } else if (FUIStyle == MacOS) {
        DrawMacMenuBar(Canvas, R);
    } else {
        DrawItemBackground(Canvas, R);
    }

    SetCaptionFont(Item, Canvas, Selected);
    TRect captionRect { R.Left + FBarWidth + 4, R.Top + kTextTop, R.Right, R.Bottom };
    DrawText(Canvas, Item.Caption(), captionRect, DT_SINGLELINE | DT_LEFT | DT_TOP);
    const std::string shortCut = ShortCutToText(Item.ShortCut());
    if (!shortCut.empty())
        Canvas.TextOut(R.Right - Canvas.TextWidth(shortCut) - kShortCutRightGap, R.Top + kTextTop, shortCut);

    const bool hasImage = HasUsableImage(Item, Images);
    if (Item.Checked()) {
        if (hasImage) {
            FrameRectColor(Canvas, { R.Left + 2, R.Top + 1, R.Left + 21, R.Top + 20 }, clBlack);
            FillRectColor(Canvas, { R.Left + 3, R.Top + 2, R.Left + 20, R.Top + 19 }, FSelectedColor);
        } else {
            CheckImages.Draw(Canvas, R.Left + kImageLeft, R.Top + kImageTop, 0, Item.Enabled());
        }
    }
    if (hasImage)
        Images->Draw(Canvas, R.Left + kImageLeft, R.Top + kImageTop, Item.ImageIndex(), Item.Enabled());
}

void TsuiMenuLook::DrawItemBackground(TCanvas& Canvas, const TRect& R) const
{
    if (FBarWidth > 0)
        FillRectColor(Canvas, { R.Left, R.Top, R.Left + FBarWidth, R.Bottom }, FBarColor);
    FillRectColor(Canvas, { R.Left + FBarWidth, R.Top, R.Right, R.Bottom }, FColor);
}

void TsuiMenuLook::SetCaptionFont(const TMenuItem& Item, TCanvas& Canvas, bool Selected) const
{
    TFont& font = Canvas.Font();
    if (FUseSystemFont) {
        SetMenuSystemFont(font);
    } else {
        font.SetName(FFontName);
        font.SetSize(FFontSize);
        font.SetCharset(FFontCharset);
    }
    Canvas.Brush().Style = TBrushStyle::bsClear;
    if (!Item.Enabled())
        font.SetColor(kDisabledFontColor);
    else
        font.SetColor(Selected ? FSelectedFontColor : FFontColor);
    if (Item.Default())
        font.SetStyle(font.Style().With(TFontStyle::fsBold));
}
