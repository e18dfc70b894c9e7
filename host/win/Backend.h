#pragma once
#include <cstdint>
#include <string>

#include "host/gfx/Bitmap.h"
#include "host/gfx/Region.h"
#include "host/win/Cursors.h"
#include "host/win/Messages.h"
#include "host/win/Window.h"

enum class TMouseButton : std::uint8_t { Left, Right, Middle };
enum class TShowState : std::uint8_t { Normal, Minimized, Maximized };

// How a top-level window is to appear on the desktop.
struct TNativeWindowInfo {
    std::string Caption;
    // The client area on the screen.
    TRect ClientRect;
    // Decorated by the desktop (a window with WS_CAPTION); others are borderless.
    bool Framed = false;
    // The desktop lets the user size it by its frame (WS_THICKFRAME).
    bool Resizable = false;
    TWindowRole Role = TWindowRole::Normal;
};

// What a backend reports from the desktop; the window system turns it into messages.
// Positions are screen coordinates.
class TBackendEvents {
public:
    virtual void MouseMoved(TPoint screen) = 0;
    virtual void MouseButton(TMouseButton button, bool down, TPoint screen) = 0;
    virtual void MouseWheel(int delta, TPoint screen) = 0;
    // The pointer left every window of the program.
    virtual void MouseLeftWindows() = 0;
    // A key held down repeats as further presses without releases.
    virtual void Key(int virtualKey, bool down) = 0;
    virtual void Char(char32_t ch) = 0;
    // The desktop lost the window's pixels and wants them again.
    virtual void Exposed(HWND wnd) = 0;
    // The desktop (a window manager) moved, resized, minimised, maximised or restored a window.
    virtual void Moved(HWND wnd, TPoint clientOrigin) = 0;
    virtual void Resized(HWND wnd, TSize clientSize) = 0;
    virtual void ShowStateChanged(HWND wnd, TShowState state) = 0;
    virtual void FocusChanged(HWND wnd, bool gained) = 0;
    virtual void CloseRequested(HWND wnd) = 0;
    // The program is asked to end: a quit signal, or the desktop's own quit request.
    virtual void QuitRequested() = 0;

protected:
    ~TBackendEvents() = default;
};

// The narrow interface between the window system and a desktop: one native window per shown
// top-level window, its bounds, shape and pixels, input and the clock.
class TBackend {
public:
    virtual ~TBackend() = default;

    // Called once when the window system takes the backend.
    virtual void Attach(TBackendEvents& events) = 0;

    // Device pixels per logical pixel. Positions, sizes, shapes and dirty parts pass between
    // the backend and the window system in logical pixels; the backend shows each window that
    // many times as large, from a surface of that scale. 1 until set.
    virtual int Scale() = 0;
    virtual void SetScale(int scale) = 0;

    virtual TRect ScreenRect() = 0;
    // The screen without task bars.
    virtual TRect WorkArea() = 0;
    // Thickness (left, top, right, bottom) of the frame the desktop gives a framed window.
    virtual TRect FrameInsets() = 0;

    virtual void CreateNative(HWND wnd, const TNativeWindowInfo& info) = 0;
    virtual void DestroyNative(HWND wnd) = 0;
    virtual void SetNativeBounds(HWND wnd, const TRect& clientRect) = 0;
    virtual void SetNativeCaption(HWND wnd, const std::string& caption) = 0;
    virtual void SetNativeFramed(HWND wnd, bool framed) = 0;
    // The shape in client coordinates; null removes it.
    virtual void SetNativeShape(HWND wnd, const TRegion* shape) = 0;
    virtual void ShowNative(HWND wnd, bool visible, TShowState state) = 0;
    // Raises the window and gives it the desktop's keyboard focus.
    virtual void ActivateNative(HWND wnd) = 0;
    // Puts the dirty part (client coordinates) of the window's pixels on the desktop.
    virtual void Present(HWND wnd, const TBitmap& pixels, const TRegion& dirty) = 0;

    // The pointer's position and left button anywhere on the screen, for the modal move and
    // size loops; false when the backend sees the pointer only through its events.
    virtual bool GlobalMouse(TPoint& position, bool& leftDown) = 0;
    virtual void SetCursorShape(HCURSOR cursor) = 0;
    // Keeps the pointer's events coming while the program holds the mouse capture.
    virtual void SetMouseCapture(bool captured) = 0;

    // The desktop's clipboard as UTF-8 text; empty when it holds no text.
    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;

    // Milliseconds of the clock timers and double-clicks follow.
    virtual std::uint64_t Now() = 0;
    // Reports the events that are pending, without waiting.
    virtual void PollEvents() = 0;
    // Waits up to timeoutMs (negative: without limit) for events and reports them.
    virtual void WaitForEvents(int timeoutMs) = 0;
};
