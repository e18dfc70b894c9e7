#pragma once
#include "host/win/Messages.h"

// The shortest timer interval, as on the host; shorter ones are raised to it.
constexpr UINT USER_TIMER_MINIMUM = 10;

// Starts (or restarts, for the same window and id) a timer that posts WM_TIMER (wParam = id)
// every interval milliseconds of the window system's clock. WM_TIMER comes only when no other
// message waits, and a late timer fires once, not once per missed interval. Returns id, or
// 0 for a handle that is no window.
UINT_PTR SetTimer(HWND wnd, UINT_PTR id, UINT interval);
bool KillTimer(HWND wnd, UINT_PTR id);

// Milliseconds of the window system's clock (the backend's: real, or virtual in tests).
DWORD GetTickCount();
