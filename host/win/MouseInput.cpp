#include <cstdlib>

#include "host/win/Desktop.h"
#include "host/win/Input.h"
#include "host/win/MessageQueue.h"
#include "host/win/SystemInfo.h"
#include "host/win/VirtualKeys.h"

namespace {

constexpr UINT kDoubleClickTime = 500;

bool ContainsChildPoint(const TWindow* c, TPoint parentClient)
{
    if (!c->Bounds.Contains(parentClient))
        return false;
    const TRegion* shape = ShapeOf(c);
    return !shape || shape->Contains(parentClient.X - c->Bounds.Left, parentClient.Y - c->Bounds.Top);
}

// w contains the point; finds the deepest window inside it that takes the point.
TWindow* HitInside(TWindow* w, TPoint screen, LRESULT* hit)
{
    const TPoint origin = ClientOriginOnScreen(w);
    const TPoint local { screen.X - origin.X, screen.Y - origin.Y };
    if (w->ClientRect().Contains(local)) {
        for (std::size_t i = w->Children.size(); i-- > 0;) {
            if (i >= w->Children.size())
                continue;
            TWindow* c = w->Children[i];
            if ((c->Style & WS_VISIBLE) && !(c->Style & WS_DISABLED) && ContainsChildPoint(c, local))
                if (TWindow* found = HitInside(c, screen, hit))
                    return found;
        }
    }
    const LRESULT code = SendMessage(w, WM_NCHITTEST, 0, PointToLParam(screen));
    if (!FindWindow(w) || code == HTTRANSPARENT)
        return nullptr;
    *hit = code;
    return w;
}

WPARAM MouseKeyState()
{
    const auto& keys = Desktop().KeysDown;
    WPARAM state = 0;
    if (keys[VK_LBUTTON])
        state |= MK_LBUTTON;
    if (keys[VK_RBUTTON])
        state |= MK_RBUTTON;
    if (keys[VK_MBUTTON])
        state |= MK_MBUTTON;
    if (keys[VK_SHIFT])
        state |= MK_SHIFT;
    if (keys[VK_CONTROL])
        state |= MK_CONTROL;
    return state;
}

int ButtonKey(TMouseButton b)
{
    switch (b) {
    case TMouseButton::Left:
        return VK_LBUTTON;
    case TMouseButton::Right:
        return VK_RBUTTON;
    case TMouseButton::Middle:
        return VK_MBUTTON;
    }
    return VK_LBUTTON;
}

UINT ButtonMessage(TMouseButton b, bool down, bool client)
{
    const UINT base = client ? WM_LBUTTONDOWN : WM_NCLBUTTONDOWN;
    const UINT step = static_cast<UINT>(b) * 3;
    return base + step + (down ? 0 : 1);
}

// A press becomes a double-click when the class asks for it and the previous press was of the
// same button on the same window, in time and in place, and was not itself the second click.
UINT PressMessage(TWindow* target, UINT down, TPoint pos)
{
    TMouseState& m = Desktop().Mouse;
    const std::uint64_t now = Desktop().Backend().Now();
    const bool isDouble = (target->ClassStyle & CS_DBLCLKS) && m.PressWindow == target && m.PressMessage == down
        && !m.PressWasDouble && now - m.PressTime <= kDoubleClickTime
        && std::abs(pos.X - m.PressPos.X) * 2 <= GetSystemMetrics(SM_CXDOUBLECLK)
        && std::abs(pos.Y - m.PressPos.Y) * 2 <= GetSystemMetrics(SM_CYDOUBLECLK);
    m.PressWindow = target;
    m.PressMessage = down;
    m.PressTime = now;
    m.PressPos = pos;
    m.PressWasDouble = isDouble;
    return isDouble ? down + 2 : down;
}

void Queue(TWindow* w, UINT message, WPARAM wParam, LPARAM lParam)
{
    TDesktop& d = Desktop();
    d.InputMessages.Push(MSG { w, message, wParam, lParam, MessageTime(), d.Mouse.Pos });
}

void EndTracking()
{
    TMouseState& m = Desktop().Mouse;
    if (m.Tracking) {
        Queue(m.Tracking, WM_MOUSELEAVE, 0, 0);
        m.Tracking = nullptr;
    }
}

} // namespace

TWindow* HitWindow(TPoint screen, LRESULT* hit)
{
    *hit = HTNOWHERE;
    const std::vector<TWindow*> tops = Desktop().TopLevels;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        TWindow* t = *it;
        if (!FindWindow(t) || !IsShowing(t) || !t->Bounds.Contains(screen))
            continue;
        if (const TRegion* shape = ShapeOf(t); shape && !shape->Contains(screen.X - t->Bounds.Left, screen.Y - t->Bounds.Top))
            continue;
        if (TWindow* found = HitInside(t, screen, hit))
            return found;
    }
    return nullptr;
}

HWND WindowFromPoint(TPoint screen)
{
    LRESULT hit;
    return HitWindow(screen, &hit);
}

void TranslateMouseInput(const TRawInput& input)
{
    TDesktop& d = Desktop();
    TMouseState& m = d.Mouse;
    m.Inside = input.Kind != TRawInput::TKind::MouseLeft;
    if (input.Kind == TRawInput::TKind::MouseLeft) {
        m.Under = nullptr;
        EndTracking();
        return;
    }
    m.Pos = input.Pos;
    if (input.Kind == TRawInput::TKind::Wheel) {
        if (TWindow* target = d.Focus ? d.Focus : d.Active)
            Queue(target, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<int>(MouseKeyState()), input.Value), PointToLParam(input.Pos));
        return;
    }
    const bool down = input.Kind == TRawInput::TKind::MouseDown;
    if (input.Kind != TRawInput::TKind::MouseMove)
        d.KeysDown[ButtonKey(input.Button)] = down;

    LRESULT hit = HTNOWHERE;
    TWindow* under = HitWindow(input.Pos, &hit);
    m.Under = under;
    m.UnderHit = hit;
    if (m.Tracking && !(under == m.Tracking && hit == HTCLIENT))
        EndTracking();

    TWindow* target = m.Capture ? m.Capture : under;
    if (!target)
        return;
    const UINT mouseMessage = input.Kind == TRawInput::TKind::MouseMove ? WM_MOUSEMOVE : ButtonMessage(input.Button, down, true);
    if (m.Capture) {
        hit = HTCLIENT;
    } else {
        TWindow* top = TopLevelOf(target);
        if (top->Style & WS_DISABLED)
            return;
        if (down && top != d.Active && CanBeActive(top)) {
            ActivateWindow(top, WA_CLICKACTIVE, false);
            if (!FindWindow(target))
                return;
        }
        SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
            MAKELPARAM(static_cast<int>(hit), static_cast<int>(mouseMessage)));
        if (!FindWindow(target))
            return;
    }

    const bool client = hit == HTCLIENT;
    UINT message = input.Kind == TRawInput::TKind::MouseMove ? (client ? WM_MOUSEMOVE : WM_NCMOUSEMOVE)
                                                             : ButtonMessage(input.Button, down, client);
    if (down)
        message = PressMessage(target, message, input.Pos);
    if (client) {
        const TPoint o = ClientOriginOnScreen(target);
        Queue(target, message, MouseKeyState(), MAKELPARAM(input.Pos.X - o.X, input.Pos.Y - o.Y));
    } else {
        Queue(target, message, static_cast<WPARAM>(hit), PointToLParam(input.Pos));
    }
}

void ForgetWindowInInput(TWindow* w)
{
    TDesktop& d = Desktop();
    TMouseState& m = d.Mouse;
    if (m.Capture == w) {
        m.Capture = nullptr;
        d.Backend().SetMouseCapture(false);
    }
    if (m.Tracking == w)
        m.Tracking = nullptr;
    if (m.Under == w)
        m.Under = nullptr;
    if (m.PressWindow == w)
        m.PressWindow = nullptr;
    if (d.Focus == w)
        d.Focus = nullptr;
    if (d.Active == w)
        d.Active = nullptr;
}

HWND SetCapture(HWND wnd)
{
    TDesktop& d = Desktop();
    TWindow* old = d.Mouse.Capture;
    TWindow* w = FindWindow(wnd);
    if (!w || w == old)
        return old;
    d.Mouse.Capture = w;
    if (!old)
        d.Backend().SetMouseCapture(true);
    else
        SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(w));
    return old;
}

bool ReleaseCapture()
{
    TDesktop& d = Desktop();
    TWindow* old = d.Mouse.Capture;
    if (!old)
        return true;
    d.Mouse.Capture = nullptr;
    d.Backend().SetMouseCapture(false);
    SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return true;
}

HWND GetCapture()
{
    return Desktop().Mouse.Capture;
}

bool TrackMouseEvent(const TRACKMOUSEEVENT* track)
{
    TMouseState& m = Desktop().Mouse;
    TWindow* w = FindWindow(track->hwndTrack);
    if (!w)
        return false;
    if (track->dwFlags & TME_CANCEL) {
        if ((track->dwFlags & TME_LEAVE) && m.Tracking == w)
            m.Tracking = nullptr;
        return true;
    }
    if (!(track->dwFlags & TME_LEAVE))
        return true;
    if (m.Tracking && m.Tracking != w)
        EndTracking();
    m.Tracking = w;
    if (!(m.Under == w && m.UnderHit == HTCLIENT))
        EndTracking();
    return true;
}

bool GetCursorPos(TPoint* point)
{
    if (!point)
        return false;
    TDesktop& d = Desktop();
    bool leftDown = false;
    if (d.Mouse.Inside || !d.Backend().GlobalMouse(*point, leftDown))
        *point = d.Mouse.Pos;
    return true;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    TDesktop& d = Desktop();
    const HCURSOR old = d.Mouse.Cursor;
    if (cursor != old) {
        d.Mouse.Cursor = cursor;
        d.Backend().SetCursorShape(cursor);
    }
    return old;
}

UINT GetDoubleClickTime()
{
    return kDoubleClickTime;
}
