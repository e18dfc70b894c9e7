#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "host/gfx/Font.h"
#include "host/ui/Panel.h"
#include "host/ui/Strings.h"
#include "skin/core/SUIThemes.h"

class TsuiFileTheme;
class TsuiTab;

// Asked before a click changes the tab; the handler clears AllowChange to refuse.
using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;
// Told after the active tab changed.
using TTabActiveNotify = std::function<void(TObject* Sender, int TabIndex)>;

// The row of skinned tabs along the top of a tab control. It lays the tabs out from the left
// margin, cuts the one that reaches the scroll buttons and leaves out those after it, and
// hands every tab change to its tab control.
class TsuiTabControlTopPanel : public TCustomPanel {
    DECLARE_CLASS(TsuiTabControlTopPanel, TCustomPanel)

public:
    TsuiTabControlTopPanel(TComponent* Owner, TsuiTab* TabControl);
    ~TsuiTabControlTopPanel() override;

    TStrings& Tabs() { return *FTabs; }
    const TStrings& Tabs() const { return *FTabs; }
    void SetTabs(const TStrings& Value);
    int TabIndex() const { return FTabIndex; }
    // The tab change: refused by OnChanging only while a click makes it; an index that names
    // no tab (other than -1) only repaints.
    void SetTabIndex(int Value);
    int LeftMargin() const { return FLeftMargin; }
    void SetLeftMargin(int Value);
    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value);
    TsuiFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TsuiFileTheme* Value);

    // Whether the tab at a position takes part in the row; every position does until told.
    bool TabVisible(int Index) const;
    void SetTabVisible(int Index, bool Value);

    // Where the strip puts things now; painting and clicks go by the same layout.
    // A tab as painted (the active one a row lower, a cut one ending at the right limit); empty
    // for a tab that is not shown: hidden, scrolled out, after the cut one, or no tab at all.
    TRect TabRect(int Index) const;
    // The scroll button of a direction (-1 left, +1 right); empty while the buttons are not shown.
    TRect ScrollButtonRect(int Direction) const;
    // The width measured for a tab (a cut inactive tab: what is shown of it); 0 for a hidden
    // tab, -1 for one not laid out.
    int TabWidth(int Index) const;
    // A click hits a tab only below row 0 and above this row.
    int TabHeight() const;
    int CutTabIndex() const;
    bool Overflow() const;
    // The scroll button under the mouse: -1 left, +1 right, 0 none.
    int HotScrollButton() const { return FHotScrollButton; }

    // Visible tabs scrolled out at the left.
    int ScrollOffset() const { return FScrollOffset; }
    int ScrollButtonWidth() const { return FScrollButtonWidth; }
    int ScrollButtonHeight() const { return FScrollButtonHeight; }
    TsuiTab* TabControl() const { return FTabControl; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void CMMouseLeave(TMessage& Message) override;
    void Resize() override;
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* Component, TOperation Operation) override;

private:
    struct TLayout {
        struct TTab {
            int Index;
            TRect Rect;
            // A click hits the tab left of this (a cut active tab: its full width).
            int HitRight;
            bool Cut;
        };
        // The tabs shown, left to right.
        std::vector<TTab> Tabs;
        // One per tab, as TabWidth gives them.
        std::vector<int> Widths;
        int TabHeight = 0;
        int CutTabIndex = -1;
        bool Overflow = false;
        bool ScrollButtons = false;
        TRect LeftButton;
        TRect RightButton;

        const TTab* Find(int Index) const;
        int TabAt(int X, int Y) const;
        int ScrollButtonAt(int X, int Y) const;
    };

    TLayout Layout() const;
    void LoadImage(int Entry, TBitmap& Bitmap, int FrameCount, int FrameIndex) const;
    void DrawTabs(TCanvas& Canvas, const TLayout& Layout);
    void DrawScrollButtons(TCanvas& Canvas, const TLayout& Layout);
    void SetHotScrollButton(int Value);
    void SpanTabControl();

    std::unique_ptr<TStringList> FTabs;
    TsuiUIStyle FUIStyle = DeepBlue;
    TsuiFileTheme* FFileTheme = nullptr;
    int FTabIndex = 0;
    int FLeftMargin = 10;
    bool FClicking = false;
    int FScrollOffset = 0;
    int FHotScrollButton = 0;
    int FScrollButtonWidth = 0;
    int FScrollButtonHeight = 0;
    TsuiTab* FTabControl = nullptr;
    std::vector<bool> FTabVisibleFlags;
};

// A skinned tab control: the tab strip along the top and a bordered body below it, in which
// child controls are laid out. Only subclasses exist; each makes its own kind of strip.
class TsuiTab : public TCustomPanel {
    DECLARE_CLASS(TsuiTab, TCustomPanel)

public:
    ~TsuiTab() override;

    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value);
    TsuiFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TsuiFileTheme* Value);
    int LeftMargin() const;
    void SetLeftMargin(int Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    // The font of the tab captions, apart from the panel's own.
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& Value);

    TsuiTabControlTopPanel* TopPanel() const { return FTopPanel; }

    TTabActiveNotify OnTabActive;
    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

    // Sets the strip's tab index (no OnChanging).
    virtual void SelectTab(int Index);
    // The strip's tab index changed.
    virtual void TabActivated(int Index);

protected:
    // The strip comes from the subclass, which C++ cannot ask from this constructor.
    using TTopPanelMaker = TsuiTabControlTopPanel* (*)(TsuiTab* TabControl);
    TsuiTab(TComponent* Owner, TTopPanelMaker CreateTopPanel);

    virtual void BorderColorChanged() { }
    virtual void ApplyStyleToContents(TsuiUIStyle Style, TsuiFileTheme* Theme);

    void Paint() override;
    void Resize() override;
    void AdjustClientRect(TRect& Rect) const override;
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* Component, TOperation Operation) override;

private:
    void SpanTopPanel();

    TsuiUIStyle FUIStyle = DeepBlue;
    TsuiFileTheme* FFileTheme = nullptr;
    TColor FBorderColor = clBlack;
    TFont FFont;
    TsuiTabControlTopPanel* FTopPanel = nullptr;
};

// Registers the tab control classes for the layout reader (a TsuiTab itself cannot be made).
void RegisterTabControlClasses();
