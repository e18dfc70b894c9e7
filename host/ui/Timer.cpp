#include "host/ui/Timer.h"

#include "host/ui/Application.h"
#include "host/win/Timers.h"
#include "host/win/Window.h"

void TTimer::Publish(TPublisher<TTimer>& p)
{
    p.Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
    p.Property("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
    p.Event("OnTimer", &TTimer::OnTimer);
}

TTimer::TTimer(TComponent* owner)
    : TComponent(owner)
{
}

TTimer::~TTimer()
{
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
}

void TTimer::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    UpdateTimer();
}

void TTimer::SetInterval(int value)
{
    if (value == interval_)
        return;
    interval_ = value;
    UpdateTimer();
}

void TTimer::Loaded()
{
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    if (ComponentState().Contains(csLoading))
        return;
    if (window_)
        KillTimer(window_, 1);
    if (!enabled_ || interval_ <= 0)
        return;
    if (!window_) {
        TCreateParams p;
        p.Style = WS_POPUP;
        p.WndProc = [this](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (msg != WM_TIMER)
                return DefWindowProc(wnd, msg, wParam, lParam);
            try {
                if (OnTimer)
                    OnTimer(this);
            } catch (const std::exception& e) {
                if (!Application)
                    throw;
                Application->HandleException(e);
            }
            return 0;
        };
        window_ = CreateWindowEx(p);
    }
    SetTimer(window_, 1, static_cast<UINT>(interval_));
}
