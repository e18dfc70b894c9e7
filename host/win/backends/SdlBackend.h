#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "host/win/Backend.h"

struct SDL_Window;
struct SDL_Cursor;
union SDL_Event;

// The desktop through SDL2 on X11: one SDL window per shown top-level window (framed ones
// decorated by the window manager, the others borderless; popup menus and tooltips as
// override-redirect popup and tooltip windows), pixels presented through the window surface,
// shapes through XShape.
class TSdlBackend final : public TBackend {
public:
    // Opens the display; EWindowSystemError when there is none (no DISPLAY, or SDL fell back
    // on a driver without a screen).
    TSdlBackend();
    ~TSdlBackend() override;
    TSdlBackend(const TSdlBackend&) = delete;
    TSdlBackend& operator=(const TSdlBackend&) = delete;

    // Starts the window system on the display.
    static TSdlBackend& Install();

    // How the desktop tells the program's windows apart and shows them in its task bar: the X
    // class of windows created from now on (WM_CLASS: instance and class name, the latter
    // what a desktop entry's StartupWMClass names) and the icon of its top-level windows.
    void SetWindowClass(const std::string& instance, const std::string& className);
    void SetWindowIcon(const TBitmap& icon);

    // The screen's size in device pixels.
    TSize ScreenPixels();

    void Attach(TBackendEvents& events) override { events_ = &events; }
    int Scale() override { return scale_; }
    void SetScale(int scale) override;
    TRect ScreenRect() override;
    TRect WorkArea() override;
    TRect FrameInsets() override { return {}; }
    void CreateNative(HWND wnd, const TNativeWindowInfo& info) override;
    void DestroyNative(HWND wnd) override;
    void SetNativeBounds(HWND wnd, const TRect& clientRect) override;
    void SetNativeCaption(HWND wnd, const std::string& caption) override;
    void SetNativeFramed(HWND wnd, bool framed) override;
    void SetNativeShape(HWND wnd, const TRegion* shape) override;
    void ShowNative(HWND wnd, bool visible, TShowState state) override;
    void ActivateNative(HWND wnd) override;
    void Present(HWND wnd, const TBitmap& pixels, const TRegion& dirty) override;
    bool GlobalMouse(TPoint& position, bool& leftDown) override;
    void SetCursorShape(HCURSOR cursor) override;
    void SetMouseCapture(bool captured) override;
    std::string ClipboardText() override;
    void SetClipboardText(const std::string& text) override;
    std::uint64_t Now() override;
    void PollEvents() override;
    void WaitForEvents(int timeoutMs) override;

private:
    struct TNative {
        SDL_Window* Window = nullptr;
        bool Framed = false;
        TWindowRole Role = TWindowRole::Normal;
    };

    SDL_Window* WindowOf(HWND wnd) const;
    // One of the program's windows, for what is asked of the display rather than a window.
    SDL_Window* AnyWindow() const;
    HWND WindowFor(std::uint32_t windowId) const;
    void ApplyIcon(SDL_Window* window) const;
    TPoint ScreenPoint(std::uint32_t windowId, int x, int y);
    void Translate(const SDL_Event& event);
    void TranslateWindowEvent(const SDL_Event& event);

    // Device to logical pixels, and back.
    int Logical(int device) const;
    TPoint Logical(TPoint device) const { return { Logical(device.X), Logical(device.Y) }; }
    TRect Logical(const TRect& device) const;
    TRect Device(const TRect& logical) const;

    TBackendEvents* events_ = nullptr;
    int scale_ = 1;
    std::unordered_map<HWND, TNative> windows_;
    std::unordered_map<std::uint32_t, HWND> byId_;
    std::array<SDL_Cursor*, 14> cursors_ {};
    std::string classInstance_;
    std::string className_;
    TBitmap icon_;
};
