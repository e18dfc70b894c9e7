#pragma once
#include "host/ui/CustomControl.h"

// The tooltip: a borderless window in the info colours that floats above the others.
class THintWindow : public TCustomControl {
    DECLARE_CLASS(THintWindow, TCustomControl)

public:
    explicit THintWindow(TComponent* owner);

    // The bounds (screen) that the text needs with its top-left at p.
    TRect CalcHintRect(const std::string& text, TPoint p);
    void ActivateHint(const TRect& rect, const std::string& text);
    void ReleaseHandle();

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    HWND ParentWindow() const override { return nullptr; }
};
