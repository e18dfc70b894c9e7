#include "host/win/WindowProcedure.h"

#include "host/win/Desktop.h"
#include "host/win/MessageQueue.h"

WNDPROC GetWindowProc(HWND wnd)
{
    TWindow* w = FindWindow(wnd);
    return w ? *w->Proc : WNDPROC();
}

WNDPROC SetWindowProc(HWND wnd, WNDPROC proc)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return {};
    WNDPROC old = *w->Proc;
    w->Proc = std::make_shared<const WNDPROC>(std::move(proc));
    return old;
}

LRESULT CallWindowProc(const WNDPROC& proc, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(wnd, msg, wParam, lParam) : DefWindowProc(wnd, msg, wParam, lParam);
}

LONG GetWindowLong(HWND wnd, int index)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return 0;
    switch (index) {
    case GWL_STYLE:
        return static_cast<LONG>(w->Style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(w->ExStyle);
    default:
        return 0;
    }
}

LONG SetWindowLong(HWND wnd, int index, LONG value)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return 0;
    const DWORD bits = static_cast<DWORD>(value);
    if (index == GWL_EXSTYLE) {
        const DWORD old = w->ExStyle;
        w->ExStyle = bits;
        return static_cast<LONG>(old);
    }
    if (index != GWL_STYLE)
        return 0;
    constexpr DWORD kState = WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE | WS_CHILD;
    const DWORD old = w->Style;
    w->Style = (bits & ~kState) | (old & kState);
    if (!w->Parent) {
        const TSize client { w->ClientWidth(), w->ClientHeight() };
        if (UpdateFrame(w) && client != TSize { w->ClientWidth(), w->ClientHeight() })
            SendMessage(w, WM_SIZE, SizeKind(w), MAKELPARAM(w->ClientWidth(), w->ClientHeight()));
    }
    return static_cast<LONG>(old);
}
