#include "host/ui/ScrollBox.h"

#include "host/win/Painting.h"

void TControlScrollBar::Publish(TPublisher<TControlScrollBar>& p)
{
    p.Property("Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement).Default(8);
    p.Property("Smooth", &TControlScrollBar::Smooth, &TControlScrollBar::SetSmooth).Default(false);
    p.Property("Tracking", &TControlScrollBar::Tracking, &TControlScrollBar::SetTracking).Default(false);
    p.Property("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible).Default(true);
}

void TControlScrollBar::SetPosition(int value)
{
    if (owner_)
        owner_->ScrollTo(*this, value);
    else
        position_ = value;
}

void TControlScrollBar::SetVisible(bool value)
{
    visible_ = value;
    if (owner_)
        owner_->UpdateScrollBars();
}

void TControlScrollBar::Assign(const TPersistent& source)
{
    if (const auto* s = dynamic_cast<const TControlScrollBar*>(&source)) {
        increment_ = s->increment_;
        smooth_ = s->smooth_;
        tracking_ = s->tracking_;
        SetVisible(s->visible_);
        return;
    }
    TPersistent::Assign(source);
}

void TScrollBox::Publish(TPublisher<TScrollBox>& p)
{
    p.Property("HorzScrollBar", &TScrollBox::HorzScrollBar, &TScrollBox::SetHorzScrollBar);
    p.Property("VertScrollBar", &TScrollBox::VertScrollBar, &TScrollBox::SetVertScrollBar);
}

TScrollBox::TScrollBox(TComponent* owner)
    : TWinControl(owner)
{
    horz_.owner_ = this;
    vert_.owner_ = this;
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
    SetTabStop(true);
}

TRect TScrollBox::ClientRect() const
{
    TRect r = TWinControl::ClientRect();
    if (vert_.IsScrollBarVisible())
        r.Right = std::max(r.Left, r.Right - kScrollBarSize);
    if (horz_.IsScrollBarVisible())
        r.Bottom = std::max(r.Top, r.Bottom - kScrollBarSize);
    return r;
}

void TScrollBox::AlignControls(TControl* control, TRect& rect)
{
    TWinControl::AlignControls(control, rect);
    UpdateScrollBars();
}

void TScrollBox::ChildBoundsChanged(TControl* control)
{
    TWinControl::ChildBoundsChanged(control);
    UpdateScrollBars();
}

void TScrollBox::UpdateScrollBars()
{
    if (updating_)
        return;
    updating_ = true;
    int right = 0;
    int bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl* c = Controls(i);
        if (!c->Visible() || c->Align() == alClient)
            continue;
        right = std::max(right, c->Left() + c->Width() + horz_.position_);
        bottom = std::max(bottom, c->Top() + c->Height() + vert_.position_);
    }
    const TRect full = TWinControl::ClientRect();
    horz_.range_ = right;
    vert_.range_ = bottom;
    bool h = false;
    bool v = false;
    for (int pass = 0; pass < 2; ++pass) {
        h = horz_.visible_ && right > full.Width() - (v ? kScrollBarSize : 0);
        v = vert_.visible_ && bottom > full.Height() - (h ? kScrollBarSize : 0);
    }
    const bool changed = h != horz_.shown_ || v != vert_.shown_;
    horz_.shown_ = h;
    vert_.shown_ = v;
    const TRect client = ClientRect();
    horz_.page_ = client.Width();
    vert_.page_ = client.Height();
    updating_ = false;
    // Keep the positions inside the new ranges.
    ScrollTo(horz_, horz_.position_);
    ScrollTo(vert_, vert_.position_);
    if (changed)
        Invalidate();
}

void TScrollBox::ScrollTo(TControlScrollBar& bar, int position)
{
    const int limit = bar.shown_ ? std::max(bar.range_ - bar.page_, 0) : 0;
    position = std::clamp(position, 0, limit);
    const int delta = bar.position_ - position;
    if (delta == 0)
        return;
    bar.position_ = position;
    updating_ = true;
    if (bar.kind_ == sbHorizontal)
        ScrollBy(delta, 0);
    else
        ScrollBy(0, delta);
    updating_ = false;
}

void TScrollBox::ScrollInView(TControl* control)
{
    if (!control || control->Parent() != this)
        return;
    const TRect client = ClientRect();
    if (control->Top() < 0)
        ScrollTo(vert_, vert_.position_ + control->Top());
    else if (control->Top() + control->Height() > client.Height())
        ScrollTo(vert_, vert_.position_ + control->Top() + control->Height() - client.Height());
    if (control->Left() < 0)
        ScrollTo(horz_, horz_.position_ + control->Left());
    else if (control->Left() + control->Width() > client.Width())
        ScrollTo(horz_, horz_.position_ + control->Left() + control->Width() - client.Width());
}

TRect TScrollBox::BarRect(const TControlScrollBar& bar) const
{
    const TRect full = TWinControl::ClientRect();
    const TRect client = ClientRect();
    if (bar.kind_ == sbVertical)
        return { client.Right, 0, full.Right, client.Bottom };
    return { 0, client.Bottom, client.Right, full.Bottom };
}

void TScrollBox::PaintWindow(HDC dc)
{
    TCanvas canvas(dc);
    for (const TControlScrollBar* bar : { &horz_, &vert_ }) {
        if (!bar->IsScrollBarVisible())
            continue;
        const TRect r = BarRect(*bar);
        canvas.Brush().Color = clScrollBar;
        canvas.FillRect(r);
        // The thumb: its length is the page's share of the range.
        const bool vertical = bar->kind_ == sbVertical;
        const int length = vertical ? r.Height() : r.Width();
        const int range = std::max(bar->range_, 1);
        const int thumb = std::max(length * bar->page_ / range, 8);
        const int start = (length - thumb) * bar->position_ / std::max(bar->range_ - bar->page_, 1);
        TRect t = vertical ? TRect { r.Left + 1, r.Top + start, r.Right - 1, r.Top + start + thumb }
                           : TRect { r.Left + start, r.Top + 1, r.Left + start + thumb, r.Bottom - 1 };
        canvas.Brush().Color = clBtnFace;
        canvas.FillRect(t);
        canvas.Brush().Color = clBtnShadow;
        canvas.FrameRect(t);
    }
    if (horz_.IsScrollBarVisible() && vert_.IsScrollBarVisible()) {
        const TRect full = TWinControl::ClientRect();
        canvas.Brush().Color = clBtnFace;
        canvas.FillRect({ full.Right - kScrollBarSize, full.Bottom - kScrollBarSize, full.Right, full.Bottom });
    }
}

void TScrollBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TWinControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    // A click on a bar pages towards the click.
    for (TControlScrollBar* bar : { &horz_, &vert_ }) {
        if (!bar->IsScrollBarVisible() || !BarRect(*bar).Contains({ x, y }))
            continue;
        const TRect r = BarRect(*bar);
        const bool vertical = bar->kind_ == sbVertical;
        const int along = vertical ? y - r.Top : x - r.Left;
        const int length = vertical ? r.Height() : r.Width();
        const int thumbCentre = length * bar->position_ / std::max(bar->range_, 1);
        ScrollTo(*bar, bar->position_ + (along < thumbCentre ? -bar->page_ : bar->page_));
        Invalidate();
    }
}

void TScrollBox::WndProc(TMessage& message)
{
    if (message.Msg == WM_MOUSEWHEEL) {
        const int notches = GET_WHEEL_DELTA_WPARAM(message.WParam) / WHEEL_DELTA;
        TControlScrollBar& bar = vert_.IsScrollBarVisible() ? vert_ : horz_;
        ScrollTo(bar, bar.position_ - notches * 3 * bar.increment_);
        Invalidate();
        message.Result = 1;
        return;
    }
    TWinControl::WndProc(message);
}
