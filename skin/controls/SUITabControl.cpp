#include "skin/controls/SUITabControl.h"

#include <algorithm>
#include <array>

#include "host/gfx/DeviceContext.h"
#include "host/ui/ColorIdents.h"
#include "host/ui/Publisher.h"
#include "host/win/Input.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIPublic.h"

namespace {

constexpr TColor kFuchsia = 0x00FF00FF;
constexpr TColor kWhite = 0x00FFFFFF;

// A tab is as wide as its caption plus a margin, and never so narrow that its caps collide.
int MeasureTab(TCanvas& Canvas, const std::string& Caption)
{
    const int width = Caption.empty() ? 80 : Canvas.TextWidth(Caption) + 20;
    return std::max(width, 15);
}

} // namespace

// ---- TsuiTabControlTopPanel ----

void TsuiTabControlTopPanel::Publish(TPublisher<TsuiTabControlTopPanel>& p)
{
    p.Property("Tabs", static_cast<TStrings& (TsuiTabControlTopPanel::*)()>(&TsuiTabControlTopPanel::Tabs),
        &TsuiTabControlTopPanel::SetTabs);
    p.Property("TabIndex", &TsuiTabControlTopPanel::TabIndex, &TsuiTabControlTopPanel::SetTabIndex);
    p.Property("LeftMargin", &TsuiTabControlTopPanel::LeftMargin, &TsuiTabControlTopPanel::SetLeftMargin);
    p.Property("UIStyle", &TsuiTabControlTopPanel::UIStyle, &TsuiTabControlTopPanel::SetUIStyle);
    p.Property("FileTheme", &TsuiTabControlTopPanel::FileTheme, &TsuiTabControlTopPanel::SetFileTheme);
}

TsuiTabControlTopPanel::TsuiTabControlTopPanel(TComponent* Owner, TsuiTab* TabControl)
    : TCustomPanel(Owner)
    , FTabs(std::make_unique<TStringList>())
    , FTabControl(TabControl)
{
    FTabs->OnChange = [this](TObject*) { Repaint(); };
    FTabs->Add("Tab1");
    SetCaption(" ");
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
    SetBorderWidth(0);
    SetAlign(alNone);
}

TsuiTabControlTopPanel::~TsuiTabControlTopPanel()
{
    FTabs->OnChange = nullptr;
}

void TsuiTabControlTopPanel::SetTabs(const TStrings& Value)
{
    FTabs->Assign(Value);
}

void TsuiTabControlTopPanel::SetTabIndex(int Value)
{
    if (FTabs->Count() == 0) {
        FTabIndex = -1;
        Repaint();
        return;
    }
    if (Value < -1 || Value > FTabs->Count() - 1) {
        Repaint();
        return;
    }
    if (FClicking && FTabControl) {
        bool allowChange = true;
        if (FTabControl->OnChanging)
            FTabControl->OnChanging(FTabControl, allowChange);
        if (!allowChange)
            return;
    }
    FTabIndex = Value;
    Repaint();
    if (FTabControl)
        FTabControl->TabActivated(FTabIndex);
}

void TsuiTabControlTopPanel::SetLeftMargin(int Value)
{
    FLeftMargin = Value;
    Repaint();
}

void TsuiTabControlTopPanel::LoadImage(int Entry, TBitmap& Bitmap, int FrameCount, int FrameIndex) const
{
    GetControlBitmapFrame(FFileTheme, FUIStyle, Entry, Bitmap, FrameCount, FrameIndex);
}

void TsuiTabControlTopPanel::SetUIStyle(TsuiUIStyle Value)
{
    FUIStyle = Value;
    TBitmap tab;
    TBitmap bar;
    TBitmap button;
    LoadImage(SUI_THEME_TABCONTROL_TAB_IMAGE, tab, 0, 0);
    LoadImage(SUI_THEME_TABCONTROL_BAR_IMAGE, bar, 0, 0);
    LoadImage(SUI_THEME_SCROLLBUTTON_IMAGE, button, 4, 1);
    SetHeight(tab.Height() + bar.Height());
    FScrollButtonWidth = button.Width();
    FScrollButtonHeight = button.Height();
    Repaint();
}

void TsuiTabControlTopPanel::SetFileTheme(TsuiFileTheme* Value)
{
    FFileTheme = Value;
    if (Value)
        FreeNotification(Value);
    SetUIStyle(FUIStyle);
}

void TsuiTabControlTopPanel::Notification(TComponent* Component, TOperation Operation)
{
    TCustomPanel::Notification(Component, Operation);
    // The tab control re-styles the strip; the strip only forgets the theme it drew from.
    if (Operation == opRemove && Component == FFileTheme)
        FFileTheme = nullptr;
}

bool TsuiTabControlTopPanel::TabVisible(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(FTabVisibleFlags.size()))
        return true;
    return FTabVisibleFlags[static_cast<std::size_t>(Index)];
}

void TsuiTabControlTopPanel::SetTabVisible(int Index, bool Value)
{
    if (Index < 0)
        return;
    if (Index >= static_cast<int>(FTabVisibleFlags.size()))
        FTabVisibleFlags.resize(static_cast<std::size_t>(Index) + 1, true);
    FTabVisibleFlags[static_cast<std::size_t>(Index)] = Value;
}

int TsuiTabControlTopPanel::TabWidth(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(FTabWidths.size()))
        return -1;
    return FTabWidths[static_cast<std::size_t>(Index)];
}

void TsuiTabControlTopPanel::Paint()
{
    TBitmap buffer(Width(), Height());
    if (FTabControl)
        DrawParentBackground(buffer.Canvas(), FTabControl);
    FHotScrollButton = 0;
    DrawTabs(buffer.Canvas());
    DrawScrollButtons(buffer.Canvas());
    BitBlt(Canvas().Handle(), 0, 0, Width(), Height(), buffer.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TsuiTabControlTopPanel::DrawTabs(TCanvas& Canvas)
{
    const int limit = Width() - 2 * FScrollButtonWidth - 2;
    FCutTabIndex = -1;
    FDrawnTabs.clear();
    if (static_cast<int>(FTabWidths.size()) < FTabs->Count())
        FTabWidths.resize(static_cast<std::size_t>(FTabs->Count()), -1);

    TBitmap active;
    TBitmap inactive;
    TBitmap bar;
    LoadImage(SUI_THEME_TABCONTROL_TAB_IMAGE, active, 2, 1);
    LoadImage(SUI_THEME_TABCONTROL_TAB_IMAGE, inactive, 2, 2);
    LoadImage(SUI_THEME_TABCONTROL_BAR_IMAGE, bar, 0, 0);
    const bool activeKeyed = !active.Empty() && active.GetPixel(0, 0) == kFuchsia;
    const bool inactiveKeyed = !inactive.Empty() && inactive.GetPixel(0, 0) == kFuchsia;

    FTabHeight = active.Height();
    const int h = inactive.Height();
    const int b = bar.Height();
    if (!bar.Empty())
        Canvas.StretchDraw({ 1, h, Width() - 1, h + b }, bar);
    Canvas.Pen().Color = FTabControl ? FTabControl->BorderColor() : clBlack;
    Canvas.MoveTo(0, h);
    Canvas.LineTo(0, h + b);
    Canvas.MoveTo(Width() - 1, h);
    Canvas.LineTo(Width() - 1, h + b);

    if (FTabControl)
        Canvas.Font().Assign(FTabControl->Font());
    int x = FLeftMargin;
    int visibleCount = 0;
    bool cut = false;
    for (int i = 0; i < FTabs->Count(); ++i) {
        int& recorded = FTabWidths[static_cast<std::size_t>(i)];
        if (!TabVisible(i)) {
            recorded = 0;
            continue;
        }
        if (cut)
            break;
        const std::string caption = FTabs->Strings(i);
        const int w = MeasureTab(Canvas, caption);
        recorded = w;
        ++visibleCount;
        if (visibleCount <= FScrollOffset)
            continue;

        TRect r;
        TTabSpot spot { i, x, x + w };
        if (i == FTabIndex) {
            r = { x, 1, x + w, h + 1 };
            if (r.Right > limit) {
                r.Right = limit;
                cut = true;
                FCutTabIndex = i;
            }
            DrawThreePart(active, Canvas, r, activeKeyed);
        } else {
            r = { x, 0, x + w, h };
            if (r.Right > limit) {
                r.Right = limit;
                recorded = limit - x;
                spot.Right = limit;
                cut = true;
                FCutTabIndex = i;
            }
            DrawThreePart(inactive, Canvas, r, inactiveKeyed);
        }
        FDrawnTabs.push_back(spot);
        x += w;

        Canvas.Brush().Style = TBrushStyle::bsClear;
        if (cut) {
            TRect text { r.Left + 10, r.Top, r.Right - 4, r.Bottom };
            DrawText(Canvas, caption, text, DT_SINGLELINE | DT_VCENTER);
        } else {
            DrawText(Canvas, caption, r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        }
    }
    FOverflow = x > limit;
}

void TsuiTabControlTopPanel::DrawScrollButtons(TCanvas& Canvas)
{
    if (!FOverflow && FScrollOffset == 0)
        return;
    TPoint cursor;
    GetCursorPos(&cursor);
    cursor = ScreenToClient(cursor);
    const int top = Height() > FScrollButtonHeight + 4 ? (Height() - FScrollButtonHeight) / 2 - 2 : 0;

    const TRect right { Width() - 2 - FScrollButtonWidth, top, Width() - 2, top + FScrollButtonHeight };
    const TRect left { right.Left - FScrollButtonWidth, top, right.Left, top + FScrollButtonHeight };
    auto drawButton = [&](const TRect& r, int normalFrame, int hotFrame, int direction) {
        int frame = normalFrame;
        if (PointInRect(cursor, r)) {
            frame = hotFrame;
            FHotScrollButton = direction;
        }
        TBitmap button;
        LoadImage(SUI_THEME_SCROLLBUTTON_IMAGE, button, 4, frame);
        button.SetTransparent(true);
        Canvas.Draw(r.Left, r.Top, button);
    };
    drawButton(right, 1, 2, +1);
    drawButton(left, 3, 4, -1);
}

int TsuiTabControlTopPanel::TabAt(int X, int Y) const
{
    if (Y <= 0 || Y >= FTabHeight)
        return -1;
    for (const TTabSpot& spot : FDrawnTabs) {
        if (X > spot.Left && X < spot.Right)
            return spot.Index;
    }
    return -1;
}

void TsuiTabControlTopPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomPanel::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    Repaint();
    if (FHotScrollButton == -1)
        --FScrollOffset;
    else if (FHotScrollButton == 1 && FOverflow)
        ++FScrollOffset;
    if (FHotScrollButton != 0) {
        FScrollOffset = std::clamp(FScrollOffset, 0, FTabs->Count());
        Repaint();
        return;
    }
    const int index = TabAt(X, Y);
    if (index < 0)
        return;
    FClicking = true;
    try {
        SetTabIndex(index);
    } catch (...) {
        FClicking = false;
        throw;
    }
    if (index == FCutTabIndex) {
        ++FScrollOffset;
        Repaint();
        FCutTabIndex = -1;
    }
    FClicking = false;
}

void TsuiTabControlTopPanel::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomPanel::MouseMove(Shift, X, Y);
    Repaint();
}

void TsuiTabControlTopPanel::Resize()
{
    TCustomPanel::Resize();
    SpanTabControl();
}

void TsuiTabControlTopPanel::SpanTabControl()
{
    if (FTabControl)
        SetBounds(0, 0, FTabControl->Width(), Height());
}

void TsuiTabControlTopPanel::WndProc(TMessage& Message)
{
    // Every pixel comes from the off-screen picture.
    if (Message.Msg == WM_ERASEBKGND) {
        Message.Result = 1;
        return;
    }
    TCustomPanel::WndProc(Message);
}

// ---- TsuiTab ----

void TsuiTab::Publish(TPublisher<TsuiTab>& p)
{
    p.Property("UIStyle", &TsuiTab::UIStyle, &TsuiTab::SetUIStyle);
    p.Property("FileTheme", &TsuiTab::FileTheme, &TsuiTab::SetFileTheme);
    p.Property("LeftMargin", &TsuiTab::LeftMargin, &TsuiTab::SetLeftMargin);
    p.Property("BorderColor", &TsuiTab::BorderColor, &TsuiTab::SetBorderColor).Idents(ColorIdents());
    // Published again after UIStyle, whose setter overwrites it, so that a stored colour wins.
    p.Property("Color", &TsuiTab::Color, &TsuiTab::SetColor).Idents(ColorIdents()).Stored(&TsuiTab::IsColorStored);
    p.Property("Font", static_cast<TFont& (TsuiTab::*)()>(&TsuiTab::Font), &TsuiTab::SetFont);
    p.Event("OnTabActive", &TsuiTab::OnTabActive);
    p.Event("OnChange", &TsuiTab::OnChange);
    p.Event("OnChanging", &TsuiTab::OnChanging);
}

TsuiTab::TsuiTab(TComponent* Owner, TTopPanelMaker CreateTopPanel)
    : TCustomPanel(Owner)
{
    FTopPanel = CreateTopPanel(this);
    FTopPanel->SetParent(this);
    FFont.OnChange = [this] {
        if (FTopPanel)
            FTopPanel->Repaint();
    };
    SetCaption(" ");
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
    SetBorderWidth(0);
    SetHeight(80);
    SetUIStyle(GetOwnerFormUIStyle(Owner));
    SpanTopPanel();
}

TsuiTab::~TsuiTab()
{
    FFont.OnChange = nullptr;
    TsuiTabControlTopPanel* strip = FTopPanel;
    FTopPanel = nullptr;
    delete strip;
}

void TsuiTab::SetUIStyle(TsuiUIStyle Value)
{
    FUIStyle = Value;
    FTopPanel->SetFileTheme(FFileTheme);
    FTopPanel->SetUIStyle(Value);
    FTopPanel->Repaint();
    Realign();
    ApplyStyleToContents(Value, FFileTheme);

    TsuiUIStyle style = Value;
    if (TsuiFileTheme::CanUseFileTheme(FFileTheme, Value, style)) {
        FBorderColor = FFileTheme->GetColor(SUI_THEME_CONTROL_BORDER_COLOR);
    } else {
        FBorderColor = GetThemeColor(style, SUI_THEME_CONTROL_BORDER_COLOR);
        SetColor(Value == WinXP ? kWhite : GetThemeColor(style, SUI_THEME_CONTROL_BACKGROUND_COLOR));
    }
    Repaint();
}

void TsuiTab::SetFileTheme(TsuiFileTheme* Value)
{
    FFileTheme = Value;
    if (Value)
        FreeNotification(Value);
    SetUIStyle(FUIStyle);
}

int TsuiTab::LeftMargin() const
{
    return FTopPanel->LeftMargin();
}

void TsuiTab::SetLeftMargin(int Value)
{
    FTopPanel->SetLeftMargin(Value);
}

void TsuiTab::SetBorderColor(TColor Value)
{
    FBorderColor = Value;
    BorderColorChanged();
    Repaint();
    FTopPanel->Repaint();
}

void TsuiTab::SetFont(const TFont& Value)
{
    FFont.Assign(Value);
    FTopPanel->Repaint();
}

void TsuiTab::SelectTab(int Index)
{
    FTopPanel->SetTabIndex(Index);
}

void TsuiTab::TabActivated(int Index)
{
    if (Loading())
        return;
    if (OnTabActive)
        OnTabActive(this, Index);
    if (OnChange)
        OnChange(this);
}

void TsuiTab::ApplyStyleToContents(TsuiUIStyle Style, TsuiFileTheme* Theme)
{
    ApplyThemeToChildren(this, Style, Theme);
}

void TsuiTab::Paint()
{
    TCanvas& canvas = Canvas();
    const int top = FTopPanel->Height();
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = Color();
    canvas.FillRect({ 0, top, Width(), Height() });
    canvas.Pen().Color = FBorderColor;
    const std::array<TPoint, 4> border { TPoint { 0, top }, TPoint { 0, Height() - 1 }, TPoint { Width() - 1, Height() - 1 },
        TPoint { Width() - 1, top - 1 } };
    canvas.Polyline(border);
}

void TsuiTab::Resize()
{
    TCustomPanel::Resize();
    SpanTopPanel();
}

void TsuiTab::SpanTopPanel()
{
    if (FTopPanel)
        FTopPanel->SetBounds(0, 0, Width(), FTopPanel->Height());
}

void TsuiTab::AdjustClientRect(TRect& Rect) const
{
    const int top = FTopPanel ? FTopPanel->Height() : 0;
    Rect = { 3, top + 3, std::max(Rect.Right - 3, 3), std::max(Rect.Bottom - 3, top + 3) };
}

void TsuiTab::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    case CM_CURSORCHANGED:
        if (FTopPanel)
            FTopPanel->SetCursor(Cursor());
        break;
    default:
        break;
    }
    TCustomPanel::WndProc(Message);
}

void TsuiTab::Notification(TComponent* Component, TOperation Operation)
{
    TCustomPanel::Notification(Component, Operation);
    if (Operation == opRemove && Component == FFileTheme) {
        FFileTheme = nullptr;
        SetUIStyle(DeepBlue);
    }
}

void RegisterTabControlClasses()
{
    RegisterClasses<TsuiTab>();
}
