#include "host/ui/MenuWindow.h"

#include <algorithm>
#include <cstring>

#include "host/ui/ImageList.h"
#include "host/win/Painting.h"
#include "host/win/SystemInfo.h"

namespace {

// The plain look: a column for the check mark or image, the caption, the shortcut text
// right-aligned, and a column for the sub-menu arrow.
constexpr int kGutter = 22;
constexpr int kShortCutGap = 16;
constexpr int kArrowColumn = 16;
constexpr int kMinItemHeight = 19;
constexpr int kSeparatorHeight = 8;
constexpr unsigned kCaptionFormat = DT_SINGLELINE | DT_VCENTER | DT_LEFT;

TRect WorkArea()
{
    TRect area;
    if (!SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0))
        area = { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    return area;
}

bool HasVisibleItems(const TMenuItem& item)
{
    for (int i = 0; i < item.Count(); ++i) {
        if (item.Items(i)->Visible())
            return true;
    }
    return false;
}

void DrawCheckMark(TCanvas& canvas, const TRect& r, bool radio)
{
    const int x = r.Left + 6;
    const int cy = r.Top + r.Height() / 2;
    const TColor color = canvas.Font().Color();
    if (radio) {
        canvas.Brush().Color = color;
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Pen().Color = color;
        canvas.Ellipse(x + 1, cy - 3, x + 8, cy + 4);
        return;
    }
    canvas.Pen().Color = color;
    for (int thick = 0; thick < 3; ++thick) {
        canvas.MoveTo(x, cy - 1 + thick);
        canvas.LineTo(x + 2, cy + 1 + thick);
        canvas.LineTo(x + 8, cy - 5 + thick);
    }
}

void DrawSubMenuArrow(TCanvas& canvas, const TRect& r)
{
    const int cy = r.Top + r.Height() / 2;
    const int x = r.Right - kArrowColumn + 5;
    canvas.Pen().Color = canvas.Font().Color();
    for (int i = 0; i < 4; ++i) {
        canvas.MoveTo(x + i, cy - 3 + i);
        canvas.LineTo(x + i, cy + 4 - i);
    }
}

} // namespace

void GetMenuFont(TFont& font)
{
    NONCLIENTMETRICS metrics;
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        const LOGFONT& lf = metrics.lfMenuFont;
        font.SetName(std::string(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE)));
        font.SetHeight(lf.lfHeight);
        TFontStyles style;
        if (lf.lfWeight >= FW_BOLD)
            style = style.With(TFontStyle::fsBold);
        if (lf.lfItalic)
            style = style.With(TFontStyle::fsItalic);
        font.SetStyle(style);
        font.SetCharset(lf.lfCharSet);
    }
    font.SetColor(clMenuText);
}

TMenuWindow::TMenuWindow(TMenu& menu, TMenuItem& parent, TPoint at, HWND owner, const TRect* beside)
    : menu_(&menu)
    , parent_(&parent)
{
    Measure();
    const TRect area = WorkArea();
    const int width = clientSize_.cx;
    const int height = clientSize_.cy;
    int x = at.X;
    int y = at.Y;
    if (beside != nullptr && x + width > area.Right)
        x = beside->Left - width;
    x = std::max(area.Left, std::min(x, area.Right - width));
    y = std::max(area.Top, std::min(y, area.Bottom - height));

    TCreateParams params;
    params.Style = WS_POPUP;
    params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    params.Role = TWindowRole::PopupMenu;
    params.Background = clNone;
    params.X = x;
    params.Y = y;
    params.Width = width;
    params.Height = height;
    params.Parent = owner;
    params.WndProc = [this](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) { return WndProc(wnd, msg, wParam, lParam); };
    wnd_ = CreateWindowEx(params);
    if (wnd_ == nullptr)
        throw EMenuError("Cannot open the menu window");
    ShowWindow(wnd_, SW_SHOWNOACTIVATE);
}

TMenuWindow::~TMenuWindow()
{
    if (IsWindow(wnd_))
        DestroyWindow(wnd_);
}

bool TMenuWindow::IsOwnerDrawn(const TMenuItem& item) const
{
    return menu_->OwnerDraw() || item.OnMeasureItem;
}

void TMenuWindow::Measure()
{
    TBitmap scratch(1, 1);
    TDeviceContext dc(scratch);
    TCanvas canvas(&dc);
    std::vector<TSize> sizes;
    int width = 0;
    for (int i = 0; i < parent_->Count(); ++i) {
        TMenuItem& item = *parent_->Items(i);
        if (!item.Visible())
            continue;
        PrepareCanvas(canvas, item, false);
        TSize size = DefaultSize(item, canvas);
        if (IsOwnerDrawn(item) && item.OnMeasureItem)
            item.OnMeasureItem(&item, canvas, size.cx, size.cy);
        size = { std::max(size.cx, 0), std::max(size.cy, 0) };
        items_.push_back({ &item, {} });
        sizes.push_back(size);
        width = std::max(width, size.cx);
    }
    int y = kFrame;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        items_[i].Bounds = { kFrame, y, kFrame + width, y + sizes[i].cy };
        y += sizes[i].cy;
    }
    clientSize_ = { width + 2 * kFrame, y + kFrame };
}

TSize TMenuWindow::DefaultSize(TMenuItem& item, TCanvas& canvas) const
{
    if (item.IsLine())
        return { kGutter, kSeparatorHeight };
    TRect caption;
    DrawText(canvas, item.Caption(), caption, kCaptionFormat | DT_CALCRECT);
    int width = kGutter + caption.Width() + kArrowColumn;
    const std::string shortCut = ShortCutToText(item.ShortCut());
    if (!shortCut.empty())
        width += kShortCutGap + canvas.TextWidth(shortCut);
    int height = std::max(canvas.TextHeight("Wg") + 6, kMinItemHeight);
    if (const TImageList* images = menu_->Images())
        height = std::max(height, images->Height() + 4);
    return { width, height };
}

int TMenuWindow::ItemAtScreen(TPoint screen) const
{
    ScreenToClient(wnd_, &screen);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].Bounds.Contains(screen))
            return static_cast<int>(i);
    }
    return -1;
}

bool TMenuWindow::ContainsScreen(TPoint screen) const
{
    TRect r;
    return GetWindowRect(wnd_, &r) && r.Contains(screen);
}

bool TMenuWindow::Selectable(int index) const
{
    const TMenuItem& item = *Item(index);
    return item.Enabled() && !item.IsLine();
}

bool TMenuWindow::HasSubMenu(int index) const
{
    return HasVisibleItems(*Item(index));
}

void TMenuWindow::SetHot(int index)
{
    if (index == hot_)
        return;
    InvalidateItem(hot_);
    hot_ = index;
    InvalidateItem(hot_);
}

int TMenuWindow::NextSelectable(int step) const
{
    const int count = ItemCount();
    int i = hot_;
    for (int tried = 0; tried < count; ++tried) {
        i = i < 0 ? (step > 0 ? 0 : count - 1) : (i + step + count) % count;
        if (Selectable(i))
            return i;
    }
    return -1;
}

void TMenuWindow::InvalidateItem(int index)
{
    if (index < 0 || index >= ItemCount())
        return;
    const TRect r = ItemRect(index);
    InvalidateRect(wnd_, &r, false);
}

LRESULT TMenuWindow::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        TCanvas canvas(dc);
        Paint(canvas);
        EndPaint(wnd, &ps);
        return 0;
    }
    default:
        return DefWindowProc(wnd, msg, wParam, lParam);
    }
}

void TMenuWindow::Paint(TCanvas& canvas)
{
    const TRect client { 0, 0, clientSize_.cx, clientSize_.cy };
    canvas.Brush().Color = clMenu;
    canvas.FillRect(client);
    canvas.Brush().Color = clBtnShadow;
    canvas.FrameRect(client);
    for (int i = 0; i < ItemCount(); ++i)
        DrawItem(canvas, i);
}

void TMenuWindow::PrepareCanvas(TCanvas& canvas, const TMenuItem& item, bool selected) const
{
    GetMenuFont(canvas.Font());
    if (item.Default())
        canvas.Font().SetStyle(canvas.Font().Style().With(TFontStyle::fsBold));
    if (!item.Enabled())
        canvas.Font().SetColor(clGrayText);
    else if (selected)
        canvas.Font().SetColor(clHighlightText);
    canvas.Brush().Color = selected ? clHighlight : clMenu;
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Pen().Color = clMenuText;
}

void TMenuWindow::DrawItem(TCanvas& canvas, int index)
{
    TMenuItem& item = *Item(index);
    const bool selected = index == hot_;
    PrepareCanvas(canvas, item, selected);
    if (item.OnDrawItem)
        item.OnDrawItem(&item, canvas, ItemRect(index), selected);
    else
        DrawPlainItem(canvas, item, ItemRect(index), HasSubMenu(index));
}

void TMenuWindow::DrawPlainItem(TCanvas& canvas, const TMenuItem& item, const TRect& r, bool subMenu)
{
    canvas.FillRect(r);
    if (item.IsLine()) {
        const int y = r.Top + r.Height() / 2 - 1;
        canvas.Pen().Color = clBtnShadow;
        canvas.MoveTo(r.Left + 1, y);
        canvas.LineTo(r.Right - 1, y);
        canvas.Pen().Color = clBtnHighlight;
        canvas.MoveTo(r.Left + 1, y + 1);
        canvas.LineTo(r.Right - 1, y + 1);
        return;
    }
    const TImageList* images = menu_->Images();
    if (images != nullptr && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count()) {
        const int x = r.Left + (kGutter - images->Width()) / 2;
        const int y = r.Top + (r.Height() - images->Height()) / 2;
        if (item.Checked()) {
            canvas.Brush().Color = clBtnShadow;
            canvas.FrameRect({ x - 1, y - 1, x + images->Width() + 1, y + images->Height() + 1 });
        }
        images->Draw(canvas, x, y, item.ImageIndex(), item.Enabled());
    } else if (item.Checked()) {
        DrawCheckMark(canvas, r, item.RadioItem());
    }
    canvas.Brush().Style = TBrushStyle::bsClear;
    TRect text { r.Left + kGutter, r.Top, r.Right - kArrowColumn, r.Bottom };
    DrawText(canvas, item.Caption(), text, kCaptionFormat);
    const std::string shortCut = ShortCutToText(item.ShortCut());
    if (!shortCut.empty()) {
        TRect shortCutRect { r.Left + kGutter, r.Top, r.Right - kArrowColumn, r.Bottom };
        DrawText(canvas, shortCut, shortCutRect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    }
    if (subMenu)
        DrawSubMenuArrow(canvas, r);
}
