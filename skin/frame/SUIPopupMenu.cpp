#include "skin/frame/SUIPopupMenu.h"

#include <memory>

#include "host/ui/ImageList.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIPublic.h"

void TsuiPopupMenu::Publish(TPublisher<TsuiPopupMenu>& p)
{
    PublishMenuLook(p);
}

TsuiPopupMenu::TsuiPopupMenu(TComponent* Owner)
    : TPopupMenu(Owner)
{
    SetUIStyle(GetOwnerFormUIStyle(Owner));
}

TsuiPopupMenu::~TsuiPopupMenu() = default;

void TsuiPopupMenu::SetFileTheme(TsuiFileTheme* Value)
{
    FFileTheme = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
    SetUIStyle(UIStyle());
}

void TsuiPopupMenu::AttachItemHandlers()
{
    const TMenuDrawItemEvent draw = [this](TObject* Sender, TCanvas& ACanvas, const TRect& ARect, bool Selected) {
        DrawItem(Sender, ACanvas, ARect, Selected);
    };
    const TMenuMeasureItemEvent measure
        = [this](TObject* Sender, TCanvas& ACanvas, int& Width, int& Height) { MeasureItem(Sender, ACanvas, Width, Height); };
    for (int i = 0; i < Items()->Count(); ++i)
        SetMenuItemsDrawHandlers(Items()->Items(i), draw, measure);
}

void TsuiPopupMenu::Loaded()
{
    inherited::Loaded();
    AttachItemHandlers();
}

void TsuiPopupMenu::Notification(TComponent* Component, TOperation Operation)
{
    inherited::Notification(Component, Operation);
    if (Operation == opRemove && Component != nullptr && Component == FFileTheme) {
        FFileTheme = nullptr;
        SetUIStyle(DeepBlue);
    }
}

void TsuiPopupMenu::MeasureItem(TObject* Sender, TCanvas& ACanvas, int& Width, int& Height)
{
    MeasureMenuItem(*static_cast<TMenuItem*>(Sender), ACanvas, Width, Height);
}

void TsuiPopupMenu::DrawItem(TObject* Sender, TCanvas& ACanvas, const TRect& ARect, bool Selected)
{
    DrawMenuItem(*static_cast<TMenuItem*>(Sender), ACanvas, ARect, Selected, TMenu::Images(), MenuCheckImages());
}

const TImageList& MenuCheckImages()
{
    // One list for every popup menu, kept until the program ends.
    static const std::unique_ptr<TImageList> images = [] {
        auto list = std::make_unique<TImageList>(nullptr);
        TBitmap mark;
        mark.LoadFromResourceName("MENU_CHECKED");
        mark.SetTransparent(true);
        list->AddMasked(mark, clWhite);
        return list;
    }();
    return *images;
}

void RegisterPopupMenuClasses()
{
    RegisterFileThemeClasses();
    RegisterClasses<TsuiPopupMenu>();
}
