#include "host/win/Desktop.h"

TPoint ClientOriginOnScreen(const TWindow* w)
{
    if (!w->Parent)
        return { w->Bounds.Left + w->Frame.Left, w->Bounds.Top + w->Frame.Top };
    const TPoint p = ClientOriginOnScreen(w->Parent);
    return { p.X + w->Bounds.Left, p.Y + w->Bounds.Top };
}

TPoint ClientOriginInSurface(const TWindow* w)
{
    TPoint origin;
    for (; w->Parent; w = w->Parent) {
        origin.X += w->Bounds.Left;
        origin.Y += w->Bounds.Top;
    }
    return origin;
}

TRect ScreenBounds(const TWindow* w)
{
    if (!w->Parent)
        return w->Bounds;
    const TPoint p = ClientOriginOnScreen(w->Parent);
    return w->Bounds.Offset(p.X, p.Y);
}

bool GetWindowRect(HWND wnd, TRect* rect)
{
    TWindow* w = FindWindow(wnd);
    if (!w || !rect)
        return false;
    *rect = ScreenBounds(w);
    return true;
}

bool GetClientRect(HWND wnd, TRect* rect)
{
    TWindow* w = FindWindow(wnd);
    if (!w || !rect)
        return false;
    *rect = w->ClientRect();
    return true;
}

bool ClientToScreen(HWND wnd, TPoint* point)
{
    TWindow* w = FindWindow(wnd);
    if (!w || !point)
        return false;
    const TPoint o = ClientOriginOnScreen(w);
    point->X += o.X;
    point->Y += o.Y;
    return true;
}

bool ScreenToClient(HWND wnd, TPoint* point)
{
    TWindow* w = FindWindow(wnd);
    if (!w || !point)
        return false;
    const TPoint o = ClientOriginOnScreen(w);
    point->X -= o.X;
    point->Y -= o.Y;
    return true;
}

void MapWindowPoints(HWND from, HWND to, TPoint* points, int count)
{
    TWindow* f = FindWindow(from);
    TWindow* t = FindWindow(to);
    const TPoint a = f ? ClientOriginOnScreen(f) : TPoint {};
    const TPoint b = t ? ClientOriginOnScreen(t) : TPoint {};
    for (int i = 0; i < count; ++i) {
        points[i].X += a.X - b.X;
        points[i].Y += a.Y - b.Y;
    }
}
