#include "host/win/Painting.h"

#include <algorithm>

#include "host/win/Desktop.h"
#include "host/win/MessageQueue.h"

namespace {

void AddInvalid(TWindow* w, const TRect& clientRect, bool erase)
{
    const TRect r = IntersectRect(clientRect, w->ClientRect());
    if (r.IsEmpty())
        return;
    w->Invalid = w->Invalid.Union(TRegion(r));
    w->EraseNeeded = w->EraseNeeded || erase;
}

void RemoveInvalid(TWindow* w, const TRect* clientRect)
{
    if (clientRect)
        w->Invalid = w->Invalid.Subtract(TRegion(*clientRect));
    else
        w->Invalid = {};
    if (w->Invalid.IsEmpty())
        w->EraseNeeded = false;
}

void ValidateTree(TWindow* w, const TRect& clientRect)
{
    RemoveInvalid(w, &clientRect);
    for (TWindow* c : w->Children)
        ValidateTree(c, clientRect.Offset(-c->Bounds.Left, -c->Bounds.Top));
}

// Sends WM_PAINT now when the window needs it, the way the loop would dispatch it.
void PaintNow(TWindow* w)
{
    if (!IsShowing(w) || w->Invalid.IsEmpty())
        return;
    const MSG msg { w, WM_PAINT, 0, 0, MessageTime(), Desktop().Mouse.Pos };
    DispatchMessage(&msg);
}

void PaintTree(TWindow* w)
{
    PaintNow(w);
    if (!FindWindow(w))
        return;
    const std::vector<TWindow*> children = w->Children;
    for (TWindow* c : children)
        if (FindWindow(c))
            PaintTree(c);
}

HDC NewDC(TWindow* w, TRegion clip, TPoint origin)
{
    TWindow* top = TopLevelOf(w);
    auto dc = std::make_unique<TDeviceContext>(*top->Surface);
    dc->SetViewportOrg(origin);
    const TRect reach = clip.Bounds();
    dc->SelectClip(clip.Scale(top->Surface->Scale()));
    HDC handle = dc.get();
    w->DCs.push_back({ std::move(dc), reach });
    return handle;
}

TWindow* FirstToPaint(TWindow* w)
{
    if (!IsShowing(w))
        return nullptr;
    if (!w->Invalid.IsEmpty())
        return w;
    for (auto it = w->Children.rbegin(); it != w->Children.rend(); ++it)
        if (TWindow* found = FirstToPaint(*it))
            return found;
    return nullptr;
}

} // namespace

bool InvalidateRect(HWND wnd, const TRect* rect, bool erase)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return false;
    AddInvalid(w, rect ? *rect : w->ClientRect(), erase);
    return true;
}

bool ValidateRect(HWND wnd, const TRect* rect)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return false;
    RemoveInvalid(w, rect);
    return true;
}

bool GetUpdateRect(HWND wnd, TRect* rect)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return false;
    if (rect)
        *rect = w->Invalid.IsEmpty() ? TRect {} : w->Invalid.Bounds();
    return !w->Invalid.IsEmpty();
}

bool RedrawWindow(HWND wnd, const TRect* rect, UINT flags)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return false;
    const TRect r = rect ? *rect : w->ClientRect();
    const bool children = (flags & RDW_ALLCHILDREN) != 0;
    if (flags & RDW_INVALIDATE) {
        if (children)
            InvalidateTree(w, r, (flags & RDW_ERASE) != 0);
        else
            AddInvalid(w, r, (flags & RDW_ERASE) != 0);
    }
    if (flags & RDW_VALIDATE) {
        if (children)
            ValidateTree(w, r);
        else
            RemoveInvalid(w, &r);
    }
    if (flags & RDW_UPDATENOW) {
        if (children)
            PaintTree(w);
        else
            PaintNow(w);
        PresentDirtyWindows();
    }
    return true;
}

bool UpdateWindow(HWND wnd)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return false;
    PaintNow(w);
    PresentDirtyWindows();
    return true;
}

HDC BeginPaint(HWND wnd, PAINTSTRUCT* ps)
{
    TWindow* w = FindWindow(wnd);
    if (!w || !ps)
        return nullptr;
    ++w->PaintCount;
    const TPoint origin = ClientOriginInSurface(w);
    const TRegion invalid = w->Invalid.Offset(origin.X, origin.Y);
    const bool erase = w->EraseNeeded;
    w->Invalid = {};
    w->EraseNeeded = false;
    TRegion clip = VisibleRegion(w).Intersect(invalid);
    ps->rcPaint = clip.IsEmpty() ? TRect {} : clip.Bounds().Offset(-origin.X, -origin.Y);
    ps->hdc = NewDC(w, std::move(clip), origin);
    ps->fErase = erase && SendMessage(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps->hdc), 0) == 0;
    return ps->hdc;
}

bool EndPaint(HWND wnd, const PAINTSTRUCT* ps)
{
    return ps && ReleaseDC(wnd, ps->hdc) != 0;
}

HDC GetDC(HWND wnd)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return nullptr;
    return NewDC(w, VisibleRegion(w), ClientOriginInSurface(w));
}

HDC GetWindowDC(HWND wnd)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return nullptr;
    if (w->Parent)
        return GetDC(wnd);
    return NewDC(w, VisibleRegion(w), { -w->Frame.Left, -w->Frame.Top });
}

HWND WindowFromDC(HDC dc)
{
    if (!dc)
        return nullptr;
    for (const auto& [handle, w] : Desktop().Windows) {
        if (std::any_of(w->DCs.begin(), w->DCs.end(), [dc](const auto& p) { return p.DC.get() == dc; }))
            return handle;
    }
    return nullptr;
}

int ReleaseDC(HWND wnd, HDC dc)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return 0;
    auto it = std::find_if(w->DCs.begin(), w->DCs.end(), [dc](const auto& p) { return p.DC.get() == dc; });
    if (it == w->DCs.end())
        return 0;
    if (!it->Reach.IsEmpty())
        MarkDirty(TopLevelOf(w), it->Reach);
    w->DCs.erase(it);
    return 1;
}

void InvalidateTree(TWindow* w, const TRect& clientRect, bool erase)
{
    const TRect r = IntersectRect(clientRect, w->ClientRect());
    if (r.IsEmpty())
        return;
    AddInvalid(w, r, erase);
    for (TWindow* c : w->Children)
        if (c->Style & WS_VISIBLE)
            InvalidateTree(c, r.Offset(-c->Bounds.Left, -c->Bounds.Top), erase);
}

void ExposeInParent(TWindow* parent, const TRect& area)
{
    InvalidateTree(parent, area, true);
}

void MarkDirty(TWindow* top, const TRect& surfaceRect)
{
    const TRect r = IntersectRect(surfaceRect, { 0, 0, top->Surface->Width(), top->Surface->Height() });
    if (!r.IsEmpty())
        top->Dirty = top->Dirty.Union(TRegion(r));
}

void PresentDirtyWindows()
{
    TDesktop& d = Desktop();
    for (TWindow* t : d.TopLevels) {
        if (t->Dirty.IsEmpty() || !t->HasNative || !IsShowing(t))
            continue;
        d.Backend().Present(t, *t->Surface, t->Dirty);
        t->Dirty = {};
    }
}

TWindow* NextWindowToPaint(HWND filter)
{
    if (filter) {
        TWindow* w = FindWindow(filter);
        return w && IsShowing(w) && !w->Invalid.IsEmpty() ? w : nullptr;
    }
    const auto& tops = Desktop().TopLevels;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it)
        if (TWindow* found = FirstToPaint(*it))
            return found;
    return nullptr;
}

void ResizeSurface(TWindow* top)
{
    top->Surface->SetSize(std::max(top->ClientWidth(), 0), std::max(top->ClientHeight(), 0));
    InvalidateTree(top, top->ClientRect(), true);
    MarkDirty(top, top->ClientRect());
}

std::unique_ptr<TBitmap> NewSurface()
{
    return std::make_unique<TBitmap>(0, 0, Desktop().Backend().Scale());
}

void ReleaseWindowDCs(TWindow* w)
{
    w->DCs.clear();
}

bool EraseBackground(TWindow* w, HDC dc)
{
    if (!dc || w->Background == clNone)
        return false;
    const TPixel pixel = ColorToPixel(ColorToRGB(w->Background));
    TBitmap& surface = dc->Surface();
    dc->ForEachVisiblePart(dc->ToDevice(w->ClientRect()), [&](const TRect& part) {
        for (int y = part.Top; y < part.Bottom; ++y)
            std::fill_n(surface.ScanLine(y) + part.Left, part.Width(), pixel);
    });
    return true;
}

void TDesktop::Exposed(HWND wnd)
{
    if (TWindow* w = FindWindow(wnd); w && !w->Parent)
        MarkDirty(w, w->ClientRect());
}
