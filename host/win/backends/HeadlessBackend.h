#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "host/win/Backend.h"

// A desktop without a display, for tests and scripted runs: a 1280 x 800 screen whose work
// area leaves out a 32-pixel task bar at the bottom, a clock that moves only when told to,
// input injected at screen positions, and a compositor that renders the screen or one window.
// Framed windows get a simple drawn frame, so that their size differs from their client size.
// The screen and the input are in logical pixels at any scale; captures are device pixels.
class THeadlessBackend final : public TBackend {
public:
    static constexpr int kScreenWidth = 1280;
    static constexpr int kScreenHeight = 800;
    static constexpr int kTaskBarHeight = 32;
    static constexpr int kBorder = 4;
    static constexpr int kCaptionHeight = 19;

    // Starts the window system on a new headless desktop and returns it.
    static THeadlessBackend& Install();

    // Moves the clock forward, dispatching the pending messages at each moment a timer falls
    // due, so that every timer fires as often as it would have in that time.
    void Advance(int milliseconds);

    // Input, queued for the message loop (DispatchPendingMessages takes it).
    void MoveMouse(int x, int y);
    void PressMouse(int x, int y, TMouseButton button = TMouseButton::Left);
    void ReleaseMouse(int x, int y, TMouseButton button = TMouseButton::Left);
    void Click(int x, int y, TMouseButton button = TMouseButton::Left);
    // Two clicks at the same moment.
    void DoubleClick(int x, int y, TMouseButton button = TMouseButton::Left);
    void Wheel(int x, int y, int delta);
    // The pointer leaves every window (onto the bare desktop).
    void LeaveWindows();
    void KeyDown(int virtualKey);
    void KeyUp(int virtualKey);
    void PressKey(int virtualKey);
    void TypeText(std::string_view utf8);
    void TypeChar(char32_t ch);

    // Called when a loop would wait for input; it may inject more. A loop that waits with
    // nothing injected and no timer to wait for raises EWindowSystemError instead of hanging.
    std::function<void()> OnIdle;

    // What the desktop shows: every shown window with its frame and shape, bottom to top, over
    // the background and the task bar.
    TBitmap CaptureScreen();
    // One window as the desktop shows it (a child window: its part of its top-level window),
    // frame included; pixels outside its shape are the desktop background.
    TBitmap CaptureWindow(HWND wnd);
    void SaveScreenPng(const std::string& path);
    void SaveWindowPng(HWND wnd, const std::string& path);

    // The desktop's side of a top-level window, for tests.
    bool HasNative(HWND wnd) const { return natives_.count(wnd) != 0; }
    bool NativeVisible(HWND wnd) const;
    std::optional<TShowState> NativeShowState(HWND wnd) const;
    // The shape in client coordinates, if one was set.
    std::optional<TRegion> NativeShape(HWND wnd) const;
    HCURSOR CursorShape() const { return cursor_; }
    bool MouseCaptured() const { return mouseCaptured_; }

    void Attach(TBackendEvents& events) override { events_ = &events; }
    int Scale() override { return scale_; }
    void SetScale(int scale) override;
    TRect ScreenRect() override { return { 0, 0, kScreenWidth, kScreenHeight }; }
    TRect WorkArea() override { return { 0, 0, kScreenWidth, kScreenHeight - kTaskBarHeight }; }
    TRect FrameInsets() override { return { kBorder, kBorder + kCaptionHeight, kBorder, kBorder }; }
    void CreateNative(HWND wnd, const TNativeWindowInfo& info) override;
    void DestroyNative(HWND wnd) override { natives_.erase(wnd); }
    void SetNativeBounds(HWND wnd, const TRect& clientRect) override;
    void SetNativeCaption(HWND wnd, const std::string& caption) override;
    void SetNativeFramed(HWND wnd, bool framed) override;
    void SetNativeShape(HWND wnd, const TRegion* shape) override;
    void ShowNative(HWND wnd, bool visible, TShowState state) override;
    void ActivateNative(HWND) override { }
    void Present(HWND wnd, const TBitmap& pixels, const TRegion& dirty) override;
    // The desktop sees the pointer only through its events, unless a test makes it answer a
    // position of its own when asked (as SDL's cached answer can lag behind pointer warps).
    void SetGlobalPointer(std::optional<TPoint> position) { globalPointer_ = position; }
    bool GlobalMouse(TPoint& position, bool& leftDown) override;
    void SetCursorShape(HCURSOR cursor) override { cursor_ = cursor; }
    void SetMouseCapture(bool captured) override { mouseCaptured_ = captured; }
    // A clipboard of the desktop's own, which tests fill and read.
    std::string ClipboardText() override { return clipboard_; }
    void SetClipboardText(const std::string& text) override { clipboard_ = text; }
    std::uint64_t Now() override { return now_; }
    // Takes a caught quit signal (CatchQuitSignals) as the desktop's quit request.
    void PollEvents() override;
    void WaitForEvents(int timeoutMs) override;

private:
    struct TNative {
        TNativeWindowInfo Info;
        bool Visible = false;
        TShowState State = TShowState::Normal;
        std::optional<TRegion> Shape;
        TBitmap Pixels;
    };

    TBackendEvents& Events();
    // The window with its frame, and the shape it is cut to, in window coordinates.
    TBitmap RenderWindow(HWND wnd, const TNative& native, TRegion& shape);

    std::map<HWND, TNative> natives_;
    TBackendEvents* events_ = nullptr;
    std::uint64_t now_ = 1000;
    int scale_ = 1;
    // Counts injected input, so that a wait can tell whether OnIdle brought any.
    std::uint64_t injected_ = 0;
    HCURSOR cursor_ = IDC_ARROW;
    bool mouseCaptured_ = false;
    std::string clipboard_;
    std::optional<TPoint> globalPointer_;
};
