#include "host/ui/Panel.h"

void Frame3D(TCanvas& canvas, TRect& r, TColor topLeft, TColor bottomRight, int width)
{
    for (int i = 0; i < width; ++i) {
        canvas.Pen().Color = topLeft;
        canvas.MoveTo(r.Left, r.Bottom - 1);
        canvas.LineTo(r.Left, r.Top);
        canvas.LineTo(r.Right - 1, r.Top);
        canvas.Pen().Color = bottomRight;
        canvas.LineTo(r.Right - 1, r.Bottom - 1);
        canvas.LineTo(r.Left - 1, r.Bottom - 1);
        r = r.Inflate(-1, -1);
    }
}

void TCustomPanel::Publish(TPublisher<TCustomPanel>&)
{
}

void TPanel::Publish(TPublisher<TPanel>& p)
{
    p.Property("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner).Default(bvNone);
    p.Property("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter).Default(bvRaised);
    p.Property("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth).Default(1);
    p.Property("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth).Default(0);
    p.Property("BorderStyle", &TPanel::BorderStyle, &TPanel::SetBorderStyle).Default(bsNone);
}

TCustomPanel::TCustomPanel(TComponent* owner)
    : TCustomControl(owner)
{
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::Changed()
{
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value)
{
    bevelInner_ = value;
    Changed();
}

void TCustomPanel::SetBevelOuter(TBevelCut value)
{
    bevelOuter_ = value;
    Changed();
}

void TCustomPanel::SetBevelWidth(int value)
{
    bevelWidth_ = std::max(value, 1);
    Changed();
}

void TCustomPanel::SetBorderWidth(int value)
{
    borderWidth_ = std::max(value, 0);
    Changed();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value)
{
    borderStyle_ = value == bsSingle ? bsSingle : bsNone;
    Changed();
}

void TCustomPanel::AdjustClientRect(TRect& rect) const
{
    int inset = borderWidth_ + (borderStyle_ == bsSingle ? 1 : 0);
    if (bevelOuter_ != bvNone)
        inset += bevelWidth_;
    if (bevelInner_ != bvNone)
        inset += bevelWidth_;
    rect = rect.Inflate(-inset, -inset);
}

void TCustomPanel::Paint()
{
    TCanvas& canvas = Canvas();
    TRect r = ClientRect();
    if (borderStyle_ == bsSingle)
        Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone)
            return;
        const bool raised = cut == bvRaised;
        Frame3D(canvas, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, bevelWidth_);
    };
    bevel(bevelOuter_);
    r = r.Inflate(-borderWidth_, -borderWidth_);
    bevel(bevelInner_);
    canvas.Brush().Color = Color();
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.FillRect(r);
    if (!Caption().empty()) {
        canvas.Brush().Style = TBrushStyle::bsClear;
        canvas.Font().Assign(Font());
        DrawText(canvas, Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}
