#include "host/win/backends/SdlBackend.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <SDL2/SDL.h>

#include "host/gfx/Utf8.h"
#include "host/win/QuitSignals.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/SdlKeys.h"
#include "host/win/backends/X11Connection.h"
#include "host/win/backends/XShape.h"

namespace {

std::string SdlError(const char* what)
{
    return std::string(what) + ": " + SDL_GetError();
}

SDL_SystemCursor SystemCursorFor(HCURSOR cursor)
{
    switch (cursor) {
    case HCURSOR::Arrow:
        return SDL_SYSTEM_CURSOR_ARROW;
    case HCURSOR::IBeam:
        return SDL_SYSTEM_CURSOR_IBEAM;
    case HCURSOR::Wait:
        return SDL_SYSTEM_CURSOR_WAIT;
    case HCURSOR::Cross:
        return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case HCURSOR::UpArrow:
        return SDL_SYSTEM_CURSOR_ARROW;
    case HCURSOR::SizeNWSE:
        return SDL_SYSTEM_CURSOR_SIZENWSE;
    case HCURSOR::SizeNESW:
        return SDL_SYSTEM_CURSOR_SIZENESW;
    case HCURSOR::SizeWE:
        return SDL_SYSTEM_CURSOR_SIZEWE;
    case HCURSOR::SizeNS:
        return SDL_SYSTEM_CURSOR_SIZENS;
    case HCURSOR::SizeAll:
        return SDL_SYSTEM_CURSOR_SIZEALL;
    case HCURSOR::No:
        return SDL_SYSTEM_CURSOR_NO;
    case HCURSOR::Hand:
        return SDL_SYSTEM_CURSOR_HAND;
    case HCURSOR::AppStarting:
        return SDL_SYSTEM_CURSOR_WAITARROW;
    case HCURSOR::Help:
        return SDL_SYSTEM_CURSOR_ARROW;
    }
    return SDL_SYSTEM_CURSOR_ARROW;
}

TRect ToRect(const SDL_Rect& r)
{
    return Bounds(r.x, r.y, r.w, r.h);
}

// MORALEAF_EXIT_AFTER_FIRST_FRAME=1 ends the process after its first presented frame.
bool ExitAfterFirstFrame()
{
    static const bool exitAfterFirstFrame = [] {
        const char* value = std::getenv("MORALEAF_EXIT_AFTER_FIRST_FRAME");
        return value && std::strcmp(value, "1") == 0;
    }();
    return exitAfterFirstFrame;
}

} // namespace

TSdlBackend::TSdlBackend()
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        throw EWindowSystemError("Cannot open the display: DISPLAY is not set");
    // Without these: SDL recreates the X window for OpenGL (losing its shape), the first click
    // on an inactive window is lost, and stray motion follows a release.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // Quit signals are the program's own (CatchQuitSignals): SDL's handlers would turn them
    // into an SDL_QUIT that its wait does not wake up for.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw EWindowSystemError(SdlError("Cannot open the display"));
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "x11") != 0) {
        const std::string name = driver ? driver : "none";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        throw EWindowSystemError("Cannot open the display: SDL chose the video driver \"" + name + "\" instead of X11");
    }
    EndProcessOnLostX11Connection();
    SDL_StartTextInput();
}

TSdlBackend::~TSdlBackend()
{
    for (auto& [wnd, native] : windows_)
        SDL_DestroyWindow(native.Window);
    for (SDL_Cursor* cursor : cursors_)
        if (cursor)
            SDL_FreeCursor(cursor);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TSdlBackend& TSdlBackend::Install()
{
    auto backend = std::make_unique<TSdlBackend>();
    TSdlBackend& desktop = *backend;
    InitWindowSystem(std::move(backend));
    return desktop;
}

void TSdlBackend::SetScale(int scale)
{
    scale_ = std::clamp(scale, 1, kMaxBitmapScale);
}

int TSdlBackend::Logical(int device) const
{
    // Rounded down, so that a pointer left of or above the screen's origin stays there.
    return device >= 0 ? device / scale_ : -((-device + scale_ - 1) / scale_);
}

TRect TSdlBackend::Logical(const TRect& device) const
{
    return { Logical(device.Left), Logical(device.Top), Logical(device.Right), Logical(device.Bottom) };
}

TRect TSdlBackend::Device(const TRect& logical) const
{
    return { logical.Left * scale_, logical.Top * scale_, logical.Right * scale_, logical.Bottom * scale_ };
}

TSize TSdlBackend::ScreenPixels()
{
    SDL_Rect r;
    if (SDL_GetDisplayBounds(0, &r) != 0)
        return {};
    return { r.w, r.h };
}

TRect TSdlBackend::ScreenRect()
{
    SDL_Rect r;
    if (SDL_GetDisplayBounds(0, &r) != 0)
        return {};
    return Logical(ToRect(r));
}

TRect TSdlBackend::WorkArea()
{
    SDL_Rect r;
    if (SDL_GetDisplayUsableBounds(0, &r) != 0)
        return ScreenRect();
    return Logical(ToRect(r));
}

void TSdlBackend::SetWindowClass(const std::string& instance, const std::string& className)
{
    classInstance_ = instance;
    className_ = className;
}

void TSdlBackend::SetWindowIcon(const TBitmap& icon)
{
    icon_ = icon;
    for (auto& [wnd, native] : windows_)
        if (native.Role == TWindowRole::Normal)
            ApplyIcon(native.Window);
}

void TSdlBackend::ApplyIcon(SDL_Window* window) const
{
    if (icon_.Empty())
        return;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, icon_.Width(), icon_.Height(), 32, SDL_PIXELFORMAT_ARGB8888);
    if (!surface)
        return;
    // The icon's transparent colour becomes see-through; every other pixel is opaque.
    const TPixel seeThrough = icon_.Transparent() ? ColorToPixel(icon_.TransparentColor()) : 0xFFFFFFFFu;
    for (int y = 0; y < icon_.Height(); ++y) {
        const TPixel* from = icon_.ScanLine(y);
        auto* to = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < icon_.Width(); ++x)
            to[x] = from[x] == seeThrough ? 0 : (from[x] | 0xFF000000u);
    }
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

SDL_Window* TSdlBackend::WindowOf(HWND wnd) const
{
    auto it = windows_.find(wnd);
    return it == windows_.end() ? nullptr : it->second.Window;
}

SDL_Window* TSdlBackend::AnyWindow() const
{
    return windows_.empty() ? nullptr : windows_.begin()->second.Window;
}

HWND TSdlBackend::WindowFor(std::uint32_t windowId) const
{
    auto it = byId_.find(windowId);
    return it == byId_.end() ? nullptr : it->second;
}

void TSdlBackend::CreateNative(HWND wnd, const TNativeWindowInfo& info)
{
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (!info.Framed)
        flags |= SDL_WINDOW_BORDERLESS;
    if (info.Framed && info.Resizable)
        flags |= SDL_WINDOW_RESIZABLE;
    if (info.Role == TWindowRole::PopupMenu)
        flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
    else if (info.Role == TWindowRole::Tooltip)
        flags |= SDL_WINDOW_TOOLTIP | SDL_WINDOW_SKIP_TASKBAR;
    const TRect r = Device(info.ClientRect);
    SDL_Window* window
        = SDL_CreateWindow(info.Caption.c_str(), r.Left, r.Top, std::max(r.Width(), 1), std::max(r.Height(), 1), flags);
    if (!window)
        throw EWindowSystemError(SdlError("Cannot create a window"));
    windows_[wnd] = { window, info.Framed, info.Role };
    byId_[SDL_GetWindowID(window)] = wnd;
    // Before the window is first shown: window managers read the class when they take a
    // window on.
    if (!className_.empty())
        SetX11WindowClass(window, classInstance_, className_);
    if (info.Role == TWindowRole::Normal)
        ApplyIcon(window);
}

void TSdlBackend::DestroyNative(HWND wnd)
{
    auto it = windows_.find(wnd);
    if (it == windows_.end())
        return;
    byId_.erase(SDL_GetWindowID(it->second.Window));
    SDL_DestroyWindow(it->second.Window);
    windows_.erase(it);
}

void TSdlBackend::SetNativeBounds(HWND wnd, const TRect& clientRect)
{
    if (SDL_Window* window = WindowOf(wnd)) {
        const TRect r = Device(clientRect);
        SDL_SetWindowSize(window, std::max(r.Width(), 1), std::max(r.Height(), 1));
        SDL_SetWindowPosition(window, r.Left, r.Top);
    }
}

void TSdlBackend::SetNativeCaption(HWND wnd, const std::string& caption)
{
    if (SDL_Window* window = WindowOf(wnd))
        SDL_SetWindowTitle(window, caption.c_str());
}

void TSdlBackend::SetNativeFramed(HWND wnd, bool framed)
{
    auto it = windows_.find(wnd);
    if (it == windows_.end())
        return;
    it->second.Framed = framed;
    SDL_SetWindowBordered(it->second.Window, framed ? SDL_TRUE : SDL_FALSE);
}

void TSdlBackend::SetNativeShape(HWND wnd, const TRegion* shape)
{
    if (SDL_Window* window = WindowOf(wnd)) {
        const TRegion device = shape ? shape->Scale(scale_) : TRegion {};
        ApplyX11Shape(window, shape ? &device : nullptr);
    }
}

void TSdlBackend::ShowNative(HWND wnd, bool visible, TShowState state)
{
    auto it = windows_.find(wnd);
    if (it == windows_.end())
        return;
    SDL_Window* window = it->second.Window;
    if (!visible) {
        SDL_HideWindow(window);
        return;
    }
    const Uint32 flags = SDL_GetWindowFlags(window);
    if (flags & SDL_WINDOW_HIDDEN)
        SDL_ShowWindow(window);
    switch (state) {
    case TShowState::Minimized:
        if (!(flags & SDL_WINDOW_MINIMIZED))
            SDL_MinimizeWindow(window);
        break;
    case TShowState::Maximized:
        // A borderless window is sized to the work area by the window system itself; a
        // maximised borderless window would cover the task bar under many window managers.
        if (it->second.Framed && !(flags & SDL_WINDOW_MAXIMIZED))
            SDL_MaximizeWindow(window);
        else if (flags & SDL_WINDOW_MINIMIZED)
            SDL_RestoreWindow(window);
        break;
    case TShowState::Normal:
        if (flags & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_MAXIMIZED))
            SDL_RestoreWindow(window);
        break;
    }
}

void TSdlBackend::ActivateNative(HWND wnd)
{
    if (SDL_Window* window = WindowOf(wnd))
        SDL_RaiseWindow(window);
}

void TSdlBackend::Present(HWND wnd, const TBitmap& pixels, const TRegion& dirty)
{
    SDL_Window* window = WindowOf(wnd);
    if (!window || pixels.Empty())
        return;
    SDL_Surface* target = SDL_GetWindowSurface(window);
    if (!target)
        return;
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<TPixel*>(pixels.ScanLine(0)), pixels.PixelWidth(),
        pixels.PixelHeight(), 32, pixels.PixelWidth() * static_cast<int>(sizeof(TPixel)), SDL_PIXELFORMAT_RGB888);
    if (!source)
        return;
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    const TRect bounds = IntersectRect({ 0, 0, pixels.PixelWidth(), pixels.PixelHeight() }, { 0, 0, target->w, target->h });
    const TRegion device = dirty.Scale(pixels.Scale());
    std::vector<SDL_Rect> rects;
    rects.reserve(device.Rects().size());
    for (const TRect& d : device.Rects()) {
        const TRect r = IntersectRect(d, bounds);
        if (r.IsEmpty())
            continue;
        SDL_Rect from { r.Left, r.Top, r.Width(), r.Height() };
        SDL_Rect to = from;
        SDL_BlitSurface(source, &from, target, &to);
        rects.push_back(from);
    }
    SDL_FreeSurface(source);
    if (rects.empty())
        return;
    SDL_UpdateWindowSurfaceRects(window, rects.data(), static_cast<int>(rects.size()));
    if (ExitAfterFirstFrame()) {
        // Start-up is measured to the first frame on screen; the X server has it once SDL
        // returns (it syncs), and skipping the tear-down keeps the exit out of the figure.
        std::fflush(nullptr);
        std::_Exit(0);
    }
}

bool TSdlBackend::GlobalMouse(TPoint& position, bool& leftDown)
{
    if (QueryX11Pointer(AnyWindow(), position, leftDown)) {
        position = Logical(position);
        return true;
    }
    int x = 0;
    int y = 0;
    const Uint32 buttons = SDL_GetGlobalMouseState(&x, &y);
    position = Logical(TPoint { x, y });
    leftDown = (buttons & SDL_BUTTON_LMASK) != 0;
    return true;
}

void TSdlBackend::SetCursorShape(HCURSOR cursor)
{
    SDL_Cursor*& slot = cursors_[static_cast<std::size_t>(cursor)];
    if (!slot)
        slot = SDL_CreateSystemCursor(SystemCursorFor(cursor));
    if (slot)
        SDL_SetCursor(slot);
}

void TSdlBackend::SetMouseCapture(bool captured)
{
    SDL_CaptureMouse(captured ? SDL_TRUE : SDL_FALSE);
}

std::string TSdlBackend::ClipboardText()
{
    // SDL hands out an empty string, never null, when the clipboard holds no text.
    char* text = SDL_GetClipboardText();
    std::string result = text ? text : "";
    SDL_free(text);
    return result;
}

void TSdlBackend::SetClipboardText(const std::string& text)
{
    if (SDL_SetClipboardText(text.c_str()) != 0)
        throw EWindowSystemError(SdlError("SDL_SetClipboardText"));
}

std::uint64_t TSdlBackend::Now()
{
    return SDL_GetTicks64();
}

void TSdlBackend::PollEvents()
{
    if (events_ && TakeQuitSignal())
        events_->QuitRequested();
    SDL_Event event;
    while (SDL_PollEvent(&event))
        Translate(event);
}

void TSdlBackend::WaitForEvents(int timeoutMs)
{
    SDL_Event event;
    if (SDL_PollEvent(&event)) {
        Translate(event);
        PollEvents();
        return;
    }
    // The X connection and the quit signals' pipe are watched together, so that a signal
    // ends the wait at once.
    if (!WaitForX11Events(AnyWindow(), QuitSignalFd(), timeoutMs)) {
        const int got = timeoutMs < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, timeoutMs);
        if (got)
            Translate(event);
    }
    PollEvents();
}

TPoint TSdlBackend::ScreenPoint(std::uint32_t windowId, int x, int y)
{
    SDL_Window* window = SDL_GetWindowFromID(windowId);
    if (!window) {
        TPoint position;
        bool leftDown = false;
        GlobalMouse(position, leftDown);
        return position;
    }
    int left = 0;
    int top = 0;
    SDL_GetWindowPosition(window, &left, &top);
    return Logical(TPoint { left + x, top + y });
}

void TSdlBackend::Translate(const SDL_Event& event)
{
    if (!events_)
        return;
    switch (event.type) {
    case SDL_MOUSEMOTION:
        events_->MouseMoved(ScreenPoint(event.motion.windowID, event.motion.x, event.motion.y));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        TMouseButton button;
        switch (event.button.button) {
        case SDL_BUTTON_LEFT:
            button = TMouseButton::Left;
            break;
        case SDL_BUTTON_RIGHT:
            button = TMouseButton::Right;
            break;
        case SDL_BUTTON_MIDDLE:
            button = TMouseButton::Middle;
            break;
        default:
            return;
        }
        events_->MouseButton(
            button, event.type == SDL_MOUSEBUTTONDOWN, ScreenPoint(event.button.windowID, event.button.x, event.button.y));
        break;
    }
    case SDL_MOUSEWHEEL: {
        const int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        if (notches != 0)
            events_->MouseWheel(notches * WHEEL_DELTA, ScreenPoint(event.wheel.windowID, event.wheel.mouseX, event.wheel.mouseY));
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const bool down = event.type == SDL_KEYDOWN;
        if (const int key = VirtualKeyFromSdl(event.key.keysym.sym))
            events_->Key(key, down);
        if (const char32_t ch = down ? ControlCharFromSdl(event.key.keysym.sym) : 0)
            events_->Char(ch);
        break;
    }
    case SDL_TEXTINPUT:
        for (char32_t ch : DecodeUtf8(event.text.text))
            events_->Char(ch);
        break;
    case SDL_WINDOWEVENT:
        TranslateWindowEvent(event);
        break;
    case SDL_QUIT:
        events_->QuitRequested();
        break;
    default:
        break;
    }
}

void TSdlBackend::TranslateWindowEvent(const SDL_Event& event)
{
    HWND wnd = WindowFor(event.window.windowID);
    if (!wnd)
        return;
    switch (event.window.event) {
    case SDL_WINDOWEVENT_EXPOSED:
        events_->Exposed(wnd);
        break;
    case SDL_WINDOWEVENT_MOVED:
        events_->Moved(wnd, Logical(TPoint { event.window.data1, event.window.data2 }));
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        events_->Resized(wnd, { Logical(event.window.data1), Logical(event.window.data2) });
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        events_->ShowStateChanged(wnd, TShowState::Minimized);
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        if (windows_.at(wnd).Framed)
            events_->ShowStateChanged(wnd, TShowState::Maximized);
        break;
    case SDL_WINDOWEVENT_RESTORED:
        events_->ShowStateChanged(wnd, TShowState::Normal);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        events_->FocusChanged(wnd, true);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        events_->FocusChanged(wnd, false);
        break;
    case SDL_WINDOWEVENT_LEAVE:
        events_->MouseLeftWindows();
        break;
    case SDL_WINDOWEVENT_CLOSE:
        events_->CloseRequested(wnd);
        break;
    default:
        break;
    }
}
