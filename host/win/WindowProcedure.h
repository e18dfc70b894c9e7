#pragma once
#include <functional>

#include "host/win/Messages.h"

// A window procedure: what a window does with each message sent or dispatched to it.
using WNDPROC = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// The window's current procedure (empty for a handle that is no window).
WNDPROC GetWindowProc(HWND wnd);
// Makes proc the window's procedure and returns the one it replaces, so that the new one can
// pass messages on with CallWindowProc (subclassing). A procedure may replace itself while it
// runs: the running call finishes with the old one.
WNDPROC SetWindowProc(HWND wnd, WNDPROC proc);
// Calls a procedure kept from SetWindowProc; an empty one falls back to DefWindowProc.
LRESULT CallWindowProc(const WNDPROC& proc, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The window system's default handling of every message.
LRESULT DefWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;

// GWL_STYLE or GWL_EXSTYLE; 0 for an unknown index or a handle that is no window.
LONG GetWindowLong(HWND wnd, int index);
// Replaces the style or extended style and returns the previous value. The state bits
// (WS_VISIBLE, WS_DISABLED, WS_MINIMIZE, WS_MAXIMIZE, WS_CHILD) keep following ShowWindow,
// EnableWindow and the parent; a change of the frame bits (WS_CAPTION) takes effect at once:
// the window keeps its outer bounds and its client area grows or shrinks.
LONG SetWindowLong(HWND wnd, int index, LONG value);
