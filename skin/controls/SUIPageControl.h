#pragma once
#include <string>
#include <vector>

#include "host/ui/Filer.h"
#include "skin/controls/SUITabControl.h"

class TsuiPageControl;

// The page control's strip; in the form designer a click on it switches tabs as well.
class TsuiPageControlTopPanel : public TsuiTabControlTopPanel {
    DECLARE_CLASS(TsuiPageControlTopPanel, TsuiTabControlTopPanel)

public:
    using TsuiTabControlTopPanel::TsuiTabControlTopPanel;

    // The designer asks whether the strip wants a left click at a point: the strip handles the
    // click itself, marks the form modified and answers no.
    bool DesignHitTest(int X, int Y);
};

// One page of a page control; its caption is the tab's.
class TsuiTabSheet : public TCustomPanel {
    DECLARE_CLASS(TsuiTabSheet, TCustomPanel)

public:
    explicit TsuiTabSheet(TComponent* Owner);
    ~TsuiTabSheet() override;

    TsuiPageControl* PageControl() const { return FPageControl; }
    int PageIndex() const { return FPageIndex; }
    void SetPageIndex(int Value);
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    // The strip's flag for the sheet's tab; the sheet's own copy while it is on no page control.
    bool TabVisible() const;
    void SetTabVisible(bool Value);

    TNotifyEvent OnShow;

    void DefineProperties(TFiler& Filer) override;

private:
    friend class TsuiPageControl;

    void ReadPageControl(const TLayoutValue& Value);

    TsuiPageControl* FPageControl = nullptr;
    int FPageIndex = -1;
    std::string FCaption;
    bool FTabVisible = true;
};

// A tab control whose tabs stand for its tab sheets: choosing a tab brings its sheet to the
// front and enables it, and disables the sheet that was in front.
class TsuiPageControl : public TsuiTab {
    DECLARE_CLASS(TsuiPageControl, TsuiTab)

public:
    explicit TsuiPageControl(TComponent* Owner);
    ~TsuiPageControl() override;

    TsuiTabSheet* ActivePage() const { return FActivePage; }
    // Activation by program; a sheet of another page control is ignored.
    void SetActivePage(TsuiTabSheet* Value);
    int PageCount() const { return static_cast<int>(FPages.size()); }
    TsuiTabSheet* Pages(int Index) const;

    void TabActivated(int Index) override;
    void ShowControl(TControl* Control) override;
    void DefineProperties(TFiler& Filer) override;

protected:
    void BorderColorChanged() override;
    void ApplyStyleToContents(TsuiUIStyle Style, TsuiFileTheme* Theme) override;
    void WndProc(TMessage& Message) override;

private:
    friend class TsuiTabSheet;

    static TsuiTabControlTopPanel* CreateTopPanel(TsuiTab* TabControl);

    void InsertSheet(TsuiTabSheet* Sheet);
    void RemoveSheet(TsuiTabSheet* Sheet);
    void MoveSheet(TsuiTabSheet* Sheet, int NewIndex);
    void ActivateSheet(TsuiTabSheet* Sheet);
    void ActivateIndex(int Index);
    void ShowSheet(TsuiTabSheet* Sheet, bool FocusFirstChild);
    void DisableActivePage();
    // Page indexes follow the list; each tab's visibility follows its sheet.
    void Renumber();
    void RebuildCaptions();
    void SelectNearestVisible(int HiddenIndex);
    // Puts the pages into the stored order once the last stored sheet has been read.
    void RestoreStoredOrder();
    void ReadPages(const TLayoutValue& Value);
    TLayoutValue WritePages() const;

    std::vector<TsuiTabSheet*> FPages;
    TsuiTabSheet* FActivePage = nullptr;
    std::vector<std::string> FStoredPageNames;
};

// Registers the page control and its sheet for the layout reader.
void RegisterPageControlClasses();
