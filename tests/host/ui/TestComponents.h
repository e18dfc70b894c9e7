#pragma once
#include <memory>
#include <string>
#include <vector>

#include "host/gfx/Colors.h"
#include "host/ui/Collection.h"
#include "host/ui/Component.h"
#include "host/ui/FontProperties.h"
#include "host/ui/Picture.h"
#include "host/ui/Strings.h"

// Small component classes with one property of every kind, and a log of what their setters,
// notifications and Loaded saw, for the framework's tests.

std::vector<std::string>& TestLog();

enum TTestAlign : std::uint8_t { talNone, talTop, talClient };
inline const TEnumInfo& EnumInfo(TTypeTag<TTestAlign>)
{
    static const TEnumInfo info("TTestAlign", { "talNone", "talTop", "talClient" });
    return info;
}

enum class TTestOption : std::uint8_t { toFirst, toSecond, toThird };
using TTestOptions = TSet<TTestOption>;
inline const TEnumInfo& EnumInfo(TTypeTag<TTestOption>)
{
    static const TEnumInfo info("TTestOption", { "toFirst", "toSecond", "toThird" });
    return info;
}

// A control-like component: a parent set by the reader, and properties of every kind.
class TTestPanel : public TComponent {
    DECLARE_CLASS(TTestPanel, TComponent)

public:
    explicit TTestPanel(TComponent* owner);
    ~TTestPanel() override;

    int Width() const { return width_; }
    void SetWidth(int value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TTestAlign Align() const { return align_; }
    void SetAlign(TTestAlign value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    TTestOptions Options() const { return options_; }
    void SetOptions(TTestOptions value);
    TFont& Font() { return font_; }
    void SetFont(const TFont& value) { font_.Assign(value); }
    TStrings* Lines() const { return lines_.get(); }
    void SetLines(const TStrings* value) { lines_->Assign(*value); }
    TTestPanel* Buddy() const { return buddy_; }
    void SetBuddy(TTestPanel* value);
    int Count() const { return 7; }
    bool IsWidthStored() const { return !IsAutoWidth; }

    TNotifyEvent OnClick;
    bool IsAutoWidth = false;
    TComponentState StateInConstructor;
    int SetterCalls = 0;

    TTestPanel* Parent = nullptr;
    std::vector<TTestPanel*> Children;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return Parent; }
    void SetParentComponent(TComponent* parent) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

private:
    void Log(const std::string& what);

    int width_ = 0;
    TColor color_ = clBtnFace;
    TTestAlign align_ = talNone;
    bool visible_ = true;
    std::string caption_;
    TTestOptions options_;
    TFont font_;
    std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
    TTestPanel* buddy_ = nullptr;
};

// Publishes Caption again with a stored default.
class TTestLabel : public TTestPanel {
    DECLARE_CLASS(TTestLabel, TTestPanel)

public:
    using TTestPanel::TTestPanel;
    const std::string& Text() const { return text_; }
    void SetText(const std::string& value) { text_ = value; }

private:
    std::string text_;
};

class TTestItem : public TCollectionItem {
    DECLARE_CLASS(TTestItem, TCollectionItem)

public:
    explicit TTestItem(TCollection* collection)
        : TCollectionItem(collection)
        , caption_("new")
    {
    }

    int Top() const { return top_; }
    void SetTop(int value)
    {
        top_ = value;
        Changed(false);
    }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { caption_ = value; }
    TPicture& Picture() { return picture_; }
    void SetPicture(const TPicture& value) { picture_.Assign(value); }
    TTestPanel* Target() const { return target_; }
    void SetTarget(TTestPanel* value) { target_ = value; }
    void Assign(const TPersistent& source) override;

private:
    int top_ = 2;
    std::string caption_;
    TPicture picture_;
    TTestPanel* target_ = nullptr;
};

// Records every Update with the caption of each item at that moment.
class TTestItems : public TCollection {
    DECLARE_CLASS(TTestItems, TCollection)

public:
    explicit TTestItems(TPersistent* owner)
        : TCollection(owner, TTestItem::StaticClassInfo())
    {
    }
    TTestItem* Items(int index) const { return static_cast<TTestItem*>(TCollection::Items(index)); }

    std::vector<std::string> Updates;

protected:
    void Update(TCollectionItem* item) override;
};

// A page-control-like pair: the control stores its page names itself ("Pages"), each sheet
// the name of its control ("PageControl"), as identifiers.
class TTestBook : public TTestPanel {
    DECLARE_CLASS(TTestBook, TTestPanel)

public:
    using TTestPanel::TTestPanel;
    TTestItems* Items() const { return items_.get(); }
    void SetItems(const TTestItems* value) { items_->Assign(*value); }
    void DefineProperties(TFiler& filer) override;

    std::vector<std::string> StoredPageNames;
    std::vector<TTestPanel*> Pages;

private:
    std::unique_ptr<TTestItems> items_ = std::make_unique<TTestItems>(this);
};

class TTestSheet : public TTestPanel {
    DECLARE_CLASS(TTestSheet, TTestPanel)

public:
    using TTestPanel::TTestPanel;
    void DefineProperties(TFiler& filer) override;
    void SetParentComponent(TComponent* parent) override;

    TTestBook* Book = nullptr;
};

// The root of test layouts, with published handlers.
class TTestForm : public TTestPanel {
    DECLARE_CLASS(TTestForm, TTestPanel)

public:
    explicit TTestForm(TComponent* owner = nullptr)
        : TTestPanel(owner)
    {
    }

    void PanelClick(TObject* sender);
    void FormClose(TObject* sender, int& action);

    std::function<void(TObject*, int&)> OnClose;
    std::vector<std::string> Clicks;
};

// A root whose class the registry does not know by layout.
class TOtherForm : public TComponent {
    DECLARE_CLASS(TOtherForm, TComponent)

public:
    using TComponent::TComponent;
};

void RegisterTestClasses();
