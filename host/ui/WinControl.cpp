#include "host/ui/WinControl.h"

#include <algorithm>

#include "host/ui/Application.h"
#include "host/ui/Forms.h"
#include "host/win/Input.h"
#include "host/win/MessageQueue.h"
#include "host/win/Painting.h"
#include "host/win/VirtualKeys.h"
#include "host/win/WindowSystem.h"

namespace {

// Restores a device context's origin and clip when the scope ends, also by an exception.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc)
        : dc_(dc)
        , level_(SaveDC(dc))
    {
    }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;
    ~TSavedDC() { RestoreDC(dc_, level_); }

private:
    HDC dc_;
    int level_;
};

} // namespace

void TWinControl::Publish(TPublisher<TWinControl>& p)
{
    p.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    p.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
    p.Event("OnKeyDown", &TWinControl::OnKeyDown);
    p.Event("OnKeyUp", &TWinControl::OnKeyUp);
    p.Event("OnKeyPress", &TWinControl::OnKeyPress);
    p.Event("OnEnter", &TWinControl::OnEnter);
    p.Event("OnExit", &TWinControl::OnExit);
}

TWinControl::TWinControl(TComponent* owner)
    : TControl(owner)
{
}

TWinControl::~TWinControl()
{
    Destroying();
    // Leave the parent while still a TWinControl, so that it drops this from its tab order.
    if (Parent())
        Parent()->RemoveControl(this);
    // Children that another component owns outlive this parent without it.
    while (!controls_.empty())
        controls_.back()->SetParent(nullptr);
    DestroyHandle();
}

void TWinControl::HandleNeeded()
{
    if (handle_)
        return;
    if (TWinControl* parent = Parent())
        parent->HandleNeeded();
    if (!handle_)
        CreateHandle();
}

HWND TWinControl::Handle()
{
    HandleNeeded();
    return handle_;
}

HWND TWinControl::ParentWindow() const
{
    return Parent() ? Parent()->handle_ : nullptr;
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.Caption = Text();
    params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (Visible())
        params.Style |= WS_VISIBLE;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    params.ClassStyle = CS_DBLCLKS;
    params.Background = clNone;
    params.Parent = ParentWindow();
    const TRect r = WindowBounds();
    params.X = r.Left;
    params.Y = r.Top;
    params.Width = r.Width();
    params.Height = r.Height();
    params.WndProc = [this](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        TMessage message { msg, wParam, lParam, 0 };
        MainWndProc(wnd, message);
        return message.Result;
    };
}

void TWinControl::CreateHandle()
{
    TCreateParams params;
    CreateParams(params);
    settingBounds_ = true;
    HWND wnd = CreateWindowEx(params);
    settingBounds_ = false;
    if (!wnd)
        throw EWindowSystemError("Error creating window");
    handle_ = wnd;
    CreateWnd();
}

void TWinControl::CreateWnd()
{
    for (TControl* c : controls_) {
        if (auto* wc = dynamic_cast<TWinControl*>(c); wc && !wc->handle_)
            wc->CreateHandle();
    }
    Realign();
}

void TWinControl::DestroyHandle()
{
    if (!handle_)
        return;
    HWND wnd = handle_;
    handle_ = nullptr;
    if (IsWindow(wnd))
        DestroyWindow(wnd);
    // Children's windows went with it.
    std::function<void(TWinControl*)> forget = [&](TWinControl* w) {
        for (TControl* c : w->controls_)
            if (auto* wc = dynamic_cast<TWinControl*>(c)) {
                wc->handle_ = nullptr;
                forget(wc);
            }
    };
    forget(this);
}

void TWinControl::MainWndProc(HWND wnd, TMessage& message)
{
    if (!handle_ && message.Msg != WM_NCDESTROY)
        handle_ = wnd;
    try {
        WndProc(message);
    } catch (const std::exception& e) {
        if (!Application)
            throw;
        Application->HandleException(e);
    }
    // The control may be gone now (a form freeing itself on CM_RELEASE): only the last
    // message of its window may touch it.
    if (message.Msg == WM_NCDESTROY && handle_ == wnd)
        handle_ = nullptr;
}

void TWinControl::InsertControl(TControl* control)
{
    controls_.push_back(control);
    control->parent_ = this;
    auto* wc = dynamic_cast<TWinControl*>(control);
    if (wc)
        tabList_.push_back(wc);
    if (control->ParentColor())
        control->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (control->ParentFont())
        control->Perform(CM_PARENTFONTCHANGED, 0, 0);
    if (control->ParentShowHint())
        control->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    if (wc && handle_) {
        if (wc->handle_)
            ::SetParent(wc->handle_, handle_);
        else
            wc->CreateHandle();
    }
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 1);
    ControlsChanged();
    control->Invalidate();
    if (control->Align() != alNone)
        Realign();
}

void TWinControl::RemoveControl(TControl* control)
{
    if (std::find(controls_.begin(), controls_.end(), control) == controls_.end())
        return;
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 0);
    if (TCustomForm* form = GetParentForm())
        form->ControlRemoved(control);
    control->Invalidate();
    std::erase(controls_, control);
    if (auto* wc = dynamic_cast<TWinControl*>(control)) {
        std::erase(tabList_, wc);
        if (wc->handle_)
            wc->DestroyHandle();
    }
    control->parent_ = nullptr;
    ControlsChanged();
    if (control->Align() != alNone)
        Realign();
}

bool TWinControl::ContainsControl(const TControl* control) const
{
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c) == nullptr && c->Visible() && (allowDisabled || c->Enabled())
            && c->BoundsRect().Contains(p))
            return c;
    }
    return nullptr;
}

int TWinControl::TabOrder() const
{
    if (!Parent())
        return -1;
    const auto& list = Parent()->tabList_;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value)
{
    if (!Parent())
        return;
    auto& list = Parent()->tabList_;
    std::erase(list, this);
    const int at = std::clamp(value, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + at, this);
}

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus()
{
    if (TCustomForm* form = GetParentForm())
        form->FocusControl(this);
    else if (CanFocus())
        ::SetFocus(Handle());
}

bool TWinControl::Focused() const
{
    return handle_ && GetFocus() == handle_;
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop) const
{
    std::vector<TWinControl*> order;
    std::function<void(const TWinControl*)> collect = [&](const TWinControl* w) {
        for (TWinControl* c : w->tabList_) {
            order.push_back(c);
            collect(c);
        }
    };
    collect(this);
    if (order.empty())
        return nullptr;
    const int n = static_cast<int>(order.size());
    int start = static_cast<int>(std::find(order.begin(), order.end(), current) - order.begin());
    if (start == n)
        start = goForward ? n - 1 : 0;
    for (int step = 1; step <= n; ++step) {
        const int i = ((goForward ? start + step : start - step) % n + n) % n;
        TWinControl* c = order[static_cast<std::size_t>(i)];
        if (c != current && c->CanFocus() && (!checkTabStop || c->TabStop()))
            return c;
    }
    return nullptr;
}

void TWinControl::EnableAlign()
{
    if (--alignDisabled_ == 0)
        Realign();
}

void TWinControl::Realign()
{
    if (alignDisabled_ > 0 || aligning_ || Loading())
        return;
    aligning_ = true;
    TRect r = ClientRect();
    AdjustClientRect(r);
    try {
        AlignControls(nullptr, r);
    } catch (...) {
        aligning_ = false;
        throw;
    }
    aligning_ = false;
}

void TWinControl::AlignControls(TControl*, TRect& r)
{
    auto place = [&](TAlign align) {
        std::vector<TControl*> list;
        for (TControl* c : controls_)
            if (c->Align() == align && c->Visible())
                list.push_back(c);
        std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
            switch (align) {
            case alTop:
                return a->Top() < b->Top();
            case alBottom:
                return a->Top() + a->Height() > b->Top() + b->Height();
            case alLeft:
                return a->Left() < b->Left();
            case alRight:
                return a->Left() + a->Width() > b->Left() + b->Width();
            default:
                return false;
            }
        });
        for (TControl* c : list) {
            switch (align) {
            case alTop:
                c->SetBounds(r.Left, r.Top, r.Width(), c->Height());
                r.Top += c->Height();
                break;
            case alBottom:
                c->SetBounds(r.Left, r.Bottom - c->Height(), r.Width(), c->Height());
                r.Bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(r.Left, r.Top, c->Width(), r.Height());
                r.Left += c->Width();
                break;
            case alRight:
                c->SetBounds(r.Right - c->Width(), r.Top, c->Width(), r.Height());
                r.Right -= c->Width();
                break;
            case alClient:
                c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
                break;
            default:
                break;
            }
            r.Bottom = std::max(r.Bottom, r.Top);
            r.Right = std::max(r.Right, r.Left);
        }
    };
    for (TAlign a : { alTop, alBottom, alLeft, alRight, alClient })
        place(a);
}

void TWinControl::ScrollBy(int dx, int dy)
{
    for (TControl* c : controls_) {
        c->left_ += dx;
        c->top_ += dy;
        c->BoundsChanged();
    }
    Invalidate();
}

void TWinControl::ChildBoundsChanged(TControl* control)
{
    if (control->Align() != alNone)
        Realign();
}

void TWinControl::ShowControl(TControl*)
{
    if (Parent())
        Parent()->ShowControl(this);
}

TRect TWinControl::ClientRect() const
{
    if (handle_) {
        TRect r;
        GetClientRect(handle_, &r);
        return r;
    }
    return TControl::ClientRect();
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    TControl::SetBounds(left, top, width, height);
}

void TWinControl::BoundsChanged()
{
    if (handle_) {
        const TRect r = WindowBounds();
        settingBounds_ = true;
        MoveWindow(handle_, r.Left, r.Top, r.Width(), r.Height(), true);
        settingBounds_ = false;
    }
    Realign();
}

void TWinControl::WindowMoved()
{
    TRect r;
    GetWindowRect(handle_, &r);
    if (HWND parent = GetParent(handle_)) {
        TPoint p = r.TopLeft();
        ::ScreenToClient(parent, &p);
        r = Bounds(p.X, p.Y, r.Width(), r.Height());
    }
    if (r == BoundsRect())
        return;
    const bool resized = r.Width() != Width() || r.Height() != Height();
    left_ = r.Left;
    top_ = r.Top;
    width_ = r.Width();
    height_ = r.Height();
    if (resized) {
        Realign();
        Resize();
    }
}

TPoint TWinControl::ClientOrigin() const
{
    if (handle_) {
        TPoint p { 0, 0 };
        ::ClientToScreen(handle_, &p);
        return p;
    }
    return TControl::ClientOrigin();
}

bool TWinControl::Showing() const
{
    return handle_ && IsWindowVisible(handle_);
}

void TWinControl::SetEnabled(bool value)
{
    if (value == Enabled())
        return;
    TControl::SetEnabled(value);
    if (handle_)
        EnableWindow(handle_, value);
}

void TWinControl::SetText(const std::string& value)
{
    if (value == Text())
        return;
    if (handle_)
        SetWindowText(handle_, value);
    TControl::SetText(value);
}

void TWinControl::Invalidate()
{
    if (handle_)
        InvalidateRect(handle_, nullptr, true);
}

void TWinControl::Update()
{
    if (handle_)
        UpdateWindow(handle_);
}

void TWinControl::BringToFront()
{
    TControl::BringToFront();
    if (handle_)
        SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::SendToBack()
{
    TControl::SendToBack();
    if (handle_)
        SetWindowPos(handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::CMVisibleChanged(TMessage&)
{
    UpdateWindowVisibility();
}

void TWinControl::UpdateWindowVisibility()
{
    if (!Parent())
        return;
    if (!handle_) {
        if (Visible() && Parent()->handle_)
            CreateHandle();
        return;
    }
    ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::PassFontAndColor(UINT msg)
{
    TMessage m { msg, 0, 0, 0 };
    for (TControl* c : controls_)
        c->WndProc(m);
}

void TWinControl::CMFontChanged(TMessage& message)
{
    TControl::CMFontChanged(message);
    PassFontAndColor(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& message)
{
    TControl::CMColorChanged(message);
    PassFontAndColor(CM_PARENTCOLORCHANGED);
}
void TWinControl::CMParentShowHintChanged(TMessage& message)
{
    TControl::CMParentShowHintChanged(message);
    PassFontAndColor(CM_PARENTSHOWHINTCHANGED);
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    Realign();
}

void TWinControl::Broadcast(TMessage& message)
{
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        controls_[i]->WndProc(message);
        if (message.Result != 0)
            return;
    }
}

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(std::uint16_t& key, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char32_t& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TWinControl::EraseBackground(HDC dc)
{
    if (Color() == clNone || !dc)
        return;
    TCanvas canvas(dc);
    canvas.Brush().Color = Color();
    canvas.FillRect(ClientRect());
}

void TWinControl::PaintControls(HDC dc)
{
    for (TControl* c : controls_) {
        if (dynamic_cast<TWinControl*>(c) || !c->Visible())
            continue;
        const TRect r = c->BoundsRect();
        const TSavedDC saved(dc);
        IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
        OffsetViewportOrgEx(dc, r.Left, r.Top, nullptr);
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

void TWinControl::PaintTo(HDC dc, int x, int y)
{
    const TSavedDC saved(dc);
    OffsetViewportOrgEx(dc, x, y, nullptr);
    const TRect client = ClientRect();
    IntersectClipRect(dc, 0, 0, client.Right, client.Bottom);
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    for (TControl* c : controls_) {
        if (auto* wc = dynamic_cast<TWinControl*>(c); wc && wc->Visible())
            wc->PaintTo(dc, wc->Left(), wc->Top());
    }
}

void TWinControl::WMPaint(TMessage& message)
{
    if (message.WParam) {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        PaintWindow(dc);
        PaintControls(dc);
        return;
    }
    if (!handle_)
        return;
    PAINTSTRUCT ps;
    HWND wnd = handle_;
    HDC dc = BeginPaint(wnd, &ps);
    try {
        PaintWindow(dc);
        PaintControls(dc);
    } catch (...) {
        EndPaint(wnd, &ps);
        throw;
    }
    EndPaint(wnd, &ps);
}

void TWinControl::MouseToControl(TMessage& message)
{
    TControl* target = Application ? Application->CaptureControl() : nullptr;
    if (target && (target == this || target->Parent() != this))
        target = nullptr;
    const TPoint p = LParamToPoint(message.LParam);
    if (!target && message.Msg != WM_MOUSEWHEEL)
        target = ControlAtPos(p);
    if (target) {
        TMessage m = message;
        m.LParam = PointToLParam({ p.X - target->Left(), p.Y - target->Top() });
        if (Application && (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_RBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK)) {
            Application->SetCaptureControl(target);
            SetCapture(handle_);
        }
        target->WndProc(m);
        message.Result = m.Result;
        if (Application && (message.Msg == WM_LBUTTONUP || message.Msg == WM_RBUTTONUP)
            && Application->CaptureControl() == target) {
            Application->SetCaptureControl(nullptr);
            ReleaseCapture();
        }
        return;
    }
    TControl::WndProc(message);
}

void TWinControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        WMPaint(message);
        return;
    case WM_ERASEBKGND:
        EraseBackground(reinterpret_cast<HDC>(message.WParam));
        message.Result = 1;
        return;
    case WM_MOUSEWHEEL:
        if (Parent())
            message.Result = Parent()->Perform(message.Msg, message.WParam, message.LParam);
        return;
    case WM_MOUSELEAVE:
        if (Application)
            Application->MouseLeftWindow(this);
        return;
    case WM_SIZE:
    case WM_MOVE:
        if (!settingBounds_ && handle_)
            WindowMoved();
        DefaultHandler(message);
        return;
    case WM_SETFOCUS:
        if (TCustomForm* form = GetParentForm(); form && form != this)
            form->FocusChanged(this);
        DoEnter();
        DefaultHandler(message);
        return;
    case WM_KILLFOCUS:
        DoExit();
        DefaultHandler(message);
        return;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(message.WParam) == handle_
            && LOWORD(static_cast<std::uintptr_t>(message.LParam)) == HTCLIENT) {
            TPoint p;
            GetCursorPos(&p);
            ::ScreenToClient(handle_, &p);
            const TControl* c = ControlAtPos(p);
            const TCursor cursor = c && c->Cursor() != crDefault ? c->Cursor() : Cursor();
            if (cursor != crDefault) {
                ::SetCursor(CursorToSystem(cursor));
                message.Result = 1;
                return;
            }
        }
        DefaultHandler(message);
        return;
    case WM_KEYDOWN:
    case WM_KEYUP: {
        std::uint16_t key = static_cast<std::uint16_t>(message.WParam);
        const TShiftState shift = KeyboardShiftState();
        TCustomForm* form = GetParentForm();
        if (form && form != this && form->KeyPreview()) {
            if (message.Msg == WM_KEYDOWN)
                form->KeyDown(key, shift);
            else
                form->KeyUp(key, shift);
        }
        if (key != 0) {
            if (message.Msg == WM_KEYDOWN)
                KeyDown(key, shift);
            else
                KeyUp(key, shift);
        }
        if (key != 0 && message.Msg == WM_KEYDOWN && form && form->IsShortCut(key, shift))
            return;
        if (key != 0 && message.Msg == WM_KEYDOWN && form) {
            switch (key) {
            case VK_TAB:
            case VK_RETURN:
            case VK_ESCAPE:
            case VK_LEFT:
            case VK_RIGHT:
            case VK_UP:
            case VK_DOWN:
                if (form->Perform(CM_DIALOGKEY, key, 0) != 0)
                    return;
                break;
            default:
                break;
            }
        }
        DefaultHandler(message);
        return;
    }
    case WM_CHAR: {
        char32_t key = static_cast<char32_t>(message.WParam);
        TCustomForm* form = GetParentForm();
        if (form && form != this && form->KeyPreview())
            static_cast<TWinControl*>(form)->KeyPress(key);
        if (key != 0)
            KeyPress(key);
        // A handler that swallowed the character ends it here.
        if (key == 0)
            return;
        message.WParam = static_cast<WPARAM>(key);
        if (form && form->Perform(CM_DIALOGCHAR, message.WParam, 0) != 0)
            return;
        DefaultHandler(message);
        return;
    }
    case CM_SHOWHINTCHANGED:
        PassFontAndColor(CM_PARENTSHOWHINTCHANGED);
        return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED:
        Broadcast(message);
        return;
    default:
        break;
    }
    if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MOUSELAST) {
        MouseToControl(message);
        return;
    }
    TControl::WndProc(message);
}

void TWinControl::DefaultHandler(TMessage& message)
{
    if (handle_)
        message.Result = DefWindowProc(handle_, message.Msg, message.WParam, message.LParam);
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root)
{
    for (TControl* c : controls_)
        if (c->Owner() == root)
            proc(c);
}
