#include "host/ui/StdCtrls.h"

#include "host/ui/WinControl.h"

void TLabel::Publish(TPublisher<TLabel>& p)
{
    p.Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize).Default(true);
    p.Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent).Default(false);
}

TLabel::TLabel(TComponent* owner)
    : TGraphicControl(owner)
{
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

void TLabel::SetAutoSize(bool value)
{
    if (value == autoSize_)
        return;
    autoSize_ = value;
    AdjustBounds();
}

void TLabel::SetTransparent(bool value)
{
    if (value == transparent_)
        return;
    transparent_ = value;
    Invalidate();
}

void TLabel::AdjustBounds()
{
    if (!autoSize_ || Loading())
        return;
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(Font());
    const std::string text = Caption().empty() ? std::string(" ") : Caption();
    TRect r { 0, 0, 0, 0 };
    DrawText(canvas, text, r, DT_CALCRECT | DT_SINGLELINE);
    SetBounds(Left(), Top(), Caption().empty() ? 0 : r.Width(), r.Height());
}

void TLabel::CMTextChanged(TMessage& message)
{
    TGraphicControl::CMTextChanged(message);
    AdjustBounds();
}

void TLabel::CMFontChanged(TMessage& message)
{
    TGraphicControl::CMFontChanged(message);
    AdjustBounds();
}

void TLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::Paint()
{
    TCanvas& canvas = Canvas();
    TRect r = ClientRect();
    if (!transparent_) {
        canvas.Brush().Color = Color();
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.FillRect(r);
    }
    canvas.Brush().Style = TBrushStyle::bsClear;
    canvas.Font().Assign(Font());
    if (!Enabled())
        canvas.Font().SetColor(clGrayText);
    // The device context is already clipped to the label, so text past the right edge is cut.
    DrawText(canvas, Caption(), r, DT_LEFT | DT_SINGLELINE);
}
