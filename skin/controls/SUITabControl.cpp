#include "skin/controls/SUITabControl.h"

#include <algorithm>
#include <array>

#include "host/gfx/DeviceContext.h"
#include "host/gfx/FontEngine.h"
#include "host/ui/ColorIdents.h"
#include "host/ui/Publisher.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIPublic.h"

namespace {

constexpr TColor kFuchsia = 0x00FF00FF;
constexpr TColor kWhite = 0x00FFFFFF;

// A tab is as wide as its caption plus a margin, and never so narrow that its caps collide.
int MeasureTab(const TFont& Font, const std::string& Caption)
{
    const int width = Caption.empty() ? 80 : FontEngine::Instance().TextWidth(Font, Caption) + 20;
    return std::max(width, 15);
}

// Holds a flag up while it lives, also when what runs meanwhile throws.
class TRaisedFlag {
public:
    explicit TRaisedFlag(bool& Flag)
        : FFlag(Flag)
    {
        FFlag = true;
    }
    ~TRaisedFlag() { FFlag = false; }
    TRaisedFlag(const TRaisedFlag&) = delete;
    TRaisedFlag& operator=(const TRaisedFlag&) = delete;

private:
    bool& FFlag;
};

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

// Where everything of the strip lies. W is the strip's width, H the height of a tab frame, B
// that of the bar image, SW x SH the size of a scroll button:
//
//   0  LeftMargin  x1          x2             limit = W - 2 - 2 SW
//   |  |           |           |              |     W - 2 - SW
//   |  |           |           |              |     |     W - 2
//      +-----------+           +--------------+     |     |        y = 0: inactive tabs, H high
//      | tab 0     +-----------+ tab 2, cut   +-----+-----+        y = 1: the active tab, a row
//      |           | tab 1,    | at the limit |  <  |  >  |        lower, over the bar's first row
//      |           | active    |              +-----+-----+        buttons: top (height - SH) div 2 - 2
//   +==+===========+           +==============+=============+==+   y = H: the bar, B high, from
//   +----------------------------------------------------------+   x = 1 to W - 1, ends in the border
//                                                                  colour
// Tabs lie side by side without gap or overlap, each as wide as its caption plus 20 (80 without
// a caption, never under 15); hidden tabs and the first ScrollOffset shown ones take no room.
// The tab that passes the limit is cut there and those after it are left out. The scroll
// buttons show while tabs overflow or some are scrolled out. A click hits a tab strictly inside
// its left and right edges (a cut active tab reaches its full width) and strictly between rows 0
// and H; it hits a scroll button on its edges too, the left one where the two meet.
TsuiTabControlTopPanel::TLayout TsuiTabControlTopPanel::Layout() const
{
    static const TFont defaultFont;
    const TFont& font = FTabControl ? FTabControl->Font() : defaultFont;
    TBitmap frame;
    LoadImage(SUI_THEME_TABCONTROL_TAB_IMAGE, frame, 2, 1);

    TLayout layout;
    layout.TabHeight = frame.Height();
    const int h = layout.TabHeight;
    const int limit = Width() - 2 * FScrollButtonWidth - 2;
    layout.Widths.assign(static_cast<std::size_t>(FTabs->Count()), -1);
    int x = FLeftMargin;
    int shown = 0;
    for (int i = 0; i < FTabs->Count(); ++i) {
        int& width = layout.Widths[static_cast<std::size_t>(i)];
        if (!TabVisible(i)) {
            width = 0;
            continue;
        }
        if (layout.CutTabIndex >= 0)
            break;
        const int w = MeasureTab(font, FTabs->Strings(i));
        width = w;
        if (++shown <= FScrollOffset)
            continue;
        const bool active = i == FTabIndex;
        TLayout::TTab tab { i, active ? TRect { x, 1, x + w, h + 1 } : TRect { x, 0, x + w, h }, x + w, false };
        if (tab.Rect.Right > limit) {
            tab.Rect.Right = limit;
            tab.Cut = true;
            layout.CutTabIndex = i;
            if (!active) {
                width = limit - x;
                tab.HitRight = limit;
            }
        }
        layout.Tabs.push_back(tab);
        x += w;
    }
    layout.Overflow = x > limit;
    layout.ScrollButtons = layout.Overflow || FScrollOffset != 0;
    if (layout.ScrollButtons) {
        const int top = Height() > FScrollButtonHeight + 4 ? (Height() - FScrollButtonHeight) / 2 - 2 : 0;
        layout.RightButton = { Width() - 2 - FScrollButtonWidth, top, Width() - 2, top + FScrollButtonHeight };
        layout.LeftButton = layout.RightButton.Offset(-FScrollButtonWidth, 0);
    }
    return layout;
}

const TsuiTabControlTopPanel::TLayout::TTab* TsuiTabControlTopPanel::TLayout::Find(int Index) const
{
    const auto found = std::ranges::find(Tabs, Index, &TTab::Index);
    return found == Tabs.end() ? nullptr : &*found;
}

int TsuiTabControlTopPanel::TLayout::TabAt(int X, int Y) const
{
    if (Y <= 0 || Y >= TabHeight)
        return -1;
    for (const TTab& tab : Tabs) {
        if (X > tab.Rect.Left && X < tab.HitRight)
            return tab.Index;
    }
    return -1;
}

int TsuiTabControlTopPanel::TLayout::ScrollButtonAt(int X, int Y) const
{
    if (!ScrollButtons)
        return 0;
    if (CoordInRect(X, Y, LeftButton))
        return -1;
    return CoordInRect(X, Y, RightButton) ? 1 : 0;
}

TRect TsuiTabControlTopPanel::TabRect(int Index) const
{
    const TLayout layout = Layout();
    const TLayout::TTab* tab = layout.Find(Index);
    return tab ? tab->Rect : TRect {};
}

TRect TsuiTabControlTopPanel::ScrollButtonRect(int Direction) const
{
    const TLayout layout = Layout();
    if (!layout.ScrollButtons || Direction == 0)
        return {};
    return Direction < 0 ? layout.LeftButton : layout.RightButton;
}

int TsuiTabControlTopPanel::TabWidth(int Index) const
{
    const TLayout layout = Layout();
    if (Index < 0 || Index >= static_cast<int>(layout.Widths.size()))
        return -1;
    return layout.Widths[static_cast<std::size_t>(Index)];
}

int TsuiTabControlTopPanel::TabHeight() const
{
    return Layout().TabHeight;
}

int TsuiTabControlTopPanel::CutTabIndex() const
{
    return Layout().CutTabIndex;
}

bool TsuiTabControlTopPanel::Overflow() const
{
    return Layout().Overflow;
}

void TsuiTabControlTopPanel::Paint()
{
    const TLayout layout = Layout();
    TBitmap buffer = CreateCompatibleBitmap(Canvas().Handle(), Width(), Height());
    if (FTabControl)
        DrawParentBackground(buffer.Canvas(), FTabControl);
    DrawTabs(buffer.Canvas(), layout);
    if (layout.ScrollButtons)
        DrawScrollButtons(buffer.Canvas(), layout);
    BitBlt(Canvas().Handle(), 0, 0, Width(), Height(), buffer.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TsuiTabControlTopPanel::DrawTabs(TCanvas& Canvas, const TLayout& Layout)
{
    TBitmap active;
    TBitmap inactive;
    TBitmap bar;
    LoadImage(SUI_THEME_TABCONTROL_TAB_IMAGE, active, 2, 1);
    LoadImage(SUI_THEME_TABCONTROL_TAB_IMAGE, inactive, 2, 2);
    LoadImage(SUI_THEME_TABCONTROL_BAR_IMAGE, bar, 0, 0);
    const bool activeKeyed = !active.Empty() && active.GetPixel(0, 0) == kFuchsia;
    const bool inactiveKeyed = !inactive.Empty() && inactive.GetPixel(0, 0) == kFuchsia;

    const int h = Layout.TabHeight;
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
    for (const TLayout::TTab& tab : Layout.Tabs) {
        if (tab.Index == FTabIndex)
            DrawThreePart(active, Canvas, tab.Rect, activeKeyed);
        else
            DrawThreePart(inactive, Canvas, tab.Rect, inactiveKeyed);
        Canvas.Brush().Style = TBrushStyle::bsClear;
        const std::string caption = FTabs->Strings(tab.Index);
        if (tab.Cut) {
            TRect text { tab.Rect.Left + 10, tab.Rect.Top, tab.Rect.Right - 4, tab.Rect.Bottom };
            DrawText(Canvas, caption, text, DT_SINGLELINE | DT_VCENTER);
        } else {
            TRect text = tab.Rect;
            DrawText(Canvas, caption, text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        }
    }
}

void TsuiTabControlTopPanel::DrawScrollButtons(TCanvas& Canvas, const TLayout& Layout)
{
    auto drawButton = [&](const TRect& r, int frame) {
        TBitmap button;
        LoadImage(SUI_THEME_SCROLLBUTTON_IMAGE, button, 4, frame);
        button.SetTransparent(true);
        Canvas.Draw(r.Left, r.Top, button);
    };
    drawButton(Layout.RightButton, FHotScrollButton == 1 ? 2 : 1);
    drawButton(Layout.LeftButton, FHotScrollButton == -1 ? 4 : 3);
}

void TsuiTabControlTopPanel::SetHotScrollButton(int Value)
{
    if (Value == FHotScrollButton)
        return;
    FHotScrollButton = Value;
    Repaint();
}

void TsuiTabControlTopPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomPanel::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    const TLayout layout = Layout();
    const int button = layout.ScrollButtonAt(X, Y);
    SetHotScrollButton(button);
    if (button != 0) {
        if (button < 0)
            --FScrollOffset;
        else if (layout.Overflow)
            ++FScrollOffset;
        FScrollOffset = std::clamp(FScrollOffset, 0, FTabs->Count());
        Repaint();
        return;
    }
    const int index = layout.TabAt(X, Y);
    if (index < 0)
        return;
    const TRaisedFlag clicking(FClicking);
    SetTabIndex(index);
    // A click on the partly shown tab also brings it further in.
    if (index == layout.CutTabIndex) {
        ++FScrollOffset;
        Repaint();
    }
}

void TsuiTabControlTopPanel::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomPanel::MouseMove(Shift, X, Y);
    SetHotScrollButton(Layout().ScrollButtonAt(X, Y));
}

void TsuiTabControlTopPanel::CMMouseLeave(TMessage& Message)
{
    TCustomPanel::CMMouseLeave(Message);
    SetHotScrollButton(0);
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
    // The constructor's blank caption is the default, so that a stored empty one is written.
    p.Property("Caption", &TsuiTab::Caption, &TsuiTab::SetCaption).Default(" ");
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
    RegisterFileThemeClasses();
    RegisterClasses<TsuiTab>();
}
