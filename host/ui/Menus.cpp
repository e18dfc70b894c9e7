#include "host/ui/Menus.h"

#include <algorithm>

#include "host/ui/Control.h"
#include "host/ui/ImageList.h"
#include "host/ui/MenuTracking.h"

// ---- TMenuItem ----

void TMenuItem::Publish(TPublisher<TMenuItem>& p)
{
    p.Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
    p.Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(false);
    p.Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault).Default(false);
    p.Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(true);
    p.Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex).Default(0);
    p.Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
    p.Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex).Default(-1);
    p.Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem).Default(false);
    p.Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut).Default(scNone);
    p.Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(true);
    p.Event("OnClick", &TMenuItem::OnClick);
    p.Event("OnDrawItem", &TMenuItem::OnDrawItem);
    p.Event("OnMeasureItem", &TMenuItem::OnMeasureItem);
}

TMenuItem::TMenuItem(TComponent* owner)
    : TComponent(owner)
{
}

TMenuItem::~TMenuItem()
{
    Destroying();
    while (!items_.empty()) {
        TMenuItem* item = items_.back();
        items_.pop_back();
        item->parent_ = nullptr;
        if (item->Owner() == nullptr)
            delete item;
    }
    if (parent_ != nullptr)
        parent_->Remove(this);
}

void TMenuItem::SetCaption(const std::string& value)
{
    if (value == caption_)
        return;
    caption_ = value;
    MenuChanged(false);
}

void TMenuItem::SetShortCut(TShortCut value)
{
    if (value == shortCut_)
        return;
    shortCut_ = value;
    MenuChanged(false);
}

void TMenuItem::SetChecked(bool value)
{
    if (value == checked_)
        return;
    checked_ = value;
    if (value && radioItem_)
        UncheckGroup();
    MenuChanged(false);
}

void TMenuItem::UncheckGroup()
{
    if (parent_ == nullptr)
        return;
    for (TMenuItem* sibling : parent_->items_) {
        if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_)
            sibling->SetChecked(false);
    }
}

void TMenuItem::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    MenuChanged(false);
}

void TMenuItem::SetVisible(bool value)
{
    if (value == visible_)
        return;
    visible_ = value;
    MenuChanged(true);
}

void TMenuItem::SetDefault(bool value)
{
    if (value == default_)
        return;
    if (value && parent_ != nullptr) {
        for (TMenuItem* sibling : parent_->items_)
            sibling->default_ = false;
    }
    default_ = value;
    MenuChanged(false);
}

void TMenuItem::SetRadioItem(bool value)
{
    if (value == radioItem_)
        return;
    radioItem_ = value;
    if (checked_ && radioItem_)
        UncheckGroup();
    MenuChanged(false);
}

void TMenuItem::SetGroupIndex(int value)
{
    if (value == groupIndex_)
        return;
    groupIndex_ = value;
    if (checked_ && radioItem_)
        UncheckGroup();
    MenuChanged(false);
}

void TMenuItem::SetImageIndex(int value)
{
    if (value == imageIndex_)
        return;
    imageIndex_ = value;
    MenuChanged(false);
}

TMenuItem* TMenuItem::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EMenuError("Menu index out of range");
    return items_[static_cast<std::size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item)
{
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (item == nullptr)
        return;
    if (item->parent_ != nullptr)
        throw EMenuError("Menu inserted twice");
    if (index < 0 || index > Count())
        throw EMenuError("Menu index out of range");
    for (const TMenuItem* up = this; up != nullptr; up = up->parent_) {
        if (up == item)
            throw EMenuError("Menu inserted into itself");
    }
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    if (item->checked_ && item->radioItem_)
        item->UncheckGroup();
    MenuChanged(true);
}

void TMenuItem::Delete(int index)
{
    TMenuItem* item = Items(index);
    items_.erase(items_.begin() + index);
    item->parent_ = nullptr;
    MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* item)
{
    const int index = IndexOf(item);
    if (index < 0)
        throw EMenuError("Sub-menu is not in menu");
    Delete(index);
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

int TMenuItem::MenuIndex() const
{
    return parent_ != nullptr ? parent_->IndexOf(this) : -1;
}

void TMenuItem::SetMenuIndex(int value)
{
    if (parent_ == nullptr)
        return;
    TMenuItem* parent = parent_;
    const int count = parent->Count();
    value = std::clamp(value, 0, count - 1);
    if (value == MenuIndex())
        return;
    std::erase(parent->items_, this);
    parent->items_.insert(parent->items_.begin() + value, this);
    MenuChanged(true);
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* root = this;
    while (root->parent_ != nullptr)
        root = root->parent_;
    return root->menu_;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut)
{
    if (!enabled_)
        return nullptr;
    if (shortCut_ == shortCut && shortCut != scNone)
        return this;
    for (TMenuItem* item : items_) {
        if (TMenuItem* found = item->FindShortCut(shortCut))
            return found;
    }
    return nullptr;
}

void TMenuItem::Click()
{
    if (enabled_ && OnClick)
        OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const
{
    if (parent_ != nullptr && parent_->menu_ != nullptr)
        return parent_->menu_;
    return parent_;
}

void TMenuItem::SetParentComponent(TComponent* parent)
{
    TMenuItem* newParent = nullptr;
    if (auto* menu = dynamic_cast<TMenu*>(parent))
        newParent = menu->Items();
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        newParent = item;
    if (newParent == parent_)
        return;
    if (parent_ != nullptr)
        parent_->Remove(this);
    if (newParent != nullptr)
        newParent->Add(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root)
{
    // Items that another component made (at run time) are not the layout's.
    for (TMenuItem* item : items_) {
        if (item->Owner() == root)
            proc(item);
    }
}

void TMenuItem::MenuChanged(bool rebuild)
{
    TMenu* menu = GetParentMenu();
    if (menu == nullptr || menu->ComponentState().Contains(csDestroying))
        return;
    if (rebuild)
        ++menu->generation_;
    menu->MenuChanged(this, menu_ != nullptr ? nullptr : this, rebuild);
}

// ---- TMenu ----

void TMenu::Publish(TPublisher<TMenu>& p)
{
    p.Property("Images", &TMenu::Images, &TMenu::SetImages);
    p.Property("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw).Default(false);
}

TMenu::TMenu(TComponent* owner)
    : TComponent(owner)
    , items_(new TMenuItem(this))
{
    items_->menu_ = this;
}

TMenu::~TMenu()
{
    // The root item and its unowned items go while this is still a menu.
    Destroying();
    DestroyComponents();
}

void TMenu::SetImages(TImageList* value)
{
    if (value == images_)
        return;
    images_ = value;
    if (value != nullptr)
        value->FreeNotification(this);
    MenuChanged(this, nullptr, false);
}

void TMenu::SetOwnerDraw(bool value)
{
    if (value == ownerDraw_)
        return;
    ownerDraw_ = value;
    MenuChanged(this, nullptr, false);
}

void TMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild)
{
    if (OnChange)
        OnChange(Sender, Source, Rebuild);
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root)
{
    inherited::GetChildren(proc, root);
    items_->GetChildren(proc, root);
}

void TMenu::Notification(TComponent* component, TOperation operation)
{
    inherited::Notification(component, operation);
    if (operation == opRemove && component == images_)
        images_ = nullptr;
}

// ---- TMainMenu ----

void TMainMenu::Publish(TPublisher<TMainMenu>&)
{
}

bool TMainMenu::IsShortCut(int key, TShiftState shift)
{
    const TShortCut shortCut = ShortCut(key, shift);
    if ((shortCut & 0xFF) == 0)
        return false;
    TMenuItem* item = Items()->FindShortCut(shortCut);
    if (item == nullptr)
        return false;
    item->Click();
    return true;
}

bool TMainMenu::IsShortCut(const MSG& message)
{
    if (message.message != WM_KEYDOWN)
        return false;
    return IsShortCut(static_cast<int>(message.wParam), KeyboardShiftState());
}

// ---- TPopupMenu ----

void TPopupMenu::Publish(TPublisher<TPopupMenu>& p)
{
    p.Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(true);
    p.Event("OnPopup", &TPopupMenu::OnPopup);
}

void TPopupMenu::Popup(int X, int Y)
{
    if (window_ != nullptr)
        return;
    if (OnPopup)
        OnPopup(this);
    TMenuItem* chosen = nullptr;
    {
        TMenuTracker tracker(*this, *Items());
        window_ = tracker.Open(TPoint { X, Y });
        try {
            chosen = tracker.Run();
        } catch (...) {
            window_ = nullptr;
            throw;
        }
        window_ = nullptr;
    }
    if (chosen != nullptr)
        chosen->Click();
}

void TPopupMenu::SetPopupComponent(TComponent* value)
{
    popupComponent_ = value;
    if (value != nullptr)
        value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation)
{
    inherited::Notification(component, operation);
    if (operation == opRemove && component == popupComponent_)
        popupComponent_ = nullptr;
}

void RegisterMenuClasses()
{
    RegisterClasses<TMenuItem, TMenu, TMainMenu, TPopupMenu, TImageList>();
}
