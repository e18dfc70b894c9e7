#pragma once
#include "host/gfx/DeviceContext.h"
#include "host/win/Messages.h"

// Adds a client rectangle (null: the whole client area) to the window's invalid region; with
// erase set, the next BeginPaint sends WM_ERASEBKGND first.
bool InvalidateRect(HWND wnd, const TRect* rect, bool erase);
// Takes a client rectangle (null: all) out of the invalid region.
bool ValidateRect(HWND wnd, const TRect* rect);
// The bounds of the invalid region (empty when there is none); whether there is one.
bool GetUpdateRect(HWND wnd, TRect* rect);

constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_VALIDATE = 0x0008;
constexpr UINT RDW_UPDATENOW = 0x0100;
constexpr UINT RDW_ALLCHILDREN = 0x0080;
// Invalidates or validates a client rectangle (null: all) of the window, and of its children
// with RDW_ALLCHILDREN; RDW_UPDATENOW paints them before returning.
bool RedrawWindow(HWND wnd, const TRect* rect, UINT flags);
// Paints the window now when it has an invalid region (WM_PAINT sent, not queued) and
// presents the result.
bool UpdateWindow(HWND wnd);

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    // Set when the background still needs erasing (WM_ERASEBKGND answered 0).
    bool fErase = false;
    // Bounds of the area to paint, in client coordinates.
    TRect rcPaint;
};
// Starts painting the invalid region: a device context clipped to it and to the window's
// visible area, WM_ERASEBKGND through it when erasing was asked for; the region is valid
// afterwards.
HDC BeginPaint(HWND wnd, PAINTSTRUCT* ps);
bool EndPaint(HWND wnd, const PAINTSTRUCT* ps);

// A device context on the window's client area: origin at the client's top-left, clipped to
// what of the window is visible (inside its parents, not under siblings above it or its own
// children, inside the window region). Each must be given back with ReleaseDC.
HDC GetDC(HWND wnd);
// The same for the whole window of a top-level window, frame included (origin at the
// window's top-left); equal to GetDC for a window without frame.
HDC GetWindowDC(HWND wnd);
int ReleaseDC(HWND wnd, HDC dc);
// The window a device context from GetDC, GetWindowDC or BeginPaint draws on; null for any
// other context (a memory bitmap's) or one already released.
HWND WindowFromDC(HDC dc);
