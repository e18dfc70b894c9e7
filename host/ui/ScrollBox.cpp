#include "host/ui/ScrollBox.h"

#include "host/ui/Application.h"
#include "host/win/Input.h"
#include "host/win/Painting.h"
#include "host/win/Timers.h"

namespace {
constexpr UINT_PTR kRepeatTimer = 1;
// A held arrow or page click repeats after the first delay, then at the repeat delay.
constexpr UINT kFirstRepeatDelay = 200;
constexpr UINT kRepeatDelay = 50;
constexpr int kMinThumb = 8;
} // namespace

struct TScrollBox::TBarGeometry {
    TRect Bar;
    bool Vertical = false;
    int Length = 0;
    // Each arrow button's length; the track lies between them.
    int Arrow = 0;
    int TrackLength = 0;
    // Along the bar from its start; no thumb when the track has no room for one.
    int ThumbStart = 0;
    int ThumbLength = 0;
    int Scrollable = 0;

    int Along(TPoint p) const { return Vertical ? p.Y - Bar.Top : p.X - Bar.Left; }
    TRect Part(int from, int to) const
    {
        return Vertical ? TRect { Bar.Left, Bar.Top + from, Bar.Right, Bar.Top + to }
                        : TRect { Bar.Left + from, Bar.Top, Bar.Left + to, Bar.Bottom };
    }
    // The scroll position that puts the thumb's start there.
    int PositionAt(int thumbStart) const
    {
        const int free = TrackLength - ThumbLength;
        if (free <= 0)
            return 0;
        return static_cast<int>((static_cast<long long>(thumbStart - Arrow) * Scrollable + free / 2) / free);
    }
};

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
    // A new range resizes the thumbs.
    const bool rangeChanged = right != horz_.range_ || bottom != vert_.range_;
    horz_.range_ = right;
    vert_.range_ = bottom;
    bool h = false;
    bool v = false;
    for (int pass = 0; pass < 2; ++pass) {
        h = horz_.visible_ && right > full.Width() - (v ? kScrollBarSize : 0);
        v = vert_.visible_ && bottom > full.Height() - (h ? kScrollBarSize : 0);
    }
    const bool changed = rangeChanged || h != horz_.shown_ || v != vert_.shown_;
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

TScrollBox::TBarGeometry TScrollBox::Geometry(const TControlScrollBar& bar) const
{
    TBarGeometry g;
    g.Bar = BarRect(bar);
    g.Vertical = bar.kind_ == sbVertical;
    g.Length = g.Vertical ? g.Bar.Height() : g.Bar.Width();
    g.Arrow = std::min(kScrollBarSize, g.Length / 2);
    g.TrackLength = g.Length - 2 * g.Arrow;
    g.Scrollable = std::max(bar.range_ - bar.page_, 0);
    if (g.TrackLength < kMinThumb)
        return g;
    // The thumb's length is the page's share of the range.
    const long long share = static_cast<long long>(g.TrackLength) * bar.page_ / std::max(bar.range_, 1);
    g.ThumbLength = static_cast<int>(std::clamp<long long>(share, kMinThumb, g.TrackLength));
    const int free = g.TrackLength - g.ThumbLength;
    if (pressedBar_ == &bar && pressedPart_ == TBarPart::Thumb)
        g.ThumbStart = dragStart_;
    else
        g.ThumbStart
            = g.Arrow + (g.Scrollable > 0 ? static_cast<int>(static_cast<long long>(free) * bar.position_ / g.Scrollable) : 0);
    return g;
}

TScrollBox::TBarPart TScrollBox::PartAt(const TControlScrollBar& bar, TPoint p) const
{
    if (!bar.IsScrollBarVisible() || !BarRect(bar).Contains(p))
        return TBarPart::None;
    const TBarGeometry g = Geometry(bar);
    const int along = g.Along(p);
    if (along < g.Arrow)
        return TBarPart::LineBack;
    if (along >= g.Length - g.Arrow)
        return TBarPart::LineForward;
    if (g.ThumbLength == 0)
        return TBarPart::None;
    if (along < g.ThumbStart)
        return TBarPart::PageBack;
    if (along < g.ThumbStart + g.ThumbLength)
        return TBarPart::Thumb;
    return TBarPart::PageForward;
}

namespace {

// A small filled triangle pointing the arrow's way, centred in r.
void PaintArrowGlyph(TCanvas& canvas, const TRect& r, bool vertical, bool forward)
{
    const int cx = (r.Left + r.Right) / 2;
    const int cy = (r.Top + r.Bottom) / 2;
    canvas.Brush().Color = clBtnText;
    for (int i = 0; i < 4; ++i) {
        // Row i from the tip: 2i+1 pixels wide.
        const int at = forward ? 1 - i : i - 2;
        if (vertical)
            canvas.FillRect({ cx - i, cy + at, cx + i + 1, cy + at + 1 });
        else
            canvas.FillRect({ cx + at, cy - i, cx + at + 1, cy + i + 1 });
    }
}

void PaintButtonFace(TCanvas& canvas, const TRect& r)
{
    canvas.Brush().Color = clBtnFace;
    canvas.FillRect(r);
    canvas.Brush().Color = clBtnShadow;
    canvas.FrameRect(r);
}

} // namespace

void TScrollBox::PaintBar(TCanvas& canvas, const TControlScrollBar& bar) const
{
    const TBarGeometry g = Geometry(bar);
    canvas.Brush().Color = clScrollBar;
    canvas.FillRect(g.Bar);
    const TRect back = g.Part(0, g.Arrow);
    const TRect forward = g.Part(g.Length - g.Arrow, g.Length);
    PaintButtonFace(canvas, back);
    PaintArrowGlyph(canvas, back, g.Vertical, false);
    PaintButtonFace(canvas, forward);
    PaintArrowGlyph(canvas, forward, g.Vertical, true);
    if (g.ThumbLength > 0)
        PaintButtonFace(canvas, g.Part(g.ThumbStart, g.ThumbStart + g.ThumbLength));
}

void TScrollBox::PaintWindow(HDC dc)
{
    TCanvas canvas(dc);
    for (const TControlScrollBar* bar : { &horz_, &vert_ }) {
        if (bar->IsScrollBarVisible())
            PaintBar(canvas, *bar);
    }
    if (horz_.IsScrollBarVisible() && vert_.IsScrollBarVisible()) {
        const TRect full = TWinControl::ClientRect();
        canvas.Brush().Color = clBtnFace;
        canvas.FillRect({ full.Right - kScrollBarSize, full.Bottom - kScrollBarSize, full.Right, full.Bottom });
    }
}

bool TScrollBox::BarMouseMessage(TMessage& message)
{
    const TPoint p = LParamToPoint(message.LParam);
    if (pressedBar_) {
        pointer_ = p;
        if (message.Msg == WM_MOUSEMOVE && pressedPart_ == TBarPart::Thumb)
            DragThumb(p);
        if (message.Msg == WM_LBUTTONUP) {
            if (pressedPart_ == TBarPart::Thumb)
                DragThumb(p);
            ReleaseBar();
        }
        return true;
    }
    // A child the button went down on keeps the mouse until it comes up.
    if (Application && Application->CaptureControl() && Application->CaptureControl() != this)
        return false;
    const TRect client = ClientRect();
    if (client.Contains(p) || !TWinControl::ClientRect().Contains(p))
        return false;
    if (message.Msg == WM_MOUSEMOVE && Application)
        Application->HintMouseMessage(this, message);
    if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) {
        for (TControlScrollBar* bar : { &horz_, &vert_ }) {
            if (PartAt(*bar, p) != TBarPart::None) {
                PressBar(*bar, p);
                break;
            }
        }
    }
    return true;
}

void TScrollBox::PressBar(TControlScrollBar& bar, TPoint p)
{
    const TBarPart part = PartAt(bar, p);
    const TBarGeometry g = Geometry(bar);
    pressedBar_ = &bar;
    pressedPart_ = part;
    pointer_ = p;
    SetCapture(Handle());
    if (part == TBarPart::Thumb) {
        grabOffset_ = g.Along(p) - g.ThumbStart;
        dragStart_ = g.ThumbStart;
        Invalidate();
        return;
    }
    StepPressedPart();
    SetTimer(Handle(), kRepeatTimer, kFirstRepeatDelay);
}

void TScrollBox::StepPressedPart()
{
    TControlScrollBar& bar = *pressedBar_;
    // Off the arrow, or the thumb has reached the pointer: wait.
    if (PartAt(bar, pointer_) != pressedPart_)
        return;
    switch (pressedPart_) {
    case TBarPart::LineBack:
        ScrollTo(bar, bar.position_ - bar.increment_);
        break;
    case TBarPart::LineForward:
        ScrollTo(bar, bar.position_ + bar.increment_);
        break;
    case TBarPart::PageBack:
        ScrollTo(bar, bar.position_ - bar.page_);
        break;
    case TBarPart::PageForward:
        ScrollTo(bar, bar.position_ + bar.page_);
        break;
    case TBarPart::None:
    case TBarPart::Thumb:
        return;
    }
    Invalidate();
}

void TScrollBox::DragThumb(TPoint p)
{
    TControlScrollBar& bar = *pressedBar_;
    const TBarGeometry g = Geometry(bar);
    dragStart_ = std::clamp(g.Along(p) - grabOffset_, g.Arrow, g.Arrow + g.TrackLength - g.ThumbLength);
    if (bar.tracking_)
        ScrollTo(bar, g.PositionAt(dragStart_));
    Invalidate();
}

void TScrollBox::ReleaseBar()
{
    TControlScrollBar* bar = pressedBar_;
    const TBarPart part = pressedPart_;
    const int position = Geometry(*bar).PositionAt(dragStart_);
    pressedBar_ = nullptr;
    pressedPart_ = TBarPart::None;
    if (HandleAllocated()) {
        KillTimer(Handle(), kRepeatTimer);
        if (GetCapture() == Handle())
            ReleaseCapture();
    }
    if (part == TBarPart::Thumb)
        ScrollTo(*bar, position);
    Invalidate();
}

void TScrollBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEWHEEL: {
        const int notches = GET_WHEEL_DELTA_WPARAM(message.WParam) / WHEEL_DELTA;
        TControlScrollBar& bar = vert_.IsScrollBarVisible() ? vert_ : horz_;
        ScrollTo(bar, bar.position_ - notches * 3 * bar.increment_);
        Invalidate();
        message.Result = 1;
        return;
    }
    case WM_TIMER:
        if (message.WParam != kRepeatTimer)
            break;
        if (!pressedBar_) {
            KillTimer(Handle(), kRepeatTimer);
            return;
        }
        SetTimer(Handle(), kRepeatTimer, kRepeatDelay);
        StepPressedPart();
        return;
    case WM_PAINT: {
        TWinControl::WndProc(message);
        // The bars lie above the children: paint them again over a graphic child that reaches
        // under them.
        const TRect client = ClientRect();
        bool covered = false;
        for (int i = 0; i < ControlCount() && !covered; ++i) {
            const TControl* c = Controls(i);
            covered = c->Visible() && dynamic_cast<const TWinControl*>(c) == nullptr
                && (c->Left() + c->Width() > client.Right || c->Top() + c->Height() > client.Bottom);
        }
        if (covered && HandleAllocated()) {
            HDC given = reinterpret_cast<HDC>(message.WParam);
            HDC dc = given ? given : GetDC(Handle());
            try {
                PaintWindow(dc);
            } catch (...) {
                if (!given)
                    ReleaseDC(Handle(), dc);
                throw;
            }
            if (!given)
                ReleaseDC(Handle(), dc);
        }
        return;
    }
    case WM_CAPTURECHANGED:
        if (pressedBar_ && reinterpret_cast<HWND>(message.LParam) != Handle())
            ReleaseBar();
        break;
    default:
        if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MOUSELAST && BarMouseMessage(message))
            return;
        break;
    }
    TWinControl::WndProc(message);
}
