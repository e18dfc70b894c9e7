#include "host/ui/Properties.h"

#include "host/ui/Component.h"

namespace {

[[noreturn]] void NoProperty(std::string_view path)
{
    throw EPropertyError("Property " + std::string(path) + " does not exist");
}

[[noreturn]] void WrongType(std::string_view path)
{
    throw EPropertyError("Invalid property type: " + std::string(path));
}

TPropertyTarget Find(TObject* object, std::string_view path)
{
    TPropertyTarget target = FindProperty(TInstance(object), path);
    if (target.Prop == nullptr)
        NoProperty(path);
    return target;
}

void* Self(const TPropertyTarget& target)
{
    return target.Instance.For(*target.Prop);
}

void CheckWritable(const TPropertyTarget& target, std::string_view path)
{
    if (target.Prop->IsReadOnly())
        throw EPropertyError("Property " + std::string(path) + " is read-only");
}

TPropertyTarget Expect(const TPropertyTarget& target, std::string_view path, TTypeKind kind)
{
    if (target.Prop->Kind() != kind)
        WrongType(path);
    return target;
}

} // namespace

bool HasPublishedProperty(const TObject* object, std::string_view name)
{
    return object != nullptr && object->ClassInfo().FindProperty(name) != nullptr;
}

TPropertyTarget FindProperty(TInstance instance, std::string_view path)
{
    for (;;) {
        if (!instance)
            return {};
        const std::size_t dot = path.find('.');
        const TPropInfo* prop = instance.Class().FindProperty(path.substr(0, dot));
        if (prop == nullptr)
            return {};
        if (dot == std::string_view::npos)
            return { instance, prop };
        if (prop->Kind() != TTypeKind::tkClass)
            return {};
        instance = prop->GetObject(instance.For(*prop));
        path.remove_prefix(dot + 1);
    }
}

std::int64_t GetOrdProp(TObject* object, std::string_view path)
{
    const TPropertyTarget target = Find(object, path);
    return target.Prop->GetOrd(Self(target));
}

void SetOrdProp(TObject* object, std::string_view path, std::int64_t value)
{
    const TPropertyTarget target = Find(object, path);
    CheckWritable(target, path);
    target.Prop->SetOrd(Self(target), value);
}

std::string GetEnumProp(TObject* object, std::string_view path)
{
    const TPropertyTarget target = Expect(Find(object, path), path, TTypeKind::tkEnumeration);
    const std::int64_t value = target.Prop->GetOrd(Self(target));
    const int index = target.Prop->Idents()->IndexOfValue(value);
    return index >= 0 ? target.Prop->Idents()->Ident(index) : std::to_string(value);
}

void SetEnumProp(TObject* object, std::string_view path, std::string_view ident)
{
    const TPropertyTarget target = Expect(Find(object, path), path, TTypeKind::tkEnumeration);
    CheckWritable(target, path);
    const int index = target.Prop->Idents()->IndexOfIdent(ident);
    if (index < 0)
        throw EPropertyError("Invalid property value for " + std::string(path) + ": " + std::string(ident));
    target.Prop->SetOrd(Self(target), target.Prop->Idents()->Value(index));
}

std::vector<std::string> GetSetProp(TObject* object, std::string_view path)
{
    const TPropertyTarget target = Expect(Find(object, path), path, TTypeKind::tkSet);
    const auto mask = static_cast<std::uint64_t>(target.Prop->GetOrd(Self(target)));
    const TEnumInfo& elements = *target.Prop->Idents();
    std::vector<std::string> idents;
    for (int i = 0; i < elements.Count() && i < 64; ++i) {
        if ((mask >> i) & 1u)
            idents.push_back(elements.Ident(i));
    }
    return idents;
}

void SetSetProp(TObject* object, std::string_view path, const std::vector<std::string>& idents)
{
    const TPropertyTarget target = Expect(Find(object, path), path, TTypeKind::tkSet);
    CheckWritable(target, path);
    std::uint64_t mask = 0;
    for (const std::string& ident : idents) {
        const int index = target.Prop->Idents()->IndexOfIdent(ident);
        if (index < 0 || index >= 64)
            throw EPropertyError("Invalid property value for " + std::string(path) + ": " + ident);
        mask |= std::uint64_t { 1 } << index;
    }
    target.Prop->SetOrd(Self(target), static_cast<std::int64_t>(mask));
}

std::string GetStrProp(TObject* object, std::string_view path)
{
    const TPropertyTarget target = Find(object, path);
    return target.Prop->GetStr(Self(target));
}

void SetStrProp(TObject* object, std::string_view path, const std::string& value)
{
    const TPropertyTarget target = Find(object, path);
    CheckWritable(target, path);
    target.Prop->SetStr(Self(target), value);
}

TObject* GetObjectProp(TObject* object, std::string_view path)
{
    const TPropertyTarget target = Find(object, path);
    if (target.Prop->Kind() == TTypeKind::tkComponent)
        return target.Prop->GetComponent(Self(target));
    if (target.Prop->Kind() == TTypeKind::tkClass && target.Prop->PropClass()->IsObjectClass())
        return target.Prop->GetObject(Self(target)).Object();
    WrongType(path);
}

void SetObjectProp(TObject* object, std::string_view path, TObject* value)
{
    const TPropertyTarget target = Find(object, path);
    CheckWritable(target, path);
    if (target.Prop->Kind() == TTypeKind::tkComponent) {
        auto* component = dynamic_cast<TComponent*>(value);
        if (value != nullptr && component == nullptr)
            throw EPropertyError("Invalid property value for " + std::string(path));
        target.Prop->SetComponent(Self(target), component);
    } else {
        target.Prop->AssignObject(Self(target), value);
    }
}

void SetMethodProp(TObject* object, std::string_view path, TObject* root, std::string_view method)
{
    const TPropertyTarget target = Expect(Find(object, path), path, TTypeKind::tkMethod);
    if (method.empty()) {
        target.Prop->ClearEvent(Self(target));
        return;
    }
    const TMethodInfo* info = root != nullptr ? root->ClassInfo().FindMethod(method) : nullptr;
    if (info == nullptr)
        throw EPropertyError("Method " + std::string(method) + " not found");
    if (info->Signature() != target.Prop->ValueType())
        throw EPropertyError("Method " + info->Name() + " does not match the event " + std::string(path));
    info->Bind(target.Prop->EventHandler(Self(target)), root);
}

std::string GetMethodProp(TObject* object, std::string_view path, TObject* root)
{
    const TPropertyTarget target = Expect(Find(object, path), path, TTypeKind::tkMethod);
    if (root == nullptr)
        return {};
    const TMethodInfo* info = root->ClassInfo().FindMethodBoundTo(*target.Prop, target.Prop->EventHandler(Self(target)), root);
    return info != nullptr ? info->Name() : std::string();
}

void* GetSubObjectPointer(TObject* object, std::string_view path, const std::type_info& type)
{
    const TPropertyTarget target = Expect(Find(object, path), path, TTypeKind::tkClass);
    if (target.Prop->ValueType() != std::type_index(type))
        WrongType(path);
    const TInstance sub = target.Prop->GetObject(Self(target));
    if (!sub)
        throw EPropertyError("Property " + std::string(path) + " is not assigned");
    return sub.As(*target.Prop->PropClass());
}
