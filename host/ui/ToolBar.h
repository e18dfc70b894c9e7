#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "host/ui/CustomControl.h"
#include "host/ui/GraphicControl.h"

class TImageList;
class TMenuItem;
class TToolBar;

enum TToolButtonStyle : std::uint8_t { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
inline const TEnumInfo& EnumInfo(TTypeTag<TToolButtonStyle>)
{
    static const TEnumInfo info("TToolButtonStyle", { "tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider" });
    return info;
}

enum TEdgeBorder : std::uint8_t { ebLeft, ebTop, ebRight, ebBottom };
using TEdgeBorders = TSet<TEdgeBorder>;
inline const TEnumInfo& EnumInfo(TTypeTag<TEdgeBorder>)
{
    static const TEnumInfo info("TEdgeBorder", { "ebLeft", "ebTop", "ebRight", "ebBottom" });
    return info;
}

// The state a tool button is custom-drawn in.
enum TCustomDrawStateItem : std::uint8_t { cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot };
using TCustomDrawState = TSet<TCustomDrawStateItem>;

// Before the bar draws its buttons: ARect is its client area; DefaultDraw false leaves the
// buttons undrawn.
using TTBCustomDrawEvent = std::function<void(TToolBar* Sender, const TRect& ARect, bool& DefaultDraw)>;
// Before the bar draws a button (on the bar's canvas, at the button's bounds); DefaultDraw
// false means the handler drew it.
using TTBCustomDrawBtnEvent
    = std::function<void(TToolBar* Sender, class TToolButton* Button, TCustomDrawState State, bool& DefaultDraw)>;

// A button of a tool bar, drawn by the bar. A button bound to a menu item takes the item's
// caption, image, state and hint, and when clicked drops the item's sub-menu below itself (an
// item without sub-items is clicked instead).
class TToolButton : public TGraphicControl {
    DECLARE_CLASS(TToolButton, TGraphicControl)

public:
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;

    TToolBar* ToolBar() const;
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    TMenuItem* MenuItem() const { return menuItem_; }
    void SetMenuItem(TMenuItem* value);
    // Shown pressed (a checked button, or a menu item's check).
    bool Down() const { return down_; }
    void SetDown(bool value);
    // One of a group of check buttons next to each other; pressing one releases the others.
    bool Grouped() const { return grouped_; }
    void SetGrouped(bool value) { grouped_ = value; }
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle value);
    // As wide as its image and caption need, instead of the bar's ButtonWidth.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

    // Under the pointer, or pressed by the mouse or while its menu is dropped.
    bool Hot() const { return hot_; }
    bool Pressed() const { return pressed_ || dropped_; }

    void Click() override;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CMMouseEnter(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;
    void CMVisibleChanged(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void DropMenu();
    void Changed();

    int imageIndex_ = -1;
    TMenuItem* menuItem_ = nullptr;
    bool down_ = false;
    bool grouped_ = false;
    TToolButtonStyle style_ = tbsButton;
    bool autoSize_ = false;
    bool hot_ = false;
    bool pressed_ = false;
    bool dropped_ = false;
};

// A bar of tool buttons laid out left to right, by default across the top of its parent.
// It draws itself and its buttons; OnCustomDraw and OnCustomDrawButton may take over.
class TToolBar : public TCustomControl {
    DECLARE_CLASS(TToolBar, TCustomControl)

public:
    explicit TToolBar(TComponent* owner);

    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TToolButton* Buttons(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    TEdgeBorders EdgeBorders() const { return edgeBorders_; }
    void SetEdgeBorders(TEdgeBorders value);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool value);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int value);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int value);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* value);

    // Places the buttons again (after a button's caption, style or size switch changed).
    void LayoutButtons();

    TTBCustomDrawEvent OnCustomDraw;
    TTBCustomDrawBtnEvent OnCustomDrawButton;

protected:
    void Paint() override;
    void ControlsChanged() override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

private:
    friend class TToolButton;

    TRect EdgeInsets() const;
    int ButtonWidthFor(TToolButton& button);
    TCustomDrawState StateOf(const TToolButton& button) const;
    void DrawEdges(TCanvas& canvas);
    void DrawButton(TCanvas& canvas, TToolButton& button, TCustomDrawState state);
    // A grouped check button went down: the buttons of its group next to it come up.
    void ReleaseGroup(TToolButton& button);

    std::vector<TToolButton*> buttons_;
    bool flat_ = false;
    TEdgeBorders edgeBorders_ { ebTop };
    bool showCaptions_ = false;
    int buttonWidth_ = 23;
    int buttonHeight_ = 22;
    TImageList* images_ = nullptr;
    bool layingOut_ = false;
};

void RegisterToolBarClasses();
