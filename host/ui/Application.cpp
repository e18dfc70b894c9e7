#include "host/ui/Application.h"

#include <cerrno>

#include "host/ui/Dialogs.h"
#include "host/ui/Forms.h"
#include "host/ui/HintWindow.h"
#include "host/win/Input.h"
#include "host/win/MessageQueue.h"
#include "host/win/Timers.h"
#include "host/win/Window.h"
#include "host/win/WindowSystem.h"

TApplication* Application = nullptr;

namespace {
constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;
} // namespace

void TApplication::Publish(TPublisher<TApplication>&)
{
}

TApplication::TApplication(TComponent* owner)
    : TComponent(owner)
    , title_(program_invocation_short_name)
{
    if (!Application)
        Application = this;
}

TApplication::~TApplication()
{
    Destroying();
    hintWindow_.reset();
    DestroyComponents();
    if (appWindow_ && IsWindow(appWindow_))
        DestroyWindow(appWindow_);
    if (Application == this)
        Application = nullptr;
}

void TApplication::Initialize()
{
    RegisterControlClasses();
    if (WindowSystemRunning())
        AppWindow();
}

void TApplication::Run()
{
    // A quit request may have come while the main form was being made.
    if (mainForm_ && !terminated_)
        mainForm_->Show();
    while (!terminated_)
        HandleMessage();
}

bool TApplication::ProcessMessage(MSG& msg)
{
    if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    try {
        bool handled = false;
        if (OnMessage)
            OnMessage(msg, handled);
        if (!handled) {
            if (hintShown_
                && ((msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) || msg.message == WM_LBUTTONDOWN
                    || msg.message == WM_RBUTTONDOWN || msg.message == WM_MBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN))
                CancelHint();
            DispatchMessage(&msg);
        }
    } catch (const std::exception& e) {
        HandleException(e);
    }
    return true;
}

void TApplication::HandleMessage()
{
    MSG msg;
    if (!ProcessMessage(msg) && !terminated_)
        WaitMessage();
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (ProcessMessage(msg)) { }
}

void TApplication::Terminate()
{
    terminated_ = true;
    PostQuitMessage(0);
}

bool TApplication::Active() const
{
    HWND active = GetActiveWindow();
    if (!active)
        return false;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* f = dynamic_cast<TCustomForm*>(Components(i)); f && f->HandleAllocated() && f->Handle() == active)
            return true;
    return false;
}

void TApplication::Minimize()
{
    if (mainForm_ && mainForm_->HandleAllocated())
        ShowWindow(mainForm_->Handle(), SW_MINIMIZE);
}

void TApplication::Restore()
{
    if (mainForm_ && mainForm_->HandleAllocated())
        ShowWindow(mainForm_->Handle(), SW_RESTORE);
}

void TApplication::HandleException(const std::exception& e)
{
    if (OnException) {
        OnException(this, e);
        return;
    }
    ShowException(e);
}

void TApplication::ShowException(const std::exception& e)
{
    // An exception while the box is up is not shown in a second box.
    if (handlingException_)
        return;
    handlingException_ = true;
    std::string text = e.what();
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    try {
        ShowMessageBox(text, title_);
    } catch (...) {
        handlingException_ = false;
        throw;
    }
    handlingException_ = false;
}

void TApplication::SetShowHint(bool value)
{
    showHint_ = value;
    if (!value)
        CancelHint();
}

THintWindow* TApplication::HintWindow() const
{
    return hintShown_ ? hintWindow_.get() : nullptr;
}

HWND TApplication::AppWindow()
{
    if (!appWindow_ || !IsWindow(appWindow_)) {
        TCreateParams p;
        p.Style = WS_POPUP;
        p.WndProc = [this](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (msg == WM_TIMER) {
                HintTimer(wParam);
                return 0;
            }
            if (msg == WM_ENDSESSION) {
                EndSession();
                return 0;
            }
            return DefWindowProc(wnd, msg, wParam, lParam);
        };
        appWindow_ = CreateWindowEx(p);
    }
    return appWindow_;
}

void TApplication::EndSession()
{
    // As the main form's close button does, so that its close handlers run.
    if (mainForm_)
        mainForm_->Close();
    else
        Terminate();
}

void TApplication::HintMouseMessage(TControl* control, const TMessage& message)
{
    if (message.Msg != WM_MOUSEMOVE) {
        if (message.Msg != WM_MOUSEWHEEL)
            CancelHint();
        return;
    }
    if (control == mouseControl_)
        return;
    TControl* old = mouseControl_;
    mouseControl_ = control;
    if (old)
        old->Perform(CM_MOUSELEAVE, 0, 0);
    control->Perform(CM_MOUSEENTER, 0, 0);
    // A WM_MOUSELEAVE when the pointer leaves the window that holds the control.
    TWinControl* window = dynamic_cast<TWinControl*>(control);
    if (!window)
        window = control->Parent();
    if (window && window->HandleAllocated()) {
        TRACKMOUSEEVENT track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = window->Handle();
        TrackMouseEvent(&track);
    }
    CancelHint();
    hintControl_ = control;
    // The text is taken when the pause ends: a mouse-move handler may set it meanwhile.
    if (showHint_ && control->ShowHint())
        SetTimer(AppWindow(), kHintShowTimer, static_cast<UINT>(hintPause_));
}

void TApplication::MouseLeftWindow(TControl* window)
{
    if (!mouseControl_)
        return;
    if (mouseControl_ != window && mouseControl_->Parent() != window)
        return;
    TControl* old = mouseControl_;
    mouseControl_ = nullptr;
    old->Perform(CM_MOUSELEAVE, 0, 0);
    CancelHint();
}

void TApplication::HintTimer(UINT_PTR id)
{
    KillTimer(AppWindow(), id);
    if (id == kHintShowTimer)
        ShowHintNow();
    else
        CancelHint();
}

void TApplication::ShowHintNow()
{
    TControl* control = hintControl_;
    if (!control || control != mouseControl_ || !showHint_ || !control->ShowHint())
        return;
    const std::string hint = control->EffectiveHint();
    if (hint.empty())
        return;
    if (!hintWindow_)
        hintWindow_ = std::make_unique<THintWindow>(nullptr);
    TPoint p;
    GetCursorPos(&p);
    hintWindow_->ActivateHint(hintWindow_->CalcHintRect(hint, { p.X, p.Y + 20 }), hint);
    hintShown_ = true;
    SetTimer(AppWindow(), kHintHideTimer, static_cast<UINT>(hintHidePause_));
}

void TApplication::CancelHint()
{
    if (appWindow_ && IsWindow(appWindow_)) {
        KillTimer(appWindow_, kHintShowTimer);
        KillTimer(appWindow_, kHintHideTimer);
    }
    if (hintShown_ && hintWindow_)
        hintWindow_->ReleaseHandle();
    hintShown_ = false;
}

bool TApplication::TakeClickTarget(TControl* control)
{
    const bool hit = clickTarget_ == control;
    clickTarget_ = nullptr;
    return hit;
}

void TApplication::ControlDestroyed(TControl* control)
{
    if (mouseControl_ == control)
        mouseControl_ = nullptr;
    if (hintControl_ == control) {
        hintControl_ = nullptr;
        CancelHint();
    }
    if (captureControl_ == control)
        captureControl_ = nullptr;
    if (clickTarget_ == control)
        clickTarget_ = nullptr;
}

void TApplication::FormDestroyed(TCustomForm* form)
{
    if (mainForm_ == form)
        mainForm_ = nullptr;
}
