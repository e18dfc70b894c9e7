#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "host/gfx/Bitmap.h"
#include "host/ui/CustomControl.h"
#include "host/ui/Forms.h"
#include "host/ui/Picture.h"
#include "skin/controls/SUIPressTracker.h"
#include "skin/core/SUIThemes.h"

class TsuiFileTheme;

// Where a push button's glyph sits beside its caption.
enum TButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
inline const TEnumInfo& EnumInfo(TTypeTag<TButtonLayout>)
{
    static const TEnumInfo info("TButtonLayout", { "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom" });
    return info;
}

enum TCheckBoxState : std::uint8_t { cbUnchecked, cbChecked, cbGrayed };
inline const TEnumInfo& EnumInfo(TTypeTag<TCheckBoxState>)
{
    static const TEnumInfo info("TCheckBoxState", { "cbUnchecked", "cbChecked", "cbGrayed" });
    return info;
}

// Whether CharCode is the accelerator of Caption: the character after a single "&", compared
// without regard to ASCII letter case.
bool IsAccel(std::uint32_t CharCode, const std::string& Caption);

// A push button's state and behaviour: hover and pressed looks, keys, default and cancel, the
// modal result for its form and a repeat event while the left button is held. How the face
// looks is left to the virtual drawing operations.
class TsuiCustomButton : public TCustomControl {
    DECLARE_CLASS(TsuiCustomButton, TCustomControl)

public:
    explicit TsuiCustomButton(TComponent* Owner);
    ~TsuiCustomButton() override;

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    // The text on the face; apart from the control's own text, which only feeds it.
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value);
    TsuiFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TsuiFileTheme* Value);
    int MouseContinuouslyDownInterval() const { return FMouseContinuouslyDownInterval; }
    void SetMouseContinuouslyDownInterval(int Value) { FMouseContinuouslyDownInterval = Value; }

    bool MouseOver() const { return FMouseOver; }
    bool Pressed() const { return FPress.Pressed(); }
    // The repeat timer runs only while the left mouse button holds the button down.
    bool HasRepeatTimer() const { return FRepeatTimer; }

    void SetEnabled(bool Value) override;
    void Click() override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;
    TNotifyEvent OnMouseContinuouslyDown;

protected:
    // A disabled caption: grey, over a white copy one pixel down and right.
    static constexpr TColor CaptionShadowColor = 0x00FFFFFF;
    static constexpr TColor DisabledCaptionColor = 0x00808080;

    virtual void UpdateAutoSize();
    virtual void CaptionChanged() { }
    virtual void FontChanged();
    virtual void TransparentChanged();
    virtual void EnabledChanged() { }
    virtual void UIStyleChanged() { }
    virtual void DrawFace(TCanvas& Canvas, TBitmap& FaceBitmap);
    virtual void DrawCaption(TCanvas& Canvas, const std::string& Text);
    virtual void DrawFocus(TCanvas& Canvas);
    virtual void GetNormalFace(TBitmap& Bitmap);
    virtual void GetMouseOverFace(TBitmap& Bitmap);
    virtual void GetPressedFace(TBitmap& Bitmap);
    virtual void GetDisabledFace(TBitmap& Bitmap);

    // Frame FrameIndex of FrameCount of a theme image, from the theme file when this button
    // uses one, else from the built-in style.
    void LoadFaceFrame(int Entry, int FrameCount, int FrameIndex, TBitmap& Bitmap);

    bool BoldCaption() const { return FBoldCaption; }
    void SetBoldCaption(bool Value) { FBoldCaption = Value; }
    bool FaceTransparent() const { return FFaceTransparent; }

    void Paint() override;
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
    void KeyUp(std::uint16_t& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void Notification(TComponent* Component, TOperation Operation) override;

private:
    void FreeRepeatTimer();

    bool FAutoSize = false;
    std::string FCaption;
    bool FCancel = false;
    bool FDefault = false;
    bool FTransparent = false;
    TModalResult FModalResult = mrNone;
    TsuiUIStyle FUIStyle = DeepBlue;
    TsuiFileTheme* FFileTheme = nullptr;
    bool FBoldCaption = false;
    bool FFaceTransparent = false;
    // A window timer of the button's own, so that stopping it from inside a repeat event is
    // safe.
    bool FRepeatTimer = false;
    int FMouseContinuouslyDownInterval = 100;
    bool FMouseOver = false;
    TsuiPressTracker FPress { *this };
};

// The skinned push button: a face cut from the style's button image and stretched to the
// button, a caption, and an optional glyph of one frame (greyed when disabled) or two frames
// (normal, disabled).
class TsuiButton : public TsuiCustomButton {
    DECLARE_CLASS(TsuiButton, TsuiCustomButton)

public:
    explicit TsuiButton(TComponent* Owner);
    ~TsuiButton() override;

    // Empty when the button has none.
    const TBitmap& Glyph() const;
    void SetGlyph(const TBitmap& Value);
    // The glyph as the layout stores it.
    TPicture& GlyphPicture() { return *FGlyph; }
    void SetGlyphPicture(const TPicture& Value) { FGlyph->Assign(Value); }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    // Where the caption went at the last paint with a glyph.
    TPoint CaptionPos() const { return FCaptionPos; }
    // Kept so that layouts that store it load; always 0.
    std::uint32_t ResHandle() const { return 0; }
    void SetResHandle(std::uint32_t) { }

protected:
    void UIStyleChanged() override;
    void DrawFace(TCanvas& Canvas, TBitmap& FaceBitmap) override;
    void DrawCaption(TCanvas& Canvas, const std::string& Text) override;
    void DrawFocus(TCanvas& Canvas) override;

private:
    std::unique_ptr<TPicture> FGlyph;
    TButtonLayout FLayout = blGlyphLeft;
    TPoint FCaptionPos;
    int FSpacing = 4;
};

// A skinned check box: one of four state frames of the style's check box image, then the
// caption. No hover or pressed look.
class TsuiCheckBox : public TCustomControl {
    DECLARE_CLASS(TsuiCheckBox, TCustomControl)

public:
    explicit TsuiCheckBox(TComponent* Owner);
    ~TsuiCheckBox() override;

    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    // Grayed is not a state of its own: it unchecks.
    TCheckBoxState State() const { return FChecked ? cbChecked : cbUnchecked; }
    void SetState(TCheckBoxState Value) { SetChecked(Value == cbChecked); }
    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value);
    TsuiFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TsuiFileTheme* Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // Fits the control to its box and caption at every paint.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);

    void Click() override;

protected:
    virtual bool IsStateImageTransparent() const { return false; }
    virtual int GetStateImageEntry() const { return SUI_THEME_CHECKBOX_IMAGE; }
    virtual void CheckedChanged() { }
    virtual void Toggled() { }
    virtual void ClickAction();

    void Paint() override;
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
    void KeyUp(std::uint16_t& Key, TShiftState Shift) override;
    void CMFontChanged(TMessage& Message) override;
    void Notification(TComponent* Component, TOperation Operation) override;

private:
    bool FChecked = false;
    TsuiUIStyle FUIStyle = DeepBlue;
    TsuiFileTheme* FFileTheme = nullptr;
    bool FTransparent = false;
    bool FAutoSize = true;
    // Space and Enter click on their release; no pressed look.
    TsuiPressTracker FPress { *this };
};

// A skinned radio button. Checking it unchecks the radio buttons of its group: those with the
// same GroupIndex under the same parent. A click never unchecks it.
class TsuiRadioButton : public TsuiCheckBox {
    DECLARE_CLASS(TsuiRadioButton, TsuiCheckBox)

public:
    using TsuiCheckBox::TsuiCheckBox;

    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }

protected:
    bool IsStateImageTransparent() const override { return true; }
    int GetStateImageEntry() const override { return SUI_THEME_RADIOBUTTON_IMAGE; }
    void CheckedChanged() override;
    void ClickAction() override;

private:
    int FGroupIndex = 0;
};

// Registers the push button, check box and radio button for the layout reader.
void RegisterButtonClasses();
