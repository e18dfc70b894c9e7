#pragma once
#include <memory>

#include "host/gfx/Bitmap.h"
#include "host/ui/Control.h"

// A control without a window, painted by its parent into the parent's window.
class TGraphicControl : public TControl {
    DECLARE_CLASS(TGraphicControl, TControl)

public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    // While painting: a canvas on the parent's device context with the origin at this
    // control's top-left; otherwise one for measuring text.
    TCanvas& Canvas();

protected:
    virtual void Paint() { }
    void WndProc(TMessage& message) override;

private:
    std::unique_ptr<TCanvas> canvas_;
    std::unique_ptr<TBitmap> scratch_;
    std::unique_ptr<TDeviceContext> scratchDc_;
};
