#include <algorithm>

#include "host/gfx/MaskedImageList.h"
#include "host/gfx/Utf8.h"
#include "host/win/Timers.h"
#include "host/win/VirtualKeys.h"
#include "skin/controls/SUIButton.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIPublic.h"

namespace {

constexpr UINT_PTR kRepeatTimerId = 1;

char32_t FoldAscii(char32_t c)
{
    return c >= U'a' && c <= U'z' ? c - U'a' + U'A' : c;
}

bool IsBlank(const std::string& Text)
{
    return std::all_of(Text.begin(), Text.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

} // namespace

bool IsAccel(std::uint32_t CharCode, const std::string& Caption)
{
    const std::u32string text = DecodeUtf8(Caption);
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != U'&')
            continue;
        if (text[i + 1] == U'&') {
            ++i; // "&&" is a plain ampersand
            continue;
        }
        return FoldAscii(text[i + 1]) == FoldAscii(static_cast<char32_t>(CharCode));
    }
    return false;
}

void TsuiCustomButton::Publish(TPublisher<TsuiCustomButton>&)
{
}

TsuiCustomButton::TsuiCustomButton(TComponent* Owner)
    : TCustomControl(Owner)
{
    SetText("");
    SetTabStop(true);
    SetParentColor(true);
    SetUIStyle(GetOwnerFormUIStyle(Owner));
}

TsuiCustomButton::~TsuiCustomButton()
{
    FreeRepeatTimer();
}

void TsuiCustomButton::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    UpdateAutoSize();
    Repaint();
}

void TsuiCustomButton::SetCaption(const std::string& Value)
{
    FCaption = Value;
    CaptionChanged();
    Repaint();
}

void TsuiCustomButton::SetDefault(bool Value)
{
    FDefault = Value;
    // The form re-reads which button is its default one.
    if (!HandleAllocated() || !Parent())
        return;
    if (TCustomForm* form = GetParentForm())
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TsuiCustomButton::SetTransparent(bool Value)
{
    FTransparent = Value;
    TransparentChanged();
    Repaint();
}

void TsuiCustomButton::SetUIStyle(TsuiUIStyle Value)
{
    FUIStyle = Value;
    UIStyleChanged();
    Repaint();
}

void TsuiCustomButton::SetFileTheme(TsuiFileTheme* Value)
{
    if (FFileTheme)
        RemoveFreeNotification(FFileTheme);
    FFileTheme = Value;
    if (FFileTheme)
        FreeNotification(FFileTheme);
    SetUIStyle(FUIStyle);
}

void TsuiCustomButton::SetEnabled(bool Value)
{
    TCustomControl::SetEnabled(Value);
    EnabledChanged();
    Repaint();
}

void TsuiCustomButton::UpdateAutoSize()
{
    if (!FAutoSize)
        return;
    // The built-in image of the button's own style, never a theme file's.
    TBitmap image;
    GetThemeBitmap(FUIStyle, SUI_THEME_BUTTON_IMAGE, &image);
    const int height = image.Height() > 0 ? image.Height() : 21;
    const int width = image.Width() > 0 ? image.Width() : 74;
    SetHeight(height);
    SetWidth(width / 3);
}

void TsuiCustomButton::FontChanged()
{
    Canvas().Font().Assign(Font());
    Repaint();
}

void TsuiCustomButton::TransparentChanged()
{
    FFaceTransparent = FTransparent;
    Repaint();
}

void TsuiCustomButton::LoadFaceFrame(int Entry, int FrameCount, int FrameIndex, TBitmap& Bitmap)
{
    GetControlBitmapFrame(FFileTheme, FUIStyle, Entry, Bitmap, FrameCount, FrameIndex);
}

void TsuiCustomButton::GetNormalFace(TBitmap& Bitmap)
{
    LoadFaceFrame(SUI_THEME_BUTTON_IMAGE, 3, 1, Bitmap);
}

void TsuiCustomButton::GetMouseOverFace(TBitmap& Bitmap)
{
    LoadFaceFrame(SUI_THEME_BUTTON_IMAGE, 3, 2, Bitmap);
}

void TsuiCustomButton::GetPressedFace(TBitmap& Bitmap)
{
    LoadFaceFrame(SUI_THEME_BUTTON_IMAGE, 3, 3, Bitmap);
}

void TsuiCustomButton::GetDisabledFace(TBitmap& Bitmap)
{
    LoadFaceFrame(SUI_THEME_BUTTON_IMAGE, 3, 1, Bitmap);
}

void TsuiCustomButton::DrawFace(TCanvas& Canvas, TBitmap& FaceBitmap)
{
    if (FaceBitmap.Empty())
        return;
    TMaskedImageList images(FaceBitmap.Width(), FaceBitmap.Height());
    if (FFaceTransparent)
        images.AddMasked(FaceBitmap, FaceBitmap.GetPixel(0, 0));
    else
        images.Add(FaceBitmap);
    images.Draw(Canvas, 0, 0, 0, Enabled());
}

void TsuiCustomButton::DrawCaption(TCanvas& Canvas, const std::string& Text)
{
    Canvas.Brush().Style = TBrushStyle::bsClear;
    TRect r = ClientRect();
    Canvas.Font().Assign(Font());
    if (FBoldCaption)
        Canvas.Font().SetStyle(Canvas.Font().Style().With(TFontStyle::fsBold));
    const unsigned format = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
    if (!Enabled()) {
        Canvas.Font().SetColor(CaptionShadowColor);
        TRect shadow = r.Offset(1, 1);
        DrawText(Canvas, Text, shadow, format);
        Canvas.Font().SetColor(DisabledCaptionColor);
    } else if (Pressed()) {
        r = r.Offset(1, 1);
    }
    DrawText(Canvas, Text, r, format);
    FBoldCaption = false;
}

void TsuiCustomButton::DrawFocus(TCanvas& Canvas)
{
    Canvas.Brush().Style = TBrushStyle::bsSolid;
    const TRect client = ClientRect();
    Canvas.DrawFocusRect({ 2, 2, client.Right - 2, client.Bottom - 2 });
}

void TsuiCustomButton::Paint()
{
    TBitmap face;
    try {
        if (!Enabled())
            GetDisabledFace(face);
        else if (Pressed())
            GetPressedFace(face);
        else if (FMouseOver)
            GetMouseOverFace(face);
        else
            GetNormalFace(face);
    } catch (const std::exception&) {
        // A face that cannot be had leaves a blank one; the caption is still drawn.
        face = TBitmap(74, 21);
    }
    face.SetTransparent(FFaceTransparent);

    TBitmap buffer = CreateCompatibleBitmap(Canvas().Handle(), Width(), Height());
    TCanvas& canvas = buffer.Canvas();
    if (FTransparent) {
        DrawParentBackground(canvas, this);
    } else {
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Brush().Color = Color();
        canvas.FillRect(ClientRect());
    }
    DrawFace(canvas, face);
    if (Focused() && TabStop())
        DrawFocus(canvas);
    canvas.Font().Assign(Font());
    Canvas().Font().Assign(Font());
    if (!IsBlank(FCaption))
        DrawCaption(canvas, FCaption);
    Canvas().Draw(0, 0, buffer);
}

void TsuiCustomButton::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    // A quick second press is a second click, not a double click.
    Params.ClassStyle &= ~CS_DBLCLKS;
}

void TsuiCustomButton::WndProc(TMessage& Message)
{
    FPress.Arrived(Message);
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        // Paint covers every pixel.
        Message.Result = 1;
        return;
    case WM_TIMER:
        if (Message.WParam != kRepeatTimerId)
            break;
        if (FRepeatTimer && OnMouseContinuouslyDown)
            OnMouseContinuouslyDown(this);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_FOCUSCHANGED:
        TCustomControl::WndProc(Message);
        Repaint();
        return;
    case CM_DIALOGKEY: {
        const TShiftState shift = KeyboardShiftState();
        const bool plain = !shift.Contains(TShiftStateItem::ssShift) && !shift.Contains(TShiftStateItem::ssCtrl)
            && !shift.Contains(TShiftStateItem::ssAlt);
        if (((Message.WParam == VK_RETURN && FDefault) || (Message.WParam == VK_ESCAPE && FCancel)) && plain && CanFocus()) {
            Click();
            Message.Result = 1;
            return;
        }
        break;
    }
    case CM_DIALOGCHAR:
        TCustomControl::WndProc(Message);
        if (Message.Result == 0 && Enabled() && IsAccel(static_cast<std::uint32_t>(Message.WParam), FCaption)) {
            Click();
            Message.Result = 1;
        }
        return;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

void TsuiCustomButton::KeyDown(std::uint16_t& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    FPress.KeyLeft(Key);
}

void TsuiCustomButton::KeyUp(std::uint16_t& Key, TShiftState Shift)
{
    TCustomControl::KeyUp(Key, Shift);
    FPress.KeyLeft(Key);
}

void TsuiCustomButton::DefaultHandler(TMessage& Message)
{
    TCustomControl::DefaultHandler(Message);
    FPress.Unclaimed(Message);
}

void TsuiCustomButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        FPress.PressByMouse();
        if (!FRepeatTimer) {
            FRepeatTimer = true;
            // An interval of 0 (or below) never repeats.
            if (FMouseContinuouslyDownInterval > 0)
                SetTimer(Handle(), kRepeatTimerId, static_cast<UINT>(FMouseContinuouslyDownInterval));
        }
        Repaint();
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TsuiCustomButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    // The right and bottom edges still count as on the button.
    if (X < 0 || Y < 0 || X > Width() || Y > Height()) {
        FMouseOver = false;
        FPress.Release();
        Repaint();
    }
}

void TsuiCustomButton::Click()
{
    if (Pressed()) {
        FreeRepeatTimer();
        FPress.Release();
        Repaint();
    }
    if (TabStop() && CanFocus() && Enabled())
        SetFocus();
    if (Parent()) {
        if (TCustomForm* form = GetParentForm())
            form->SetModalResult(FModalResult);
    }
    TCustomControl::Click();
}

void TsuiCustomButton::FreeRepeatTimer()
{
    if (!FRepeatTimer)
        return;
    FRepeatTimer = false;
    if (HandleAllocated())
        KillTimer(Handle(), kRepeatTimerId);
}

void TsuiCustomButton::CMMouseEnter(TMessage& Message)
{
    TCustomControl::CMMouseEnter(Message);
    if (ComponentState().Contains(csDesigning))
        return;
    FMouseOver = true;
    Repaint();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TsuiCustomButton::CMMouseLeave(TMessage& Message)
{
    TCustomControl::CMMouseLeave(Message);
    FMouseOver = false;
    FPress.Release();
    FreeRepeatTimer();
    Repaint();
    if (OnMouseExit)
        OnMouseExit(this);
}

void TsuiCustomButton::CMFontChanged(TMessage&)
{
    FontChanged();
}

void TsuiCustomButton::CMTextChanged(TMessage&)
{
    SetCaption(Text());
}

void TsuiCustomButton::Notification(TComponent* Component, TOperation Operation)
{
    TCustomControl::Notification(Component, Operation);
    if (Operation != opRemove || Component != FFileTheme || !FFileTheme)
        return;
    FFileTheme = nullptr;
    if (!ComponentState().Contains(csDestroying))
        SetUIStyle(DeepBlue);
}
