#pragma once
#include "host/ui/WinControl.h"

enum TScrollBarKind : std::uint8_t { sbHorizontal, sbVertical };

// One scroll bar of a scroll box: its range follows the children's extent.
class TControlScrollBar : public TPersistent {
    DECLARE_CLASS(TControlScrollBar, TPersistent)

public:
    explicit TControlScrollBar(TScrollBarKind kind)
        : kind_(kind)
    {
    }

    TScrollBarKind Kind() const { return kind_; }
    int Position() const { return position_; }
    void SetPosition(int value);
    int Range() const { return range_; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    int Increment() const { return increment_; }
    void SetIncrement(int value) { increment_ = std::max(value, 1); }
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool value) { smooth_ = value; }
    bool Tracking() const { return tracking_; }
    void SetTracking(bool value) { tracking_ = value; }
    // Shown: visible and the range exceeds the client size.
    bool IsScrollBarVisible() const { return visible_ && shown_; }

    void Assign(const TPersistent& source) override;

private:
    friend class TScrollBox;

    TScrollBarKind kind_;
    int position_ = 0;
    int range_ = 0;
    int page_ = 0;
    int increment_ = 8;
    bool visible_ = true;
    bool shown_ = false;
    bool smooth_ = false;
    bool tracking_ = false;
    class TScrollBox* owner_ = nullptr;
};

// A container that scrolls its children: the range is their extent, scrolling moves them.
class TScrollBox : public TWinControl {
    DECLARE_CLASS(TScrollBox, TWinControl)

public:
    static constexpr int kScrollBarSize = 16;

    explicit TScrollBox(TComponent* owner);

    TControlScrollBar& HorzScrollBar() { return horz_; }
    void SetHorzScrollBar(const TControlScrollBar& value) { horz_.Assign(value); }
    TControlScrollBar& VertScrollBar() { return vert_; }
    void SetVertScrollBar(const TControlScrollBar& value) { vert_.Assign(value); }

    TRect ClientRect() const override;
    // Recomputes the ranges from the children's extent.
    void UpdateScrollBars();
    void ScrollInView(TControl* control);

protected:
    void AlignControls(TControl* control, TRect& rect) override;
    void PaintWindow(HDC dc) override;
    void ControlsChanged() override { UpdateScrollBars(); }
    void ChildBoundsChanged(TControl* control) override;
    void WndProc(TMessage& message) override;
    void Resize() override { UpdateScrollBars(); }

private:
    friend class TControlScrollBar;
    // Where things lie along a scroll bar.
    struct TBarGeometry;
    // What the pointer pressed on a bar.
    enum class TBarPart : std::uint8_t { None, LineBack, LineForward, PageBack, PageForward, Thumb };

    void ScrollTo(TControlScrollBar& bar, int position);
    TRect BarRect(const TControlScrollBar& bar) const;
    TBarGeometry Geometry(const TControlScrollBar& bar) const;
    TBarPart PartAt(const TControlScrollBar& bar, TPoint p) const;
    void PaintBar(TCanvas& canvas, const TControlScrollBar& bar) const;
    // Mouse messages over a bar, or while one is pressed; false for the children's.
    bool BarMouseMessage(TMessage& message);
    void PressBar(TControlScrollBar& bar, TPoint p);
    // One line or page step of the pressed part, while the pointer still asks for it.
    void StepPressedPart();
    void DragThumb(TPoint p);
    void ReleaseBar();

    TControlScrollBar horz_ { sbHorizontal };
    TControlScrollBar vert_ { sbVertical };
    bool updating_ = false;
    // The bar being pressed, the part, the pointer now; for the thumb, where it was grabbed and
    // where it is dragged to (along the bar).
    TControlScrollBar* pressedBar_ = nullptr;
    TBarPart pressedPart_ = TBarPart::None;
    TPoint pointer_;
    int grabOffset_ = 0;
    int dragStart_ = 0;
};
