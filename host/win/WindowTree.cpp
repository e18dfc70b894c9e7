#include <algorithm>

#include "host/win/Desktop.h"
#include "host/win/Input.h"
#include "host/win/MessageQueue.h"
#include "host/win/WindowSystem.h"

namespace {

void ForEachInTree(TWindow* w, const auto& f)
{
    f(w);
    for (TWindow* c : w->Children)
        ForEachInTree(c, f);
}

bool InTree(const TWindow* root, const TWindow* w)
{
    for (; w; w = w->Parent)
        if (w == root)
            return true;
    return false;
}

void InsertTopLevel(TWindow* w)
{
    auto& list = Desktop().TopLevels;
    auto pos = list.end();
    if (!IsTopmost(w))
        pos = std::find_if(list.begin(), list.end(), [](TWindow* t) { return IsTopmost(t); });
    list.insert(pos, w);
}

void Unlink(TWindow* w)
{
    auto& list = SiblingsOf(w);
    list.erase(std::remove(list.begin(), list.end(), w), list.end());
}

void SendDestroy(TWindow* w)
{
    SendMessage(w, WM_DESTROY, 0, 0);
    const std::vector<TWindow*> children = w->Children;
    for (TWindow* c : children)
        SendDestroy(c);
}

void SendNcDestroy(TWindow* w)
{
    const std::vector<TWindow*> children = w->Children;
    for (TWindow* c : children)
        SendNcDestroy(c);
    SendMessage(w, WM_NCDESTROY, 0, 0);
}

// Everything else that refers to a dying window lets go of it.
void Forget(TWindow* w)
{
    TDesktop& d = Desktop();
    KillWindowTimers(w);
    ForgetWindowInInput(w);
    d.Posted.RemoveIf([w](const MSG& m) { return m.hwnd == w; });
    d.InputMessages.RemoveIf([w](const MSG& m) { return m.hwnd == w; });
    ReleaseWindowDCs(w);
    for (TWindow* t : d.TopLevels) {
        if (t->LastFocus == w)
            t->LastFocus = nullptr;
        if (t->Owner == w)
            t->Owner = nullptr;
    }
    if (d.Focus == w)
        d.Focus = nullptr;
    FreeWindowShape(w);
    if (w->HasNative) {
        d.Backend().DestroyNative(w);
        w->HasNative = false;
    }
}

} // namespace

TWindow* FindWindow(HWND wnd)
{
    if (!wnd || !WindowSystemRunning())
        return nullptr;
    return Desktop().Windows.count(wnd) ? wnd : nullptr;
}

TBusyGuard::~TBusyGuard()
{
    if (--w_->Busy == 0 && w_->Destroying)
        FreeWindowIfDone(w_);
}

void FreeWindowIfDone(TWindow* w)
{
    auto& graveyard = Desktop().Graveyard;
    auto it = std::find_if(graveyard.begin(), graveyard.end(), [w](const auto& p) { return p.get() == w; });
    if (it != graveyard.end() && w->Busy == 0)
        graveyard.erase(it);
}

std::vector<TWindow*>& SiblingsOf(TWindow* w)
{
    return w->Parent ? w->Parent->Children : Desktop().TopLevels;
}

bool IsTopmost(const TWindow* w)
{
    return (w->ExStyle & WS_EX_TOPMOST) != 0 || w->Role != TWindowRole::Normal;
}

void RaiseWindow(TWindow* w)
{
    if (!w->Parent) {
        Unlink(w);
        InsertTopLevel(w);
        const std::vector<TWindow*> tops = Desktop().TopLevels;
        for (TWindow* t : tops)
            if (t->Owner == w)
                RaiseWindow(t);
    } else {
        auto& list = SiblingsOf(w);
        if (list.back() == w)
            return;
        Unlink(w);
        list.push_back(w);
    }
    GeometryChanged();
}

TWindow* TopLevelOf(TWindow* w)
{
    while (w->Parent)
        w = w->Parent;
    return w;
}

bool IsShowing(const TWindow* w)
{
    for (; w; w = w->Parent) {
        if (!(w->Style & WS_VISIBLE))
            return false;
        if (!w->Parent && (w->Style & WS_MINIMIZE))
            return false;
    }
    return true;
}

void GeometryChanged()
{
    ++Desktop().GeometryStamp;
}

HWND CreateWindowEx(const TCreateParams& params)
{
    TDesktop& d = Desktop();
    TWindow* parent = nullptr;
    TWindow* owner = nullptr;
    if (params.Style & WS_CHILD) {
        parent = FindWindow(params.Parent);
        if (!parent)
            return nullptr;
    } else {
        owner = FindWindow(params.Parent);
    }

    auto object = std::make_unique<TWindow>();
    TWindow* w = object.get();
    w->Parent = parent;
    w->Owner = owner;
    w->Style = params.Style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE | WS_DISABLED);
    w->ExStyle = params.ExStyle;
    w->ClassStyle = params.ClassStyle;
    w->Background = params.Background;
    w->Cursor = params.Cursor;
    w->Role = parent ? TWindowRole::Normal : params.Role;
    w->Text = params.Caption;
    w->Bounds = Bounds(params.X, params.Y, std::max(params.Width, 0), std::max(params.Height, 0));
    w->NormalBounds = w->Bounds;
    w->Proc = std::make_shared<const WNDPROC>(params.WndProc);
    if (params.Style & WS_DISABLED)
        w->Style |= WS_DISABLED;
    d.Windows.emplace(w, std::move(object));
    if (parent) {
        parent->Children.push_back(w);
    } else {
        InsertTopLevel(w);
        w->Surface = NewSurface();
        UpdateFrame(w);
    }
    GeometryChanged();

    if (SendMessage(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&params)) == -1) {
        DestroyWindow(w);
        return nullptr;
    }
    if (!FindWindow(w))
        return nullptr;
    SendMessage(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->ClientWidth(), w->ClientHeight()));
    const TPoint origin = parent ? w->Bounds.TopLeft() : ClientOriginOnScreen(w);
    SendMessage(w, WM_MOVE, 0, PointToLParam(origin));
    if (params.Style & WS_MAXIMIZE)
        ShowWindow(w, SW_SHOWMAXIMIZED);
    else if (params.Style & WS_MINIMIZE)
        ShowWindow(w, SW_SHOWMINIMIZED);
    else if (params.Style & WS_VISIBLE)
        ShowWindow(w, SW_SHOW);
    return FindWindow(w);
}

bool DestroyWindow(HWND wnd)
{
    TWindow* w = FindWindow(wnd);
    if (!w || w->Destroying)
        return false;
    TDesktop& d = Desktop();

    const std::vector<TWindow*> tops = d.TopLevels;
    for (TWindow* t : tops)
        if (t->Owner == w && FindWindow(t))
            DestroyWindow(t);

    ForEachInTree(w, [](TWindow* x) { x->Destroying = true; });
    const bool wasShowing = IsShowing(w);
    if (d.Mouse.Capture && InTree(w, d.Mouse.Capture))
        ReleaseCapture();
    if (d.Focus && InTree(w, d.Focus))
        d.Focus = nullptr;
    if (d.Active == w)
        ActivateNextWindow(w);

    {
        TBusyGuard guard(w);
        SendDestroy(w);
        SendNcDestroy(w);
    }

    TWindow* parent = w->Parent;
    const TRect area = w->Bounds;
    std::vector<TWindow*> tree;
    ForEachInTree(w, [&](TWindow* x) { tree.push_back(x); });
    for (TWindow* x : tree)
        Forget(x);
    Unlink(w);
    if (parent && wasShowing)
        ExposeInParent(parent, area);
    GeometryChanged();
    for (TWindow* x : tree) {
        auto it = d.Windows.find(x);
        std::unique_ptr<TWindow> object = std::move(it->second);
        d.Windows.erase(it);
        if (object->Busy > 0)
            d.Graveyard.push_back(std::move(object));
    }
    return true;
}

bool IsWindow(HWND wnd)
{
    return FindWindow(wnd) != nullptr;
}

HWND GetParent(HWND wnd)
{
    TWindow* w = FindWindow(wnd);
    return w ? (w->Parent ? w->Parent : w->Owner) : nullptr;
}

HWND SetParent(HWND wnd, HWND newParent)
{
    TWindow* w = FindWindow(wnd);
    TWindow* p = FindWindow(newParent);
    if (!w || (newParent && !p) || (p && InTree(w, p)))
        return nullptr;
    TWindow* old = w->Parent;
    if (old == p)
        return old;
    TDesktop& d = Desktop();
    const bool wasShowing = IsShowing(w);
    if (old && wasShowing)
        ExposeInParent(old, w->Bounds);
    Unlink(w);
    if (p) {
        if (d.Active == w)
            ActivateNextWindow(w);
        if (w->HasNative) {
            d.Backend().DestroyNative(w);
            w->HasNative = false;
        }
        w->Surface.reset();
        w->Dirty = {};
        w->Owner = nullptr;
        w->Frame = {};
        w->Style = (w->Style | WS_CHILD) & ~(WS_MINIMIZE | WS_MAXIMIZE);
        w->Role = TWindowRole::Normal;
        w->Parent = p;
        p->Children.push_back(w);
    } else {
        w->Parent = nullptr;
        w->Style &= ~WS_CHILD;
        w->Surface = NewSurface();
        InsertTopLevel(w);
        UpdateFrame(w);
        SyncNative(w);
    }
    GeometryChanged();
    InvalidateTree(w, w->ClientRect(), true);
    return old;
}

HWND GetAncestorRoot(HWND wnd)
{
    TWindow* w = FindWindow(wnd);
    return w ? TopLevelOf(w) : nullptr;
}

bool IsChild(HWND parent, HWND wnd)
{
    TWindow* p = FindWindow(parent);
    TWindow* w = FindWindow(wnd);
    return p && w && w != p && InTree(p, w);
}

HWND GetWindow(HWND wnd, UINT cmd)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return nullptr;
    if (cmd == GW_CHILD)
        return w->Children.empty() ? nullptr : w->Children.back();
    if (cmd == GW_OWNER)
        return w->Owner;
    const auto& list = SiblingsOf(w);
    const auto at = std::find(list.begin(), list.end(), w);
    switch (cmd) {
    case GW_HWNDFIRST:
        return list.back();
    case GW_HWNDLAST:
        return list.front();
    case GW_HWNDNEXT:
        return at == list.begin() ? nullptr : *(at - 1);
    case GW_HWNDPREV:
        return at + 1 == list.end() ? nullptr : *(at + 1);
    default:
        return nullptr;
    }
}

std::string GetWindowText(HWND wnd)
{
    TWindow* w = FindWindow(wnd);
    return w ? w->Text : std::string();
}

bool SetWindowText(HWND wnd, const std::string& text)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return false;
    w->Text = text;
    if (w->HasNative)
        Desktop().Backend().SetNativeCaption(w, text);
    return true;
}

bool EnableWindow(HWND wnd, bool enable)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return false;
    const bool wasDisabled = (w->Style & WS_DISABLED) != 0;
    if (wasDisabled == !enable)
        return wasDisabled;
    TDesktop& d = Desktop();
    if (enable) {
        w->Style &= ~WS_DISABLED;
    } else {
        w->Style |= WS_DISABLED;
        if (d.Mouse.Capture && InTree(w, d.Mouse.Capture))
            ReleaseCapture();
        if (d.Focus && InTree(w, d.Focus))
            SetFocus(nullptr);
    }
    SendMessage(w, WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

bool IsWindowEnabled(HWND wnd)
{
    TWindow* w = FindWindow(wnd);
    return w && !(w->Style & WS_DISABLED);
}

bool IsWindowVisible(HWND wnd)
{
    TWindow* w = FindWindow(wnd);
    if (!w)
        return false;
    for (; w; w = w->Parent)
        if (!(w->Style & WS_VISIBLE))
            return false;
    return true;
}
