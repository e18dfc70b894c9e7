#include "host/ui/Control.h"

#include "host/ui/Application.h"
#include "host/ui/ColorIdents.h"
#include "host/ui/Forms.h"
#include "host/ui/Menus.h"
#include "host/ui/WinControl.h"
#include "host/win/Input.h"
#include "host/win/Painting.h"
#include "host/win/VirtualKeys.h"
#include "host/win/Window.h"

TShiftState MouseShiftState(WPARAM keys)
{
    TShiftState s;
    if (keys & MK_SHIFT)
        s.Include(TShiftStateItem::ssShift);
    if (keys & MK_CONTROL)
        s.Include(TShiftStateItem::ssCtrl);
    if (keys & MK_LBUTTON)
        s.Include(TShiftStateItem::ssLeft);
    if (keys & MK_RBUTTON)
        s.Include(TShiftStateItem::ssRight);
    if (keys & MK_MBUTTON)
        s.Include(TShiftStateItem::ssMiddle);
    if (GetKeyState(VK_MENU) & 0x8000)
        s.Include(TShiftStateItem::ssAlt);
    return s;
}

TShiftState KeyboardShiftState()
{
    TShiftState s;
    if (GetKeyState(VK_SHIFT) & 0x8000)
        s.Include(TShiftStateItem::ssShift);
    if (GetKeyState(VK_CONTROL) & 0x8000)
        s.Include(TShiftStateItem::ssCtrl);
    if (GetKeyState(VK_MENU) & 0x8000)
        s.Include(TShiftStateItem::ssAlt);
    return s;
}

const TEnumInfo& CursorIdents()
{
    static const TEnumInfo info("TCursor",
        { { "crDefault", crDefault }, { "crNone", crNone }, { "crArrow", crArrow }, { "crCross", crCross },
            { "crIBeam", crIBeam }, { "crSizeNESW", crSizeNESW }, { "crSizeNS", crSizeNS }, { "crSizeNWSE", crSizeNWSE },
            { "crSizeWE", crSizeWE }, { "crUpArrow", crUpArrow }, { "crHourGlass", crHourGlass }, { "crNo", crNo },
            { "crAppStart", crAppStart }, { "crHelp", crHelp }, { "crHandPoint", crHandPoint }, { "crSizeAll", crSizeAll } });
    return info;
}

HCURSOR CursorToSystem(TCursor cursor)
{
    switch (cursor) {
    case crCross:
        return IDC_CROSS;
    case crIBeam:
        return IDC_IBEAM;
    case crSizeNESW:
        return IDC_SIZENESW;
    case crSizeNS:
        return IDC_SIZENS;
    case crSizeNWSE:
        return IDC_SIZENWSE;
    case crSizeWE:
        return IDC_SIZEWE;
    case crUpArrow:
        return IDC_UPARROW;
    case crHourGlass:
        return IDC_WAIT;
    case crNo:
        return IDC_NO;
    case crAppStart:
        return IDC_APPSTARTING;
    case crHelp:
        return IDC_HELP;
    case crHandPoint:
        return IDC_HAND;
    case crSizeAll:
        return IDC_SIZEALL;
    default:
        return IDC_ARROW;
    }
}

void TControl::Publish(TPublisher<TControl>& p)
{
    p.Property("Left", &TControl::Left, &TControl::SetLeft);
    p.Property("Top", &TControl::Top, &TControl::SetTop);
    p.Property("Width", &TControl::Width, &TControl::SetWidth);
    p.Property("Height", &TControl::Height, &TControl::SetHeight);
    p.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    p.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    p.Property("Color", &TControl::Color, &TControl::SetColor).Idents(ColorIdents()).Stored(&TControl::IsColorStored);
    p.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
    p.Property("Font", static_cast<TFont& (TControl::*)()>(&TControl::Font), &TControl::SetFont).Stored(&TControl::IsFontStored);
    p.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    p.Property("Hint", &TControl::Hint, &TControl::SetHint);
    p.Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Stored(&TControl::IsShowHintStored);
    p.Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).Default(true);
    p.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    p.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    p.Property("Cursor", &TControl::Cursor, &TControl::SetCursor).Idents(CursorIdents()).Default(crDefault);
    p.Property("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
    p.Event("OnClick", &TControl::OnClick);
    p.Event("OnDblClick", &TControl::OnDblClick);
    p.Event("OnMouseDown", &TControl::OnMouseDown);
    p.Event("OnMouseMove", &TControl::OnMouseMove);
    p.Event("OnMouseUp", &TControl::OnMouseUp);
}

TControl::TControl(TComponent* owner)
    : TComponent(owner)
{
    font_.OnChange = [this] { FontChanged(); };
}

TControl::~TControl()
{
    Destroying();
    if (Application)
        Application->ControlDestroyed(this);
    if (parent_)
        parent_->RemoveControl(this);
}

TComponent* TControl::GetParentComponent() const
{
    return parent_;
}

void TControl::SetParentComponent(TComponent* parent)
{
    if (auto* wc = dynamic_cast<TWinControl*>(parent))
        SetParent(wc);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_)
        return;
    if (auto* self = dynamic_cast<TWinControl*>(this); parent == this || (self && parent && self->ContainsControl(parent)))
        throw EComponentError("A control cannot have itself as its parent");
    if (parent_)
        parent_->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    const bool resized = width != width_ || height != height_;
    // A graphic control repaints where it was and where it goes; a window does that itself.
    const bool graphic = dynamic_cast<TWinControl*>(this) == nullptr;
    if (graphic)
        Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged();
    if (graphic)
        Invalidate();
    if (resized)
        Resize();
    if (parent_)
        parent_->ChildBoundsChanged(this);
}

void TControl::BoundsChanged()
{
}

TPoint TControl::ClientOrigin() const
{
    if (!parent_)
        return { left_, top_ };
    const TPoint p = parent_->ClientOrigin();
    return { p.X + left_, p.Y + top_ };
}

TPoint TControl::ClientToScreen(TPoint p) const
{
    const TPoint o = ClientOrigin();
    return { p.X + o.X, p.Y + o.Y };
}

TPoint TControl::ScreenToClient(TPoint p) const
{
    const TPoint o = ClientOrigin();
    return { p.X - o.X, p.Y - o.Y };
}

void TControl::SetAlign(TAlign value)
{
    if (value == align_)
        return;
    align_ = value;
    if (parent_)
        parent_->Realign();
}

void TControl::SetVisible(bool value)
{
    if (value == visible_)
        return;
    if (!value)
        Invalidate();
    visible_ = value;
    Perform(CM_VISIBLECHANGED, value, 0);
    if (value)
        Invalidate();
    if (parent_ && align_ != alNone)
        parent_->Realign();
}

bool TControl::Showing() const
{
    return visible_ && parent_ && parent_->Showing();
}

void TControl::CMVisibleChanged(TMessage&)
{
}

void TControl::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor value)
{
    parentColor_ = false;
    if (value == color_)
        return;
    color_ = value;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool value)
{
    if (value == parentColor_)
        return;
    parentColor_ = value;
    if (value && parent_)
        Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::CMParentColorChanged(TMessage&)
{
    if (parentColor_ && parent_ && color_ != parent_->Color()) {
        color_ = parent_->Color();
        Perform(CM_COLORCHANGED, 0, 0);
    }
}

void TControl::FontChanged()
{
    if (inFontChange_)
        return;
    parentFont_ = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool value)
{
    if (value == parentFont_)
        return;
    parentFont_ = value;
    if (value && parent_)
        Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::CMParentFontChanged(TMessage&)
{
    if (!parentFont_ || !parent_)
        return;
    inFontChange_ = true;
    font_.Assign(parent_->Font());
    inFontChange_ = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetText(const std::string& value)
{
    if (value == text_)
        return;
    text_ = value;
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetShowHint(bool value)
{
    parentShowHint_ = false;
    if (value == showHint_)
        return;
    showHint_ = value;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool value)
{
    if (value == parentShowHint_)
        return;
    parentShowHint_ = value;
    if (value && parent_)
        Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::CMParentShowHintChanged(TMessage&)
{
    if (parentShowHint_ && parent_)
        showHint_ = parent_->ShowHint();
}

std::string TControl::EffectiveHint() const
{
    for (const TControl* c = this; c; c = c->parent_) {
        if (!c->hint_.empty())
            return c->hint_;
    }
    return {};
}

void TControl::SetCursor(TCursor value)
{
    if (value == cursor_)
        return;
    cursor_ = value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* value)
{
    if (popupMenu_ == value)
        return;
    popupMenu_ = value;
    if (value)
        FreeNotification(value);
}

void TControl::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && popupMenu_ && component == popupMenu_)
        popupMenu_ = nullptr;
}

void TControl::Loaded()
{
    TComponent::Loaded();
    if (parent_) {
        if (parentColor_)
            Perform(CM_PARENTCOLORCHANGED, 0, 0);
        if (parentFont_)
            Perform(CM_PARENTFONTCHANGED, 0, 0);
        if (parentShowHint_)
            Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    }
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage message { msg, wParam, lParam, 0 };
    WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& message)
{
    if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MOUSELAST) {
        if (Application)
            Application->HintMouseMessage(this, message);
        MouseMessage(message);
        return;
    }
    switch (message.Msg) {
    case CM_MOUSEENTER:
        CMMouseEnter(message);
        break;
    case CM_MOUSELEAVE:
        CMMouseLeave(message);
        break;
    case CM_FONTCHANGED:
        CMFontChanged(message);
        break;
    case CM_COLORCHANGED:
        CMColorChanged(message);
        break;
    case CM_ENABLEDCHANGED:
        CMEnabledChanged(message);
        break;
    case CM_VISIBLECHANGED:
        CMVisibleChanged(message);
        break;
    case CM_TEXTCHANGED:
        CMTextChanged(message);
        break;
    case CM_PARENTFONTCHANGED:
        CMParentFontChanged(message);
        break;
    case CM_PARENTCOLORCHANGED:
        CMParentColorChanged(message);
        break;
    case CM_PARENTSHOWHINTCHANGED:
        CMParentShowHintChanged(message);
        break;
    default:
        DefaultHandler(message);
        break;
    }
}

void TControl::DefaultHandler(TMessage&)
{
}

void TControl::MouseMessage(TMessage& message)
{
    const int x = GET_X_LPARAM(message.LParam);
    const int y = GET_Y_LPARAM(message.LParam);
    const TShiftState shift = MouseShiftState(message.WParam);
    switch (message.Msg) {
    case WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        break;
    case WM_LBUTTONDOWN:
        MouseDown(mbLeft, shift, x, y);
        break;
    case WM_RBUTTONDOWN:
        MouseDown(mbRight, shift, x, y);
        break;
    case WM_MBUTTONDOWN:
        MouseDown(mbMiddle, shift, x, y);
        break;
    case WM_LBUTTONDBLCLK:
        DblClick();
        MouseDown(mbLeft, shift + TShiftState { TShiftStateItem::ssDouble }, x, y);
        break;
    case WM_RBUTTONDBLCLK:
        MouseDown(mbRight, shift + TShiftState { TShiftStateItem::ssDouble }, x, y);
        break;
    case WM_LBUTTONUP: {
        // A release over the control that was pressed is a click.
        const bool inside = x >= 0 && y >= 0 && x < width_ && y < height_;
        MouseUp(mbLeft, shift, x, y);
        if (inside && Application && Application->TakeClickTarget(this))
            Click();
        break;
    }
    case WM_RBUTTONUP:
        MouseUp(mbRight, shift, x, y);
        if (popupMenu_ && popupMenu_->AutoPopup()) {
            const TPoint screen = ClientToScreen({ x, y });
            popupMenu_->SetPopupComponent(this);
            popupMenu_->Popup(screen.X, screen.Y);
        }
        break;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, shift, x, y);
        break;
    default:
        DefaultHandler(message);
        break;
    }
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && Application)
        Application->SetClickTarget(this);
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::Invalidate()
{
    if (!parent_ || !parent_->HandleAllocated() || !visible_)
        return;
    const TRect r = BoundsRect();
    InvalidateRect(parent_->Handle(), &r, true);
}

void TControl::Update()
{
    if (parent_)
        parent_->Update();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::BringToFront()
{
    if (!parent_)
        return;
    auto& list = parent_->controls_;
    std::erase(list, this);
    list.push_back(this);
    Invalidate();
}

void TControl::SendToBack()
{
    if (!parent_)
        return;
    auto& list = parent_->controls_;
    std::erase(list, this);
    list.insert(list.begin(), this);
    Invalidate();
}

TCustomForm* TControl::GetParentForm() const
{
    const TControl* c = this;
    while (c->parent_)
        c = c->parent_;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}
