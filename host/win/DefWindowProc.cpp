#include "host/win/Desktop.h"
#include "host/win/Input.h"
#include "host/win/MessageQueue.h"
#include "host/win/Painting.h"
#include "host/win/WindowProcedure.h"

namespace {

HCURSOR CursorForHit(LRESULT hit, const TWindow* w)
{
    switch (hit) {
    case HTCLIENT:
        return w->Cursor;
    case HTLEFT:
    case HTRIGHT:
        return IDC_SIZEWE;
    case HTTOP:
    case HTBOTTOM:
        return IDC_SIZENS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        return IDC_SIZENWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        return IDC_SIZENESW;
    default:
        return IDC_ARROW;
    }
}

// The parent has the first say; a window sets its own class pointer only when it is the one
// under the pointer, so that a parent's default does not override its children.
LRESULT SetCursorDefault(TWindow* w, WPARAM wParam, LPARAM lParam)
{
    if (w->Parent && SendMessage(w->Parent, WM_SETCURSOR, wParam, lParam))
        return 1;
    if (reinterpret_cast<HWND>(wParam) != w)
        return 0;
    SetCursor(CursorForHit(static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lParam))), w));
    return 1;
}

void SystemCommand(TWindow* w, WPARAM command)
{
    switch (command & 0xFFF0) {
    case SC_MOVE:
    case SC_SIZE:
        RunMoveSizeLoop(w, command);
        break;
    case SC_MINIMIZE:
        ShowWindow(w, SW_MINIMIZE);
        break;
    case SC_MAXIMIZE:
        ShowWindow(w, SW_MAXIMIZE);
        break;
    case SC_RESTORE:
        ShowWindow(w, SW_RESTORE);
        break;
    case SC_CLOSE:
        SendMessage(w, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}

} // namespace

LRESULT DefWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return 0;
    switch (msg) {
    case WM_CLOSE:
        DestroyWindow(wnd);
        return 0;
    case WM_ERASEBKGND:
        return EraseBackground(w, reinterpret_cast<HDC>(wParam)) ? 1 : 0;
    case WM_PAINT:
        // With a device context in wParam the caller paints into its own; nothing to validate.
        if (wParam == 0) {
            PAINTSTRUCT ps;
            BeginPaint(wnd, &ps);
            EndPaint(wnd, &ps);
        }
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0)
            FocusAfterActivation(w);
        return 0;
    case WM_NCHITTEST:
        return DefaultHitTest(w, LParamToPoint(lParam));
    case WM_NCLBUTTONDOWN:
        if (static_cast<LRESULT>(wParam) == HTCAPTION)
            SendMessage(wnd, WM_SYSCOMMAND, SC_MOVE | static_cast<WPARAM>(HTCAPTION), lParam);
        else if (static_cast<LRESULT>(wParam) >= HTLEFT && static_cast<LRESULT>(wParam) <= HTBOTTOMRIGHT)
            SendMessage(wnd, WM_SYSCOMMAND, SC_SIZE | (wParam - 9), lParam);
        return 0;
    case WM_SYSCOMMAND:
        SystemCommand(w, wParam);
        return 0;
    case WM_SETCURSOR:
        return SetCursorDefault(w, wParam, lParam);
    case WM_MOUSEWHEEL:
        return w->Parent ? SendMessage(w->Parent, msg, wParam, lParam) : 0;
    default:
        return 0;
    }
}
