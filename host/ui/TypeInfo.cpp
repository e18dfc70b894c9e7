#include "host/ui/TypeInfo.h"

#include <algorithm>

#include "host/ui/Object.h"

TEnumInfo::TEnumInfo(std::string name, std::initializer_list<const char*> idents)
    : name_(std::move(name))
{
    std::int64_t value = 0;
    for (const char* ident : idents)
        entries_.emplace_back(ident, value++);
}

TEnumInfo::TEnumInfo(std::string name, std::initializer_list<std::pair<const char*, std::int64_t>> values)
    : name_(std::move(name))
{
    for (const auto& [ident, value] : values)
        entries_.emplace_back(ident, value);
}

int TEnumInfo::IndexOfIdent(std::string_view ident) const
{
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (SameIdent(entries_[i].first, ident))
            return static_cast<int>(i);
    }
    return -1;
}

int TEnumInfo::IndexOfValue(std::int64_t value) const
{
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].second == value)
            return static_cast<int>(i);
    }
    return -1;
}

const TEnumInfo& BoolInfo()
{
    static const TEnumInfo info("Boolean", { "False", "True" });
    return info;
}

TInstance::TInstance(TObject* object)
{
    if (object != nullptr) {
        object_ = object;
        class_ = &object->ClassInfo();
    }
}

void* TInstance::As(const TClassInfo& cls) const
{
    return object_ != nullptr ? cls.Cast(object_) : value_;
}

void* TInstance::For(const TPropInfo& prop) const
{
    return As(prop.Owner());
}

void TPropInfo::WrongKind() const
{
    throw EPropertyError("Invalid property type: " + name_);
}

void TPropInfo::InvalidValue() const
{
    throw EPropertyError("Invalid property value for " + name_);
}

bool TPropInfo::AcceptsOrd(std::int64_t) const
{
    return false;
}

std::int64_t TPropInfo::GetOrd(void*) const
{
    WrongKind();
}

void TPropInfo::SetOrd(void*, std::int64_t) const
{
    WrongKind();
}

std::string TPropInfo::GetStr(void*) const
{
    WrongKind();
}

void TPropInfo::SetStr(void*, const std::string&) const
{
    WrongKind();
}

TInstance TPropInfo::GetObject(void*) const
{
    WrongKind();
}

void TPropInfo::AssignObject(void*, TObject*) const
{
    WrongKind();
}

TComponent* TPropInfo::GetComponent(void*) const
{
    WrongKind();
}

void TPropInfo::SetComponent(void*, TComponent*) const
{
    WrongKind();
}

void* TPropInfo::EventHandler(void*) const
{
    WrongKind();
}

void TPropInfo::ClearEvent(void*) const
{
    WrongKind();
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const
{
    for (const TClassInfo* c = this; c != nullptr; c = c->parent_) {
        if (c == &other)
            return true;
    }
    return false;
}

bool TClassInfo::InheritsFrom(std::string_view className) const
{
    for (const TClassInfo* c = this; c != nullptr; c = c->parent_) {
        if (SameIdent(c->name_, className))
            return true;
    }
    return false;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const
{
    auto it = propertyIndex_.find(name);
    return it == propertyIndex_.end() ? nullptr : it->second;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const
{
    for (const TClassInfo* c = this; c != nullptr; c = c->parent_) {
        for (const auto& m : c->ownMethods_) {
            if (SameIdent(m->Name(), name))
                return m.get();
        }
    }
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethodBoundTo(const TPropInfo& event, const void* handler, TObject* root) const
{
    for (const TClassInfo* c = this; c != nullptr; c = c->parent_) {
        for (const auto& m : c->ownMethods_) {
            if (m->Signature() == event.ValueType() && m->IsBoundTo(handler, root))
                return m.get();
        }
    }
    return nullptr;
}

TComponent* TClassInfo::CreateComponent(TComponent* owner) const
{
    if (newComponent_ == nullptr)
        throw EPropertyError("Cannot create a component of class " + name_);
    return newComponent_(owner);
}

TCollectionItem* TClassInfo::CreateItem(TCollection* collection) const
{
    if (newItem_ == nullptr)
        throw EPropertyError("Cannot create a collection item of class " + name_);
    return newItem_(collection);
}

void TClassInfo::Seal()
{
    if (parent_ != nullptr)
        properties_ = parent_->properties_;
    for (std::size_t i = 0; i < ownProperties_.size(); ++i) {
        const TPropInfo* prop = ownProperties_[i].get();
        for (std::size_t j = 0; j < i; ++j) {
            if (SameIdent(ownProperties_[j]->Name(), prop->Name()))
                throw EPropertyError("Property " + prop->Name() + " is published twice by " + name_);
        }
        // A class that publishes an inherited name again replaces the inherited property.
        std::erase_if(properties_, [prop](const TPropInfo* p) { return SameIdent(p->Name(), prop->Name()); });
        properties_.push_back(prop);
    }
    for (const TPropInfo* prop : properties_)
        propertyIndex_.emplace(prop->Name(), prop);
}

namespace {

std::unordered_map<std::string, const TClassInfo*, TIdentHash, TIdentEqual>& Registry()
{
    static std::unordered_map<std::string, const TClassInfo*, TIdentHash, TIdentEqual> registry;
    return registry;
}

} // namespace

void RegisterClass(const TClassInfo& cls)
{
    auto [it, added] = Registry().emplace(cls.Name(), &cls);
    if (!added && it->second != &cls)
        throw EPropertyError("A class named " + cls.Name() + " already exists");
}

const TClassInfo* GetClass(std::string_view name)
{
    auto it = Registry().find(name);
    return it == Registry().end() ? nullptr : it->second;
}
