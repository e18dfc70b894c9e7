#pragma once
#include <functional>
#include <string>
#include <vector>

#include "host/gfx/Canvas.h"
#include "host/ui/Component.h"
#include "host/ui/ShortCuts.h"
#include "host/win/Messages.h"

class TMenu;
class TImageList;
class TMenuItem;

// A menu item put into a second menu, or an index outside an item's sub-items.
class EMenuError : public Exception {
public:
    using Exception::Exception;
};

// The size of an owner-measured item: the default size on entry.
using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas& ACanvas, int& Width, int& Height)>;
// Draws an owner-drawn item into ARect (menu window coordinates); Selected for the hot item.
using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas& ACanvas, const TRect& ARect, bool Selected)>;
// Source: the item that changed, or none for the root; Rebuild when items came or went.
using TMenuChangeEvent = std::function<void(TObject* Sender, TMenuItem* Source, bool Rebuild)>;

// One command of a menu, and the sub-menu of its own items. A caption of exactly "-" makes
// the item a separator. Items belong to their owner like any component; an item's parent only
// lists them, and frees on its destruction the sub-items that nobody owns.
class TMenuItem : public TComponent {
    DECLARE_CLASS(TMenuItem, TComponent)

public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    bool IsLine() const { return caption_ == "-"; }
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    // Checking a radio item unchecks the other radio items of its group among its siblings.
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // The default item of a menu is drawn bold.
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    // An image of the menu's Images, or -1.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const { return parent_; }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out of this one's sub-items without freeing it.
    void Delete(int index);
    void Remove(TMenuItem* item);
    int IndexOf(const TMenuItem* item) const;
    // Position among the parent's sub-items (-1 without a parent).
    int MenuIndex() const;
    void SetMenuIndex(int value);
    // The menu whose tree this item is in, or none.
    TMenu* GetParentMenu() const;
    // The enabled item with that shortcut in this item's tree (this one included) whose
    // ancestors up to here are enabled too, or none.
    TMenuItem* FindShortCut(TShortCut shortCut);

    // Runs OnClick when the item is enabled.
    virtual void Click();

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

protected:
    // Tells the menu of this item's tree that the item changed.
    void MenuChanged(bool rebuild);

private:
    friend class TMenu;

    void UncheckGroup();

    std::string caption_;
    TShortCut shortCut_ = scNone;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool default_ = false;
    bool radioItem_ = false;
    int groupIndex_ = 0;
    int imageIndex_ = -1;
    std::string hint_;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    // Set on the root item of a menu.
    TMenu* menu_ = nullptr;
};

// A tree of menu items under the root Items, with the image list and the owner-draw switch
// they are shown with. Stored in a layout with its items as nested objects.
class TMenu : public TComponent {
    DECLARE_CLASS(TMenu, TComponent)

public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    TMenuItem* Items() const { return items_; }
    virtual TImageList* Images() const { return images_; }
    virtual void SetImages(TImageList* value);
    // Items are measured and drawn through their OnMeasureItem and OnDrawItem.
    virtual bool OwnerDraw() const { return ownerDraw_; }
    virtual void SetOwnerDraw(bool value);

    // Any item of the tree changed (caption, state, items added or removed): Sender is the
    // item, Source the item or none for the root.
    virtual void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild);

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    // Counts the changes that added, removed, showed or hid items; an open menu closes on one.
    unsigned Generation() const { return generation_; }

    TMenuChangeEvent OnChange;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TMenuItem;

    TMenuItem* items_;
    unsigned generation_ = 0;
    TImageList* images_ = nullptr;
    bool ownerDraw_ = false;
};

// The menu of a form. The form dispatches its key presses through IsShortCut.
class TMainMenu : public TMenu {
    DECLARE_CLASS(TMainMenu, TMenu)

public:
    using TMenu::TMenu;

    // Clicks the enabled item with that key as its shortcut; whether there was one.
    bool IsShortCut(int key, TShiftState shift);
    // The same for a WM_KEYDOWN, with the modifiers the keyboard holds now.
    bool IsShortCut(const MSG& message);
};

// A menu shown at a point of the screen, as a modal popup window.
class TPopupMenu : public TMenu {
    DECLARE_CLASS(TPopupMenu, TMenu)

public:
    using TMenu::TMenu;

    // Runs OnPopup, shows the items with their top-left corner at the screen point (moved
    // inside the work area when they do not fit) and returns when the menu closes; the chosen
    // item's Click runs after the window is gone. Nothing happens while the menu is shown.
    virtual void Popup(int X, int Y);
    // The window of the open menu (its first level), or none.
    HWND WindowHandle() const { return window_; }

    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }
    // The component the menu was last popped up for; set by whoever pops it up.
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* value);

    TNotifyEvent OnPopup;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    HWND window_ = nullptr;
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
};

void RegisterMenuClasses();
