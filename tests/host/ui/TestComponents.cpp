#include "TestComponents.h"

#include <algorithm>

#include "host/ui/ColorIdents.h"
#include "host/ui/Filer.h"

std::vector<std::string>& TestLog()
{
    static std::vector<std::string> log;
    return log;
}

void TTestPanel::Publish(TPublisher<TTestPanel>& p)
{
    p.Property("Width", &TTestPanel::Width, &TTestPanel::SetWidth).Stored(&TTestPanel::IsWidthStored);
    p.Property("Color", &TTestPanel::Color, &TTestPanel::SetColor).Idents(ColorIdents()).Default(clBtnFace);
    p.Property("Align", &TTestPanel::Align, &TTestPanel::SetAlign).Default(talNone);
    p.Property("Visible", &TTestPanel::Visible, &TTestPanel::SetVisible).Default(true);
    p.Property("Caption", &TTestPanel::Caption, &TTestPanel::SetCaption);
    p.Property("Options", &TTestPanel::Options, &TTestPanel::SetOptions).Default(TTestOptions {});
    p.Property("Font", &TTestPanel::Font, &TTestPanel::SetFont);
    p.Property("Lines", &TTestPanel::Lines, &TTestPanel::SetLines);
    p.Property("Buddy", &TTestPanel::Buddy, &TTestPanel::SetBuddy);
    p.Property("Count", &TTestPanel::Count);
    p.Event("OnClick", &TTestPanel::OnClick);
}

TTestPanel::TTestPanel(TComponent* owner)
    : TComponent(owner)
    , StateInConstructor(ComponentState())
{
}

TTestPanel::~TTestPanel()
{
    TestLog().push_back("destroy " + Name());
    for (TTestPanel* child : Children)
        child->Parent = nullptr;
    if (Parent != nullptr)
        std::erase(Parent->Children, this);
}

void TTestPanel::Log(const std::string& what)
{
    TestLog().push_back(Name() + "." + what + (ComponentState().Contains(csLoading) ? " (loading)" : ""));
}

void TTestPanel::SetWidth(int value)
{
    ++SetterCalls;
    width_ = value;
    Log("Width=" + std::to_string(value));
}

void TTestPanel::SetColor(TColor value)
{
    ++SetterCalls;
    color_ = value;
}

void TTestPanel::SetAlign(TTestAlign value)
{
    ++SetterCalls;
    align_ = value;
}

void TTestPanel::SetVisible(bool value)
{
    ++SetterCalls;
    visible_ = value;
}

void TTestPanel::SetCaption(const std::string& value)
{
    ++SetterCalls;
    caption_ = value;
    Log("Caption=" + value + (Parent != nullptr ? " in " + Parent->Name() : ""));
}

void TTestPanel::SetOptions(TTestOptions value)
{
    ++SetterCalls;
    options_ = value;
}

void TTestPanel::SetBuddy(TTestPanel* value)
{
    ++SetterCalls;
    buddy_ = value;
    if (value != nullptr)
        value->FreeNotification(this);
    Log("Buddy=" + (value != nullptr ? value->Name() : std::string("nil")));
}

void TTestPanel::SetParentComponent(TComponent* parent)
{
    auto* panel = dynamic_cast<TTestPanel*>(parent);
    Log("Parent=" + (panel != nullptr ? panel->Name() : std::string("none")) + " Caption=" + caption_);
    if (panel == nullptr)
        return;
    Parent = panel;
    panel->Children.push_back(this);
}

void TTestPanel::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root)
{
    TComponent::GetChildren(proc, root);
    for (TTestPanel* child : Children) {
        if (child->Owner() == root)
            proc(child);
    }
}

void TTestPanel::Notification(TComponent* component, TOperation operation)
{
    inherited::Notification(component, operation);
    if (operation == opRemove && component == buddy_) {
        buddy_ = nullptr;
        TestLog().push_back(Name() + " lost buddy");
    }
}

void TTestPanel::Loaded()
{
    inherited::Loaded();
    Log("Loaded" + std::string(buddy_ != nullptr ? " buddy=" + buddy_->Name() : ""));
}

void TTestLabel::Publish(TPublisher<TTestLabel>& p)
{
    p.Property("Caption", &TTestLabel::Caption, &TTestLabel::SetCaption).Default("Label");
    p.Property("Text", &TTestLabel::Text, &TTestLabel::SetText);
}

void TTestItem::Publish(TPublisher<TTestItem>& p)
{
    p.Property("Top", &TTestItem::Top, &TTestItem::SetTop);
    p.Property("Caption", &TTestItem::Caption, &TTestItem::SetCaption);
    p.Property("Picture", &TTestItem::Picture, &TTestItem::SetPicture);
    p.Property("Target", &TTestItem::Target, &TTestItem::SetTarget);
}

void TTestItem::Assign(const TPersistent& source)
{
    const auto* other = dynamic_cast<const TTestItem*>(&source);
    if (other == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    top_ = other->top_;
    caption_ = other->caption_;
    picture_.Assign(other->picture_);
    target_ = other->target_;
}

void TTestItems::Publish(TPublisher<TTestItems>&)
{
}

void TTestItems::Update(TCollectionItem* item)
{
    if (item != nullptr) {
        Updates.push_back("item " + static_cast<TTestItem*>(item)->Caption());
        return;
    }
    std::string all = "all";
    for (int i = 0; i < Count(); ++i)
        all += " " + Items(i)->Caption();
    Updates.push_back(all);
}

void TTestBook::Publish(TPublisher<TTestBook>& p)
{
    p.Property("Items", &TTestBook::Items, &TTestBook::SetItems);
}

void TTestBook::DefineProperties(TFiler& filer)
{
    inherited::DefineProperties(filer);
    filer.DefineProperty(
        "Pages",
        [this](const TLayoutValue& value) {
            for (const TLayoutValue& name : value.AsList())
                StoredPageNames.push_back(name.AsIdent());
        },
        [this] {
            std::vector<TLayoutValue> names;
            for (TTestPanel* page : Pages)
                names.push_back(TLayoutValue::FromIdent(page->Name()));
            return TLayoutValue::FromList(std::move(names));
        },
        !Pages.empty());
}

void TTestSheet::Publish(TPublisher<TTestSheet>&)
{
}

void TTestSheet::SetParentComponent(TComponent* parent)
{
    inherited::SetParentComponent(parent);
    if (auto* book = dynamic_cast<TTestBook*>(parent))
        book->Pages.push_back(this);
}

void TTestSheet::DefineProperties(TFiler& filer)
{
    inherited::DefineProperties(filer);
    filer.DefineProperty(
        "PageControl",
        [this](const TLayoutValue& value) {
            Book = dynamic_cast<TTestBook*>(Owner()->FindComponent(value.AsIdent()));
            TestLog().push_back(Name() + ".PageControl=" + value.AsIdent()
                + " pages=" + std::to_string(Book != nullptr ? Book->Pages.size() : 0));
        },
        [this] { return TLayoutValue::FromIdent(Book->Name()); }, Book != nullptr);
}

void TTestForm::Publish(TPublisher<TTestForm>& p)
{
    p.Event("OnClose", &TTestForm::OnClose);
    p.Method("PanelClick", &TTestForm::PanelClick);
    p.Method("FormClose", &TTestForm::FormClose);
}

void TTestForm::PanelClick(TObject* sender)
{
    Clicks.push_back(static_cast<TComponent*>(sender)->Name());
}

void TTestForm::FormClose(TObject*, int& action)
{
    action = 2;
}

void TOtherForm::Publish(TPublisher<TOtherForm>&)
{
}

void RegisterTestClasses()
{
    RegisterClasses<TComponent, TTestPanel, TTestLabel, TTestBook, TTestSheet>();
}
