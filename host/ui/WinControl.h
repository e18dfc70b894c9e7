#pragma once
#include <memory>
#include <vector>

#include "host/ui/Control.h"
#include "host/win/Window.h"

// A control with a window of its own: it holds child controls, takes the focus and keyboard
// input, and paints itself and its graphic children when its window is painted.
class TWinControl : public TControl {
    DECLARE_CLASS(TWinControl, TControl)

public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    HWND Handle();
    // The window handle of the parent to create a child window in (a form: its owner).
    virtual HWND ParentWindow() const;

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(static_cast<std::size_t>(index)); }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // The visible, enabled child control at a client point (graphic controls above windowed ones
    // only where they do not overlap), or none.
    TControl* ControlAtPos(TPoint p, bool allowDisabled = false) const;
    bool ContainsControl(const TControl* control) const;

    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }
    // Children that take part in tab order, in that order.
    const std::vector<TWinControl*>& TabList() const { return tabList_; }
    virtual bool CanFocus() const;
    virtual void SetFocus();
    bool Focused() const;
    // The next windowed control in tab order after current (none: the first), searching the
    // whole subtree; wraps around.
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop) const;

    // Lays the aligned children out in the client area (alTop, alBottom, alLeft, alRight, then
    // alClient over what remains).
    void Realign();
    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();
    // Moves every child by (dx, dy), and what is painted with them.
    virtual void ScrollBy(int dx, int dy);
    // Asks the parent chain to bring this child into view (a page control selects its page).
    virtual void ShowControl(TControl* control);

    TRect ClientRect() const override;
    void SetBounds(int left, int top, int width, int height) override;
    TPoint ClientOrigin() const override;
    bool Showing() const override;
    void SetEnabled(bool value) override;
    void SetText(const std::string& value) override;

    void Invalidate() override;
    void Update() override;
    void BringToFront() override;
    void SendToBack() override;

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    // Sends a message to every child control.
    void Broadcast(TMessage& message);
    // Paints the window into a device context: the background (unless the control paints all of
    // it), the control itself, then its visible graphic children.
    void PaintTo(HDC dc, int x, int y);

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateHandle();
    virtual void DestroyHandle();
    // After the window exists (children get theirs here).
    virtual void CreateWnd();
    // The part of the client area that aligned children share.
    virtual void AdjustClientRect(TRect& rect) const { (void)rect; }
    virtual void AlignControls(TControl* control, TRect& rect);
    virtual void PaintWindow(HDC dc) { (void)dc; }
    void PaintControls(HDC dc);
    virtual void EraseBackground(HDC dc);
    // A child came or went (CM_CONTROLLISTCHANGE already sent).
    virtual void ControlsChanged() { }
    // A child moved or changed its size.
    virtual void ChildBoundsChanged(TControl* control);
    virtual void KeyDown(std::uint16_t& key, TShiftState shift);
    virtual void KeyUp(std::uint16_t& key, TShiftState shift);
    virtual void KeyPress(char32_t& key);
    virtual void DoEnter();
    virtual void DoExit();
    void BoundsChanged() override;
    void CMVisibleChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void CMColorChanged(TMessage& message) override;
    void CMParentShowHintChanged(TMessage& message) override;
    void Loaded() override;
    // The window rectangle for the bounds: parent client coordinates, or the screen.
    virtual TRect WindowBounds() const { return BoundsRect(); }
    // The window changed its bounds by itself (the user sized a form).
    virtual void WindowMoved();

private:
    friend class TControl;
    void MainWndProc(HWND wnd, TMessage& message);
    void WMPaint(TMessage& message);
    void MouseToControl(TMessage& message);
    void UpdateWindowVisibility();
    void PassFontAndColor(UINT msg);

    HWND handle_ = nullptr;
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    bool tabStop_ = false;
    int alignDisabled_ = 0;
    bool aligning_ = false;
    bool settingBounds_ = false;
};
