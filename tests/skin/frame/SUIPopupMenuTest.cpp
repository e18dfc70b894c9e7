#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "host/gfx/DeviceContext.h"
#include "host/ui/ImageList.h"
#include "host/ui/MenuWindow.h"
#include "host/ui/ShortCuts.h"
#include "host/win/Input.h"
#include "host/win/VirtualKeys.h"
#include "host/win/WindowProcedure.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/HeadlessBackend.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIPublic.h"
#include "skin/frame/SUIPopupMenu.h"
#include "tests/skin/core/SkinTestSupport.h"

namespace {

constexpr TColor kUntouched = RGB(1, 2, 3);
constexpr TColor kImageColor = RGB(0, 200, 0);
constexpr int kWidth = 200;

int CountPixels(const TBitmap& b, const TRect& r, TColor color)
{
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            n += b.GetPixel(x, y) == color ? 1 : 0;
    return n;
}

// Text is smoothed: its pixels are those that differ from the background.
int InkPixels(const TBitmap& b, const TRect& r, TColor background)
{
    return (r.Right - r.Left) * (r.Bottom - r.Top) - CountPixels(b, r, background);
}

int Brightness(TColor c)
{
    return (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF);
}

// The darkest pixel, which smoothed dark text on a light background leaves in its own colour.
TColor Darkest(const TBitmap& b, const TRect& r)
{
    TColor darkest = clWhite;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (Brightness(b.GetPixel(x, y)) < Brightness(darkest))
                darkest = b.GetPixel(x, y);
    return darkest;
}

bool Near(TColor a, TColor b)
{
    for (int shift : { 0, 8, 16 }) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d > 0x30 || d < -0x30)
            return false;
    }
    return true;
}

// A skinned popup menu on a headless desktop; items are drawn into bitmaps as the menu window
// would draw them.
class PopupMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        desk = &THeadlessBackend::Install();
        menu = std::make_unique<TsuiPopupMenu>(nullptr);
    }
    void TearDown() override
    {
        menu.reset();
        desk->OnIdle = nullptr;
        DoneWindowSystem();
    }

    TMenuItem* Add(const std::string& caption)
    {
        auto* item = new TMenuItem(menu.get());
        item->SetCaption(caption);
        menu->Items()->Add(item);
        menu->AttachItemHandlers();
        return item;
    }

    TBitmap Draw(TMenuItem* item, bool selected, int height = 21)
    {
        TBitmap b = FilledBitmap(kWidth, height, kUntouched);
        TDeviceContext dc(b);
        TCanvas canvas(&dc);
        item->OnDrawItem(item, canvas, { 0, 0, kWidth, height }, selected);
        return b;
    }

    TSize Measure(TMenuItem* item)
    {
        TBitmap scratch(1, 1);
        TDeviceContext dc(scratch);
        TCanvas canvas(&dc);
        TSize size { 0, 0 };
        item->OnMeasureItem(item, canvas, size.cx, size.cy);
        return size;
    }

    // A user image list of one plain 16 x 16 image.
    TImageList* UserImages()
    {
        auto* images = new TImageList(menu.get());
        images->Add(FilledBitmap(16, 16, kImageColor));
        return images;
    }

    THeadlessBackend* desk = nullptr;
    std::unique_ptr<TsuiPopupMenu> menu;
};

TEST_F(PopupMenuTest, MacOSFixesTheHeightsAndOtherStylesTakeThem)
{
    menu->SetUIStyle(MacOS);
    EXPECT_EQ(menu->MenuItemHeight(), 20);
    EXPECT_EQ(menu->SeparatorHeight(), 12);
    EXPECT_EQ(menu->SeparatorColor(), clBlack);
    menu->SetMenuItemHeight(30);
    menu->SetSeparatorHeight(9);
    EXPECT_EQ(menu->MenuItemHeight(), 20);
    EXPECT_EQ(menu->SeparatorHeight(), 12);

    menu->SetUIStyle(WinXP);
    EXPECT_EQ(menu->MenuItemHeight(), 21);
    EXPECT_EQ(menu->SeparatorHeight(), 5);
    EXPECT_EQ(menu->SeparatorColor(), TColor(0x848284));
    menu->SetMenuItemHeight(30);
    menu->SetSeparatorHeight(9);
    TMenuItem* item = Add("Open");
    TMenuItem* line = Add("-");
    EXPECT_EQ(Measure(item).cy, 30);
    EXPECT_EQ(Measure(line).cy, 9);
}

TEST_F(PopupMenuTest, StyleOverwritesEarlierValuesWithTheThemeTable)
{
    menu->SetUIStyle(WinXP);
    menu->SetMenuItemHeight(40);
    menu->SetBarWidth(3);
    menu->SetSelectedColor(clFuchsia);
    menu->SetUIStyle(Protein);
    EXPECT_EQ(menu->MenuItemHeight(), 21);
    EXPECT_EQ(menu->BarWidth(), 26);
    EXPECT_EQ(menu->BarColor(), GetThemeColor(Protein, SUI_THEME_MENU_BAR_COLOR));
    EXPECT_EQ(menu->Color(), GetThemeColor(Protein, SUI_THEME_MENU_BACKGROUND_COLOR));
    EXPECT_EQ(menu->FontColor(), GetThemeColor(Protein, SUI_THEME_MENU_FONT_COLOR));
    EXPECT_EQ(menu->SelectedBorderColor(), GetThemeColor(Protein, SUI_THEME_MENU_SELECTED_BORDER_COLOR));
    EXPECT_EQ(menu->SelectedColor(), GetThemeColor(Protein, SUI_THEME_MENU_SELECTED_BACKGROUND_COLOR));
    EXPECT_EQ(menu->SelectedFontColor(), GetThemeColor(Protein, SUI_THEME_MENU_SELECTED_FONT_COLOR));
    // What the style does not give keeps the constructor's defaults.
    EXPECT_TRUE(menu->UseSystemFont());
    EXPECT_FALSE(menu->FlatMenu());
    EXPECT_EQ(menu->FontName(), "MS Sans Serif");
    EXPECT_EQ(menu->FontSize(), 8);
    EXPECT_TRUE(menu->OwnerDraw());
    menu->SetOwnerDraw(false);
    EXPECT_TRUE(menu->OwnerDraw());
}

TEST_F(PopupMenuTest, RemovedFileThemeFallsBackToDeepBlue)
{
    auto* theme = new TsuiFileTheme(nullptr);
    menu->SetUIStyle(WinXP);
    menu->SetFileTheme(theme);
    EXPECT_EQ(menu->FileTheme(), theme);
    EXPECT_EQ(menu->UIStyle(), WinXP);
    delete theme;
    EXPECT_EQ(menu->FileTheme(), nullptr);
    EXPECT_EQ(menu->UIStyle(), DeepBlue);
    EXPECT_EQ(menu->SelectedColor(), GetThemeColor(DeepBlue, SUI_THEME_MENU_SELECTED_BACKGROUND_COLOR));
}

TEST_F(PopupMenuTest, WidthIsCaptionAndShortCutTextPlusBarAndMargin)
{
    TMenuItem* plain = Add("Open");
    TMenuItem* withKey = Add("Save");
    withKey->SetShortCut(TextToShortCut("Ctrl+S"));
    TBitmap scratch(1, 1);
    TDeviceContext dc(scratch);
    TCanvas canvas(&dc);
    EXPECT_EQ(Measure(plain).cx, canvas.TextWidth("Open") + 66);
    EXPECT_EQ(Measure(withKey).cx, canvas.TextWidth("Save") + canvas.TextWidth(ShortCutToText(withKey->ShortCut())) + 66);
}

TEST_F(PopupMenuTest, OnlyASingleHyphenIsASeparator)
{
    menu->SetUIStyle(WinXP);
    EXPECT_EQ(Measure(Add("-")).cy, 5);
    EXPECT_EQ(Measure(Add("--")).cy, 21);
    EXPECT_EQ(Measure(Add(" -")).cy, 21);
}

TEST_F(PopupMenuTest, PlainStyleItemsPaintBarBackgroundAndHighlight)
{
    menu->SetUIStyle(WinXP);
    TMenuItem* item = Add("Open");
    // Text rows end well above the bottom row, which shows the backgrounds alone.
    const TBitmap normal = Draw(item, false);
    EXPECT_EQ(normal.GetPixel(0, 20), menu->BarColor());
    EXPECT_EQ(normal.GetPixel(25, 20), menu->BarColor());
    EXPECT_EQ(normal.GetPixel(26, 20), menu->Color());
    EXPECT_EQ(normal.GetPixel(199, 0), menu->Color());
    EXPECT_TRUE(Near(Darkest(normal, { 30, 4, 100, 20 }), menu->FontColor()));

    const TBitmap hot = Draw(item, true);
    EXPECT_EQ(hot.GetPixel(0, 0), menu->SelectedBorderColor());
    EXPECT_EQ(hot.GetPixel(199, 20), menu->SelectedBorderColor());
    EXPECT_EQ(hot.GetPixel(5, 19), menu->SelectedColor()) << "the highlight covers the bar";
    EXPECT_EQ(hot.GetPixel(150, 19), menu->SelectedColor());
    EXPECT_GT(InkPixels(hot, { 30, 4, 100, 20 }, menu->SelectedColor()), 0);
    EXPECT_TRUE(Near(Darkest(hot, { 30, 4, 100, 20 }), menu->SelectedFontColor()));
}

TEST_F(PopupMenuTest, DisabledItemIsGreyAndNeverHighlighted)
{
    menu->SetUIStyle(WinXP);
    TMenuItem* item = Add("Open");
    item->SetEnabled(false);
    const TBitmap hot = Draw(item, true);
    EXPECT_EQ(hot.GetPixel(5, 19), menu->BarColor());
    EXPECT_EQ(hot.GetPixel(150, 19), menu->Color());
    EXPECT_GT(InkPixels(hot, { 30, 4, 100, 20 }, menu->Color()), 0);
    EXPECT_TRUE(Near(Darkest(hot, { 30, 4, 100, 20 }), TColor(0x808080)));
    EXPECT_GE(Brightness(Darkest(hot, { 30, 4, 100, 20 })), 3 * 0x80);
}

TEST_F(PopupMenuTest, PlainStyleSeparatorLineStartsAfterTheBar)
{
    menu->SetUIStyle(WinXP);
    const TBitmap b = Draw(Add("-"), false, 5);
    EXPECT_EQ(b.GetPixel(10, 2), menu->BarColor());
    EXPECT_EQ(b.GetPixel(29, 2), menu->Color());
    EXPECT_EQ(b.GetPixel(30, 2), TColor(0x848284));
    EXPECT_EQ(b.GetPixel(197, 2), TColor(0x848284));
    EXPECT_EQ(b.GetPixel(198, 2), menu->Color());
    EXPECT_EQ(b.GetPixel(100, 1), menu->Color());
    EXPECT_EQ(b.GetPixel(100, 3), menu->Color());
}

TEST_F(PopupMenuTest, MacOSPaintsItsStrips)
{
    menu->SetUIStyle(MacOS);
    TMenuItem* item = Add("Open");
    TMenuItem* line = Add("-");
    // The strips as the drawing helpers paint them, to compare with.
    auto strip = [](int height, const std::function<void(TCanvas&, const TRect&)>& paint) {
        TBitmap b = FilledBitmap(kWidth, height, kUntouched);
        TDeviceContext dc(b);
        TCanvas canvas(&dc);
        paint(canvas, { 0, 0, kWidth, height });
        return b;
    };
    const TBitmap bar = strip(20, DrawMacMenuBar);
    const TBitmap selection = strip(20, DrawMacMenuSelection);
    const TBitmap thin = strip(12, DrawMacMenuBarThin);

    const TBitmap normal = Draw(item, false, 20);
    const TBitmap hot = Draw(item, true, 20);
    for (TPoint p : { TPoint { 0, 0 }, TPoint { 10, 10 }, TPoint { 199, 19 }, TPoint { 150, 2 } }) {
        EXPECT_EQ(normal.GetPixel(p.X, p.Y), bar.GetPixel(p.X, p.Y)) << p.X << "," << p.Y;
        EXPECT_EQ(hot.GetPixel(p.X, p.Y), selection.GetPixel(p.X, p.Y)) << p.X << "," << p.Y;
    }
    EXPECT_NE(bar.GetPixel(10, 10), selection.GetPixel(10, 10));
    const TBitmap separator = Draw(line, false, 12);
    for (int y = 0; y < 12; ++y)
        EXPECT_EQ(separator.GetPixel(100, y), thin.GetPixel(100, y)) << y;
}

TEST_F(PopupMenuTest, CheckedItemWithoutImageShowsTheCheckMark)
{
    menu->SetUIStyle(WinXP);
    TMenuItem* item = Add("Open");
    item->SetChecked(true);
    const TBitmap b = Draw(item, false);
    TBitmap mark;
    ASSERT_TRUE(MenuCheckImages().GetBitmap(0, mark));
    int inked = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (mark.GetPixel(x, y) == clWhite) {
                EXPECT_EQ(b.GetPixel(4 + x, 3 + y), menu->BarColor()) << "white is see-through at " << x << "," << y;
            } else {
                EXPECT_EQ(b.GetPixel(4 + x, 3 + y), mark.GetPixel(x, y)) << x << "," << y;
                ++inked;
            }
        }
    }
    EXPECT_GT(inked, 0);
}

TEST_F(PopupMenuTest, CheckedItemWithImageShowsItOnAFramedSquare)
{
    menu->SetUIStyle(WinXP);
    menu->SetImages(UserImages());
    TMenuItem* item = Add("Open");
    item->SetImageIndex(0);
    item->SetChecked(true);
    const TBitmap b = Draw(item, false);
    EXPECT_EQ(b.GetPixel(2, 1), clBlack);
    EXPECT_EQ(b.GetPixel(20, 10), clBlack);
    EXPECT_EQ(b.GetPixel(10, 19), clBlack);
    EXPECT_EQ(b.GetPixel(3, 2), menu->SelectedColor());
    EXPECT_EQ(b.GetPixel(3, 18), menu->SelectedColor());
    EXPECT_EQ(b.GetPixel(4, 3), kImageColor);
    EXPECT_EQ(b.GetPixel(19, 18), kImageColor);

    // Unchecked: the image alone, on the bar.
    item->SetChecked(false);
    const TBitmap plain = Draw(item, false);
    EXPECT_EQ(plain.GetPixel(2, 1), menu->BarColor());
    EXPECT_EQ(plain.GetPixel(4, 3), kImageColor);
}

TEST_F(PopupMenuTest, ImageIndexOutsideTheListDrawsNoImage)
{
    menu->SetUIStyle(WinXP);
    menu->SetImages(UserImages());
    TMenuItem* item = Add("Open");
    item->SetImageIndex(1);
    item->SetChecked(true);
    const TBitmap b = Draw(item, false);
    EXPECT_EQ(CountPixels(b, { 0, 0, 30, 21 }, kImageColor), 0);
    EXPECT_NE(b.GetPixel(2, 1), clBlack) << "no framed square without a usable image";
}

TEST_F(PopupMenuTest, DefaultItemIsBoldAndShortCutSitsAtTheRight)
{
    menu->SetUIStyle(WinXP);
    TMenuItem* item = Add("Open");
    const int regular = InkPixels(Draw(item, false), { 30, 0, kWidth, 21 }, menu->Color());
    item->SetDefault(true);
    const int bold = InkPixels(Draw(item, false), { 30, 0, kWidth, 21 }, menu->Color());
    EXPECT_GT(bold, regular);

    TMenuItem* keyed = Add("Save");
    keyed->SetShortCut(TextToShortCut("Ctrl+S"));
    const TBitmap b = Draw(keyed, false);
    TBitmap scratch(1, 1);
    TDeviceContext dc(scratch);
    TCanvas canvas(&dc);
    SetMenuSystemFont(canvas.Font());
    const int keyLeft = kWidth - canvas.TextWidth(ShortCutToText(keyed->ShortCut())) - 16;
    EXPECT_GT(InkPixels(b, { keyLeft, 4, kWidth - 16, 21 }, menu->Color()), 0);
    EXPECT_EQ(InkPixels(b, { kWidth - 16, 0, kWidth, 21 }, menu->Color()), 0);
    EXPECT_EQ(InkPixels(b, { 80, 0, keyLeft, 21 }, menu->Color()), 0);
    EXPECT_EQ(InkPixels(b, { keyLeft, 0, kWidth, 4 }, menu->Color()), 0) << "text starts 4 pixels down";
}

TEST_F(PopupMenuTest, OwnFontReplacesTheSystemFont)
{
    menu->SetUIStyle(WinXP);
    TMenuItem* item = Add("Open");
    menu->SetUseSystemFont(false);
    menu->SetFontSize(8);
    const int small = InkPixels(Draw(item, false, 40), { 30, 0, kWidth, 40 }, menu->Color());
    menu->SetFontSize(16);
    const int large = InkPixels(Draw(item, false, 40), { 30, 0, kWidth, 40 }, menu->Color());
    EXPECT_GT(large, small);
}

// The menu shown for real: the window lists the measured items and paints them through the
// skin; the hot item is highlighted.
TEST_F(PopupMenuTest, PoppedUpMenuIsSkinned)
{
    TCreateParams params;
    params.Style = WS_OVERLAPPED | WS_VISIBLE;
    params.X = 10;
    params.Y = 10;
    params.Width = 300;
    params.Height = 300;
    HWND owner = CreateWindowEx(params);
    SetFocus(owner);

    menu->SetUIStyle(WinXP);
    menu->SetFlatMenu(true);
    Add("Open");
    Add("-");
    Add("Close");
    TBitmap first;
    TBitmap second;
    int step = 0;
    desk->OnIdle = [&] {
        switch (step++) {
        case 0:
            first = desk->CaptureWindow(menu->WindowHandle());
            desk->PressKey(VK_DOWN);
            break;
        case 1:
            second = desk->CaptureWindow(menu->WindowHandle());
            desk->PressKey(VK_ESCAPE);
            break;
        default:
            break;
        }
    };
    menu->Popup(100, 100);
    DestroyWindow(owner);

    constexpr int frame = TMenuWindow::kFrame;
    ASSERT_EQ(first.Height(), 21 + 5 + 21 + 2 * frame);
    const int bottom = frame + 20;
    EXPECT_EQ(first.GetPixel(frame + 5, bottom), menu->BarColor());
    const int right = first.Width() - frame - 1;
    EXPECT_EQ(first.GetPixel(right - 1, bottom), menu->Color());
    EXPECT_EQ(first.GetPixel(right - 5, frame + 21 + 2), TColor(0x848284));
    EXPECT_EQ(second.GetPixel(frame + 5, bottom - 1), menu->SelectedColor());
    EXPECT_EQ(second.GetPixel(frame, frame), menu->SelectedBorderColor());
    // The flat border: a black frame one pixel below the top, white inside it.
    EXPECT_EQ(first.GetPixel(0, 5), clBlack);
    EXPECT_EQ(first.GetPixel(1, 5), clWhite);
}

} // namespace
