#include <algorithm>

#include "host/ui/ColorIdents.h"
#include "host/ui/Publisher.h"
#include "skin/controls/SUIButton.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIPublic.h"

namespace {

// Frames of a check box image: checked, unchecked, checked disabled, unchecked disabled.
int StateFrame(bool Checked, bool Enabled)
{
    return (Checked ? 1 : 2) + (Enabled ? 0 : 2);
}

} // namespace

void TsuiCheckBox::Publish(TPublisher<TsuiCheckBox>& p)
{
    p.Property("UIStyle", &TsuiCheckBox::UIStyle, &TsuiCheckBox::SetUIStyle);
    p.Property("FileTheme", &TsuiCheckBox::FileTheme, &TsuiCheckBox::SetFileTheme);
    p.Property("AutoSize", &TsuiCheckBox::AutoSize, &TsuiCheckBox::SetAutoSize).Default(true);
    p.Property("Checked", &TsuiCheckBox::Checked, &TsuiCheckBox::SetChecked).Default(false);
    p.Property("State", &TsuiCheckBox::State, &TsuiCheckBox::SetState).Default(cbUnchecked);
    p.Property("Transparent", &TsuiCheckBox::Transparent, &TsuiCheckBox::SetTransparent).Default(false);
    p.Property("Color", &TsuiCheckBox::Color, &TsuiCheckBox::SetColor)
        .Idents(ColorIdents())
        .Default(clWindow)
        .Stored(&TsuiCheckBox::IsColorStored);
    p.Property("ParentColor", &TsuiCheckBox::ParentColor, &TsuiCheckBox::SetParentColor).Default(true);
}

TsuiCheckBox::TsuiCheckBox(TComponent* Owner)
    : TCustomControl(Owner)
{
    SetHeight(17);
    SetWidth(93);
    SetTabStop(true);
    SetParentColor(true);
    SetUIStyle(GetOwnerFormUIStyle(Owner));
}

TsuiCheckBox::~TsuiCheckBox() = default;

void TsuiCheckBox::SetChecked(bool Value)
{
    if (Value == FChecked)
        return;
    FChecked = Value;
    CheckedChanged();
    Repaint();
}

void TsuiCheckBox::SetUIStyle(TsuiUIStyle Value)
{
    FUIStyle = Value;
    Repaint();
}

void TsuiCheckBox::SetFileTheme(TsuiFileTheme* Value)
{
    if (FFileTheme)
        RemoveFreeNotification(FFileTheme);
    FFileTheme = Value;
    if (FFileTheme)
        FreeNotification(FFileTheme);
    SetUIStyle(FUIStyle);
}

void TsuiCheckBox::SetTransparent(bool Value)
{
    FTransparent = Value;
    Repaint();
}

void TsuiCheckBox::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    Repaint();
}

void TsuiCheckBox::ClickAction()
{
    SetChecked(!FChecked);
    Toggled();
}

void TsuiCheckBox::Click()
{
    if (CanFocus() && Enabled())
        SetFocus();
    ClickAction();
    TCustomControl::Click();
}

void TsuiCheckBox::Paint()
{
    TBitmap state;
    state.SetTransparent(IsStateImageTransparent());
    TBitmap buffer = CreateCompatibleBitmap(Canvas().Handle(), 0, 0);
    TCanvas& canvas = buffer.Canvas();
    canvas.Font().Assign(Font());

    GetControlBitmapFrame(FFileTheme, FUIStyle, GetStateImageEntry(), state, 4, StateFrame(FChecked, Enabled()));

    const int textHeight = canvas.TextHeight("W");
    if (FAutoSize) {
        SetHeight(std::max(textHeight + 2, state.Height()) + 4);
        SetWidth(state.Width() + canvas.TextWidth(Caption()) + 8);
    }
    buffer.SetSize(Width(), Height());

    const TRect client = ClientRect();
    if (FTransparent) {
        DrawParentBackground(canvas, this);
    } else {
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Brush().Color = Color();
        canvas.FillRect(client);
    }
    if (!state.Empty())
        canvas.Draw(1, (client.Height() - state.Height()) / 2, state);

    canvas.Brush().Style = TBrushStyle::bsClear;
    const int x = state.Width() + 4;
    const int y = (client.Height() - textHeight) / 2;
    // Plain text: an accelerator's ampersand stays visible.
    canvas.TextOut(x, y, Caption());
    if (TabStop() && Focused()) {
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.DrawFocusRect({ x - 1, y, Width(), y + textHeight + 2 });
    }
    Canvas().Draw(0, 0, buffer);
}

void TsuiCheckBox::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    // A quick second click is a second toggle, not a double click.
    Params.ClassStyle &= ~CS_DBLCLKS;
}

void TsuiCheckBox::WndProc(TMessage& Message)
{
    FPress.Arrived(Message);
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_FOCUSCHANGED:
        TCustomControl::WndProc(Message);
        Repaint();
        return;
    case CM_DIALOGCHAR:
        TCustomControl::WndProc(Message);
        if (Message.Result == 0 && Enabled() && IsAccel(static_cast<std::uint32_t>(Message.WParam), Caption())) {
            if (CanFocus())
                SetFocus();
            Click();
            Message.Result = 1;
        }
        return;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

void TsuiCheckBox::KeyDown(std::uint16_t& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    FPress.KeyLeft(Key);
}

void TsuiCheckBox::KeyUp(std::uint16_t& Key, TShiftState Shift)
{
    TCustomControl::KeyUp(Key, Shift);
    FPress.KeyLeft(Key);
}

void TsuiCheckBox::DefaultHandler(TMessage& Message)
{
    TCustomControl::DefaultHandler(Message);
    FPress.Unclaimed(Message);
}

void TsuiCheckBox::CMFontChanged(TMessage&)
{
    Repaint();
}

void TsuiCheckBox::Notification(TComponent* Component, TOperation Operation)
{
    TCustomControl::Notification(Component, Operation);
    if (Operation != opRemove || Component != FFileTheme || !FFileTheme)
        return;
    FFileTheme = nullptr;
    if (!ComponentState().Contains(csDestroying))
        SetUIStyle(DeepBlue);
}

void TsuiRadioButton::Publish(TPublisher<TsuiRadioButton>& p)
{
    p.Property("GroupIndex", &TsuiRadioButton::GroupIndex, &TsuiRadioButton::SetGroupIndex).Default(0);
}

void TsuiRadioButton::CheckedChanged()
{
    if (!Checked() || !Parent())
        return;
    TWinControl* parent = Parent();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* sibling = dynamic_cast<TsuiRadioButton*>(parent->Controls(i));
        if (sibling && sibling != this && sibling->GroupIndex() == FGroupIndex)
            sibling->SetChecked(false);
    }
}

void TsuiRadioButton::ClickAction()
{
    if (!Checked())
        SetChecked(true);
}
