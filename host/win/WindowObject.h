#pragma once
// The window object behind an HWND; shared by the window system's own units only.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/gfx/Bitmap.h"
#include "host/gfx/DeviceContext.h"
#include "host/gfx/Region.h"
#include "host/win/Regions.h"
#include "host/win/Window.h"

struct TWindow {
    // A child's parent; null for a top-level window.
    TWindow* Parent = nullptr;
    // The window a top-level window stays above.
    TWindow* Owner = nullptr;
    // Bottom of the z-order first.
    std::vector<TWindow*> Children;

    DWORD Style = 0;
    DWORD ExStyle = 0;
    UINT ClassStyle = 0;
    TColor Background = clBtnFace;
    HCURSOR Cursor = IDC_ARROW;
    TWindowRole Role = TWindowRole::Normal;
    std::string Text;

    // The whole window: in the parent's client coordinates, or on the screen.
    TRect Bounds;
    // Thickness of the frame around the client area (top-level windows with WS_CAPTION).
    TRect Frame;
    // Where a minimised or maximised window returns to.
    TRect NormalBounds;
    // A minimised window that was maximised before returns to that.
    bool RestoreToMaximized = false;

    // Shared so that a call in progress survives the procedure's replacement.
    std::shared_ptr<const WNDPROC> Proc;
    // The window's shape (window coordinates), owned.
    HRGN Shape = nullptr;

    // Invalid part of the client area and whether it still needs erasing.
    TRegion Invalid;
    bool EraseNeeded = false;
    // Counts BeginPaint calls, so that dispatching WM_PAINT can tell whether the window painted.
    unsigned PaintCount = 0;

    // Pixels of a top-level window's client area, and the part not yet presented.
    std::unique_ptr<TBitmap> Surface;
    TRegion Dirty;
    bool HasNative = false;
    // The window that had the focus when this top-level window was last active.
    TWindow* LastFocus = nullptr;

    // A device context handed out by GetDC or BeginPaint, with the surface area it may reach:
    // its painting narrows the clip, but everything it could touch must reach the screen.
    struct TWindowDC {
        std::unique_ptr<TDeviceContext> DC;
        TRect Reach;
    };
    std::vector<TWindowDC> DCs;

    // Visible client area in surface coordinates, valid while VisibleStamp matches the
    // desktop's geometry stamp.
    TRegion Visible;
    std::uint64_t VisibleStamp = 0;

    // Calls in progress on the window; a destroyed window is freed when the last one returns.
    int Busy = 0;
    bool Destroying = false;

    bool IsChild() const { return Parent != nullptr; }
    bool HasStyle(DWORD bits) const { return (Style & bits) == bits; }
    int ClientWidth() const { return Bounds.Width() - Frame.Left - Frame.Right; }
    int ClientHeight() const { return Bounds.Height() - Frame.Top - Frame.Bottom; }
    TRect ClientRect() const { return { 0, 0, ClientWidth(), ClientHeight() }; }
};

// The live window behind a handle, or null.
TWindow* FindWindow(HWND wnd);
TWindow* TopLevelOf(TWindow* w);
// The window and all its ancestors have WS_VISIBLE, and its top-level window is not minimised.
bool IsShowing(const TWindow* w);
// Client origin on the screen, and in its top-level window's surface.
TPoint ClientOriginOnScreen(const TWindow* w);
TPoint ClientOriginInSurface(const TWindow* w);
// The window rectangle on the screen.
TRect ScreenBounds(const TWindow* w);
// The window's shape in its own window coordinates, or null.
const TRegion* ShapeOf(const TWindow* w);
// The part of the client area that drawing reaches, in surface coordinates.
const TRegion& VisibleRegion(TWindow* w);
// Something moved, resized, appeared, vanished or changed shape: cached regions are stale.
void GeometryChanged();
// Keeps a window object alive across calls into its procedure.
class TBusyGuard {
public:
    explicit TBusyGuard(TWindow* w)
        : w_(w)
    {
        ++w_->Busy;
    }
    ~TBusyGuard();
    TBusyGuard(const TBusyGuard&) = delete;
    TBusyGuard& operator=(const TBusyGuard&) = delete;

private:
    TWindow* w_;
};
