#include "host/win/backends/HeadlessBackend.h"

#include <algorithm>

#include "host/gfx/Canvas.h"
#include "host/gfx/PngWriter.h"
#include "host/gfx/Utf8.h"
#include "host/win/Desktop.h"
#include "host/win/Input.h"
#include "host/win/MessageQueue.h"
#include "host/win/QuitSignals.h"
#include "host/win/WindowSystem.h"

namespace {

void Fill(TBitmap& bitmap, const TRect& area, TColor color)
{
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = color;
    canvas.FillRect(area);
}

// Copies the pixels of source that region (source coordinates) covers to dest at offset;
// both bitmaps are at one scale, the region and offset logical.
void CopyRegion(TBitmap& dest, TPoint offset, const TBitmap& source, const TRegion& region)
{
    const TRegion inside = region.Intersect(TRegion({ 0, 0, source.Width(), source.Height() }))
                               .Intersect(TRegion({ -offset.X, -offset.Y, dest.Width() - offset.X, dest.Height() - offset.Y }));
    const int n = source.Scale();
    const TRegion device = inside.Scale(n);
    for (const TRect& r : device.Rects())
        for (int y = r.Top; y < r.Bottom; ++y)
            std::copy_n(source.ScanLine(y) + r.Left, r.Width(), dest.ScanLine(y + offset.Y * n) + r.Left + offset.X * n);
}

void DrawDesktop(TBitmap& screen)
{
    Fill(screen, { 0, 0, screen.Width(), screen.Height() - THeadlessBackend::kTaskBarHeight }, clBackground);
    Fill(screen, { 0, screen.Height() - THeadlessBackend::kTaskBarHeight, screen.Width(), screen.Height() }, clBtnFace);
}

} // namespace

THeadlessBackend& THeadlessBackend::Install()
{
    auto backend = std::make_unique<THeadlessBackend>();
    THeadlessBackend& desktop = *backend;
    InitWindowSystem(std::move(backend));
    return desktop;
}

TBackendEvents& THeadlessBackend::Events()
{
    if (!events_)
        throw EWindowSystemError("The headless desktop is not attached to the window system");
    ++injected_;
    return *events_;
}

void THeadlessBackend::Advance(int milliseconds)
{
    const std::uint64_t target = now_ + static_cast<std::uint64_t>(std::max(milliseconds, 0));
    for (;;) {
        const std::optional<std::uint64_t> due = NextTimerDue();
        if (!due || *due > target)
            break;
        now_ = std::max(now_, *due);
        if (!DispatchPendingMessages())
            break;
    }
    now_ = std::max(now_, target);
    DispatchPendingMessages();
}

void THeadlessBackend::MoveMouse(int x, int y)
{
    Events().MouseMoved({ x, y });
}

void THeadlessBackend::PressMouse(int x, int y, TMouseButton button)
{
    Events().MouseButton(button, true, { x, y });
}

void THeadlessBackend::ReleaseMouse(int x, int y, TMouseButton button)
{
    Events().MouseButton(button, false, { x, y });
}

void THeadlessBackend::Click(int x, int y, TMouseButton button)
{
    PressMouse(x, y, button);
    ReleaseMouse(x, y, button);
}

void THeadlessBackend::DoubleClick(int x, int y, TMouseButton button)
{
    Click(x, y, button);
    Click(x, y, button);
}

void THeadlessBackend::Wheel(int x, int y, int delta)
{
    Events().MouseWheel(delta, { x, y });
}

void THeadlessBackend::LeaveWindows()
{
    Events().MouseLeftWindows();
}

void THeadlessBackend::KeyDown(int virtualKey)
{
    Events().Key(virtualKey, true);
}

void THeadlessBackend::KeyUp(int virtualKey)
{
    Events().Key(virtualKey, false);
}

void THeadlessBackend::PressKey(int virtualKey)
{
    KeyDown(virtualKey);
    KeyUp(virtualKey);
}

void THeadlessBackend::TypeText(std::string_view utf8)
{
    for (char32_t ch : DecodeUtf8(utf8))
        TypeChar(ch);
}

void THeadlessBackend::TypeChar(char32_t ch)
{
    Events().Char(ch);
}

bool THeadlessBackend::GlobalMouse(TPoint& position, bool& leftDown)
{
    if (!globalPointer_)
        return false;
    position = *globalPointer_;
    leftDown = false;
    return true;
}

void THeadlessBackend::PollEvents()
{
    if (TakeQuitSignal())
        Events().QuitRequested();
}

void THeadlessBackend::WaitForEvents(int timeoutMs)
{
    if (OnIdle) {
        const std::uint64_t before = injected_;
        OnIdle();
        if (injected_ != before)
            return;
    }
    if (timeoutMs < 0)
        throw EWindowSystemError("The headless desktop has nothing to wait for: no input is queued and no timer runs");
    now_ += static_cast<std::uint64_t>(timeoutMs);
}

void THeadlessBackend::SetScale(int scale)
{
    scale_ = std::clamp(scale, 1, kMaxBitmapScale);
    for (auto& [wnd, native] : natives_)
        native.Pixels.SetScale(scale_);
}

void THeadlessBackend::CreateNative(HWND wnd, const TNativeWindowInfo& info)
{
    TNative& native = natives_[wnd];
    native.Info = info;
    native.Pixels.SetScale(scale_);
    native.Pixels.SetSize(info.ClientRect.Width(), info.ClientRect.Height());
}

void THeadlessBackend::SetNativeBounds(HWND wnd, const TRect& clientRect)
{
    if (auto it = natives_.find(wnd); it != natives_.end())
        it->second.Info.ClientRect = clientRect;
}

void THeadlessBackend::SetNativeCaption(HWND wnd, const std::string& caption)
{
    if (auto it = natives_.find(wnd); it != natives_.end())
        it->second.Info.Caption = caption;
}

void THeadlessBackend::SetNativeFramed(HWND wnd, bool framed)
{
    if (auto it = natives_.find(wnd); it != natives_.end())
        it->second.Info.Framed = framed;
}

void THeadlessBackend::SetNativeShape(HWND wnd, const TRegion* shape)
{
    if (auto it = natives_.find(wnd); it != natives_.end())
        it->second.Shape = shape ? std::optional<TRegion>(*shape) : std::nullopt;
}

void THeadlessBackend::ShowNative(HWND wnd, bool visible, TShowState state)
{
    if (auto it = natives_.find(wnd); it != natives_.end()) {
        it->second.Visible = visible;
        it->second.State = state;
    }
}

void THeadlessBackend::Present(HWND wnd, const TBitmap& pixels, const TRegion& dirty)
{
    auto it = natives_.find(wnd);
    if (it == natives_.end())
        return;
    TBitmap& shown = it->second.Pixels;
    shown.SetScale(pixels.Scale());
    shown.SetSize(pixels.Width(), pixels.Height());
    CopyRegion(shown, { 0, 0 }, pixels, dirty);
}

bool THeadlessBackend::NativeVisible(HWND wnd) const
{
    auto it = natives_.find(wnd);
    return it != natives_.end() && it->second.Visible;
}

std::optional<TShowState> THeadlessBackend::NativeShowState(HWND wnd) const
{
    auto it = natives_.find(wnd);
    return it == natives_.end() ? std::nullopt : std::optional<TShowState>(it->second.State);
}

std::optional<TRegion> THeadlessBackend::NativeShape(HWND wnd) const
{
    auto it = natives_.find(wnd);
    return it == natives_.end() ? std::nullopt : it->second.Shape;
}

TBitmap THeadlessBackend::RenderWindow(HWND wnd, const TNative& native, TRegion& shape)
{
    const TRect insets = native.Info.Framed ? FrameInsets() : TRect {};
    const TRect& client = native.Info.ClientRect;
    TBitmap image(client.Width() + insets.Left + insets.Right, client.Height() + insets.Top + insets.Bottom, scale_);
    if (native.Info.Framed) {
        const bool active = GetActiveWindow() == wnd;
        Fill(image, { 0, 0, image.Width(), image.Height() }, cl3DDkShadow);
        Fill(image, { 1, 1, image.Width() - 1, image.Height() - 1 }, clBtnFace);
        const TRect caption { kBorder, kBorder, image.Width() - kBorder, kBorder + kCaptionHeight - 1 };
        Fill(image, caption, active ? clActiveCaption : clInactiveCaption);
        TCanvas& canvas = image.Canvas();
        canvas.Brush().Style = TBrushStyle::bsClear;
        canvas.Font().SetColor(active ? clCaptionText : clInactiveCaptionText);
        canvas.TextRect(caption, caption.Left + 3, caption.Top + 2, native.Info.Caption);
    }
    CopyRegion(
        image, { insets.Left, insets.Top }, native.Pixels, TRegion({ 0, 0, native.Pixels.Width(), native.Pixels.Height() }));
    const TRegion whole({ 0, 0, image.Width(), image.Height() });
    shape = native.Shape ? native.Shape->Offset(insets.Left, insets.Top).Intersect(whole) : whole;
    return image;
}

TBitmap THeadlessBackend::CaptureScreen()
{
    TBitmap screen(kScreenWidth, kScreenHeight, scale_);
    DrawDesktop(screen);
    for (TWindow* top : Desktop().TopLevels) {
        auto it = natives_.find(top);
        if (it == natives_.end() || !it->second.Visible || it->second.State == TShowState::Minimized)
            continue;
        TRegion shape;
        const TBitmap image = RenderWindow(top, it->second, shape);
        const TRect insets = it->second.Info.Framed ? FrameInsets() : TRect {};
        const TPoint at { it->second.Info.ClientRect.Left - insets.Left, it->second.Info.ClientRect.Top - insets.Top };
        CopyRegion(screen, at, image, shape);
    }
    return screen;
}

TBitmap THeadlessBackend::CaptureWindow(HWND wnd)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        throw EWindowSystemError("No such window to capture");
    TWindow* top = TopLevelOf(w);
    auto it = natives_.find(top);
    if (it == natives_.end())
        throw EWindowSystemError("The window is not on the desktop");
    TRegion shape;
    const TBitmap image = RenderWindow(top, it->second, shape);
    TRect area { 0, 0, image.Width(), image.Height() };
    if (w != top) {
        const TPoint child = ClientOriginOnScreen(w);
        const TPoint origin = ClientOriginOnScreen(top);
        area = Bounds(
            child.X - origin.X + top->Frame.Left, child.Y - origin.Y + top->Frame.Top, w->ClientWidth(), w->ClientHeight());
    }
    TBitmap result(area.Width(), area.Height(), scale_);
    Fill(result, { 0, 0, result.Width(), result.Height() }, clBackground);
    CopyRegion(result, { -area.Left, -area.Top }, image, shape);
    return result;
}

void THeadlessBackend::SaveScreenPng(const std::string& path)
{
    SavePngFile(CaptureScreen(), path);
}

void THeadlessBackend::SaveWindowPng(HWND wnd, const std::string& path)
{
    SavePngFile(CaptureWindow(wnd), path);
}
