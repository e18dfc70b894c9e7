#include "host/ui/CustomControl.h"

void TCustomControl::Publish(TPublisher<TCustomControl>&)
{
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner)
{
}

TCustomControl::~TCustomControl() = default;

TCanvas& TCustomControl::Canvas()
{
    return TControlCanvas::Measuring(scratch_, scratchDc_, canvas_, Font());
}

void TCustomControl::PaintWindow(HDC dc)
{
    auto saved = std::move(canvas_);
    canvas_ = std::make_unique<TCanvas>(dc);
    canvas_->Font().Assign(Font());
    canvas_->Brush().Color = Color();
    try {
        Paint();
    } catch (...) {
        canvas_ = std::move(saved);
        throw;
    }
    canvas_ = std::move(saved);
}

TCanvas& TControlCanvas::Measuring(
    std::unique_ptr<TBitmap>& bitmap, std::unique_ptr<TDeviceContext>& dc, std::unique_ptr<TCanvas>& canvas, const TFont& font)
{
    if (!canvas) {
        bitmap = std::make_unique<TBitmap>();
        bitmap->SetSize(1, 1);
        dc = std::make_unique<TDeviceContext>(*bitmap);
        canvas = std::make_unique<TCanvas>(dc.get());
        canvas->Font().Assign(font);
    }
    return *canvas;
}
