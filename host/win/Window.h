#pragma once
#include <cstdint>
#include <string>

#include "host/gfx/Colors.h"
#include "host/win/Cursors.h"
#include "host/win/Messages.h"
#include "host/win/WindowProcedure.h"

// Window styles (GWL_STYLE).
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_MINIMIZE = 0x20000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_MAXIMIZE = 0x01000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_OVERLAPPEDWINDOW = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

// Extended styles (GWL_EXSTYLE).
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;

// Class styles: CS_DBLCLKS turns a second press in time and place into WM_xBUTTONDBLCLK.
constexpr UINT CS_DBLCLKS = 0x0008;

// What a top-level window is to the desktop: an ordinary (managed) window, or a popup menu or
// tooltip that floats above the others, never takes the activation and gets no frame.
enum class TWindowRole : std::uint8_t { Normal, PopupMenu, Tooltip };

// Everything a new window is made of. WM_CREATE's lParam points at it; a procedure answering
// WM_CREATE with -1 refuses the window and CreateWindowEx returns null.
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    UINT ClassStyle = 0;
    // The class background that WM_ERASEBKGND's default fills with; clNone erases nothing.
    TColor Background = clBtnFace;
    HCURSOR Cursor = IDC_ARROW;
    TWindowRole Role = TWindowRole::Normal;
    // Bounds: relative to the parent's client area for a WS_CHILD window, else on the screen
    // (the whole window, frame included).
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    // The parent of a WS_CHILD window; for a top-level window its owner, above which it stays.
    HWND Parent = nullptr;
    WNDPROC WndProc;
    void* Param = nullptr;
};

// Makes a window: WM_CREATE, then WM_SIZE and WM_MOVE; shown when the style has WS_VISIBLE.
// A new window is the topmost of its siblings.
HWND CreateWindowEx(const TCreateParams& params);
// WM_DESTROY to the window and then its children; owned windows go first. Posted messages,
// timers, capture, focus and activation held by them end with them.
bool DestroyWindow(HWND wnd);
bool IsWindow(HWND wnd);

HWND GetParent(HWND wnd);
// Moves a child window to another parent (null: a top-level window); returns the old parent.
HWND SetParent(HWND wnd, HWND newParent);
// The top-level window that contains wnd (wnd itself when it is one).
HWND GetAncestorRoot(HWND wnd);
bool IsChild(HWND parent, HWND wnd);

enum TGetWindowCmd : UINT { GW_HWNDFIRST = 0, GW_HWNDLAST = 1, GW_HWNDNEXT = 2, GW_HWNDPREV = 3, GW_OWNER = 4, GW_CHILD = 5 };
// Walks the z-order: GW_CHILD is the topmost child, GW_HWNDNEXT the sibling below.
HWND GetWindow(HWND wnd, UINT cmd);

std::string GetWindowText(HWND wnd);
bool SetWindowText(HWND wnd, const std::string& text);

// Disabled windows receive no mouse or keyboard input; WM_ENABLE tells the change.
bool EnableWindow(HWND wnd, bool enable);
bool IsWindowEnabled(HWND wnd);
// Visible when the window and every ancestor have WS_VISIBLE.
bool IsWindowVisible(HWND wnd);

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_NORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;
// Shows, hides, minimises, maximises or restores; returns whether it was visible before.
// A top-level window without a system frame (no WS_CAPTION) maximises to the work area.
bool ShowWindow(HWND wnd, int cmd);
bool IsZoomed(HWND wnd);
bool IsIconic(HWND wnd);

// Screen rectangle of the whole window (frame included).
bool GetWindowRect(HWND wnd, TRect* rect);
// (0, 0, client width, client height).
bool GetClientRect(HWND wnd, TRect* rect);
bool ClientToScreen(HWND wnd, TPoint* point);
bool ScreenToClient(HWND wnd, TPoint* point);
// Maps points from one window's client coordinates to another's (null: the screen).
void MapWindowPoints(HWND from, HWND to, TPoint* points, int count);
// The bounds a minimised or maximised window returns to, in the same coordinates as its
// window rectangle.
bool GetNormalRect(HWND wnd, TRect* rect);

// Position and size of the whole window (parent client coordinates for a child window,
// the screen otherwise). Sends WM_MOVE and WM_SIZE when they change; a maximised window
// stays maximised.
bool MoveWindow(HWND wnd, int x, int y, int width, int height, bool repaint);

constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_FRAMECHANGED = 0x0020;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
inline const HWND HWND_TOP = nullptr;
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(1);
// Bounds and z-order in one call; insertAfter is HWND_TOP, HWND_BOTTOM or the sibling to go
// below.
bool SetWindowPos(HWND wnd, HWND insertAfter, int x, int y, int width, int height, UINT flags);
bool BringWindowToTop(HWND wnd);

// The deepest visible and enabled window under a screen point that does not answer
// WM_NCHITTEST with HTTRANSPARENT.
HWND WindowFromPoint(TPoint screen);
