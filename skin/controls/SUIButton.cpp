#include "skin/controls/SUIButton.h"

#include "host/gfx/MaskedImageList.h"
#include "host/ui/ColorIdents.h"
#include "host/ui/Publisher.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIPublic.h"

void TsuiButton::Publish(TPublisher<TsuiButton>& p)
{
    p.Property("FileTheme", &TsuiButton::FileTheme, &TsuiButton::SetFileTheme);
    p.Property("UIStyle", &TsuiButton::UIStyle, &TsuiButton::SetUIStyle);
    p.Property("Cancel", &TsuiButton::Cancel, &TsuiButton::SetCancel).Default(false);
    p.Property("Default", &TsuiButton::Default, &TsuiButton::SetDefault).Default(false);
    p.Property("Caption", &TsuiButton::Caption, &TsuiButton::SetCaption);
    p.Property("Transparent", &TsuiButton::Transparent, &TsuiButton::SetTransparent);
    p.Property("ModalResult", &TsuiButton::ModalResult, &TsuiButton::SetModalResult).Default(mrNone);
    p.Property("AutoSize", &TsuiButton::AutoSize, &TsuiButton::SetAutoSize).Default(false);
    p.Property("Glyph", &TsuiButton::GlyphPicture, &TsuiButton::SetGlyphPicture);
    p.Property("Layout", &TsuiButton::Layout, &TsuiButton::SetLayout).Default(blGlyphLeft);
    p.Property("Spacing", &TsuiButton::Spacing, &TsuiButton::SetSpacing).Default(4);
    p.Property("MouseContinuouslyDownInterval", &TsuiButton::MouseContinuouslyDownInterval,
         &TsuiButton::SetMouseContinuouslyDownInterval)
        .Default(100);
    p.Property("ResHandle", &TsuiButton::ResHandle, &TsuiButton::SetResHandle).Default(0);
    p.Property("TabStop", &TsuiButton::TabStop, &TsuiButton::SetTabStop).Default(true);
    p.Property("ParentColor", &TsuiButton::ParentColor, &TsuiButton::SetParentColor).Default(true);
    p.Event("OnMouseEnter", &TsuiButton::OnMouseEnter);
    p.Event("OnMouseExit", &TsuiButton::OnMouseExit);
    p.Event("OnMouseContinuouslyDown", &TsuiButton::OnMouseContinuouslyDown);
}

TsuiButton::TsuiButton(TComponent* Owner)
    : TsuiCustomButton(Owner)
    , FGlyph(std::make_unique<TPicture>())
{
    FGlyph->OnChange = [this](TObject*) { Repaint(); };
    // Once more now that this class's style reaction (the Transparent switch) is in place.
    SetUIStyle(UIStyle());
    SetHeight(27);
    SetWidth(80);
}

TsuiButton::~TsuiButton() = default;

const TBitmap& TsuiButton::Glyph() const
{
    static const TBitmap none;
    return FGlyph->Graphic() ? *FGlyph->Graphic() : none;
}

void TsuiButton::SetGlyph(const TBitmap& Value)
{
    FGlyph->SetBitmap(Value);
}

void TsuiButton::SetLayout(TButtonLayout Value)
{
    FLayout = Value;
    Repaint();
}

void TsuiButton::SetSpacing(int Value)
{
    FSpacing = Value;
    Repaint();
}

void TsuiButton::UIStyleChanged()
{
    TsuiUIStyle style = UIStyle();
    if (TsuiFileTheme::CanUseFileTheme(FileTheme(), UIStyle(), style))
        SetTransparent(FileTheme()->GetBool(SUI_THEME_BUTTON_TRANSPARENT_BOOL));
    else
        SetTransparent(GetThemeBool(style, SUI_THEME_BUTTON_TRANSPARENT_BOOL));
}

void TsuiButton::DrawFace(TCanvas& Canvas, TBitmap& FaceBitmap)
{
    Canvas.Font().Assign(Font());
    DrawNineGrid(FaceBitmap, Canvas, ClientRect(), FaceTransparent());
    const TBitmap& glyph = Glyph();
    if (glyph.Empty())
        return;

    const int tw = Canvas.TextWidth(Caption());
    const int th = Canvas.TextHeight(Caption());
    int gw = glyph.Width();
    const int gh = glyph.Height();
    // As wide as two squares: the normal frame, then the disabled one.
    const bool twoFrames = gw == 2 * gh;
    if (twoFrames)
        gw = gh;

    const int w = Width();
    const int h = Height();
    TPoint at;
    switch (FLayout) {
    case blGlyphLeft:
        at = { (w - gw - tw - FSpacing) / 2, (h - gh) / 2 };
        FCaptionPos = { at.X + gw + FSpacing, (h - th) / 2 };
        break;
    case blGlyphRight:
        at = { (w + tw + FSpacing - gw) / 2, (h - gh) / 2 };
        FCaptionPos = { at.X - tw - FSpacing, (h - th) / 2 };
        break;
    case blGlyphTop:
        at = { (w - gw) / 2, (h - th - gh - FSpacing) / 2 };
        FCaptionPos = { (w - tw) / 2, at.Y + gh + FSpacing };
        break;
    case blGlyphBottom:
        at = { (w - gw) / 2, (h + th + FSpacing - gh) / 2 };
        FCaptionPos = { (w - tw) / 2, at.Y - th - FSpacing };
        break;
    }
    if (Pressed())
        at = { at.X + 1, at.Y + 1 };

    TMaskedImageList images(gw, gh);
    images.AddMasked(glyph, glyph.GetPixel(0, 0));
    if (twoFrames)
        images.Draw(Canvas, at.X, at.Y, Enabled() ? 0 : 1);
    else
        images.Draw(Canvas, at.X, at.Y, 0, Enabled());
}

void TsuiButton::DrawCaption(TCanvas& Canvas, const std::string& Text)
{
    if (Glyph().Empty()) {
        TsuiCustomButton::DrawCaption(Canvas, Text);
        return;
    }
    Canvas.Brush().Style = TBrushStyle::bsClear;
    Canvas.Font().Assign(Font());
    TPoint at = FCaptionPos;
    const unsigned format = DT_SINGLELINE | DT_LEFT | DT_TOP;
    if (!Enabled()) {
        Canvas.Font().SetColor(CaptionShadowColor);
        TRect shadow { at.X + 1, at.Y + 1, Width(), Height() };
        DrawText(Canvas, Text, shadow, format);
        Canvas.Font().SetColor(DisabledCaptionColor);
    } else if (Pressed()) {
        at = { at.X + 1, at.Y + 1 };
    }
    TRect r { at.X, at.Y, Width(), Height() };
    DrawText(Canvas, Text, r, format);
}

void TsuiButton::DrawFocus(TCanvas& Canvas)
{
    // These styles show focus as a bold caption instead of a dotted frame.
    if (UIStyle() == MacOS || UIStyle() == BlueGlass)
        SetBoldCaption(true);
    else
        TsuiCustomButton::DrawFocus(Canvas);
}

void RegisterButtonClasses()
{
    RegisterFileThemeClasses();
    RegisterClasses<TsuiButton, TsuiCheckBox, TsuiRadioButton>();
}
