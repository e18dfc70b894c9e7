#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "host/gfx/Bitmap.h"
#include "host/ui/Collection.h"
#include "host/ui/Panel.h"
#include "host/ui/Picture.h"
#include "skin/core/SUIThemes.h"
#include "skin/frame/SUIPopupMenu.h"

class TsuiFileTheme;
class TsuiTitleBar;
class TPopupMenu;

// What a caption button does, and which frames of the style's button strip it shows.
enum TsuiTitleBarBtnType : std::uint8_t { suiMax, suiMin, suiClose, suiHelp, suiControlBox, suiCustom };
inline const TEnumInfo& EnumInfo(TTypeTag<TsuiTitleBarBtnType>)
{
    static const TEnumInfo info(
        "TsuiTitleBarBtnType", { "suiMax", "suiMin", "suiClose", "suiHelp", "suiControlBox", "suiCustom" });
    return info;
}

// Which side of the title bar a caption image is packed against; the one client image
// stretches over what the others leave.
enum TsuiTitleBarAlign : std::uint8_t { suiLeft, suiRight, suiClient };
inline const TEnumInfo& EnumInfo(TTypeTag<TsuiTitleBarAlign>)
{
    static const TEnumInfo info("TsuiTitleBarAlign", { "suiLeft", "suiRight", "suiClient" });
    return info;
}

// Sender is the title bar; ButtonIndex the clicked button's index in its Buttons.
using TsuiTitleBarButtonClickEvent = std::function<void(TObject* Sender, int ButtonIndex)>;

// Minimises the form: the application's main form through its own minimise command (which
// takes the whole application down), any other form by showing its window minimised.
void MinimizeParentForm(TCustomForm* Form);

// A caption button: three pictures (normal, mouse on, mouse down), cut from the style's
// button strip by type, and the action of that type.
class TsuiTitleBarButton : public TCollectionItem {
    DECLARE_CLASS(TsuiTitleBarButton, TCollectionItem)

public:
    explicit TsuiTitleBarButton(TCollection* Collection);
    ~TsuiTitleBarButton() override;

    void Assign(const TPersistent& Source) override;

    // The button's action on its title bar's form.
    void Click();
    // Transparent, the three pictures and Top from the button's style.
    void LoadPictures();
    // A maximise button shows the restore frames while its form is maximised.
    void UpdateMaxRestorePictures();

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    TsuiTitleBarBtnType ButtonType() const { return FButtonType; }
    void SetButtonType(TsuiTitleBarBtnType Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    int Top() const { return FTop; }
    void SetTop(int Value);
    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value);
    TPicture& PicNormal() { return FPicNormal; }
    const TPicture& PicNormal() const { return FPicNormal; }
    void SetPicNormal(const TPicture& Value);
    TPicture& PicMouseOn() { return FPicMouseOn; }
    const TPicture& PicMouseOn() const { return FPicMouseOn; }
    void SetPicMouseOn(const TPicture& Value);
    TPicture& PicMouseDown() { return FPicMouseDown; }
    const TPicture& PicMouseDown() const { return FPicMouseDown; }
    void SetPicMouseDown(const TPicture& Value);
    // Shown by a control box button instead of the title bar's system menu; not owned, and
    // cleared when the menu goes.
    TPopupMenu* ControlBoxMenu() const { return FControlBoxMenu; }
    void SetControlBoxMenu(TPopupMenu* Value);

    // The title bar of the collection, or none.
    TsuiTitleBar* TitleBar() const;

private:
    // Frames First .. First + 2 of the style's strip into the three pictures.
    void LoadFrames(int First);
    void Changed();

    bool FVisible = true;
    TsuiTitleBarBtnType FButtonType = suiCustom;
    bool FTransparent = false;
    int FTop = 2;
    TsuiUIStyle FUIStyle = DeepBlue;
    TPicture FPicNormal;
    TPicture FPicMouseOn;
    TPicture FPicMouseDown;
    TPopupMenu* FControlBoxMenu = nullptr;
};

// The caption buttons of a title bar; every change repaints it.
class TsuiTitleBarButtons : public TCollection {
    DECLARE_CLASS(TsuiTitleBarButtons, TCollection)

public:
    explicit TsuiTitleBarButtons(TsuiTitleBar* TitleBar);

    TsuiTitleBarButton* Add();
    TsuiTitleBarButton* Items(int Index) const;
    TsuiTitleBar* TitleBar() const { return FTitleBar; }

protected:
    void Update(TCollectionItem* Item) override;

private:
    TsuiTitleBar* FTitleBar;
};

// A caption image in a slot of the title bar.
class TsuiTitleBarSection : public TCollectionItem {
    DECLARE_CLASS(TsuiTitleBarSection, TCollectionItem)

public:
    explicit TsuiTitleBarSection(TCollection* Collection);
    ~TsuiTitleBarSection() override;

    void Assign(const TPersistent& Source) override;

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TsuiTitleBarAlign Align() const { return FAlign; }
    void SetAlign(TsuiTitleBarAlign Value);
    TPicture& Picture() { return FPicture; }
    const TPicture& Picture() const { return FPicture; }
    void SetPicture(const TPicture& Value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);

    TsuiTitleBar* TitleBar() const;

private:
    void Changed();

    int FWidth = 10;
    TsuiTitleBarAlign FAlign = suiLeft;
    TPicture FPicture;
    bool FStretch = false;
    bool FAutoSize = false;
};

// The caption images of a title bar; every change repaints it.
class TsuiTitleBarSections : public TCollection {
    DECLARE_CLASS(TsuiTitleBarSections, TCollection)

public:
    explicit TsuiTitleBarSections(TsuiTitleBar* TitleBar);

    TsuiTitleBarSection* Add();
    TsuiTitleBarSection* Items(int Index) const;
    TsuiTitleBar* TitleBar() const { return FTitleBar; }

protected:
    void Update(TCollectionItem* Item) override;

private:
    TsuiTitleBar* FTitleBar;
};

// The title bar's system menu: minimise, maximise/restore and close for its form, each
// enabled only when the title bar has a button of that kind.
class TsuiTitleBarPopupMenu : public TsuiPopupMenu {
    DECLARE_CLASS(TsuiTitleBarPopupMenu, TsuiPopupMenu)

public:
    explicit TsuiTitleBarPopupMenu(TComponent* Owner);

    void Popup(int X, int Y) override;

    TsuiTitleBar* TitleBar() const { return FTitleBar; }
    void SetTitleBar(TsuiTitleBar* Value) { FTitleBar = Value; }

private:
    void MinimizeClick(TObject* Sender);
    void MaxRestoreClick(TObject* Sender);
    void CloseClick(TObject* Sender);

    TsuiTitleBar* FTitleBar = nullptr;
};

// The skinned caption of a skinned form: caption images, caption buttons, the optional
// program icon and the caption text. It moves its window when dragged, maximises it on a
// double-click, runs the buttons and the system menu and rounds the window's top corners.
class TsuiTitleBar : public TCustomPanel {
    DECLARE_CLASS(TsuiTitleBar, TCustomPanel)

public:
    explicit TsuiTitleBar(TComponent* Owner);
    ~TsuiTitleBar() override;

    TsuiFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TsuiFileTheme* Value);
    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TsuiTitleBarSections& Sections() { return *FSections; }
    void SetSections(const TsuiTitleBarSections& Value);
    TsuiTitleBarButtons& Buttons() { return *FButtons; }
    void SetButtons(const TsuiTitleBarButtons& Value);
    int ButtonInterval() const { return FButtonInterval; }
    void SetButtonInterval(int Value);
    bool FormActive() const { return FFormActive; }
    void SetFormActive(bool Value);
    int LeftBtnXOffset() const { return FLeftBtnXOffset; }
    void SetLeftBtnXOffset(int Value);
    int RightBtnXOffset() const { return FRightBtnXOffset; }
    void SetRightBtnXOffset(int Value);
    bool DrawAppIcon() const { return FDrawAppIcon; }
    void SetDrawAppIcon(bool Value);
    int RoundCorner() const { return FRoundCorner; }
    void SetRoundCorner(int Value);

    TsuiTitleBarPopupMenu* MenuPopup() const { return FMenuPopup; }
    TColor CornerPenColor() const { return FCornerPenColor; }
    bool MouseIsDown() const { return FMouseIsDown; }
    // The button under the cursor at the last paint, -1 for none.
    int HotButtonIndex() const { return FHotButtonIndex; }
    int ButtonImageHeight() const { return FButtonImageHeight; }
    int ButtonTopOffset() const { return FButtonTopOffset; }

    // The parent control is a skinned form.
    bool OnSkinnedForm() const;
    // Gives the form's window its shape: top corners rounded by an ellipse W wide and high.
    void ApplyRoundCorner(int W);
    // Every maximise button follows its form's state.
    void UpdateMaxButtons();

    TsuiTitleBarButtonClickEvent OnCustomBtnsClick;
    TsuiTitleBarButtonClickEvent OnHelpBtnClick;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    virtual void DrawSections(TBitmap& Bitmap);
    virtual void DrawButtonsAndCaption(TBitmap& Bitmap);

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    void CMMouseLeave(TMessage& Message) override;
    void WndProc(TMessage& Message) override;

private:
    void WMNCHitTest(TMessage& Message);
    // Draws one button's picture for the state under the cursor and notes a hot button.
    void DrawButton(TBitmap& Bitmap, TBitmap& Picture, int Index, int X, const TPoint& Cursor);

    TsuiUIStyle FUIStyle = DeepBlue;
    TsuiFileTheme* FFileTheme = nullptr;
    TsuiTitleBarSections* FSections = nullptr;
    TsuiTitleBarButtons* FButtons = nullptr;
    bool FAutoSize = false;
    int FButtonInterval = 0;
    bool FFormActive = true;
    int FLeftBtnXOffset = 0;
    int FRightBtnXOffset = 0;
    int FRoundCorner = 0;
    bool FDrawAppIcon = false;
    bool FFileThemeChanging = false;
    TsuiTitleBarPopupMenu* FMenuPopup = nullptr;
    TColor FCornerPenColor = clBlack;
    bool FMouseIsDown = false;
    int FHotButtonIndex = -1;
    int FButtonImageHeight = 0;
    int FButtonTopOffset = 0;
};

// Registers the title bar's published classes for the layout reader.
void RegisterTitleBarClasses();
