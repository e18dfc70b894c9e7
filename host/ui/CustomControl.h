#pragma once
#include <memory>

#include "host/gfx/Bitmap.h"
#include "host/ui/WinControl.h"

// A windowed control that draws itself on a canvas in Paint.
class TCustomControl : public TWinControl {
    DECLARE_CLASS(TCustomControl, TWinControl)

public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    // While painting: a canvas on the device context being painted; otherwise one for
    // measuring text.
    TCanvas& Canvas();

protected:
    virtual void Paint() { }
    void PaintWindow(HDC dc) override;

private:
    std::unique_ptr<TCanvas> canvas_;
    std::unique_ptr<TBitmap> scratch_;
    std::unique_ptr<TDeviceContext> scratchDc_;
};

// A canvas that stands for a control's while it paints, and a measuring one otherwise.
class TControlCanvas {
public:
    static TCanvas& Measuring(std::unique_ptr<TBitmap>& bitmap, std::unique_ptr<TDeviceContext>& dc,
        std::unique_ptr<TCanvas>& canvas, const TFont& font);
};
