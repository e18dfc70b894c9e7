// Components of every property kind, into which the layout fuzzer reads its input and from
// which it writes it back.
#include "fuzz/LayoutRoundTrip.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/gfx/Colors.h"
#include "host/ui/Collection.h"
#include "host/ui/ColorIdents.h"
#include "host/ui/Component.h"
#include "host/ui/Filer.h"
#include "host/ui/FontProperties.h"
#include "host/ui/Picture.h"
#include "host/ui/Streaming.h"
#include "host/ui/Strings.h"

namespace {

enum TFuzzAlign : std::uint8_t { faNone, faTop, faClient };
enum class TFuzzOption : std::uint8_t { foOne, foTwo };

} // namespace

const TEnumInfo& EnumInfo(TTypeTag<TFuzzAlign>)
{
    static const TEnumInfo info("TFuzzAlign", { "faNone", "faTop", "faClient" });
    return info;
}

const TEnumInfo& EnumInfo(TTypeTag<TFuzzOption>)
{
    static const TEnumInfo info("TFuzzOption", { "foOne", "foTwo" });
    return info;
}

namespace {

class TFuzzPanel;

class TFuzzItem : public TCollectionItem {
    DECLARE_CLASS(TFuzzItem, TCollectionItem)

public:
    explicit TFuzzItem(TCollection* collection)
        : TCollectionItem(collection)
    {
    }
    int Top() const { return top_; }
    void SetTop(int value) { top_ = value; }
    TPicture& Picture() { return picture_; }
    void SetPicture(const TPicture& value) { picture_.Assign(value); }
    TFuzzPanel* Target() const { return target_; }
    void SetTarget(TFuzzPanel* value) { target_ = value; }

private:
    int top_ = 0;
    TPicture picture_;
    TFuzzPanel* target_ = nullptr;
};

class TFuzzPanel : public TComponent {
    DECLARE_CLASS(TFuzzPanel, TComponent)

public:
    explicit TFuzzPanel(TComponent* owner)
        : TComponent(owner)
    {
    }
    ~TFuzzPanel() override
    {
        for (TFuzzPanel* child : children_)
            child->parent_ = nullptr;
        if (parent_ != nullptr)
            std::erase(parent_->children_, this);
    }

    int Width() const { return width_; }
    void SetWidth(int value) { width_ = value; }
    TColor Color() const { return color_; }
    void SetColor(TColor value) { color_ = value; }
    TFuzzAlign Align() const { return align_; }
    void SetAlign(TFuzzAlign value) { align_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { caption_ = value; }
    TSet<TFuzzOption> Options() const { return options_; }
    void SetOptions(TSet<TFuzzOption> value) { options_ = value; }
    TFont& Font() { return font_; }
    void SetFont(const TFont& value) { font_.Assign(value); }
    TStringList* Lines() const { return lines_.get(); }
    void SetLines(const TStringList* value) { lines_->Assign(*value); }
    TFuzzPanel* Buddy() const { return buddy_; }
    void SetBuddy(TFuzzPanel* value)
    {
        buddy_ = value;
        if (value != nullptr)
            value->FreeNotification(this);
    }
    TCollection* Items() const { return items_.get(); }
    void SetItems(const TCollection* value) { items_->Assign(*value); }
    TNotifyEvent OnClick;

    // As a control: always kept and written by its parent.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return parent_; }
    void SetParentComponent(TComponent* parent) override
    {
        parent_ = dynamic_cast<TFuzzPanel*>(parent);
        if (parent_ != nullptr)
            parent_->children_.push_back(this);
    }
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override
    {
        TComponent::GetChildren(proc, root);
        for (TFuzzPanel* child : children_) {
            if (child->Owner() == root)
                proc(child);
        }
    }
    void DefineProperties(TFiler& filer) override
    {
        inherited::DefineProperties(filer);
        filer.DefineProperty(
            "Names",
            [this](const TLayoutValue& value) {
                names_.clear();
                for (const TLayoutValue& name : value.AsList())
                    names_.push_back(name.AsIdent());
            },
            [this] {
                std::vector<TLayoutValue> names;
                for (const std::string& name : names_)
                    names.push_back(TLayoutValue::FromIdent(name));
                return TLayoutValue::FromList(std::move(names));
            },
            !names_.empty());
    }

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        inherited::Notification(component, operation);
        if (operation == opRemove) {
            if (component == buddy_)
                buddy_ = nullptr;
            for (int i = 0; i < items_->Count(); ++i) {
                auto* item = static_cast<TFuzzItem*>(items_->Items(i));
                if (item->Target() == component)
                    item->SetTarget(nullptr);
            }
        }
    }

private:
    int width_ = 0;
    TColor color_ = clBtnFace;
    TFuzzAlign align_ = faNone;
    bool visible_ = true;
    std::string caption_;
    TSet<TFuzzOption> options_;
    TFont font_;
    std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
    TFuzzPanel* buddy_ = nullptr;
    std::unique_ptr<TCollection> items_ = std::make_unique<TCollection>(this, TFuzzItem::StaticClassInfo());
    std::vector<std::string> names_;
    TFuzzPanel* parent_ = nullptr;
    std::vector<TFuzzPanel*> children_;
};

class TFuzzForm : public TFuzzPanel {
    DECLARE_CLASS(TFuzzForm, TFuzzPanel)

public:
    TFuzzForm()
        : TFuzzPanel(nullptr)
    {
    }
    void PanelClick(TObject*) { }
};

} // namespace

void TFuzzItem::Publish(TPublisher<TFuzzItem>& p)
{
    p.Property("Top", &TFuzzItem::Top, &TFuzzItem::SetTop);
    p.Property("Picture", &TFuzzItem::Picture, &TFuzzItem::SetPicture);
    p.Property("Target", &TFuzzItem::Target, &TFuzzItem::SetTarget);
}

void TFuzzPanel::Publish(TPublisher<TFuzzPanel>& p)
{
    p.Property("Width", &TFuzzPanel::Width, &TFuzzPanel::SetWidth);
    p.Property("Color", &TFuzzPanel::Color, &TFuzzPanel::SetColor).Idents(ColorIdents()).Default(clBtnFace);
    p.Property("Align", &TFuzzPanel::Align, &TFuzzPanel::SetAlign).Default(faNone);
    p.Property("Visible", &TFuzzPanel::Visible, &TFuzzPanel::SetVisible).Default(true);
    p.Property("Caption", &TFuzzPanel::Caption, &TFuzzPanel::SetCaption);
    p.Property("Options", &TFuzzPanel::Options, &TFuzzPanel::SetOptions);
    p.Property("Font", &TFuzzPanel::Font, &TFuzzPanel::SetFont);
    p.Property("Lines", &TFuzzPanel::Lines, &TFuzzPanel::SetLines);
    p.Property("Buddy", &TFuzzPanel::Buddy, &TFuzzPanel::SetBuddy);
    p.Property("Items", &TFuzzPanel::Items, &TFuzzPanel::SetItems);
    p.Event("OnClick", &TFuzzPanel::OnClick);
}

void TFuzzForm::Publish(TPublisher<TFuzzForm>& p)
{
    p.Method("PanelClick", &TFuzzForm::PanelClick);
}

namespace {

// Pictures as large as the BMP reader allows (64 Mpixels) would be written as hundreds of
// megabytes of hex; the round trip is checked with smaller ones.
bool HasLargePicture(const TFuzzPanel& panel)
{
    for (int i = 0; i < panel.Items()->Count(); ++i) {
        const TPicture& picture = static_cast<TFuzzItem*>(panel.Items()->Items(i))->Picture();
        if (static_cast<long long>(picture.Width()) * picture.Height() > 65536)
            return true;
    }
    for (int i = 0; i < panel.ComponentCount(); ++i) {
        const auto* owned = dynamic_cast<const TFuzzPanel*>(panel.Components(i));
        if (owned != nullptr && HasLargePicture(*owned))
            return true;
    }
    return false;
}

} // namespace

std::optional<std::string> RewriteFuzzLayout(std::string_view text)
{
    static const bool registered = (RegisterClasses<TFuzzPanel, TComponent>(), true);
    (void)registered;
    TFuzzForm root;
    try {
        ReadComponentFromString(text, &root);
    } catch (const EReadError&) {
        return std::nullopt;
    }
    if (HasLargePicture(root))
        return std::nullopt;
    return WriteComponentToString(&root);
}
