#include <algorithm>

#include "host/win/Desktop.h"
#include "host/win/MessageQueue.h"
#include "host/win/WindowSystem.h"

namespace {

TShowState ShowStateOf(const TWindow* w)
{
    if (w->Style & WS_MINIMIZE)
        return TShowState::Minimized;
    if (w->Style & WS_MAXIMIZE)
        return TShowState::Maximized;
    return TShowState::Normal;
}

TRect ClientRectOnScreen(const TWindow* w)
{
    const TPoint o = ClientOriginOnScreen(w);
    return Bounds(o.X, o.Y, w->ClientWidth(), w->ClientHeight());
}

void SendSize(TWindow* w)
{
    const LPARAM size = (w->Style & WS_MINIMIZE) ? 0 : MAKELPARAM(w->ClientWidth(), w->ClientHeight());
    SendMessage(w, WM_SIZE, SizeKind(w), size);
}

// Bounds that differ from the current ones go through PlaceWindow; equal ones still tell the
// window its new show state.
void PlaceOrTellSize(TWindow* w, const TRect& bounds)
{
    if (bounds == w->Bounds)
        SendSize(w);
    else
        PlaceWindow(w, bounds);
}

void MakeVisible(TWindow* w)
{
    if (w->Style & WS_VISIBLE)
        return;
    SendMessage(w, WM_SHOWWINDOW, 1, 0);
    w->Style |= WS_VISIBLE;
    GeometryChanged();
    if (!w->Parent)
        SyncNative(w);
    InvalidateTree(w, w->ClientRect(), true);
}

void Hide(TWindow* w)
{
    SendMessage(w, WM_SHOWWINDOW, 0, 0);
    w->Style &= ~WS_VISIBLE;
    GeometryChanged();
    if (w->Parent) {
        if (IsShowing(w->Parent))
            ExposeInParent(w->Parent, w->Bounds);
        return;
    }
    SyncNative(w);
    if (Desktop().Active == w)
        ActivateNextWindow(w);
}

void Minimize(TWindow* w)
{
    if (w->Style & WS_MINIMIZE)
        return;
    w->RestoreToMaximized = (w->Style & WS_MAXIMIZE) != 0;
    w->Style = (w->Style | WS_MINIMIZE) & ~WS_MAXIMIZE;
    GeometryChanged();
    SyncNative(w);
    if (Desktop().Active == w)
        ActivateNextWindow(w);
    SendSize(w);
}

void Maximize(TWindow* w)
{
    w->Style = (w->Style | WS_MAXIMIZE) & ~WS_MINIMIZE;
    GeometryChanged();
    SyncNative(w);
    PlaceOrTellSize(w, Desktop().Backend().WorkArea());
}

void Restore(TWindow* w)
{
    if (w->Style & WS_MINIMIZE) {
        w->Style &= ~WS_MINIMIZE;
        if (w->RestoreToMaximized) {
            Maximize(w);
            return;
        }
    }
    w->Style &= ~WS_MAXIMIZE;
    GeometryChanged();
    SyncNative(w);
    PlaceOrTellSize(w, w->NormalBounds);
}

void SetZOrder(TWindow* w, HWND insertAfter)
{
    if (insertAfter == HWND_TOP) {
        RaiseWindow(w);
    } else {
        auto& list = SiblingsOf(w);
        TWindow* after = insertAfter == HWND_BOTTOM ? nullptr : FindWindow(insertAfter);
        if (after == w || (after && std::find(list.begin(), list.end(), after) == list.end()))
            return;
        list.erase(std::find(list.begin(), list.end(), w));
        auto pos = after ? std::find(list.begin(), list.end(), after) : list.begin();
        if (!after && !w->Parent && IsTopmost(w))
            pos = std::find_if(list.begin(), list.end(), [](TWindow* t) { return IsTopmost(t); });
        list.insert(pos, w);
        GeometryChanged();
    }
    if (w->Parent && IsShowing(w))
        ExposeInParent(w->Parent, w->Bounds);
}

} // namespace

WPARAM SizeKind(const TWindow* w)
{
    if (w->Style & WS_MINIMIZE)
        return SIZE_MINIMIZED;
    if (w->Style & WS_MAXIMIZE)
        return SIZE_MAXIMIZED;
    return SIZE_RESTORED;
}

void PlaceWindow(TWindow* w, const TRect& requested, bool tellDesktop)
{
    const TRect bounds = Bounds(requested.Left, requested.Top, std::max(requested.Width(), 0), std::max(requested.Height(), 0));
    const TRect old = w->Bounds;
    if (bounds == old)
        return;
    const bool moved = bounds.TopLeft() != old.TopLeft();
    const bool sized = bounds.Width() != old.Width() || bounds.Height() != old.Height();
    w->Bounds = bounds;
    if (!(w->Style & (WS_MINIMIZE | WS_MAXIMIZE)))
        w->NormalBounds = bounds;
    GeometryChanged();
    if (w->Parent) {
        if (IsShowing(w)) {
            ExposeInParent(w->Parent, old);
            InvalidateTree(w, w->ClientRect(), true);
        }
    } else {
        if (sized)
            ResizeSurface(w);
        if (w->HasNative && tellDesktop)
            Desktop().Backend().SetNativeBounds(w, ClientRectOnScreen(w));
    }
    if (moved)
        SendMessage(w, WM_MOVE, 0, PointToLParam(w->Parent ? bounds.TopLeft() : ClientOriginOnScreen(w)));
    if (sized)
        SendSize(w);
}

bool UpdateFrame(TWindow* w)
{
    const bool framed = !w->Parent && w->HasStyle(WS_CAPTION) && w->Role == TWindowRole::Normal;
    const TRect frame = framed ? Desktop().Backend().FrameInsets() : TRect {};
    if (frame == w->Frame && w->Surface->Width() == w->ClientWidth() && w->Surface->Height() == w->ClientHeight())
        return false;
    w->Frame = frame;
    GeometryChanged();
    ResizeSurface(w);
    if (w->HasNative) {
        Desktop().Backend().SetNativeFramed(w, framed);
        Desktop().Backend().SetNativeBounds(w, ClientRectOnScreen(w));
    }
    return true;
}

void SetDisplayScale(int scale)
{
    TBackend& backend = Desktop().Backend();
    if (scale == backend.Scale())
        return;
    backend.SetScale(scale);
    for (TWindow* top : Desktop().TopLevels) {
        top->Surface->SetScale(backend.Scale());
        ResizeSurface(top);
        if (!top->HasNative)
            continue;
        backend.SetNativeBounds(top, ClientRectOnScreen(top));
        if (const TRegion* shape = ShapeOf(top)) {
            const TRegion client = shape->Offset(-top->Frame.Left, -top->Frame.Top);
            backend.SetNativeShape(top, &client);
        }
    }
}

void SyncNative(TWindow* w)
{
    TBackend& backend = Desktop().Backend();
    const bool visible = (w->Style & WS_VISIBLE) != 0;
    if (!w->HasNative) {
        if (!visible)
            return;
        TNativeWindowInfo info;
        info.Caption = w->Text;
        info.ClientRect = ClientRectOnScreen(w);
        info.Framed = w->Frame != TRect {};
        info.Resizable = (w->Style & WS_THICKFRAME) != 0;
        info.Role = w->Role;
        backend.CreateNative(w, info);
        w->HasNative = true;
        if (const TRegion* shape = ShapeOf(w)) {
            const TRegion client = shape->Offset(-w->Frame.Left, -w->Frame.Top);
            backend.SetNativeShape(w, &client);
        }
    }
    backend.ShowNative(w, visible, ShowStateOf(w));
    if (visible)
        MarkDirty(w, w->ClientRect());
}

bool MoveWindow(HWND wnd, int x, int y, int width, int height, bool)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return false;
    PlaceWindow(w, Bounds(x, y, width, height));
    return true;
}

bool SetWindowPos(HWND wnd, HWND insertAfter, int x, int y, int width, int height, UINT flags)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return false;
    TRect bounds = w->Bounds;
    if (!(flags & SWP_NOMOVE))
        bounds = bounds.Offset(x - bounds.Left, y - bounds.Top);
    if (!(flags & SWP_NOSIZE))
        bounds = Bounds(bounds.Left, bounds.Top, width, height);
    PlaceWindow(w, bounds);
    if (!FindWindow(wnd))
        return true;
    if (!(flags & SWP_NOZORDER))
        SetZOrder(w, insertAfter);
    if (flags & SWP_HIDEWINDOW)
        ShowWindow(w, SW_HIDE);
    else if (flags & SWP_SHOWWINDOW)
        ShowWindow(w, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    return true;
}

bool BringWindowToTop(HWND wnd)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return false;
    SetZOrder(w, HWND_TOP);
    if (!w->Parent && CanBeActive(w))
        ActivateWindow(w, WA_ACTIVE, false);
    return true;
}

bool ShowWindow(HWND wnd, int cmd)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return false;
    const bool wasVisible = (w->Style & WS_VISIBLE) != 0;
    const bool topLevel = !w->Parent;
    bool activate = false;
    switch (cmd) {
    case SW_HIDE:
        if (wasVisible)
            Hide(w);
        return wasVisible;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
        if (topLevel && (w->Style & (WS_MINIMIZE | WS_MAXIMIZE)))
            Restore(w);
        activate = true;
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        if (topLevel)
            Minimize(w);
        break;
    case SW_SHOWMAXIMIZED:
        if (topLevel)
            Maximize(w);
        activate = true;
        break;
    case SW_SHOW:
        activate = true;
        break;
    default:
        break;
    }
    if (FindWindow(wnd)) {
        MakeVisible(w);
        if (topLevel && activate && CanBeActive(w))
            ActivateWindow(w, WA_ACTIVE, false);
    }
    return wasVisible;
}

bool IsZoomed(HWND wnd)
{
    TWindow* w = FindWindow(wnd);
    return w && (w->Style & WS_MAXIMIZE);
}

bool IsIconic(HWND wnd)
{
    TWindow* w = FindWindow(wnd);
    return w && (w->Style & WS_MINIMIZE);
}

bool GetNormalRect(HWND wnd, TRect* rect)
{
    TWindow* w = FindWindow(wnd);
    if (!w || !rect)
        return false;
    *rect = w->NormalBounds;
    return true;
}

void TDesktop::Moved(HWND wnd, TPoint clientOrigin)
{
    TWindow* w = FindWindow(wnd);
    if (!w || w->Parent)
        return;
    PlaceWindow(w,
        w->Bounds.Offset(clientOrigin.X - w->Frame.Left - w->Bounds.Left, clientOrigin.Y - w->Frame.Top - w->Bounds.Top), false);
}

void TDesktop::Resized(HWND wnd, TSize clientSize)
{
    TWindow* w = FindWindow(wnd);
    if (!w || w->Parent)
        return;
    const TRect& b = w->Bounds;
    PlaceWindow(w,
        Bounds(b.Left, b.Top, clientSize.cx + w->Frame.Left + w->Frame.Right, clientSize.cy + w->Frame.Top + w->Frame.Bottom),
        false);
}

void TDesktop::ShowStateChanged(HWND wnd, TShowState state)
{
    TWindow* w = FindWindow(wnd);
    if (!w || w->Parent)
        return;
    const bool wasMinimized = (w->Style & WS_MINIMIZE) != 0;
    // A window without a system frame is maximised by the window system, not the desktop: the
    // desktop calling it normal only means it is no longer minimised.
    if (state == TShowState::Normal && w->Frame == TRect {}
        && ((w->Style & WS_MAXIMIZE) || (wasMinimized && w->RestoreToMaximized)))
        state = TShowState::Maximized;
    if (state == ShowStateOf(w))
        return;
    w->Style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
    if (state == TShowState::Minimized)
        w->Style |= WS_MINIMIZE;
    else if (state == TShowState::Maximized)
        w->Style |= WS_MAXIMIZE;
    GeometryChanged();
    if (state == TShowState::Minimized && Active == w)
        ActivateNextWindow(w);
    if (wasMinimized)
        InvalidateTree(w, w->ClientRect(), true);
    SendSize(w);
}

void TDesktop::CloseRequested(HWND wnd)
{
    if (FindWindow(wnd))
        PostMessage(wnd, WM_CLOSE, 0, 0);
}

void TDesktop::QuitRequested()
{
    // Posted, not sent: the request may come in the middle of a message, and a modal loop
    // running then dispatches it like any other.
    for (TWindow* top : TopLevels)
        PostMessage(top, WM_ENDSESSION, 1, 0);
}
