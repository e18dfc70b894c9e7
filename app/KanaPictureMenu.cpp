#include "app/KanaPictureMenu.h"

#include "app/StrokeOrderView.h"
#include "host/ui/Forms.h"
#include "host/ui/Menus.h"
#include "host/voice/VoiceService.h"
#include "skin/frame/SUIPopupMenu.h"

namespace {

TMenuItem* AddItem(TsuiPopupMenu& menu, const char* caption, TNotifyEvent onClick)
{
    auto* item = new TMenuItem(&menu);
    item->SetCaption(caption);
    item->OnClick = std::move(onClick);
    menu.Items()->Add(item);
    return item;
}

TControl* PoppedUpFor(const TsuiPopupMenu& menu)
{
    return dynamic_cast<TControl*>(menu.PopupComponent());
}

} // namespace

TKanaPictureMenu::TKanaPictureMenu(TForm& form, TControl& strokeArea, std::function<std::string(TControl*)> kanaOf)
    : strokeArea_(strokeArea)
    , kanaOf_(std::move(kanaOf))
    , menu_(new TsuiPopupMenu(&form))
    , speakItem_(AddItem(*menu_, "发音", [this](TObject*) { Speak(PoppedUpFor(*menu_)); }))
    , strokesItem_(AddItem(*menu_, "笔顺", [this](TObject*) { ShowStrokes(PoppedUpFor(*menu_)); }))
    , strokeView_(new TStrokeOrderView(&form))
{
    menu_->SetName("KanaPictureMenu");
    menu_->AttachItemHandlers();
    strokesItem_->SetEnabled(StrokeOrderFontInstalled());
    strokeView_->SetName("StrokeOrderView");
    strokeView_->SetParent(strokeArea.Parent());
    menu_->OnPopup = [this](TObject*) {
        const bool shows = !kanaOf_(PoppedUpFor(*menu_)).empty();
        speakItem_->SetEnabled(shows);
        strokesItem_->SetEnabled(shows && StrokeOrderFontInstalled());
    };
}

void TKanaPictureMenu::Attach(TControl* picture)
{
    picture->OnClick = [this](TObject* sender) { Speak(dynamic_cast<TControl*>(sender)); };
    picture->SetPopupMenu(menu_);
}

void TKanaPictureMenu::Speak(TControl* picture) const
{
    const std::string kana = kanaOf_(picture);
    if (!kana.empty())
        Voice().Speak(kana);
}

void TKanaPictureMenu::ShowStrokes(TControl* picture) const
{
    const std::string kana = kanaOf_(picture);
    if (!kana.empty())
        strokeView_->ShowKana(kana, strokeArea_.BoundsRect());
}
