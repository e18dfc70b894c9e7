#include "host/res/Resources.h"
#include "host/ui/Forms.h"
#include "host/ui/Publisher.h"
#include "skin/frame/SUITitleBar.h"

namespace {

// Item positions in the menu.
constexpr int kMinimizeItem = 0;
constexpr int kMaxRestoreItem = 1;
constexpr int kCloseItem = 3;

} // namespace

void TsuiTitleBarPopupMenu::Publish(TPublisher<TsuiTitleBarPopupMenu>&)
{
}

TsuiTitleBarPopupMenu::TsuiTitleBarPopupMenu(TComponent* Owner)
    : TsuiPopupMenu(Owner)
{
    const auto add = [this](const std::string& caption, void (TsuiTitleBarPopupMenu::*command)(TObject*)) {
        auto* item = new TMenuItem(this);
        item->SetCaption(caption);
        if (command != nullptr)
            item->OnClick = [this, command](TObject* sender) { (this->*command)(sender); };
        Items()->Add(item);
    };
    add(LoadStr("MINIMIZE"), &TsuiTitleBarPopupMenu::MinimizeClick);
    add(LoadStr("MAXIMIZE_RESTORE"), &TsuiTitleBarPopupMenu::MaxRestoreClick);
    add("-", nullptr);
    add(LoadStr("CLOSE"), &TsuiTitleBarPopupMenu::CloseClick);
    AttachItemHandlers();
}

void TsuiTitleBarPopupMenu::Popup(int X, int Y)
{
    if (FTitleBar != nullptr) {
        bool hasMin = false;
        bool hasMax = false;
        bool hasClose = false;
        TsuiTitleBarButtons& buttons = FTitleBar->Buttons();
        for (int i = 0; i < buttons.Count(); ++i) {
            const TsuiTitleBarBtnType type = buttons.Items(i)->ButtonType();
            hasMin = hasMin || type == suiMin;
            hasMax = hasMax || type == suiMax;
            hasClose = hasClose || type == suiClose;
        }
        Items()->Items(kMinimizeItem)->SetEnabled(hasMin);
        Items()->Items(kMaxRestoreItem)->SetEnabled(hasMax);
        Items()->Items(kCloseItem)->SetEnabled(hasClose);
    }
    TsuiPopupMenu::Popup(X, Y);
}

void TsuiTitleBarPopupMenu::MinimizeClick(TObject*)
{
    if (FTitleBar != nullptr)
        MinimizeParentForm(FTitleBar->GetParentForm());
}

void TsuiTitleBarPopupMenu::MaxRestoreClick(TObject*)
{
    if (FTitleBar == nullptr)
        return;
    TsuiTitleBarButtons& buttons = FTitleBar->Buttons();
    for (int i = 0; i < buttons.Count(); ++i) {
        if (buttons.Items(i)->ButtonType() == suiMax)
            buttons.Items(i)->Click();
    }
}

void TsuiTitleBarPopupMenu::CloseClick(TObject*)
{
    if (FTitleBar == nullptr)
        return;
    if (TCustomForm* form = FTitleBar->GetParentForm())
        form->Close();
}
