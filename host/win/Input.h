#pragma once
#include "host/win/Cursors.h"
#include "host/win/Messages.h"

// Sends every mouse message to wnd (in its client coordinates) until released; returns the
// previous capture window. WM_CAPTURECHANGED tells the window that loses it.
HWND SetCapture(HWND wnd);
bool ReleaseCapture();
HWND GetCapture();

// Gives the keyboard focus to wnd, activating its top-level window first: WM_KILLFOCUS to the
// old focus (wParam = new), WM_SETFOCUS to the new (wParam = old). Returns the old focus.
// A hidden or disabled window cannot take the focus (null is returned).
HWND SetFocus(HWND wnd);
HWND GetFocus();

// Activates a top-level window: WM_ACTIVATE (WA_INACTIVE, lParam = new) to the one losing the
// activation, then WM_ACTIVATE (WA_ACTIVE, lParam = old) to wnd, whose default gives the focus
// back to where it was in that window. Returns the previous active window.
HWND SetActiveWindow(HWND wnd);
HWND GetActiveWindow();

constexpr DWORD TME_LEAVE = 0x00000002;
constexpr DWORD TME_CANCEL = 0x80000000;
struct TRACKMOUSEEVENT {
    DWORD dwFlags = 0;
    HWND hwndTrack = nullptr;
};
// Asks for one WM_MOUSELEAVE when the cursor leaves the window's client area (to another
// window, the window's frame, or off every window of the program).
bool TrackMouseEvent(const TRACKMOUSEEVENT* track);

// Bit 0x8000: the key (a virtual-key code, or VK_LBUTTON and friends) is down now, as of the
// input retrieved so far.
short GetKeyState(int virtualKey);

// The pointer's screen position: that of the last mouse input over the program's windows, or,
// while the pointer is outside them, where the desktop says it is now.
bool GetCursorPos(TPoint* point);
// Shows a system pointer; returns the previous one.
HCURSOR SetCursor(HCURSOR cursor);

// Longest time between the presses of a double-click, in milliseconds; the two presses must
// also lie within SM_CXDOUBLECLK x SM_CYDOUBLECLK pixels of each other.
UINT GetDoubleClickTime();
