#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "host/gfx/Canvas.h"
#include "host/gfx/Colors.h"
#include "host/gfx/Font.h"
#include "host/ui/Component.h"
#include "host/ui/FontProperties.h"
#include "host/ui/ShiftState.h"
#include "host/win/Backend.h"
#include "host/win/Cursors.h"
#include "host/win/Messages.h"

class TWinControl;

// The framework's own notifications between controls.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7; // lParam: the control taking the focus
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 44; // wParam: the control; lParam: 1 inserted, 0 removed

// A message as a control's WndProc handles it; Result is the answer.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
inline const TEnumInfo& EnumInfo(TTypeTag<TAlign>)
{
    static const TEnumInfo info("TAlign", { "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient" });
    return info;
}

// The host's mouse buttons are the window system's.
constexpr TMouseButton mbLeft = TMouseButton::Left;
constexpr TMouseButton mbRight = TMouseButton::Right;
constexpr TMouseButton mbMiddle = TMouseButton::Middle;

// The shift state of a mouse message's wParam.
TShiftState MouseShiftState(WPARAM keys);
// The shift state of the keyboard now.
TShiftState KeyboardShiftState();

// The host's cursor numbers; crDefault is the class cursor (the arrow).
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
const TEnumInfo& CursorIdents();
HCURSOR CursorToSystem(TCursor cursor);

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;
// The character typed; a handler that sets Key to 0 swallows it.
using TKeyPressEvent = std::function<void(TObject* Sender, char32_t& Key)>;

class TPopupMenu;

// A visible element with a place inside its parent's client area. A TControl without a window
// of its own is painted by its parent and gets its mouse messages through it.
class TControl : public TComponent {
    DECLARE_CLASS(TControl, TComponent)

public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual TRect ClientRect() const { return { 0, 0, width_, height_ }; }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int value) { SetWidth(width_ - ClientWidth() + value); }
    virtual void SetClientHeight(int value) { SetHeight(height_ - ClientHeight() + value); }
    // Where the client area's (0, 0) lies in the parent's client coordinates.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so are all its parents (a form: its window is shown).
    virtual bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& value) { font_.Assign(value); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    const std::string& Caption() const { return text_; }
    void SetCaption(const std::string& value) { SetText(value); }
    const std::string& Text() const { return text_; }
    virtual void SetText(const std::string& value);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value);
    // The hint the pointer shows over this control: its own, else the nearest non-empty one
    // up the parent chain.
    std::string EffectiveHint() const;
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* value);

    // Sends a message straight to the control's WndProc.
    LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void WndProc(TMessage& message);
    // What the control does with a message nobody handled.
    virtual void DefaultHandler(TMessage& message);

    virtual void Invalidate();
    virtual void Update();
    void Repaint();
    void Refresh() { Repaint(); }
    virtual void BringToFront();
    virtual void SendToBack();

    // The form that holds the control, or none.
    class TCustomForm* GetParentForm() const;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

    virtual void Click();

protected:
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // Notifications, each sent as its CM_ message through WndProc.
    virtual void CMMouseEnter(TMessage&) { }
    virtual void CMMouseLeave(TMessage&) { }
    virtual void CMFontChanged(TMessage&) { Invalidate(); }
    virtual void CMColorChanged(TMessage&) { Invalidate(); }
    virtual void CMEnabledChanged(TMessage&) { Invalidate(); }
    virtual void CMVisibleChanged(TMessage&);
    virtual void CMTextChanged(TMessage&) { Invalidate(); }
    virtual void CMParentFontChanged(TMessage&);
    virtual void CMParentColorChanged(TMessage&);
    virtual void CMParentShowHintChanged(TMessage&);
    // A control's own bounds (in the parent's client coordinates) changed; windowed controls
    // move their window.
    virtual void BoundsChanged();
    virtual void Resize() { }
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    bool IsParentColorStored() const { return !parentColor_; }
    bool IsColorStored() const { return !parentColor_; }
    bool IsFontStored() const { return !parentFont_; }
    bool IsShowHintStored() const { return !parentShowHint_; }
    bool Loading() const { return ComponentState().Contains(csLoading); }

private:
    friend class TWinControl;
    void FontChanged();
    void MouseMessage(TMessage& message);

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = alNone;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clWindow;
    bool parentColor_ = false;
    TFont font_;
    bool parentFont_ = true;
    std::string text_;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TCursor cursor_ = crDefault;
    TPopupMenu* popupMenu_ = nullptr;
    bool inFontChange_ = false;
};
