#include "host/ui/GraphicControl.h"

#include "host/ui/CustomControl.h"

void TGraphicControl::Publish(TPublisher<TGraphicControl>&)
{
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner)
{
}

TGraphicControl::~TGraphicControl() = default;

TCanvas& TGraphicControl::Canvas()
{
    return TControlCanvas::Measuring(scratch_, scratchDc_, canvas_, Font());
}

void TGraphicControl::WndProc(TMessage& message)
{
    if (message.Msg != WM_PAINT || message.WParam == 0) {
        TControl::WndProc(message);
        return;
    }
    auto saved = std::move(canvas_);
    canvas_ = std::make_unique<TCanvas>(reinterpret_cast<HDC>(message.WParam));
    canvas_->Font().Assign(Font());
    try {
        Paint();
    } catch (...) {
        canvas_ = std::move(saved);
        throw;
    }
    canvas_ = std::move(saved);
}
