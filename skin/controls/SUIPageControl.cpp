#include "skin/controls/SUIPageControl.h"

#include <algorithm>

#include "host/ui/Publisher.h"
#include "skin/core/SUIPublic.h"

// ---- TsuiPageControlTopPanel ----

void TsuiPageControlTopPanel::Publish(TPublisher<TsuiPageControlTopPanel>&)
{
}

bool TsuiPageControlTopPanel::DesignHitTest(int X, int Y)
{
    if (ComponentState().Contains(csDesigning))
        MouseDown(mbLeft, {}, X, Y);
    return false;
}

// ---- TsuiTabSheet ----

void TsuiTabSheet::Publish(TPublisher<TsuiTabSheet>& p)
{
    p.Property("PageIndex", &TsuiTabSheet::PageIndex, &TsuiTabSheet::SetPageIndex);
    p.Property("Caption", &TsuiTabSheet::Caption, &TsuiTabSheet::SetCaption);
    p.Property("TabVisible", &TsuiTabSheet::TabVisible, &TsuiTabSheet::SetTabVisible);
    p.Event("OnShow", &TsuiTabSheet::OnShow);
}

TsuiTabSheet::TsuiTabSheet(TComponent* Owner)
    : TCustomPanel(Owner)
{
    TControl::SetCaption(" ");
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
    SetBorderWidth(0);
    SetAlign(alClient);
}

TsuiTabSheet::~TsuiTabSheet()
{
    // Leave while still a sheet, so that the page control drops the page.
    if (FPageControl && Parent() == FPageControl)
        SetParent(nullptr);
    if (FPageControl)
        FPageControl->RemoveSheet(this);
}

void TsuiTabSheet::SetPageIndex(int Value)
{
    if (FPageControl)
        FPageControl->MoveSheet(this, Value);
}

void TsuiTabSheet::SetCaption(const std::string& Value)
{
    FCaption = Value;
    if (FPageControl)
        FPageControl->RebuildCaptions();
}

bool TsuiTabSheet::TabVisible() const
{
    if (FPageControl)
        return FPageControl->TopPanel()->TabVisible(FPageIndex);
    return FTabVisible;
}

void TsuiTabSheet::SetTabVisible(bool Value)
{
    FTabVisible = Value;
    if (!FPageControl)
        return;
    TsuiTabControlTopPanel* strip = FPageControl->TopPanel();
    strip->SetTabVisible(FPageIndex, Value);
    strip->Repaint();
    if (Value)
        FPageControl->ActivateIndex(FPageIndex);
    else
        FPageControl->SelectNearestVisible(FPageIndex);
}

void TsuiTabSheet::DefineProperties(TFiler& Filer)
{
    TCustomPanel::DefineProperties(Filer);
    Filer.DefineProperty(
        "PageControl", [this](const TLayoutValue& Value) { ReadPageControl(Value); },
        [this] { return TLayoutValue::FromIdent(FPageControl->Name()); },
        FPageControl != nullptr && !FPageControl->Name().empty());
}

void TsuiTabSheet::ReadPageControl(const TLayoutValue& Value)
{
    const std::string& name = Value.AsIdent();
    TComponent* found = Owner() ? Owner()->FindComponent(name) : nullptr;
    // A sheet belongs to the page control it lies on; a name pointing elsewhere cannot link it.
    auto* pageControl = dynamic_cast<TsuiPageControl*>(found);
    if (pageControl && pageControl == FPageControl)
        pageControl->RestoreStoredOrder();
}

// ---- TsuiPageControl ----

void TsuiPageControl::Publish(TPublisher<TsuiPageControl>& p)
{
    p.Property("ActivePage", &TsuiPageControl::ActivePage, &TsuiPageControl::SetActivePage);
    p.Property("PageCount", &TsuiPageControl::PageCount);
}

TsuiTabControlTopPanel* TsuiPageControl::CreateTopPanel(TsuiTab* TabControl)
{
    return new TsuiPageControlTopPanel(TabControl, TabControl);
}

TsuiPageControl::TsuiPageControl(TComponent* Owner)
    : TsuiTab(Owner, &TsuiPageControl::CreateTopPanel)
{
    TopPanel()->Tabs().Clear();
}

TsuiPageControl::~TsuiPageControl()
{
    for (TsuiTabSheet* sheet : FPages)
        sheet->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
}

TsuiTabSheet* TsuiPageControl::Pages(int Index) const
{
    if (Index < 0 || Index >= PageCount())
        return nullptr;
    return FPages[static_cast<std::size_t>(Index)];
}

void TsuiPageControl::SetActivePage(TsuiTabSheet* Value)
{
    if (Value && Value->FPageControl != this)
        return;
    ActivateSheet(Value);
}

void TsuiPageControl::DisableActivePage()
{
    if (FActivePage)
        FActivePage->SetEnabled(false);
}

void TsuiPageControl::TabActivated(int Index)
{
    DisableActivePage();
    // An index naming no page (the strip set to -1) leaves no page in front.
    FActivePage = Pages(Index);
    if (FActivePage)
        ShowSheet(FActivePage, true);
    TsuiTab::TabActivated(Index);
}

void TsuiPageControl::ShowSheet(TsuiTabSheet* Sheet, bool FocusFirstChild)
{
    Sheet->SetVisible(true);
    Sheet->SetEnabled(true);
    Sheet->BringToFront();
    Sheet->Repaint();
    const bool designing = ComponentState().Contains(csDesigning);
    if (FocusFirstChild && !Loading() && !designing && Sheet->ControlCount() > 0) {
        auto* first = dynamic_cast<TWinControl*>(Sheet->Controls(0));
        if (first && first->CanFocus())
            first->SetFocus();
    }
    if (Sheet->OnShow)
        Sheet->OnShow(Sheet);
}

void TsuiPageControl::ActivateSheet(TsuiTabSheet* Sheet)
{
    DisableActivePage();
    FActivePage = Sheet;
    if (!Sheet)
        return;
    const int index = Sheet->FPageIndex;
    SelectTab(index);
    TopPanel()->SetTabIndex(index);
    ShowSheet(Sheet, false);
}

void TsuiPageControl::ActivateIndex(int Index)
{
    DisableActivePage();
    if (Index < 0 || Index >= TopPanel()->Tabs().Count())
        ActivateSheet(nullptr);
    else
        ActivateSheet(Pages(Index));
}

void TsuiPageControl::InsertSheet(TsuiTabSheet* Sheet)
{
    Sheet->FPageControl = this;
    Sheet->SetColor(Color());
    TopPanel()->Tabs().Add(Sheet->Caption());
    FPages.push_back(Sheet);
    Renumber();
    RebuildCaptions();
    ActivateSheet(Sheet);
}

void TsuiPageControl::RemoveSheet(TsuiTabSheet* Sheet)
{
    const auto it = std::find(FPages.begin(), FPages.end(), Sheet);
    if (it == FPages.end())
        return;
    const int index = static_cast<int>(it - FPages.begin());
    if (index < TopPanel()->Tabs().Count())
        TopPanel()->Tabs().Delete(index);
    FPages.erase(it);
    Sheet->FPageControl = nullptr;
    Sheet->FPageIndex = -1;
    Renumber();
    // While everything goes down together, no page is brought forward (and no event fires).
    if (ComponentState().Contains(csDestroying)) {
        if (FActivePage == Sheet)
            FActivePage = nullptr;
        return;
    }
    ActivateIndex(index - 1);
    if (FActivePage == Sheet)
        FActivePage = nullptr;
}

void TsuiPageControl::MoveSheet(TsuiTabSheet* Sheet, int NewIndex)
{
    if (NewIndex < 0 || NewIndex >= PageCount())
        return;
    const auto it = std::find(FPages.begin(), FPages.end(), Sheet);
    if (it == FPages.end())
        return;
    FPages.erase(it);
    FPages.insert(FPages.begin() + NewIndex, Sheet);
    Renumber();
    RebuildCaptions();
    ActivateSheet(Sheet);
}

void TsuiPageControl::Renumber()
{
    for (std::size_t i = 0; i < FPages.size(); ++i) {
        FPages[i]->FPageIndex = static_cast<int>(i);
        TopPanel()->SetTabVisible(static_cast<int>(i), FPages[i]->FTabVisible);
    }
}

void TsuiPageControl::RebuildCaptions()
{
    TStrings& tabs = TopPanel()->Tabs();
    tabs.BeginUpdate();
    try {
        tabs.Clear();
        for (TsuiTabSheet* sheet : FPages)
            tabs.Add(sheet->Caption());
    } catch (...) {
        tabs.EndUpdate();
        throw;
    }
    tabs.EndUpdate();
}

void TsuiPageControl::SelectNearestVisible(int HiddenIndex)
{
    for (int i = std::min(HiddenIndex, PageCount()) - 1; i >= 0; --i) {
        if (Pages(i)->TabVisible()) {
            ActivateIndex(i);
            return;
        }
    }
    for (int i = HiddenIndex + 1; i < PageCount(); ++i) {
        if (Pages(i)->TabVisible()) {
            ActivateIndex(i);
            return;
        }
    }
}

void TsuiPageControl::RestoreStoredOrder()
{
    if (FStoredPageNames.size() != FPages.size())
        return;
    for (TsuiTabSheet* sheet : FPages) {
        const auto it = std::find(FStoredPageNames.begin(), FStoredPageNames.end(), sheet->Name());
        sheet->FPageIndex = it == FStoredPageNames.end() ? -1 : static_cast<int>(it - FStoredPageNames.begin());
    }
    std::stable_sort(
        FPages.begin(), FPages.end(), [](const TsuiTabSheet* a, const TsuiTabSheet* b) { return a->FPageIndex < b->FPageIndex; });
    Renumber();
    RebuildCaptions();
}

void TsuiPageControl::ShowControl(TControl* Control)
{
    TsuiTab::ShowControl(Control);
    if (auto* sheet = dynamic_cast<TsuiTabSheet*>(Control))
        SetActivePage(sheet);
}

void TsuiPageControl::BorderColorChanged()
{
    if (FActivePage)
        FActivePage->Repaint();
}

void TsuiPageControl::ApplyStyleToContents(TsuiUIStyle Style, TsuiFileTheme* Theme)
{
    for (TsuiTabSheet* sheet : FPages) {
        ApplyThemeToChildren(sheet, Style, Theme);
        sheet->SetColor(Color());
        sheet->SetAlign(alClient);
    }
}

void TsuiPageControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_CONTROLLISTCHANGE:
        if (auto* sheet = dynamic_cast<TsuiTabSheet*>(reinterpret_cast<TControl*>(Message.WParam))) {
            if (Message.LParam != 0)
                InsertSheet(sheet);
            else
                RemoveSheet(sheet);
        }
        break;
    case CM_COLORCHANGED:
        // The sheets take the colour; the body shows it in the margin around them.
        for (TsuiTabSheet* sheet : FPages)
            sheet->SetColor(Color());
        Invalidate();
        return;
    default:
        break;
    }
    TsuiTab::WndProc(Message);
}

void TsuiPageControl::DefineProperties(TFiler& Filer)
{
    TsuiTab::DefineProperties(Filer);
    Filer.DefineProperty(
        "Pages", [this](const TLayoutValue& Value) { ReadPages(Value); }, [this] { return WritePages(); }, true);
}

void TsuiPageControl::ReadPages(const TLayoutValue& Value)
{
    for (const TLayoutValue& name : Value.AsList())
        FStoredPageNames.push_back(name.AsIdent());
}

TLayoutValue TsuiPageControl::WritePages() const
{
    std::vector<TLayoutValue> names;
    // An unnamed sheet cannot be stored as an identifier.
    for (const TsuiTabSheet* sheet : FPages) {
        if (!sheet->Name().empty())
            names.push_back(TLayoutValue::FromIdent(sheet->Name()));
    }
    return TLayoutValue::FromList(std::move(names));
}

void RegisterPageControlClasses()
{
    RegisterTabControlClasses();
    RegisterClasses<TsuiPageControl, TsuiTabSheet>();
}
