#include "skin/core/SUIPublic.h"

#include <algorithm>
#include <cstdint>

#include "host/gfx/MaskedImageList.h"
#include "host/gfx/PixelCopy.h"
#include "host/ui/Application.h"
#include "host/ui/Forms.h"
#include "host/win/MessageQueue.h"
#include "host/win/Painting.h"
#include "host/win/SystemInfo.h"
#include "host/win/Window.h"
#include "skin/core/SUIMgr.h"

namespace {

// See-through colour of nine-part and three-part images.
constexpr TColor kKeyColor = clFuchsia;

// A working bitmap holding the part `source` of an image, stretched to width x height.
TBitmap CutStretched(const TBitmap& image, const TRect& source, int width, int height)
{
    TBitmap piece(width, height);
    CopyPixels(piece.DeviceContext(), { 0, 0, width, height }, image, source);
    return piece;
}

enum class TCorner { TopLeft, BottomLeft, TopRight, BottomRight };

// Draws a corner cut (never scaled) to fit the size limit, keeping its outer corner; returns
// where it went, or the empty rectangle at its corner of r when nothing fits.
TRect DrawCorner(const TBitmap& image, TCanvas& canvas, const TRect& r, TCorner corner, const TRect& source, int limitWidth,
    int limitHeight, bool transparent)
{
    const bool left = corner == TCorner::TopLeft || corner == TCorner::BottomLeft;
    const bool top = corner == TCorner::TopLeft || corner == TCorner::TopRight;
    const int pw = std::max(0, std::min(source.Width(), limitWidth));
    const int ph = std::max(0, std::min(source.Height(), limitHeight));
    const int x = left ? 0 : r.Right - pw;
    const int y = top ? 0 : r.Bottom - ph;
    if (pw == 0 || ph == 0) {
        const int cx = left ? 0 : r.Right;
        const int cy = top ? 0 : r.Bottom;
        return { cx, cy, cx, cy };
    }
    const int sx = left ? source.Left : source.Right - pw;
    const int sy = top ? source.Top : source.Bottom - ph;
    const TBitmap piece = CutStretched(image, { sx, sy, sx + pw, sy + ph }, pw, ph);
    TMaskedImageList list(pw, ph);
    if (transparent)
        list.AddMasked(piece, kKeyColor);
    else
        list.Add(piece);
    list.Draw(canvas, x, y, 0);
    return { x, y, x + pw, y + ph };
}

enum class TBand { Left, Right, Top, Bottom, Centre };

// Stretches a band of the image over target, fuchsia left out. Bands wider across than the
// target are cut to it, keeping their outer side.
void DrawBand(const TBitmap& image, TCanvas& canvas, const TRect& target, TBand band, TRect source)
{
    const int width = target.Width();
    const int height = target.Height();
    if (width <= 0 || height <= 0)
        return;
    switch (band) {
    case TBand::Left:
        source.Right = std::min(source.Right, source.Left + width);
        break;
    case TBand::Right:
        source.Left = std::max(source.Left, source.Right - width);
        break;
    case TBand::Top:
        source.Bottom = std::min(source.Bottom, source.Top + height);
        break;
    case TBand::Bottom:
        source.Top = std::max(source.Top, source.Bottom - height);
        break;
    case TBand::Centre:
        break;
    }
    TBitmap piece = CutStretched(image, source, width, height);
    piece.SetTransparentColor(kKeyColor);
    piece.SetTransparent(true);
    canvas.StretchDraw(target, piece);
}

void DrawMacStrip(TCanvas& canvas, const TRect& r, const char* resource, int height)
{
    TBitmap strip;
    strip.LoadFromResourceName(resource);
    strip.SetHeight(height);
    canvas.StretchDraw(r, strip);
}

void SelectSolidBrush(TCanvas& canvas, TColor color)
{
    canvas.Brush().Color = color;
    // Giving a hollow brush a colour makes it solid, as on the host.
    if (canvas.Brush().Style == TBrushStyle::bsClear)
        canvas.Brush().Style = TBrushStyle::bsSolid;
}

} // namespace

void ExtractBitmapFrame(const TBitmap& Source, TBitmap& Dest, int FrameCount, int FrameIndex)
{
    const int height = Source.Height();
    const int width = FrameCount >= 1 ? Source.Width() / FrameCount : Source.Width();
    const std::int64_t first
        = FrameCount >= 1 ? static_cast<std::int64_t>(width) * (static_cast<std::int64_t>(FrameIndex) - 1) : 0;
    // The columns of the frame that lie inside Source.
    const int from = static_cast<int>(std::clamp<std::int64_t>(first, 0, Source.Width()));
    const int to = static_cast<int>(std::clamp<std::int64_t>(first + width, 0, Source.Width()));

    TPixelBuffer pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    if (to - from < width)
        std::fill(pixels.begin(), pixels.end(), ColorToPixel(clWhite));
    if (from < to) {
        const std::size_t column = static_cast<std::size_t>(from - first);
        for (int y = 0; y < height; ++y) {
            const TPixel* row = Source.ScanLine(y);
            std::copy(
                row + from, row + to, pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + column);
        }
    }
    Dest.SetPixels(width, height, std::move(pixels), Dest.PixelFormat());
}

void DrawNineGrid(const TBitmap& Bitmap, TCanvas& Canvas, const TRect& R, bool Transparent)
{
    const int bw = Bitmap.Width();
    const int bh = Bitmap.Height();
    if (bw == 0 || bh == 0)
        return;
    const int hw = bw / 2;
    const int hh = bh / 2;
    const int hW = (R.Right - R.Left) / 2;
    const int hH = (R.Bottom - R.Top) / 2;
    const int rx = bw - hw + 1; // first column of the right pieces
    const int by = bh - hh + 1; // first row of the bottom corners

    const TRect c1 = DrawCorner(Bitmap, Canvas, R, TCorner::TopLeft, { 0, 0, hw, hh }, hW, hH, Transparent);
    const TRect c2 = DrawCorner(Bitmap, Canvas, R, TCorner::BottomLeft, { 0, by, hw, bh }, hW, hH - 1, Transparent);
    DrawBand(Bitmap, Canvas, { 0, c1.Bottom, c1.Right, c2.Top }, TBand::Left, { 0, hh, hw, bh - hh });
    const TRect c3 = DrawCorner(Bitmap, Canvas, R, TCorner::TopRight, { rx, 0, bw, hh }, hW - 1, hH, Transparent);
    const TRect c4 = DrawCorner(Bitmap, Canvas, R, TCorner::BottomRight, { rx, by, bw, bh }, hW - 1, hH - 1, Transparent);
    DrawBand(Bitmap, Canvas, { c3.Left, c3.Bottom, c3.Right, c4.Top }, TBand::Right, { rx, bh - hh, bw, hh + 2 });
    DrawBand(Bitmap, Canvas, { c1.Right, 0, c3.Left, c1.Bottom }, TBand::Top, { hw, 0, rx, hh });
    DrawBand(Bitmap, Canvas, { c1.Right, c1.Bottom, c3.Left, c4.Top - 1 }, TBand::Centre, { hw, hh, rx, bh - hh });
    DrawBand(Bitmap, Canvas, { c1.Right - 1, c2.Top - 1, c4.Left, c4.Bottom }, TBand::Bottom, { hw, bh - hh, rx, bh });
}

void DrawThreePart(const TBitmap& Bitmap, TCanvas& Canvas, const TRect& R, bool UseCornerPixelKey)
{
    const int w = Bitmap.Width() / 3;
    const int h = Bitmap.Height();
    if (w == 0 || h == 0)
        return;
    const TColor key = UseCornerPixelKey ? Bitmap.GetPixel(0, 0) : kKeyColor;
    TMaskedImageList list(w, h);
    list.AddMasked(Bitmap, key);
    list.Draw(Canvas, R.Left, R.Top, 0);
    list.Draw(Canvas, R.Right - w, R.Top, 2);
    TBitmap middle(w, h);
    list.Draw(middle.Canvas(), 0, 0, 1);
    Canvas.StretchDraw({ R.Left + w, R.Top, R.Right - w, R.Bottom }, middle);
}

void FrameRectColor(TCanvas& Canvas, const TRect& R, TColor Color)
{
    SelectSolidBrush(Canvas, Color);
    Canvas.FrameRect(R);
}

void FillRectColor(TCanvas& Canvas, const TRect& R, TColor Color)
{
    SelectSolidBrush(Canvas, Color);
    Canvas.FillRect(R);
}

void DrawMenuSeparatorLine(TCanvas& Canvas, const TRect& R, TColor Color, int Indent)
{
    Canvas.Pen().Color = Color;
    Canvas.MoveTo(R.Left + Indent + 4, R.Top + 2);
    Canvas.LineTo(R.Right - 2, R.Top + 2);
}

void DrawMacMenuBarThin(TCanvas& Canvas, const TRect& R)
{
    DrawMacStrip(Canvas, R, "MACOS_MENU_BAR", 12);
}

void DrawMacMenuSelection(TCanvas& Canvas, const TRect& R)
{
    DrawMacStrip(Canvas, R, "MACOS_MENU_SELECT", 20);
}

void DrawMacMenuBar(TCanvas& Canvas, const TRect& R)
{
    DrawMacStrip(Canvas, R, "MACOS_MENU_BAR", 20);
}

void DrawMenuWindowBorder(HWND Wnd, TColor FrameColor, TColor LineColor)
{
    TRect r;
    if (!GetWindowRect(Wnd, &r))
        return;
    // Screens are composed per window here: drawing on the menu window in screen coordinates
    // changes the same pixels as drawing on the desktop over it.
    HDC dc = GetWindowDC(Wnd);
    if (dc == nullptr)
        return;
    OffsetViewportOrgEx(dc, -r.Left, -r.Top, nullptr);
    TCanvas canvas(dc);
    FrameRectColor(canvas, { r.Left, r.Top + 1, r.Right - 1, r.Bottom - 1 }, FrameColor);
    FrameRectColor(canvas, { r.Left + 1, r.Top + 2, r.Right - 2, r.Bottom - 2 }, clWhite);
    canvas.Pen().Color = LineColor;
    const TPoint line[] = { { r.Left, r.Bottom - 1 }, { r.Right - 1, r.Bottom - 1 }, { r.Right - 1, r.Top }, { r.Right, r.Top },
        { r.Left, r.Top } };
    canvas.Polyline(line);
    ReleaseDC(Wnd, dc);
}

void SetMenuSystemFont(TFont& Font)
{
    NONCLIENTMETRICS metrics;
    metrics.cbSize = sizeof(NONCLIENTMETRICS);
    if (!SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0))
        return;
    const LOGFONT& menu = metrics.lfMenuFont;
    TFontStyles style;
    if (menu.lfWeight >= FW_BOLD)
        style = style.With(TFontStyle::fsBold);
    if (menu.lfItalic)
        style = style.With(TFontStyle::fsItalic);
    if (menu.lfUnderline)
        style = style.With(TFontStyle::fsUnderline);
    if (menu.lfStrikeOut)
        style = style.With(TFontStyle::fsStrikeOut);
    Font.SetName(std::string(menu.lfFaceName, std::find(menu.lfFaceName, menu.lfFaceName + LF_FACESIZE, '\0')));
    Font.SetHeight(menu.lfHeight);
    Font.SetStyle(style);
    Font.SetCharset(menu.lfCharSet);
    Font.SetColor(clMenuText);
}

bool PointInRect(const TPoint& Point, const TRect& R)
{
    return CoordInRect(Point.X, Point.Y, R);
}

bool CoordInRect(int X, int Y, const TRect& R)
{
    return R.Left <= X && X <= R.Right && R.Top <= Y && Y <= R.Bottom;
}

bool GetWorkArea(TRect& R)
{
    return SystemParametersInfo(SPI_GETWORKAREA, 0, &R, 0);
}

void DrawParentBackground(TCanvas& Canvas, TControl* Control)
{
    TWinControl* parent = Control->Parent();
    if (!parent)
        return;
    const HDC dc = Canvas.Handle();
    // The parent's painting may throw; the caller's canvas gets its origin and clip back anyway.
    struct TRestore {
        HDC dc;
        int level;
        ~TRestore() { RestoreDC(dc, level); }
    } const saved { dc, SaveDC(dc) };
    OffsetViewportOrgEx(dc, -Control->Left(), -Control->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
    SendMessage(parent->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessage(parent->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

void SetMenuItemsDrawHandlers(TMenuItem* Item, const TMenuDrawItemEvent& OnDraw, const TMenuMeasureItemEvent& OnMeasure)
{
    Item->OnDrawItem = OnDraw;
    Item->OnMeasureItem = OnMeasure;
    for (int i = 0; i < Item->Count(); ++i)
        SetMenuItemsDrawHandlers(Item->Items(i), OnDraw, OnMeasure);
}

void SetControlBounds(TControl* Control, const TRect& R)
{
    Control->SetLeft(R.Left);
    Control->SetTop(R.Top);
    Control->SetWidth(R.Right - R.Left);
    Control->SetHeight(R.Bottom - R.Top);
}

bool IsFormActive(TCustomForm* Form)
{
    if (!Application || !Application->Active())
        return false;
    if (!Form)
        return true;
    TCustomForm* mainForm = Application->MainForm();
    if (Form == mainForm)
        return true;
    if (mainForm && mainForm->FormStyle() == fsMDIForm && mainForm->ClientHandle() && Form->HandleAllocated()) {
        const LRESULT active = SendMessage(mainForm->ClientHandle(), WM_MDIGETACTIVE, 0, 0);
        if (active != 0 && reinterpret_cast<HWND>(active) == Form->Handle())
            return true;
    }
    return Form->Active();
}

void ApplyThemeToChildren(TWinControl* Parent, TsuiUIStyle Style, TsuiFileTheme* FileTheme)
{
    for (int i = 0; i < Parent->ControlCount(); ++i) {
        TControl* child = Parent->Controls(i);
        if (!HasPublishedProperty(child, "FileTheme") || !HasPublishedProperty(child, "UIStyle"))
            continue;
        SetObjectProp(child, "FileTheme", FileTheme);
        SetOrdProp(child, "UIStyle", Style);
    }
}
