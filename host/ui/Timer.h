#pragma once
#include "host/ui/Component.h"
#include "host/win/Messages.h"

// Fires OnTimer every Interval milliseconds while Enabled.
class TTimer : public TComponent {
    DECLARE_CLASS(TTimer, TComponent)

public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    int Interval() const { return interval_; }
    void SetInterval(int value);

    TNotifyEvent OnTimer;

protected:
    void Loaded() override;

private:
    void UpdateTimer();

    bool enabled_ = true;
    int interval_ = 1000;
    HWND window_ = nullptr;
};
