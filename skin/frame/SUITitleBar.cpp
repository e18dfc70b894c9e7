#include "skin/frame/SUITitleBar.h"

#include "host/gfx/Canvas.h"
#include "host/ui/Forms.h"
#include "host/ui/Publisher.h"
#include "host/win/Input.h"
#include "host/win/MessageQueue.h"
#include "host/win/Regions.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIPublic.h"
#include "skin/frame/SUIAppIcon.h"
#include "skin/frame/SUICaptionText.h"
#include "skin/frame/SUIForm.h"
#include "skin/frame/SUITitleBarTheme.h"

namespace {

// The band along the top edge of a sizeable skinned window that sizes it.
constexpr int kSizingBand = 5;
constexpr int kAppIconSize = 16;

} // namespace

void TsuiTitleBar::Publish(TPublisher<TsuiTitleBar>& p)
{
    using T = TsuiTitleBar;
    p.Property("FileTheme", &T::FileTheme, &T::SetFileTheme);
    p.Property("UIStyle", &T::UIStyle, &T::SetUIStyle);
    p.Property("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(false);
    p.Property("Sections", &T::Sections, &T::SetSections);
    p.Property("Buttons", &T::Buttons, &T::SetButtons);
    p.Property("ButtonInterval", &T::ButtonInterval, &T::SetButtonInterval);
    p.Property("Caption", &T::Caption, &T::SetCaption);
    p.Property("Font", static_cast<TFont& (T::*)()>(&T::Font), &T::SetFont);
    p.Property("FormActive", &T::FormActive, &T::SetFormActive);
    p.Property("LeftBtnXOffset", &T::LeftBtnXOffset, &T::SetLeftBtnXOffset);
    p.Property("RightBtnXOffset", &T::RightBtnXOffset, &T::SetRightBtnXOffset);
    p.Property("DrawAppIcon", &T::DrawAppIcon, &T::SetDrawAppIcon);
    p.Property("RoundCorner", &T::RoundCorner, &T::SetRoundCorner);
    p.Event("OnCustomBtnsClick", &T::OnCustomBtnsClick);
    p.Event("OnHelpBtnClick", &T::OnHelpBtnClick);
}

TsuiTitleBar::TsuiTitleBar(TComponent* Owner)
    : TCustomPanel(Owner)
{
    SetBevelOuter(bvNone);
    FMenuPopup = new TsuiTitleBarPopupMenu(this);
    FMenuPopup->SetTitleBar(this);
    FSections = new TsuiTitleBarSections(this);
    FButtons = new TsuiTitleBarButtons(this);
    for (TsuiTitleBarBtnType type : { suiControlBox, suiClose, suiMax, suiMin })
        FButtons->Add()->SetButtonType(type);
    SetAlign(alTop);
    Font().SetColor(clWhite);
    Font().SetName("Tahoma");
    Font().SetStyle({ TFontStyle::fsBold });
    SetUIStyle(dynamic_cast<TCustomForm*>(Owner) != nullptr ? GetOwnerFormUIStyle(Owner) : DeepBlue);
}

TsuiTitleBar::~TsuiTitleBar()
{
    Destroying();
    delete FButtons;
    FButtons = nullptr;
    delete FSections;
    FSections = nullptr;
}

void TsuiTitleBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomPanel::Notification(AComponent, Operation);
    if (Operation != opRemove || AComponent == nullptr)
        return;
    for (int i = 0; FButtons != nullptr && i < FButtons->Count(); ++i) {
        if (FButtons->Items(i)->ControlBoxMenu() == AComponent)
            FButtons->Items(i)->SetControlBoxMenu(nullptr);
    }
    if (AComponent == FFileTheme) {
        FFileTheme = nullptr;
        if (!ComponentState().Contains(csDestroying))
            SetUIStyle(DeepBlue);
    }
}

void TsuiTitleBar::SetFileTheme(TsuiFileTheme* Value)
{
    if (FFileTheme != nullptr && FFileTheme != Value)
        FFileTheme->RemoveFreeNotification(this);
    FFileTheme = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
    FFileThemeChanging = true;
    try {
        SetUIStyle(FUIStyle);
    } catch (...) {
        FFileThemeChanging = false;
        throw;
    }
    FFileThemeChanging = false;
}

void TsuiTitleBar::SetUIStyle(TsuiUIStyle Value)
{
    FUIStyle = Value;
    FSections->Clear();
    const TsuiTitleBarTheme theme(FFileTheme, FUIStyle);

    TPicture picture;
    theme.Bitmap(SUI_THEME_TITLEBAR_LEFT_IMAGE, picture.Bitmap());
    TsuiTitleBarSection* left = FSections->Add();
    left->SetPicture(picture);
    left->SetAutoSize(true);

    picture.Clear();
    theme.Bitmap(SUI_THEME_TITLEBAR_RIGHT_IMAGE, picture.Bitmap());
    TsuiTitleBarSection* right = FSections->Add();
    right->SetPicture(picture);
    right->SetAutoSize(true);
    right->SetAlign(suiRight);

    picture.Clear();
    theme.Bitmap(SUI_THEME_TITLEBAR_CLIENT_IMAGE, picture.Bitmap());
    TsuiTitleBarSection* client = FSections->Add();
    client->SetPicture(picture);
    client->SetAlign(suiClient);

    SetLeftBtnXOffset(theme.Int(SUI_THEME_TITLEBAR_BUTTON_LEFTOFFSET_INT));
    SetRightBtnXOffset(theme.Int(SUI_THEME_TITLEBAR_BUTTON_RIGHTOFFSET_INT));
    FCornerPenColor = theme.Color(SUI_THEME_FORM_BORDER_COLOR);
    TBitmap strip;
    theme.Bitmap(SUI_THEME_TITLEBAR_BUTTON_IMAGE, strip);
    FButtonImageHeight = strip.Height();
    FButtonTopOffset = theme.Int(SUI_THEME_TITLEBAR_BUTTON_TOP_INT);
    if (TCustomForm* form = GetParentForm())
        form->Constraints().SetMinWidth(theme.Int(SUI_THEME_FORM_MINWIDTH_INT));
    FRoundCorner = theme.Int(SUI_THEME_FORM_ROUNDCORNER_INT);

    for (int i = 0; i < FButtons->Count(); ++i)
        FButtons->Items(i)->SetUIStyle(theme.EffectiveStyle());
    FMenuPopup->SetUIStyle(theme.EffectiveStyle());
    FMenuPopup->SetFileTheme(FFileTheme);

    if (OnSkinnedForm())
        ApplyRoundCorner(FRoundCorner);
    if (!FFileThemeChanging)
        Font().SetColor(FUIStyle == MacOS ? clBlack : clWhite);
    SetAutoSize(true);
    Invalidate();
}

void TsuiTitleBar::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    if (FSections->Count() > 0)
        SetHeight(FSections->Items(0)->Picture().Height());
    else
        FAutoSize = false;
}

void TsuiTitleBar::SetSections(const TsuiTitleBarSections& Value)
{
    FSections->Assign(Value);
}

void TsuiTitleBar::SetButtons(const TsuiTitleBarButtons& Value)
{
    FButtons->Assign(Value);
}

void TsuiTitleBar::SetButtonInterval(int Value)
{
    FButtonInterval = Value;
    Invalidate();
}

void TsuiTitleBar::SetFormActive(bool Value)
{
    FFormActive = Value;
    Invalidate();
}

void TsuiTitleBar::SetLeftBtnXOffset(int Value)
{
    FLeftBtnXOffset = Value;
    Invalidate();
}

void TsuiTitleBar::SetRightBtnXOffset(int Value)
{
    FRightBtnXOffset = Value;
    Invalidate();
}

void TsuiTitleBar::SetDrawAppIcon(bool Value)
{
    FDrawAppIcon = Value;
    Invalidate();
}

void TsuiTitleBar::SetRoundCorner(int Value)
{
    FRoundCorner = Value;
    if (OnSkinnedForm())
        ApplyRoundCorner(FRoundCorner);
    Invalidate();
}

bool TsuiTitleBar::OnSkinnedForm() const
{
    return dynamic_cast<TsuiForm*>(Parent()) != nullptr;
}

void TsuiTitleBar::ApplyRoundCorner(int W)
{
    TCustomForm* form = GetParentForm();
    if (form == nullptr)
        return;
    const TRect c = form->ClientRect();
    HRGN region = CreateRoundRectRgn(c.Left, c.Top, c.Right + 1, c.Bottom + 1, W, W);
    // Square bottom corners: only the top two stay rounded.
    for (const TRect& corner : { Rect(c.Left, c.Bottom - 2 * W, c.Left + 2 * W, c.Bottom),
             Rect(c.Right - 2 * W, c.Bottom - 2 * W, c.Right, c.Bottom) }) {
        HRGN square = CreateRectRgn(corner.Left, corner.Top, corner.Right, corner.Bottom);
        CombineRgn(region, region, square, RGN_OR);
        DeleteObject(square);
    }
    if (ComponentState().Contains(csDesigning))
        DeleteObject(region);
    else
        SetWindowRgn(form->Handle(), region, true);
}

void TsuiTitleBar::UpdateMaxButtons()
{
    for (int i = 0; i < FButtons->Count(); ++i) {
        if (FButtons->Items(i)->ButtonType() == suiMax)
            FButtons->Items(i)->UpdateMaxRestorePictures();
    }
}

// ---- Painting ----

void TsuiTitleBar::Paint()
{
    if (Width() <= 0 || Height() <= 0)
        return;
    TBitmap buffer = CreateCompatibleBitmap(Canvas().Handle(), Width(), Height());
    TCanvas& canvas = buffer.Canvas();
    canvas.Brush().Style = TBrushStyle::bsClear;
    canvas.Font().Assign(Font());
    DrawSections(buffer);
    DrawButtonsAndCaption(buffer);
    if (FUIStyle != WinXP && FRoundCorner != 0) {
        canvas.Pen().Color = FCornerPenColor;
        canvas.Brush().Style = TBrushStyle::bsClear;
        canvas.RoundRect(-1, 0, Width() + 1, Height() + 50, FRoundCorner + 1, FRoundCorner);
    }
    Canvas().Draw(0, 0, buffer);
}

void TsuiTitleBar::DrawSections(TBitmap& Bitmap)
{
    const int bw = Bitmap.Width();
    const int bh = Bitmap.Height();
    TCanvas& canvas = Bitmap.Canvas();
    // The picture at its own size from its top-left corner, cut to the slot.
    const auto copyUnscaled = [&](TBitmap* picture, int x, int width) {
        if (picture == nullptr)
            return;
        const int w = std::min(width, picture->Width());
        const int h = std::min(bh, picture->Height());
        if (w > 0 && h > 0)
            canvas.CopyRect(Rect(x, 0, x + w, h), picture->Canvas(), Rect(0, 0, w, h));
    };
    const auto stretch = [&](TBitmap* picture, const TRect& slot) {
        if (picture != nullptr && !picture->Empty() && !slot.IsEmpty())
            canvas.StretchDraw(slot, *picture);
    };

    int left = -1;
    int right = bw + 1;
    TsuiTitleBarSection* client = nullptr;
    for (int i = 0; i < FSections->Count(); ++i) {
        TsuiTitleBarSection* section = FSections->Items(i);
        TBitmap* picture = section->Picture().Graphic();
        const int width = section->Width();
        switch (section->Align()) {
        case suiLeft:
            if (section->Stretch())
                stretch(picture, Rect(left + 1, 0, left + 1 + width, bh));
            else
                copyUnscaled(picture, left + 1, width);
            left += width;
            break;
        case suiRight:
            if (bw - left < width)
                break;
            if (section->Stretch())
                stretch(picture, Rect(right - 1 - width, 0, right - 1, bh));
            else
                copyUnscaled(picture, right - 1 - width, width);
            right -= width;
            break;
        case suiClient:
            client = section;
            break;
        }
    }
    if (client != nullptr)
        stretch(client->Picture().Graphic(), Rect(left + 1, 0, right - 1, bh));
}

void TsuiTitleBar::DrawButton(TBitmap& Bitmap, TBitmap& Picture, int Index, int X, const TPoint& Cursor)
{
    TsuiTitleBarButton* button = FButtons->Items(Index);
    const TPicture& normal = button->PicNormal();
    const TRect r = Bounds(X, button->Top(), normal.Width(), normal.Height());
    const TPicture* shown = &normal;
    if (PointInRect(Cursor, r)) {
        FHotButtonIndex = Index;
        shown = FMouseIsDown ? &button->PicMouseDown() : &button->PicMouseOn();
    }
    if (normal.Width() <= 0 || normal.Height() <= 0 || shown->Graphic() == nullptr)
        return;
    Picture.Assign(*shown->Graphic());
    Picture.SetSize(normal.Width(), normal.Height());
    Picture.SetTransparentMode(TTransparentMode::tmAuto);
    Picture.SetTransparent(button->Transparent());
    Bitmap.Canvas().Draw(X, button->Top(), Picture);
}

void TsuiTitleBar::DrawButtonsAndCaption(TBitmap& Bitmap)
{
    TPoint cursor;
    GetCursorPos(&cursor);
    cursor = ScreenToClient(cursor);
    FHotButtonIndex = -1;
    int rightX = Bitmap.Width() + FRightBtnXOffset + 1;
    int controlBox = -1;
    TBitmap picture;

    for (int i = 0; i < FButtons->Count(); ++i) {
        TsuiTitleBarButton* button = FButtons->Items(i);
        if (!button->Visible())
            continue;
        if (button->ButtonType() == suiControlBox) {
            controlBox = i;
            continue;
        }
        rightX -= button->PicNormal().Width() + FButtonInterval + 1;
        DrawButton(Bitmap, picture, i, rightX, cursor);
    }

    int leftX = FLeftBtnXOffset;
    if (controlBox >= 0) {
        TsuiTitleBarButton* box = FButtons->Items(controlBox);
        if (FDrawAppIcon) {
            if (PointInRect(cursor, Bounds(leftX, box->Top(), box->PicNormal().Width(), box->PicNormal().Height())))
                FHotButtonIndex = controlBox;
            TBitmap icon;
            if (LoadAppIcon(icon, kAppIconSize))
                Bitmap.Canvas().Draw(leftX + 3, box->Top(), icon);
            leftX += 21;
        } else {
            DrawButton(Bitmap, picture, controlBox, leftX, cursor);
            leftX += box->PicNormal().Width() + 5;
        }
    }
    if (leftX == 0)
        leftX = 6;

    TCanvas& canvas = Bitmap.Canvas();
    if (!FFormActive)
        canvas.Font().SetColor(clInactiveCaption);
    std::string text = Caption();
    if (canvas.TextWidth(text) > rightX - leftX)
        text = ShortenedCaption(text);
    canvas.Brush().Style = TBrushStyle::bsClear;
    canvas.TextOut(leftX, (FButtonImageHeight - canvas.TextHeight(text)) / 2 + FButtonTopOffset, text);
}

// ---- Mouse and messages ----

void TsuiTitleBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomPanel::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    // The release belongs to the title bar wherever it happens.
    SetCapture(Handle());
    FMouseIsDown = true;
    Repaint();
    TCustomForm* form = GetParentForm();
    if (FHotButtonIndex < 0 && form != nullptr && form->WindowState() != wsMaximized) {
        ReleaseCapture();
        // The window system moves the window with the mouse until the button is released.
        SendMessage(form->Handle(), WM_NCLBUTTONDOWN, static_cast<WPARAM>(HTCAPTION), 0);
        FMouseIsDown = false;
    }
}

void TsuiTitleBar::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomPanel::MouseMove(Shift, X, Y);
    Repaint();
}

void TsuiTitleBar::CMMouseLeave(TMessage& Message)
{
    TCustomPanel::CMMouseLeave(Message);
    Repaint();
}

void TsuiTitleBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomPanel::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    if (GetCapture() == Handle())
        ReleaseCapture();
    if (FHotButtonIndex >= 0 && FHotButtonIndex < FButtons->Count()) {
        const int index = FHotButtonIndex;
        TsuiTitleBarButton* button = FButtons->Items(index);
        const TsuiTitleBarBtnType type = button->ButtonType();
        if (type == suiControlBox && button->ControlBoxMenu() == nullptr) {
            const TPoint p = ClientToScreen({ 0, Height() });
            FMenuPopup->Popup(p.X, p.Y);
        } else {
            button->Click();
            if (OnCustomBtnsClick && type == suiCustom)
                OnCustomBtnsClick(this, index);
            else if (OnHelpBtnClick && type == suiHelp)
                OnHelpBtnClick(this, index);
        }
    }
    FMouseIsDown = false;
    Repaint();
}

void TsuiTitleBar::DblClick()
{
    TCustomPanel::DblClick();
    if (FHotButtonIndex < 0) {
        for (int i = 0; i < FButtons->Count(); ++i) {
            if (FButtons->Items(i)->ButtonType() == suiMax) {
                FButtons->Items(i)->Click();
                break;
            }
        }
    } else if (FHotButtonIndex < FButtons->Count() && FButtons->Items(FHotButtonIndex)->ButtonType() == suiControlBox) {
        if (TCustomForm* form = GetParentForm())
            form->Close();
    }
}

void TsuiTitleBar::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        // The paint covers every pixel.
        Message.Result = 1;
        return;
    case WM_NCHITTEST:
        TCustomPanel::WndProc(Message);
        WMNCHitTest(Message);
        return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCMOUSEMOVE:
        // A press in the top band sizes the form's window: its own frame handling does it.
        if (TCustomForm* form = GetParentForm()) {
            Message.Result = SendMessage(form->Handle(), Message.Msg, Message.WParam, Message.LParam);
            return;
        }
        break;
    default:
        break;
    }
    TCustomPanel::WndProc(Message);
}

void TsuiTitleBar::WMNCHitTest(TMessage& Message)
{
    TCustomForm* form = GetParentForm();
    if (form == nullptr || form->WindowState() == wsMaximized)
        return;
    if (form->FormStyle() == fsMDIForm && Message.Result == HTCLIENT)
        Message.Result = HTTRANSPARENT;
    auto* skinForm = dynamic_cast<TsuiForm*>(Parent());
    if (skinForm == nullptr || skinForm->HostBorderStyle() != bsSizeable)
        return;
    const auto lparam = static_cast<std::uint32_t>(Message.LParam);
    const TPoint p = ScreenToClient({ static_cast<int>(lparam & 0xFFFF), static_cast<int>(lparam >> 16) });
    if (p.Y >= kSizingBand)
        return;
    if (p.X < kSizingBand)
        Message.Result = HTTOPLEFT;
    else if (p.X > form->ClientWidth() - kSizingBand)
        Message.Result = HTTOPRIGHT;
    else
        Message.Result = HTTOP;
}

void RegisterTitleBarClasses()
{
    RegisterFileThemeClasses();
    RegisterClasses<TsuiTitleBar, TsuiTitleBarPopupMenu>();
}
