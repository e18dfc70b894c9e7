#pragma once
#include <memory>

#include "host/ui/ImageList.h"
#include "host/ui/Menus.h"
#include "skin/frame/SUIMenuLook.h"

class TsuiForm;

// The menu of a form that carries a TsuiForm. It never shows as the window's own menu bar: it
// hands itself to the form's TsuiForm, whose menu bar shows one button per top-level item; the
// drop-down menus are drawn by the skin as TsuiPopupMenu draws its items.
class TsuiMainMenu : public TMainMenu, public TsuiMenuLook {
    DECLARE_CLASS(TsuiMainMenu, TMainMenu)

public:
    explicit TsuiMainMenu(TComponent* Owner);
    ~TsuiMainMenu() override;

    // None while the menu shows only its own check mark list.
    TImageList* Images() const override;
    // None puts the check mark list back.
    void SetImages(TImageList* Value) override;
    // Always on: the skin draws every item.
    bool OwnerDraw() const override { return true; }
    void SetOwnerDraw(bool) override { }

    void SetFileTheme(TsuiFileTheme* Value);
    // Also the font of the TsuiForm's menu bar, which follows at once.
    void SetUseSystemFont(bool Value);

    // The TsuiForm that shows this menu; set and cleared by that form.
    TsuiForm* SkinForm() const { return FSkinForm; }
    void SetSkinForm(TsuiForm* Value) { FSkinForm = Value; }

    // Hooks the skinned measure and draw handlers to every item.
    void AttachItemHandlers();

    void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) override;

protected:
    void Loaded() override;
    void Notification(TComponent* Component, TOperation Operation) override;

private:
    void AttachToOwnerForm();
    void MeasureItem(TObject* Sender, TCanvas& ACanvas, int& Width, int& Height);
    void DrawItem(TObject* Sender, TCanvas& ACanvas, const TRect& ARect, bool Selected);

    // The menu's own check mark, image 0; kept in the image slot while the user gives none.
    std::unique_ptr<TImageList> CheckImages;
    TsuiForm* FSkinForm = nullptr;
};

void RegisterMainMenuClasses();
