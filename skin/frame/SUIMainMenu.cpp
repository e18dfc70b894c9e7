#include "skin/frame/SUIMainMenu.h"

#include "host/ui/Forms.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIPublic.h"
#include "skin/frame/SUIForm.h"

void TsuiMainMenu::Publish(TPublisher<TsuiMainMenu>& p)
{
    PublishMenuLook(p);
}

TsuiMainMenu::TsuiMainMenu(TComponent* Owner)
    : TMainMenu(Owner)
    , CheckImages(std::make_unique<TImageList>(nullptr))
{
    TBitmap mark;
    mark.LoadFromResourceName("MENU_CHECKED");
    mark.SetTransparent(true);
    CheckImages->AddMasked(mark, clWhite);
    TMenu::SetImages(CheckImages.get());
    SetUIStyle(GetOwnerFormUIStyle(Owner));
    AttachToOwnerForm();
}

TsuiMainMenu::~TsuiMainMenu()
{
    Destroying();
    // The form's menu bar holds buttons bound to this menu's items: it goes first.
    if (FSkinForm != nullptr && !FSkinForm->ComponentState().Contains(csDestroying))
        FSkinForm->SetMenu(nullptr);
    CheckImages.reset();
}

void TsuiMainMenu::AttachToOwnerForm()
{
    auto* form = dynamic_cast<TCustomForm*>(Owner());
    if (form == nullptr)
        return;
    // The form shows no menu bar of its own; its TsuiForm shows this menu instead.
    form->SetMenu(nullptr);
    for (int i = 0; i < form->ControlCount(); ++i) {
        if (auto* skinForm = dynamic_cast<TsuiForm*>(form->Controls(i))) {
            skinForm->SetMenu(this);
            return;
        }
    }
}

TImageList* TsuiMainMenu::Images() const
{
    TImageList* images = TMenu::Images();
    return images == CheckImages.get() ? nullptr : images;
}

void TsuiMainMenu::SetImages(TImageList* Value)
{
    TMenu::SetImages(Value != nullptr ? Value : CheckImages.get());
}

void TsuiMainMenu::SetFileTheme(TsuiFileTheme* Value)
{
    FFileTheme = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
    SetUIStyle(UIStyle());
}

void TsuiMainMenu::SetUseSystemFont(bool Value)
{
    TsuiMenuLook::SetUseSystemFont(Value);
    if (FSkinForm != nullptr)
        FSkinForm->UpdateMenuBarFont();
}

void TsuiMainMenu::AttachItemHandlers()
{
    const TMenuDrawItemEvent draw = [this](TObject* Sender, TCanvas& ACanvas, const TRect& ARect, bool Selected) {
        DrawItem(Sender, ACanvas, ARect, Selected);
    };
    const TMenuMeasureItemEvent measure
        = [this](TObject* Sender, TCanvas& ACanvas, int& Width, int& Height) { MeasureItem(Sender, ACanvas, Width, Height); };
    for (int i = 0; i < Items()->Count(); ++i)
        SetMenuItemsDrawHandlers(Items()->Items(i), draw, measure);
}

void TsuiMainMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild)
{
    inherited::MenuChanged(Sender, Source, Rebuild);
    const TComponentState state = ComponentState();
    if (FSkinForm == nullptr || state.Contains(csDestroying) || dynamic_cast<TCustomForm*>(Owner()) == nullptr)
        return;
    FSkinForm->RefreshMenuBar();
    if (state.Contains(csDesigning) && !state.Contains(csLoading))
        FSkinForm->RebuildMenuBar();
}

void TsuiMainMenu::Loaded()
{
    inherited::Loaded();
    AttachItemHandlers();
    if (FSkinForm != nullptr)
        FSkinForm->RebuildMenuBar();
}

void TsuiMainMenu::Notification(TComponent* Component, TOperation Operation)
{
    inherited::Notification(Component, Operation);
    if (Operation != opRemove || Component == nullptr)
        return;
    if (Component == FFileTheme) {
        FFileTheme = nullptr;
        SetUIStyle(DeepBlue);
    }
    if (Component == FSkinForm)
        FSkinForm = nullptr;
    // A user's list that goes leaves the slot to the check mark list again.
    if (TMenu::Images() == nullptr && CheckImages != nullptr && !ComponentState().Contains(csDestroying))
        TMenu::SetImages(CheckImages.get());
}

void TsuiMainMenu::MeasureItem(TObject* Sender, TCanvas& ACanvas, int& Width, int& Height)
{
    MeasureMenuItem(*static_cast<TMenuItem*>(Sender), ACanvas, Width, Height);
}

void TsuiMainMenu::DrawItem(TObject* Sender, TCanvas& ACanvas, const TRect& ARect, bool Selected)
{
    DrawMenuItem(*static_cast<TMenuItem*>(Sender), ACanvas, ARect, Selected, Images(), *CheckImages);
}

void RegisterMainMenuClasses()
{
    RegisterFileThemeClasses();
    RegisterClasses<TsuiMainMenu>();
}
