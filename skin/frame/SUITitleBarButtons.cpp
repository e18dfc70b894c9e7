#include "host/ui/Application.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Forms.h"
#include "host/ui/Menus.h"
#include "host/ui/Publisher.h"
#include "host/win/MessageQueue.h"
#include "skin/frame/SUITitleBar.h"
#include "skin/frame/SUITitleBarTheme.h"

namespace {

// The title button strip: 18 square frames, three per kind of button.
constexpr int kStripFrames = 18;
constexpr int kMaxFrame = 7;
constexpr int kRestoreFrame = 10;

int FirstFrame(TsuiTitleBarBtnType Type)
{
    switch (Type) {
    case suiControlBox:
        return 1;
    case suiHelp:
        return 4;
    case suiMax:
        return kMaxFrame;
    case suiMin:
        return 13;
    case suiClose:
        return 16;
    case suiCustom:
        break;
    }
    return 0;
}

// Items change while their title bar is being destroyed: that needs no repaint.
void RepaintTitleBar(TsuiTitleBar* TitleBar)
{
    if (TitleBar != nullptr && !TitleBar->ComponentState().Contains(csDestroying))
        TitleBar->Invalidate();
}

} // namespace

void MinimizeParentForm(TCustomForm* Form)
{
    if (Form == nullptr)
        return;
    if (Application != nullptr && Form == Application->MainForm())
        SendMessage(Form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    else
        ShowWindow(Form->Handle(), SW_SHOWMINIMIZED);
}

// ---- TsuiTitleBarButton ----

void TsuiTitleBarButton::Publish(TPublisher<TsuiTitleBarButton>& p)
{
    using B = TsuiTitleBarButton;
    p.Property("UIStyle", &B::UIStyle, &B::SetUIStyle);
    p.Property("ButtonType", &B::ButtonType, &B::SetButtonType);
    p.Property("Transparent", &B::Transparent, &B::SetTransparent);
    p.Property("Top", &B::Top, &B::SetTop);
    p.Property("ControlBoxMenu", &B::ControlBoxMenu, &B::SetControlBoxMenu);
    p.Property("Visible", &B::Visible, &B::SetVisible);
    p.Property("PicNormal", static_cast<TPicture& (B::*)()>(&B::PicNormal), &B::SetPicNormal);
    p.Property("PicMouseOn", static_cast<TPicture& (B::*)()>(&B::PicMouseOn), &B::SetPicMouseOn);
    p.Property("PicMouseDown", static_cast<TPicture& (B::*)()>(&B::PicMouseDown), &B::SetPicMouseDown);
}

TsuiTitleBarButton::TsuiTitleBarButton(TCollection* Collection)
    : TCollectionItem(Collection)
{
    SetUIStyle(DeepBlue);
}

TsuiTitleBarButton::~TsuiTitleBarButton() = default;

TsuiTitleBar* TsuiTitleBarButton::TitleBar() const
{
    auto* buttons = dynamic_cast<TsuiTitleBarButtons*>(Collection());
    return buttons != nullptr ? buttons->TitleBar() : nullptr;
}

void TsuiTitleBarButton::Changed()
{
    RepaintTitleBar(TitleBar());
}

void TsuiTitleBarButton::LoadFrames(int First)
{
    TsuiTitleBar* bar = TitleBar();
    const TsuiTitleBarTheme theme(bar != nullptr ? bar->FileTheme() : nullptr, FUIStyle);
    TPicture* pictures[] = { &FPicNormal, &FPicMouseOn, &FPicMouseDown };
    for (int i = 0; i < 3; ++i) {
        TBitmap frame;
        theme.BitmapFrame(SUI_THEME_TITLEBAR_BUTTON_IMAGE, frame, kStripFrames, First + i);
        pictures[i]->SetBitmap(frame);
    }
}

void TsuiTitleBarButton::LoadPictures()
{
    TsuiTitleBar* bar = TitleBar();
    const TsuiTitleBarTheme theme(bar != nullptr ? bar->FileTheme() : nullptr, FUIStyle);
    SetTransparent(theme.Bool(SUI_THEME_TITLEBAR_BUTTON_TRANSPARENT_BOOL));
    if (FButtonType != suiCustom) {
        LoadFrames(FirstFrame(FButtonType));
        SetTop(theme.Int(SUI_THEME_TITLEBAR_BUTTON_TOP_INT));
    }
    if (FButtonType == suiMax)
        UpdateMaxRestorePictures();
}

void TsuiTitleBarButton::UpdateMaxRestorePictures()
{
    if (FButtonType != suiMax)
        return;
    TsuiTitleBar* bar = TitleBar();
    TCustomForm* form = bar != nullptr ? bar->GetParentForm() : nullptr;
    LoadFrames(form != nullptr && form->WindowState() == wsMaximized ? kRestoreFrame : kMaxFrame);
    Changed();
}

void TsuiTitleBarButton::Click()
{
    TsuiTitleBar* bar = TitleBar();
    TCustomForm* form = bar != nullptr ? bar->GetParentForm() : nullptr;
    if (form == nullptr)
        return;
    switch (FButtonType) {
    case suiMax:
        form->SetWindowState(form->WindowState() == wsMaximized ? wsNormal : wsMaximized);
        UpdateMaxRestorePictures();
        break;
    case suiMin:
        MinimizeParentForm(form);
        break;
    case suiClose:
        form->Close();
        break;
    case suiControlBox:
        if (FControlBoxMenu != nullptr) {
            const TPoint p = bar->ClientToScreen({ 0, bar->Height() });
            FControlBoxMenu->Popup(p.X, p.Y);
        }
        break;
    case suiHelp:
    case suiCustom:
        break;
    }
}

void TsuiTitleBarButton::SetVisible(bool Value)
{
    FVisible = Value;
    Changed();
}

void TsuiTitleBarButton::SetButtonType(TsuiTitleBarBtnType Value)
{
    if (Value == suiControlBox) {
        for (int i = 0; i < Collection()->Count(); ++i) {
            auto* other = static_cast<TsuiTitleBarButton*>(Collection()->Items(i));
            if (other->FButtonType == suiControlBox) {
                MessageDlg("Sorry, only one button's ButtonType property can be \"suiControlBox\"", mtError, { mbOK }, 0);
                return;
            }
        }
    }
    FButtonType = Value;
    LoadPictures();
    Changed();
}

void TsuiTitleBarButton::SetTransparent(bool Value)
{
    FTransparent = Value;
    Changed();
}

void TsuiTitleBarButton::SetTop(int Value)
{
    FTop = Value;
    Changed();
}

void TsuiTitleBarButton::SetUIStyle(TsuiUIStyle Value)
{
    FUIStyle = Value;
    LoadPictures();
}

void TsuiTitleBarButton::SetPicNormal(const TPicture& Value)
{
    FPicNormal.Assign(Value);
    Changed();
}

void TsuiTitleBarButton::SetPicMouseOn(const TPicture& Value)
{
    FPicMouseOn.Assign(Value);
    Changed();
}

void TsuiTitleBarButton::SetPicMouseDown(const TPicture& Value)
{
    FPicMouseDown.Assign(Value);
    Changed();
}

void TsuiTitleBarButton::Assign(const TPersistent& Source)
{
    const auto* source = dynamic_cast<const TsuiTitleBarButton*>(&Source);
    if (source == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetVisible(source->FVisible);
    SetButtonType(source->FButtonType);
    // The style goes before the values it would otherwise overwrite: a copy is like its source.
    SetUIStyle(source->FUIStyle);
    SetTransparent(source->FTransparent);
    SetTop(source->FTop);
    SetPicNormal(source->FPicNormal);
    SetPicMouseOn(source->FPicMouseOn);
    SetPicMouseDown(source->FPicMouseDown);
    SetControlBoxMenu(source->FControlBoxMenu);
}

void TsuiTitleBarButton::SetControlBoxMenu(TPopupMenu* Value)
{
    FControlBoxMenu = Value;
    TsuiTitleBar* bar = TitleBar();
    if (Value != nullptr && bar != nullptr)
        Value->FreeNotification(bar);
}

// ---- TsuiTitleBarButtons ----

void TsuiTitleBarButtons::Publish(TPublisher<TsuiTitleBarButtons>&)
{
}

TsuiTitleBarButtons::TsuiTitleBarButtons(TsuiTitleBar* TitleBar)
    : TCollection(TitleBar, TsuiTitleBarButton::StaticClassInfo())
    , FTitleBar(TitleBar)
{
}

TsuiTitleBarButton* TsuiTitleBarButtons::Add()
{
    return static_cast<TsuiTitleBarButton*>(TCollection::Add());
}

TsuiTitleBarButton* TsuiTitleBarButtons::Items(int Index) const
{
    return static_cast<TsuiTitleBarButton*>(TCollection::Items(Index));
}

void TsuiTitleBarButtons::Update(TCollectionItem* Item)
{
    TCollection::Update(Item);
    RepaintTitleBar(FTitleBar);
}

// ---- TsuiTitleBarSection ----

void TsuiTitleBarSection::Publish(TPublisher<TsuiTitleBarSection>& p)
{
    using S = TsuiTitleBarSection;
    p.Property("AutoSize", &S::AutoSize, &S::SetAutoSize);
    p.Property("Width", &S::Width, &S::SetWidth);
    p.Property("Align", &S::Align, &S::SetAlign);
    p.Property("Picture", static_cast<TPicture& (S::*)()>(&S::Picture), &S::SetPicture);
    p.Property("Stretch", &S::Stretch, &S::SetStretch);
}

TsuiTitleBarSection::TsuiTitleBarSection(TCollection* Collection)
    : TCollectionItem(Collection)
{
}

TsuiTitleBarSection::~TsuiTitleBarSection() = default;

TsuiTitleBar* TsuiTitleBarSection::TitleBar() const
{
    auto* sections = dynamic_cast<TsuiTitleBarSections*>(Collection());
    return sections != nullptr ? sections->TitleBar() : nullptr;
}

void TsuiTitleBarSection::Changed()
{
    RepaintTitleBar(TitleBar());
}

void TsuiTitleBarSection::SetAlign(TsuiTitleBarAlign Value)
{
    if (Value == suiClient) {
        for (int i = 0; i < Collection()->Count(); ++i) {
            auto* other = static_cast<TsuiTitleBarSection*>(Collection()->Items(i));
            if (other->FAlign == suiClient) {
                MessageDlg("Sorry, only one section's Align property can be \"suiClient\"", mtError, { mbOK }, 0);
                return;
            }
        }
        FStretch = true;
    }
    FAlign = Value;
    Changed();
}

void TsuiTitleBarSection::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    if (FPicture.Graphic() != nullptr)
        FWidth = FPicture.Width();
    Changed();
}

void TsuiTitleBarSection::SetPicture(const TPicture& Value)
{
    FPicture.Assign(Value);
    if (Value.Graphic() != nullptr && FAutoSize)
        FWidth = FPicture.Width();
    Changed();
}

void TsuiTitleBarSection::SetStretch(bool Value)
{
    FStretch = FAlign == suiClient ? true : Value;
    Changed();
}

void TsuiTitleBarSection::SetWidth(int Value)
{
    FWidth = Value;
    Changed();
}

void TsuiTitleBarSection::Assign(const TPersistent& Source)
{
    const auto* source = dynamic_cast<const TsuiTitleBarSection*>(&Source);
    if (source == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    FWidth = source->FWidth;
    SetAlign(source->FAlign);
    FPicture.Assign(source->FPicture);
    FStretch = FAlign == suiClient || source->FStretch;
    FAutoSize = source->FAutoSize;
    Changed();
}

// ---- TsuiTitleBarSections ----

void TsuiTitleBarSections::Publish(TPublisher<TsuiTitleBarSections>&)
{
}

TsuiTitleBarSections::TsuiTitleBarSections(TsuiTitleBar* TitleBar)
    : TCollection(TitleBar, TsuiTitleBarSection::StaticClassInfo())
    , FTitleBar(TitleBar)
{
}

TsuiTitleBarSection* TsuiTitleBarSections::Add()
{
    return static_cast<TsuiTitleBarSection*>(TCollection::Add());
}

TsuiTitleBarSection* TsuiTitleBarSections::Items(int Index) const
{
    return static_cast<TsuiTitleBarSection*>(TCollection::Items(Index));
}

void TsuiTitleBarSections::Update(TCollectionItem* Item)
{
    TCollection::Update(Item);
    RepaintTitleBar(FTitleBar);
}
