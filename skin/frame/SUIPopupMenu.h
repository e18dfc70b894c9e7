#pragma once
#include "host/ui/Menus.h"
#include "skin/frame/SUIMenuLook.h"

// A popup menu whose items are all measured and drawn by the skin, in the colours, bitmaps and
// font of its style. Items added after loading are skinned once AttachItemHandlers runs again.
class TsuiPopupMenu : public TPopupMenu, public TsuiMenuLook {
    DECLARE_CLASS(TsuiPopupMenu, TPopupMenu)

public:
    explicit TsuiPopupMenu(TComponent* Owner);
    ~TsuiPopupMenu() override;

    // Always on: the skin draws every item.
    bool OwnerDraw() const override { return true; }
    void SetOwnerDraw(bool) override { }

    // Restyles from the file's colours when the style reads the file.
    void SetFileTheme(TsuiFileTheme* Value);

    // Hooks the skinned measure and draw handlers to every item.
    void AttachItemHandlers();

protected:
    void Loaded() override;
    void Notification(TComponent* Component, TOperation Operation) override;

private:
    void MeasureItem(TObject* Sender, TCanvas& ACanvas, int& Width, int& Height);
    void DrawItem(TObject* Sender, TCanvas& ACanvas, const TRect& ARect, bool Selected);
};

// The check mark every skinned popup menu draws for a checked item without an image.
const TImageList& MenuCheckImages();

void RegisterPopupMenuClasses();
