#include "host/win/Desktop.h"
#include "host/win/Input.h"
#include "host/win/MessageQueue.h"

namespace {

bool TakesFocus(const TWindow* w)
{
    if (!IsShowing(w))
        return false;
    for (; w; w = w->Parent)
        if (w->Style & WS_DISABLED)
            return false;
    return true;
}

void KillFocusIn(TWindow* top, TWindow* newFocus)
{
    TDesktop& d = Desktop();
    TWindow* f = d.Focus;
    if (f && TopLevelOf(f) == top) {
        d.Focus = nullptr;
        SendMessage(f, WM_KILLFOCUS, reinterpret_cast<WPARAM>(newFocus), 0);
    }
}

} // namespace

bool CanBeActive(const TWindow* w)
{
    return !w->Parent && w->Role == TWindowRole::Normal && !w->Destroying && (w->Style & WS_VISIBLE)
        && !(w->Style & (WS_MINIMIZE | WS_DISABLED));
}

void ActivateWindow(TWindow* w, WPARAM how, bool fromDesktop)
{
    TDesktop& d = Desktop();
    TWindow* old = d.Active;
    if (old == w)
        return;
    d.Active = w;
    if (old) {
        if (d.Focus && TopLevelOf(d.Focus) == old)
            old->LastFocus = d.Focus;
        SendMessage(old, WM_ACTIVATE, MAKEWPARAM(static_cast<int>(WA_INACTIVE), (old->Style & WS_MINIMIZE) ? 1 : 0),
            reinterpret_cast<LPARAM>(w));
        if (FindWindow(old))
            KillFocusIn(old, nullptr);
    }
    const bool appActive = w != nullptr;
    if (appActive != d.AppActive) {
        d.AppActive = appActive;
        const std::vector<TWindow*> tops = d.TopLevels;
        for (TWindow* t : tops)
            SendMessage(t, WM_ACTIVATEAPP, appActive ? 1 : 0, 0);
    }
    if (!w || d.Active != w || !FindWindow(w))
        return;
    RaiseWindow(w);
    if (!fromDesktop && w->HasNative)
        d.Backend().ActivateNative(w);
    SendMessage(w, WM_ACTIVATE, MAKEWPARAM(static_cast<int>(how), 0), reinterpret_cast<LPARAM>(old));
}

void ActivateNextWindow(TWindow* leaving)
{
    TDesktop& d = Desktop();
    if (d.Active != leaving)
        return;
    TWindow* next = nullptr;
    if (leaving->Owner && CanBeActive(leaving->Owner)) {
        next = leaving->Owner;
    } else {
        for (auto it = d.TopLevels.rbegin(); it != d.TopLevels.rend() && !next; ++it)
            if (*it != leaving && CanBeActive(*it))
                next = *it;
    }
    ActivateWindow(next, WA_ACTIVE, false);
}

HWND SetActiveWindow(HWND wnd)
{
    TDesktop& d = Desktop();
    TWindow* old = d.Active;
    TWindow* w = FindWindow(wnd);
    if (!w || !CanBeActive(w))
        return nullptr;
    ActivateWindow(w, WA_ACTIVE, false);
    return old;
}

HWND GetActiveWindow()
{
    return Desktop().Active;
}

HWND SetFocus(HWND wnd)
{
    TDesktop& d = Desktop();
    TWindow* old = d.Focus;
    if (!wnd) {
        if (old) {
            d.Focus = nullptr;
            SendMessage(old, WM_KILLFOCUS, 0, 0);
        }
        return old;
    }
    TWindow* w = FindWindow(wnd);
    if (!w || !TakesFocus(w))
        return nullptr;
    TWindow* top = TopLevelOf(w);
    if (top->Role != TWindowRole::Normal)
        return nullptr;
    if (d.Active != top) {
        top->LastFocus = w;
        ActivateWindow(top, WA_ACTIVE, false);
        if (d.Active != top)
            return nullptr;
        if (d.Focus == w)
            return old;
    }
    old = d.Focus;
    if (old == w)
        return old;
    d.Focus = w;
    top->LastFocus = w;
    if (old)
        SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(w), 0);
    if (d.Focus == w)
        SendMessage(w, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND GetFocus()
{
    return Desktop().Focus;
}

void TDesktop::FocusChanged(HWND wnd, bool gained)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return;
    if (gained && CanBeActive(w))
        ActivateWindow(w, WA_ACTIVE, true);
    else if (!gained && Active == w)
        ActivateWindow(nullptr, WA_INACTIVE, true);
}

// The window's default on activation: the focus goes back to where it was in this window.
void FocusAfterActivation(TWindow* w)
{
    TWindow* target = w->LastFocus;
    if (!target || !FindWindow(target) || TopLevelOf(target) != w || !TakesFocus(target))
        target = w;
    SetFocus(target);
}
