#include "host/win/MessageQueue.h"

#include <algorithm>

#include "host/win/Desktop.h"

namespace {

bool InRange(UINT message, UINT filterMin, UINT filterMax)
{
    return (filterMin == 0 && filterMax == 0) || (message >= filterMin && message <= filterMax);
}

// Turns raw input into messages until one is ready or the raw input is used up.
void TranslateRawInput(TDesktop& d)
{
    while (d.InputMessages.Empty() && !d.RawInput.empty()) {
        const TRawInput input = d.RawInput.front();
        d.RawInput.pop_front();
        if (MoveSizeTakesInput(input))
            continue;
        switch (input.Kind) {
        case TRawInput::TKind::KeyDown:
        case TRawInput::TKind::KeyUp:
        case TRawInput::TKind::Char:
            TranslateKeyInput(input);
            break;
        default:
            TranslateMouseInput(input);
            break;
        }
    }
}

bool FindMessage(TDesktop& d, MSG* msg, HWND wnd, UINT filterMin, UINT filterMax, bool remove)
{
    for (std::size_t i = 0; i < d.Posted.Size(); ++i) {
        const MSG& m = d.Posted[i];
        if ((!wnd || m.hwnd == wnd) && InRange(m.message, filterMin, filterMax)) {
            *msg = remove ? d.Posted.Take(i) : m;
            return true;
        }
    }
    if (!wnd && filterMin == 0 && filterMax == 0) {
        TranslateRawInput(d);
        if (!d.InputMessages.Empty()) {
            *msg = remove ? d.InputMessages.Take(0) : d.InputMessages[0];
            return true;
        }
    }
    if (d.QuitPosted) {
        *msg = MSG { nullptr, WM_QUIT, static_cast<WPARAM>(d.QuitCode), 0, MessageTime(), d.Mouse.Pos };
        if (remove)
            d.QuitPosted = false;
        return true;
    }
    if (InRange(WM_PAINT, filterMin, filterMax)) {
        if (TWindow* w = NextWindowToPaint(wnd)) {
            *msg = MSG { w, WM_PAINT, 0, 0, MessageTime(), d.Mouse.Pos };
            return true;
        }
    }
    return TakeDueTimer(wnd, filterMin, filterMax, remove, msg);
}

} // namespace

LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return 0;
    TBusyGuard guard(w);
    const std::shared_ptr<const WNDPROC> proc = w->Proc;
    return *proc ? (*proc)(wnd, msg, wParam, lParam) : DefWindowProc(wnd, msg, wParam, lParam);
}

bool PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (wnd && !FindWindow(wnd))
        return false;
    TDesktop& d = Desktop();
    d.Posted.Push(MSG { wnd, msg, wParam, lParam, MessageTime(), d.Mouse.Pos });
    return true;
}

void PostQuitMessage(int exitCode)
{
    TDesktop& d = Desktop();
    d.QuitPosted = true;
    d.QuitCode = exitCode;
}

bool PeekMessage(MSG* msg, HWND wnd, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    TDesktop& d = Desktop();
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    if (FindMessage(d, msg, wnd, filterMin, filterMax, remove))
        return true;
    d.Backend().PollEvents();
    return FindMessage(d, msg, wnd, filterMin, filterMax, remove);
}

bool GetMessage(MSG* msg, HWND wnd, UINT filterMin, UINT filterMax)
{
    while (!PeekMessage(msg, wnd, filterMin, filterMax, PM_REMOVE)) {
        PresentDirtyWindows();
        Desktop().Backend().WaitForEvents(WaitTimeout());
    }
    return msg->message != WM_QUIT;
}

LRESULT DispatchMessage(const MSG* msg)
{
    TWindow* w = FindWindow(msg->hwnd);
    if (!w)
        return 0;
    if (msg->message != WM_PAINT)
        return SendMessage(w, msg->message, msg->wParam, msg->lParam);
    const unsigned paints = w->PaintCount;
    const LRESULT result = SendMessage(w, WM_PAINT, msg->wParam, msg->lParam);
    if (FindWindow(msg->hwnd) && w->PaintCount == paints) {
        w->Invalid = {};
        w->EraseNeeded = false;
    }
    return result;
}

void WaitMessage()
{
    MSG msg;
    if (!PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        PresentDirtyWindows();
        Desktop().Backend().WaitForEvents(WaitTimeout());
    }
}

bool DispatchPendingMessages()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            PresentDirtyWindows();
            return false;
        }
        DispatchMessage(&msg);
    }
    PresentDirtyWindows();
    return true;
}

int WaitTimeout()
{
    const std::optional<std::uint64_t> due = NextTimerDue();
    if (!due)
        return -1;
    const std::uint64_t now = Desktop().Backend().Now();
    return *due <= now ? 0 : static_cast<int>(std::min<std::uint64_t>(*due - now, 1u << 30));
}
