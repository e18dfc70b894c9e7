#include "host/ui/Forms.h"

#include <cstdlib>

#include "host/ui/Application.h"
#include "host/ui/ExtCtrls.h"
#include "host/ui/Menus.h"
#include "host/ui/ScrollBox.h"
#include "host/ui/StdCtrls.h"
#include "host/ui/Streaming.h"
#include "host/ui/Timer.h"
#include "host/win/Input.h"
#include "host/win/MessageQueue.h"
#include "host/win/NonClient.h"
#include "host/win/Painting.h"
#include "host/win/SystemInfo.h"
#include "host/win/VirtualKeys.h"
#include "host/win/WindowSystem.h"

namespace {

// Bounds moved onto the work area's edges that lie within buffer pixels, on either side.
TRect SnappedToWorkArea(const TRect& bounds, int buffer)
{
    TRect area;
    if (!SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0))
        return bounds;
    auto shift = [buffer](int low, int high, int areaLow, int areaHigh) {
        if (std::abs(low - areaLow) <= buffer)
            return areaLow - low;
        if (std::abs(high - areaHigh) <= buffer)
            return areaHigh - high;
        return 0;
    };
    return bounds.Offset(
        shift(bounds.Left, bounds.Right, area.Left, area.Right), shift(bounds.Top, bounds.Bottom, area.Top, area.Bottom));
}

} // namespace

void RegisterControlClasses()
{
    static const bool registered = [] {
        RegisterClasses<TControl, TWinControl, TGraphicControl, TCustomControl, TCustomPanel, TPanel, TLabel, TImage, TScrollBox,
            TCustomForm, TForm, TTimer>();
        return true;
    }();
    (void)registered;
}

void TSizeConstraints::Publish(TPublisher<TSizeConstraints>& p)
{
    p.Property("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight).Default(0);
    p.Property("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth).Default(0);
    p.Property("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight).Default(0);
    p.Property("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth).Default(0);
}

void TSizeConstraints::Assign(const TPersistent& source)
{
    if (const auto* s = dynamic_cast<const TSizeConstraints*>(&source)) {
        minWidth_ = s->minWidth_;
        minHeight_ = s->minHeight_;
        maxWidth_ = s->maxWidth_;
        maxHeight_ = s->maxHeight_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

TSize TSizeConstraints::Apply(TSize size) const
{
    if (maxWidth_ > 0)
        size.cx = std::min(size.cx, maxWidth_);
    if (maxHeight_ > 0)
        size.cy = std::min(size.cy, maxHeight_);
    size.cx = std::max(size.cx, minWidth_);
    size.cy = std::max(size.cy, minHeight_);
    return size;
}

void TCustomForm::Publish(TPublisher<TCustomForm>&)
{
}

void TForm::Publish(TPublisher<TForm>& p)
{
    p.Property("AutoScroll", &TForm::AutoScroll, &TForm::SetAutoScroll).Default(true);
    p.Property("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle).Default(bsSizeable);
    p.Property("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight).Stored(false);
    p.Property("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth).Stored(false);
    p.Property("Constraints", &TForm::Constraints, &TForm::SetConstraints);
    p.Property("DefaultMonitor", &TForm::DefaultMonitor, &TForm::SetDefaultMonitor).Default(dmActiveForm);
    p.Property("FormStyle", &TForm::FormStyle, &TForm::SetFormStyle).Default(fsNormal);
    p.Property("HorzScrollBar", &TForm::HorzScrollBar, &TForm::SetHorzScrollBar);
    p.Property("VertScrollBar", &TForm::VertScrollBar, &TForm::SetVertScrollBar);
    p.Property("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview).Default(false);
    p.Property("Menu", &TForm::Menu, &TForm::SetMenu);
    p.Property("OldCreateOrder", &TForm::OldCreateOrder, &TForm::SetOldCreateOrder).Default(false);
    p.Property("PixelsPerInch", &TForm::PixelsPerInch, &TForm::SetPixelsPerInch).Default(96);
    p.Property("Position", &TForm::Position, &TForm::SetPosition).Default(poDesigned);
    p.Property("Scaled", &TForm::Scaled, &TForm::SetScaled).Default(true);
    p.Property("ScreenSnap", &TForm::ScreenSnap, &TForm::SetScreenSnap).Default(false);
    p.Property("SnapBuffer", &TForm::SnapBuffer, &TForm::SetSnapBuffer).Default(10);
    p.Property("TextHeight", &TForm::TextHeight, &TForm::SetTextHeight).Default(13);
    p.Property("WindowState", &TForm::WindowState, &TForm::SetWindowState).Default(wsNormal);
    p.Event("OnActivate", &TForm::OnActivate);
    p.Event("OnClose", &TForm::OnClose);
    p.Event("OnCloseQuery", &TForm::OnCloseQuery);
    p.Event("OnCreate", &TForm::OnCreate);
    p.Event("OnDeactivate", &TForm::OnDeactivate);
    p.Event("OnDestroy", &TForm::OnDestroy);
    p.Event("OnHide", &TForm::OnHide);
    p.Event("OnPaint", &TForm::OnPaint);
    p.Event("OnShow", &TForm::OnShow);
}

TCustomForm::TCustomForm(TComponent* owner)
    : TCustomControl(owner)
{
    RegisterControlClasses();
    SetVisible(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    constraints_.OnChange = [this] { SetBounds(Left(), Top(), Width(), Height()); };
}

TCustomForm::~TCustomForm()
{
    Destroying();
    if (OnDestroy)
        OnDestroy(this);
    if (Application)
        Application->FormDestroyed(this);
    DestroyComponents();
    DestroyHandle();
}

void TCustomForm::InitLayout()
{
    ReadComponentRes(ClassName(), this);
    if (OnCreate)
        OnCreate(this);
}

void TCustomForm::SetBorderStyle(TBorderStyle value)
{
    if (value == borderStyle_)
        return;
    const TRect before = FrameInsets();
    borderStyle_ = value;
    if (HandleAllocated()) {
        TCreateParams p;
        CreateParams(p);
        SetWindowLong(Handle(), GWL_STYLE, static_cast<LONG>(p.Style));
        WindowMoved();
    } else {
        // Keep the client size the layout gave.
        const TRect after = FrameInsets();
        TControl::SetBounds(Left(), Top(), Width() - before.Left - before.Right + after.Left + after.Right,
            Height() - before.Top - before.Bottom + after.Top + after.Bottom);
    }
}

void TCustomForm::SetFormStyle(TFormStyle value)
{
    if (value == formStyle_)
        return;
    if (HandleAllocated())
        DestroyHandle();
    formStyle_ = value;
}

TWindowState TCustomForm::WindowState() const
{
    if (formStyle_ == fsMDIChild || !const_cast<TCustomForm*>(this)->HandleAllocated())
        return windowState_;
    HWND wnd = const_cast<TCustomForm*>(this)->Handle();
    if (IsIconic(wnd))
        return wsMinimized;
    if (IsZoomed(wnd))
        return wsMaximized;
    return wsNormal;
}

void TCustomForm::SetWindowState(TWindowState value)
{
    windowState_ = value;
    if (formStyle_ == fsMDIChild) {
        // Maximised inside the frame's client window.
        HWND client = ParentWindow();
        if (value == wsMaximized && client) {
            mdiRestoreBounds_ = BoundsRect();
            TRect r;
            GetClientRect(client, &r);
            SetBounds(0, 0, r.Width(), r.Height());
        } else if (value == wsNormal && !mdiRestoreBounds_.IsEmpty()) {
            SetBoundsRect(mdiRestoreBounds_);
        }
        if (Parent() == nullptr && HandleAllocated())
            SendMessage(Handle(), WM_SIZE, value == wsMaximized ? SIZE_MAXIMIZED : SIZE_RESTORED, 0);
        return;
    }
    if (!HandleAllocated() || !Visible())
        return;
    ShowWindow(Handle(), value == wsMinimized ? SW_MINIMIZE : value == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

void TCustomForm::SetMenu(TMainMenu* value)
{
    if (value == menu_)
        return;
    menu_ = value;
    if (value)
        value->FreeNotification(this);
}

bool TCustomForm::IsShortCut(std::uint16_t key, TShiftState shift)
{
    return menu_ && menu_->IsShortCut(key, shift);
}

void TCustomForm::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == menu_)
        menu_ = nullptr;
    if (component == activeControl_)
        activeControl_ = nullptr;
}

void TCustomForm::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root)
{
    if (root == this)
        for (int i = 0; i < ComponentCount(); ++i)
            if (!Components(i)->HasParent())
                proc(Components(i));
    TCustomControl::GetChildren(proc, root);
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
    activeControl_ = control;
    if (control && HandleAllocated() && Visible())
        FocusControl(control);
}

TRect TCustomForm::FrameInsets() const
{
    if (borderStyle_ == bsNone || formStyle_ == fsMDIChild || !WindowSystemRunning())
        return {};
    return CurrentBackend().FrameInsets();
}

void TCustomForm::SetBounds(int left, int top, int width, int height)
{
    const TSize s = constraints_.Apply({ width, height });
    TWinControl::SetBounds(left, top, s.cx, s.cy);
}

TRect TCustomForm::ClientRect() const
{
    if (const_cast<TCustomForm*>(this)->HandleAllocated())
        return TWinControl::ClientRect();
    const TRect f = FrameInsets();
    return { 0, 0, std::max(Width() - f.Left - f.Right, 0), std::max(Height() - f.Top - f.Bottom, 0) };
}

void TCustomForm::SetClientWidth(int value)
{
    SetWidth(Width() - ClientWidth() + value);
}
void TCustomForm::SetClientHeight(int value)
{
    SetHeight(Height() - ClientHeight() + value);
}

TPoint TCustomForm::ClientOrigin() const
{
    if (const_cast<TCustomForm*>(this)->HandleAllocated())
        return TWinControl::ClientOrigin();
    const TRect f = FrameInsets();
    return { Left() + f.Left, Top() + f.Top };
}

HWND TCustomForm::ParentWindow() const
{
    if (Parent())
        return TWinControl::ParentWindow();
    if (formStyle_ == fsMDIChild && Application && Application->MainForm() && Application->MainForm() != this)
        return Application->MainForm()->ClientHandle();
    return nullptr;
}

TRect TCustomForm::WindowBounds() const
{
    return BoundsRect();
}

void TCustomForm::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Background = clNone;
    params.Style &= ~(WS_CHILD | WS_VISIBLE);
    if (Parent() || (formStyle_ == fsMDIChild && params.Parent)) {
        params.Style |= WS_CHILD;
        if (Visible())
            params.Style |= WS_VISIBLE;
        return;
    }
    params.Parent = nullptr;
    switch (borderStyle_) {
    case bsNone:
        params.Style |= WS_POPUP;
        break;
    case bsSingle:
        params.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        break;
    case bsSizeable:
        params.Style |= WS_OVERLAPPEDWINDOW;
        break;
    case bsDialog:
        params.Style |= WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;
        break;
    case bsToolWindow:
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_SYSMENU;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        if (borderStyle_ == bsSizeToolWin)
            params.Style |= WS_THICKFRAME;
        break;
    }
    if (formStyle_ == fsStayOnTop)
        params.ExStyle |= WS_EX_TOPMOST;
}

void TCustomForm::CreateWnd()
{
    if (formStyle_ == fsMDIForm) {
        // The client window: hosts the MDI children, answers WM_MDIGETACTIVE and lets the
        // skin's notifications ($1330 to $1332) pass unanswered.
        TCreateParams p;
        p.Style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
        p.Parent = Handle();
        p.Background = clAppWorkSpace;
        const TRect r = ClientRect();
        p.Width = r.Width();
        p.Height = r.Height();
        p.WndProc = [this](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
            TMessage m { msg, wParam, lParam, 0 };
            if (msg == WM_MDIGETACTIVE || msg == WM_MDIMAXIMIZE || msg == WM_MDIRESTORE || msg == WM_MDIACTIVATE) {
                MDIMessage(m);
                return m.Result;
            }
            if (msg >= 0x1330 && msg <= 0x1332)
                return 0;
            return DefWindowProc(wnd, msg, wParam, lParam);
        };
        clientHandle_ = CreateWindowEx(p);
    }
    TCustomControl::CreateWnd();
}

void TCustomForm::MDIMessage(TMessage& message)
{
    auto childOf = [](WPARAM w) -> TCustomForm* {
        if (!Application)
            return nullptr;
        for (int i = 0; i < Application->ComponentCount(); ++i)
            if (auto* f = dynamic_cast<TCustomForm*>(Application->Components(i));
                f && f->HandleAllocated() && reinterpret_cast<WPARAM>(f->Handle()) == w)
                return f;
        return nullptr;
    };
    switch (message.Msg) {
    case WM_MDIGETACTIVE:
        message.Result
            = activeMDIChild_ && activeMDIChild_->HandleAllocated() ? reinterpret_cast<LRESULT>(activeMDIChild_->Handle()) : 0;
        break;
    case WM_MDIACTIVATE:
        if (TCustomForm* f = childOf(message.WParam)) {
            activeMDIChild_ = f;
            f->BringToFront();
        }
        break;
    case WM_MDIMAXIMIZE:
        if (TCustomForm* f = childOf(message.WParam))
            f->SetWindowState(wsMaximized);
        break;
    case WM_MDIRESTORE:
        if (TCustomForm* f = childOf(message.WParam))
            f->SetWindowState(wsNormal);
        break;
    default:
        break;
    }
}

TCustomForm* TCustomForm::ActiveMDIChild() const
{
    return activeMDIChild_;
}

void TCustomForm::DestroyHandle()
{
    clientHandle_ = nullptr;
    TCustomControl::DestroyHandle();
}

void TCustomForm::PlaceOnFirstShow()
{
    if (shownOnce_)
        return;
    shownOnce_ = true;
    if (position_ == poScreenCenter || position_ == poDesktopCenter) {
        SetBounds(
            (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2, (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2, Width(), Height());
    } else if (position_ == poMainFormCenter && Application && Application->MainForm() && Application->MainForm() != this) {
        const TRect m = Application->MainForm()->BoundsRect();
        SetBounds(m.Left + (m.Width() - Width()) / 2, m.Top + (m.Height() - Height()) / 2, Width(), Height());
    }
}

void TCustomForm::CMVisibleChanged(TMessage&)
{
    if (Visible()) {
        PlaceOnFirstShow();
        HandleNeeded();
        if (formStyle_ == fsMDIChild && !Parent()) {
            ShowWindow(Handle(), SW_SHOW);
            if (Application && Application->MainForm() && Application->MainForm()->ClientHandle())
                SendMessage(Application->MainForm()->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Handle()), 0);
            if (windowState_ == wsMaximized)
                SetWindowState(wsMaximized);
        } else if (Parent()) {
            ShowWindow(Handle(), SW_SHOWNA);
        } else {
            ShowWindow(Handle(),
                windowState_ == wsMaximized       ? SW_SHOWMAXIMIZED
                    : windowState_ == wsMinimized ? SW_SHOWMINIMIZED
                                                  : SW_SHOW);
            SetActiveWindow(Handle());
            if (activeControl_ && activeControl_->CanFocus())
                ::SetFocus(activeControl_->Handle());
            else if (TWinControl* first = FindNextControl(nullptr, true, true))
                FocusControl(first);
        }
        DoShow();
    } else if (HandleAllocated()) {
        DoHide();
        ShowWindow(Handle(), SW_HIDE);
    }
}

void TCustomForm::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide)
        OnHide(this);
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action)
{
    if (OnClose)
        OnClose(this, action);
}

void TCustomForm::Close()
{
    if (!CloseQuery())
        return;
    TCloseAction action = formStyle_ == fsMDIChild ? caFree : caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide:
        Hide();
        break;
    case caMinimize:
        SetWindowState(wsMinimized);
        break;
    case caFree:
        Release();
        break;
    default:
        break;
    }
}

void TCustomForm::Release()
{
    if (HandleAllocated())
        PostMessage(Handle(), CM_RELEASE, 0, 0);
    else
        delete this;
}

TModalResult TCustomForm::ShowModal()
{
    if (Visible())
        throw EComponentError("Cannot make a visible window modal");
    modalResult_ = mrNone;
    std::vector<HWND> disabled;
    if (Application)
        for (int i = 0; i < Application->ComponentCount(); ++i)
            if (auto* f = dynamic_cast<TCustomForm*>(Application->Components(i));
                f && f != this && f->HandleAllocated() && IsWindowEnabled(f->Handle())) {
                EnableWindow(f->Handle(), false);
                disabled.push_back(f->Handle());
            }
    Show();
    try {
        while (modalResult_ == mrNone) {
            if (!Application || Application->Terminated())
                break;
            Application->HandleMessage();
        }
    } catch (...) {
        for (HWND w : disabled)
            EnableWindow(w, true);
        throw;
    }
    for (HWND w : disabled)
        if (IsWindow(w))
            EnableWindow(w, true);
    Hide();
    return modalResult_;
}

void TCustomForm::FocusControl(TWinControl* control)
{
    if (!control || !control->CanFocus())
        return;
    activeControl_ = control;
    if (HandleAllocated())
        ::SetFocus(control->Handle());
}

void TCustomForm::FocusChanged(TWinControl* control)
{
    activeControl_ = control;
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TCustomForm::SelectNext(TWinControl* current, bool goForward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop))
        FocusControl(next);
}

void TCustomForm::KeyDown(std::uint16_t& key, TShiftState shift)
{
    TCustomControl::KeyDown(key, shift);
}
void TCustomForm::KeyUp(std::uint16_t& key, TShiftState shift)
{
    TCustomControl::KeyUp(key, shift);
}

void TCustomForm::ControlRemoved(TControl* control)
{
    if (activeControl_
        && (activeControl_ == control
            || (dynamic_cast<TWinControl*>(control) && static_cast<TWinControl*>(control)->ContainsControl(activeControl_))))
        activeControl_ = nullptr;
    if (activeMDIChild_ == control)
        activeMDIChild_ = nullptr;
}

void TCustomForm::Paint()
{
    if (OnPaint)
        OnPaint(this);
}

void TCustomForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case CM_RELEASE:
        delete this;
        return;
    case WM_ACTIVATE: {
        const bool active = LOWORD(message.WParam) != WA_INACTIVE;
        if (active != active_) {
            active_ = active;
            if (active && OnActivate)
                OnActivate(this);
            if (!active && OnDeactivate)
                OnDeactivate(this);
        }
        TCustomControl::WndProc(message);
        if (active && activeControl_ && activeControl_ != this && activeControl_->CanFocus())
            ::SetFocus(activeControl_->Handle());
        return;
    }
    case WM_GETMINMAXINFO: {
        TCustomControl::WndProc(message);
        auto* info = reinterpret_cast<MINMAXINFO*>(message.LParam);
        if (constraints_.MinWidth() > 0)
            info->ptMinTrackSize.X = constraints_.MinWidth();
        if (constraints_.MinHeight() > 0)
            info->ptMinTrackSize.Y = constraints_.MinHeight();
        if (constraints_.MaxWidth() > 0)
            info->ptMaxTrackSize.X = constraints_.MaxWidth();
        if (constraints_.MaxHeight() > 0)
            info->ptMaxTrackSize.Y = constraints_.MaxHeight();
        return;
    }
    case WM_MOVING:
        TCustomControl::WndProc(message);
        if (screenSnap_) {
            auto* bounds = reinterpret_cast<TRect*>(message.LParam);
            *bounds = SnappedToWorkArea(*bounds, snapBuffer_);
        }
        return;
    case CM_DIALOGKEY:
        if (message.WParam == VK_TAB) {
            SelectNext(activeControl_, !KeyboardShiftState().Contains(TShiftStateItem::ssShift), true);
            message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TCustomControl::WndProc(message);
}
