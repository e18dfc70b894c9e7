#include "host/ui/Reader.h"

#include <algorithm>
#include <exception>

#include "host/ui/Application.h"
#include "host/ui/Collection.h"
#include "host/ui/Filer.h"

namespace {

constexpr TComponentState kReadingState = { csLoading, csReading };

// Reads one extra stored property, if the object defines one of that name.
class TDefinedPropertyReader final : public TFiler {
public:
    TDefinedPropertyReader(std::string_view name, const TLayoutValue& value)
        : name_(name)
        , value_(value)
    {
    }
    bool Found() const { return found_; }

    void DefineProperty(std::string_view name, const TReadProc& read, const TWriteProc&, bool) override
    {
        if (found_ || !SameIdent(name, name_))
            return;
        found_ = true;
        read(value_);
    }

private:
    std::string_view name_;
    const TLayoutValue& value_;
    bool found_ = false;
};

} // namespace

// Hears of components the reader made that are destroyed while it still holds them.
class TReader::TWatcher final : public TComponent {
public:
    explicit TWatcher(TReader& reader)
        : TComponent(nullptr)
        , reader_(reader)
    {
    }

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == opRemove)
            reader_.Forget(component);
    }

private:
    TReader& reader_;
};

TReader::TReader(TComponent* root)
    : root_(root)
    , watcher_(std::make_unique<TWatcher>(*this))
{
}

TReader::~TReader()
{
    for (TComponent* c : created_)
        watcher_->RemoveFreeNotification(c);
}

void TReader::ReadRootComponent(const TLayoutObject& layout)
{
    if (!root_->InheritsFrom(layout.ClassName))
        LayoutError(layout.Line, "A layout of " + layout.ClassName + " cannot be read into a " + root_->ClassName());
    root_->state_ = root_->state_ + kReadingState;
    try {
        if (!layout.Name.empty() && layout.Name != root_->Name()) {
            try {
                root_->SetName(layout.Name);
            } catch (const EComponentError& e) {
                LayoutError(layout.Line, e.Message());
            }
        }
        ReadProperties(TInstance(root_), layout.Properties, root_);
        for (const TLayoutObject& child : layout.Children)
            ReadComponent(child, root_);
        ResolveFixups();
    } catch (...) {
        Abandon();
        throw;
    }
    root_->state_.Exclude(csReading);
    CallLoaded();
}

void TReader::ReadComponent(const TLayoutObject& layout, TComponent* parent)
{
    const TClassInfo* cls = GetClass(layout.ClassName);
    if (cls == nullptr)
        LayoutError(layout.Line, "Class " + layout.ClassName + " not found");
    if (!cls->CanCreateComponent())
        LayoutError(layout.Line, "Class " + layout.ClassName + " is not a component class");
    if (!layout.Name.empty() && (SameIdent(layout.Name, root_->Name()) || root_->FindComponent(layout.Name) != nullptr))
        LayoutError(layout.Line, "A component named " + layout.Name + " already exists");

    TComponent::createForReading_ = true;
    TComponent* component = nullptr;
    try {
        component = cls->CreateComponent(root_);
    } catch (...) {
        TComponent::createForReading_ = false;
        throw;
    }
    TComponent::createForReading_ = false;
    created_.push_back(component);
    watcher_->FreeNotification(component);
    component->state_ = component->state_ + kReadingState;

    component->SetName(layout.Name);
    component->SetParentComponent(parent);
    // A control or menu item is kept and written by its parent: one the layout put inside
    // something that cannot hold it would be read without a place and lost when written.
    if (component->HasParent() && component->GetParentComponent() == nullptr)
        LayoutError(layout.Line, "A " + layout.ClassName + " cannot be placed inside a " + parent->ClassName());
    ReadProperties(TInstance(component), layout.Properties, component);
    for (const TLayoutObject& child : layout.Children)
        ReadComponent(child, component);
    component->state_.Exclude(csReading);
}

void TReader::ReadProperties(TInstance instance, const std::vector<TLayoutProperty>& properties, TComponent* component)
{
    for (const TLayoutProperty& prop : properties) {
        // The framework's own checks (a Name that is taken, say) are faults of the layout too.
        try {
            ReadProperty(instance, prop, component);
        } catch (const EComponentError& e) {
            LayoutError(prop.Line, e.Message());
        } catch (const EPropertyError& e) {
            LayoutError(prop.Line, e.Message());
        }
    }
}

void TReader::ReadProperty(TInstance instance, const TLayoutProperty& prop, TComponent* component)
{
    std::string_view path = prop.Name;
    for (std::size_t dot = path.find('.'); dot != std::string_view::npos; dot = path.find('.')) {
        const TPropInfo* info = instance.Class().FindProperty(path.substr(0, dot));
        if (info == nullptr || info->Kind() != TTypeKind::tkClass)
            LayoutError(prop.Line, "Property " + prop.Name + " does not exist");
        instance = info->GetObject(instance.For(*info));
        if (!instance)
            LayoutError(
                prop.Line, "Property " + std::string(prop.Name, 0, prop.Name.size() - path.size() + dot) + " is not assigned");
        path.remove_prefix(dot + 1);
    }
    if (const TPropInfo* info = instance.Class().FindProperty(path)) {
        ReadValue(instance, *info, prop, component);
        return;
    }
    if (auto* persistent = dynamic_cast<TPersistent*>(instance.Object())) {
        TDefinedPropertyReader reader(path, prop.Value);
        persistent->DefineProperties(reader);
        if (reader.Found())
            return;
    }
    LayoutError(prop.Line, "Property " + prop.Name + " does not exist");
}

void TReader::ReadValue(TInstance instance, const TPropInfo& info, const TLayoutProperty& prop, TComponent* component)
{
    const TLayoutValue& value = prop.Value;
    auto invalid = [&]() { value.Fail("Invalid property value for " + prop.Name); };
    if (info.IsReadOnly() && info.Kind() != TTypeKind::tkClass)
        LayoutError(prop.Line, "Property " + prop.Name + " is read-only");
    void* self = instance.For(info);

    switch (info.Kind()) {
    case TTypeKind::tkInteger: {
        std::int64_t number = 0;
        if (value.Kind() == TValueKind::Integer) {
            number = value.AsInteger();
        } else if (value.Kind() == TValueKind::Ident && info.Idents() != nullptr) {
            const int index = info.Idents()->IndexOfIdent(value.AsIdent());
            if (index < 0)
                invalid();
            number = info.Idents()->Value(index);
        } else {
            invalid();
        }
        if (!info.AcceptsOrd(number))
            invalid();
        info.SetOrd(self, number);
        return;
    }
    case TTypeKind::tkEnumeration: {
        if (value.Kind() != TValueKind::Ident)
            invalid();
        const int index = info.Idents()->IndexOfIdent(value.AsIdent());
        if (index < 0)
            invalid();
        info.SetOrd(self, info.Idents()->Value(index));
        return;
    }
    case TTypeKind::tkSet: {
        if (value.Kind() != TValueKind::Set)
            invalid();
        std::uint64_t mask = 0;
        for (const std::string& ident : value.AsSet()) {
            const int index = info.Idents()->IndexOfIdent(ident);
            if (index < 0 || index >= 64)
                invalid();
            mask |= std::uint64_t { 1 } << index;
        }
        info.SetOrd(self, static_cast<std::int64_t>(mask));
        return;
    }
    case TTypeKind::tkString:
        if (value.Kind() != TValueKind::String)
            invalid();
        info.SetStr(self, value.AsString());
        return;
    case TTypeKind::tkClass: {
        // A sub-object is stored by its own properties (Font.Height); only a collection takes a value.
        auto* collection
            = value.Kind() == TValueKind::Collection ? dynamic_cast<TCollection*>(info.GetObject(self).Object()) : nullptr;
        if (collection == nullptr)
            invalid();
        ReadCollection(collection, value, component);
        return;
    }
    case TTypeKind::tkComponent:
        if (value.Kind() != TValueKind::Ident)
            invalid();
        if (SameIdent(value.AsIdent(), "nil")) {
            info.SetComponent(self, nullptr);
            return;
        }
        fixups_.push_back({ instance, &info, prop.Name, value.AsIdent(), value.Line(), component, items_ });
        return;
    case TTypeKind::tkMethod:
        BindEvent(self, info, prop);
        return;
    }
}

void TReader::BindEvent(void* self, const TPropInfo& info, const TLayoutProperty& prop)
{
    const TLayoutValue& value = prop.Value;
    if (value.Kind() != TValueKind::Ident)
        value.Fail("Invalid property value for " + prop.Name);
    if (SameIdent(value.AsIdent(), "nil")) {
        info.ClearEvent(self);
        return;
    }
    const TMethodInfo* method = root_->ClassInfo().FindMethod(value.AsIdent());
    if (method == nullptr)
        value.Fail("Method " + value.AsIdent() + " not found in " + root_->ClassName());
    if (method->Signature() != info.ValueType())
        value.Fail("Method " + method->Name() + " does not match the event " + prop.Name);
    method->Bind(info.EventHandler(self), root_);
}

void TReader::ReadCollection(TCollection* collection, const TLayoutValue& value, TComponent* component)
{
    const std::vector<TLayoutItem>& items = value.AsCollection();
    // The items about to be replaced take their pending references with them.
    for (int i = 0; i < collection->Count(); ++i) {
        const TCollectionItem* item = collection->Items(i);
        for (TFixup& fixup : fixups_) {
            if (std::find(fixup.Items.begin(), fixup.Items.end(), item) != fixup.Items.end())
                fixup.Prop = nullptr;
        }
    }
    collection->BeginUpdate();
    try {
        collection->Clear();
        for (const TLayoutItem& item : items) {
            TCollectionItem* added = collection->Add();
            items_.push_back(added);
            ReadProperties(TInstance(added), item.Properties, component);
            items_.pop_back();
        }
    } catch (...) {
        collection->EndUpdate();
        throw;
    }
    collection->EndUpdate();
}

void TReader::ResolveFixups()
{
    // Setters may destroy components; Forget then marks their fixups, the list stays as it is.
    for (std::size_t i = 0; i < fixups_.size(); ++i) {
        TFixup& fixup = fixups_[i];
        if (fixup.Prop == nullptr)
            continue;
        TComponent* target = !root_->Name().empty() && SameIdent(fixup.ComponentName, root_->Name())
            ? root_
            : root_->FindComponent(fixup.ComponentName);
        if (target == nullptr)
            continue;
        if (!target->InheritsFrom(*fixup.Prop->PropClass()))
            LayoutError(fixup.Line, "Invalid property value for " + fixup.PropName);
        fixup.Prop->SetComponent(fixup.Instance.For(*fixup.Prop), target);
    }
    fixups_.clear();
}

void TReader::CallLoaded()
{
    // A Loaded that fails (a connection that cannot open) must not keep the others from
    // theirs, nor the form from coming up: failures wait until every component is loaded.
    std::vector<std::exception_ptr> failures;
    auto load = [&failures](TComponent* component) {
        component->state_ = component->state_ - kReadingState;
        try {
            component->Loaded();
        } catch (...) {
            failures.push_back(std::current_exception());
        }
    };
    load(root_);
    // Forget keeps nextLoaded_ on the next component when a Loaded destroys some.
    for (nextLoaded_ = 0; nextLoaded_ < created_.size();)
        load(created_[nextLoaded_++]);
    for (const std::exception_ptr& failure : failures) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& e) {
            if (!Application)
                throw;
            Application->HandleException(e);
        }
    }
}

void TReader::Abandon()
{
    fixups_.clear();
    while (!created_.empty()) {
        TComponent* component = created_.back();
        created_.pop_back();
        watcher_->RemoveFreeNotification(component);
        delete component;
    }
    root_->state_ = root_->state_ - kReadingState;
}

void TReader::Forget(TComponent* component)
{
    auto it = std::find(created_.begin(), created_.end(), component);
    if (it == created_.end())
        return;
    if (static_cast<std::size_t>(it - created_.begin()) < nextLoaded_)
        --nextLoaded_;
    created_.erase(it);
    for (TFixup& fixup : fixups_) {
        if (fixup.Component == component)
            fixup.Prop = nullptr;
    }
}
