#pragma once
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/sys/Exception.h"
#include "host/ui/Identifiers.h"

// Run-time type information: what a class is called, which class it derives from, and the
// properties and methods it publishes. Classes describe themselves with DECLARE_CLASS and a
// static Publish (host/ui/Publisher.h).

class TObject;
class TComponent;
class TCollection;
class TCollectionItem;
class TClassInfo;
template <typename T> class TPublisher;

// Names a type in overloads that must not convert (EnumInfo, PublishedClassInfo).
template <typename T> struct TTypeTag {
};

// A property that does not exist, or a value or type it does not take.
class EPropertyError : public Exception {
public:
    using Exception::Exception;
};

enum class TTypeKind : std::uint8_t {
    tkInteger, // integer types; TColor and the like may name some values (TPropInfo::Idents)
    tkEnumeration, // enumerations and bool
    tkSet,
    tkString,
    tkClass, // a sub-object the instance owns: a TFont, TStrings, collection, picture
    tkComponent, // a reference to a component, stored as its name
    tkMethod, // an event, bound by name to a published method of the root
};

// The identifiers of an enumeration (or of chosen integer values) and the values they name.
// An enumeration declares its names next to itself so that properties of its type find them:
//   inline const TEnumInfo& EnumInfo(TTypeTag<TAlign>)
//   { static const TEnumInfo info("TAlign", {"alNone", "alTop", ...}); return info; }
class TEnumInfo {
public:
    // Values 0, 1, 2, ... in order.
    TEnumInfo(std::string name, std::initializer_list<const char*> idents);
    TEnumInfo(std::string name, std::initializer_list<std::pair<const char*, std::int64_t>> values);

    const std::string& Name() const { return name_; }
    int Count() const { return static_cast<int>(entries_.size()); }
    const std::string& Ident(int index) const { return entries_[static_cast<std::size_t>(index)].first; }
    std::int64_t Value(int index) const { return entries_[static_cast<std::size_t>(index)].second; }
    // -1 when there is none; identifiers match without regard to case.
    int IndexOfIdent(std::string_view ident) const;
    int IndexOfValue(std::int64_t value) const;

private:
    std::string name_;
    std::vector<std::pair<std::string, std::int64_t>> entries_;
};

// False and True.
const TEnumInfo& BoolInfo();

class TPropInfo;

// An object whose published properties can be reached: a TObject (by its dynamic class) or a
// plain value that has published properties of its own, such as a TFont.
class TInstance {
public:
    TInstance() = default;
    TInstance(TObject* object);
    TInstance(void* value, const TClassInfo& cls)
        : value_(value)
        , class_(&cls)
    {
    }

    explicit operator bool() const { return class_ != nullptr; }
    const TClassInfo& Class() const { return *class_; }
    TObject* Object() const { return object_; }
    // The instance as the given class (one it derives from).
    void* As(const TClassInfo& cls) const;
    // The instance as the class that published the property, as the property's accessors take it.
    void* For(const TPropInfo& prop) const;

private:
    TObject* object_ = nullptr;
    void* value_ = nullptr;
    const TClassInfo* class_ = nullptr;
};

// One published property. The accessors take the instance as the publishing class
// (TInstance::For); those that do not fit the property's kind raise EPropertyError.
class TPropInfo {
public:
    TPropInfo(const TPropInfo&) = delete;
    TPropInfo& operator=(const TPropInfo&) = delete;
    virtual ~TPropInfo() = default;

    const std::string& Name() const { return name_; }
    TTypeKind Kind() const { return kind_; }
    const TClassInfo& Owner() const { return *owner_; }
    // The C++ type of the value: the enumeration, the set, the sub-object's class, the event's
    // std::function.
    std::type_index ValueType() const { return valueType_; }
    // Enumeration and set element names; for integers, the names of chosen values (or none).
    const TEnumInfo* Idents() const { return idents_; }
    // The declared class of a sub-object or referenced component.
    virtual const TClassInfo* PropClass() const { return nullptr; }
    virtual bool IsReadOnly() const = 0;
    // Whether the writer keeps the value: it differs from the stored default and the class's
    // stored test agrees.
    virtual bool IsStored(void* self) const = 0;

    // Integers, enumerations (as their values) and sets (bit i = element i of Idents()).
    virtual bool AcceptsOrd(std::int64_t value) const;
    virtual std::int64_t GetOrd(void* self) const;
    virtual void SetOrd(void* self, std::int64_t value) const;
    virtual std::string GetStr(void* self) const;
    virtual void SetStr(void* self, const std::string& value) const;
    // The sub-object itself (changed in place), or an empty instance when there is none.
    virtual TInstance GetObject(void* self) const;
    // Assigns another object to the sub-object through the setter.
    virtual void AssignObject(void* self, TObject* value) const;
    virtual TComponent* GetComponent(void* self) const;
    virtual void SetComponent(void* self, TComponent* value) const;
    // The event's std::function member, and emptying it.
    virtual void* EventHandler(void* self) const;
    virtual void ClearEvent(void* self) const;

protected:
    TPropInfo(std::string_view name, TTypeKind kind, const TClassInfo& owner, std::type_index valueType)
        : name_(name)
        , kind_(kind)
        , owner_(&owner)
        , valueType_(valueType)
    {
    }
    void SetIdents(const TEnumInfo* idents) { idents_ = idents; }
    [[noreturn]] void WrongKind() const;
    [[noreturn]] void InvalidValue() const;

private:
    std::string name_;
    TTypeKind kind_;
    const TClassInfo* owner_;
    std::type_index valueType_;
    const TEnumInfo* idents_ = nullptr;
};

// One published method, to which events are bound by name.
class TMethodInfo {
public:
    TMethodInfo(const TMethodInfo&) = delete;
    TMethodInfo& operator=(const TMethodInfo&) = delete;
    virtual ~TMethodInfo() = default;

    const std::string& Name() const { return name_; }
    // The type of the events it fits: the std::function type of TPropInfo::ValueType.
    std::type_index Signature() const { return signature_; }
    // Makes the event handler (a std::function of Signature()) call this method of root.
    virtual void Bind(void* handler, TObject* root) const = 0;
    virtual bool IsBoundTo(const void* handler, TObject* root) const = 0;

protected:
    TMethodInfo(std::string_view name, std::type_index signature)
        : name_(name)
        , signature_(signature)
    {
    }

private:
    std::string name_;
    std::type_index signature_;
};

class TClassInfo {
public:
    // A class declared with DECLARE_CLASS (defined in host/ui/Publisher.h).
    template <typename T, typename Base> TClassInfo(TTypeTag<T>, TTypeTag<Base>, const char* name);
    // A class without a parent: TObject, or a plain class such as TFont.
    template <typename T> TClassInfo(TTypeTag<T>, const char* name, void (*publish)(TPublisher<T>&));
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const std::string& Name() const { return name_; }
    const TClassInfo* Parent() const { return parent_; }
    bool InheritsFrom(const TClassInfo& other) const;
    bool InheritsFrom(std::string_view className) const;

    // Published properties, inherited ones first, each class's in the order it lists them.
    const std::vector<const TPropInfo*>& Properties() const { return properties_; }
    const TPropInfo* FindProperty(std::string_view name) const;
    const TMethodInfo* FindMethod(std::string_view name) const;
    // The published method that the event handler calls on root, or none.
    const TMethodInfo* FindMethodBoundTo(const TPropInfo& event, const void* handler, TObject* root) const;

    // Classes derived from TObject; a TObject of this class (or a derived one) as this class.
    bool IsObjectClass() const { return cast_ != nullptr; }
    void* Cast(TObject* object) const { return cast_(object); }

    bool CanCreateComponent() const { return newComponent_ != nullptr; }
    TComponent* CreateComponent(TComponent* owner) const;
    bool CanCreateItem() const { return newItem_ != nullptr; }
    TCollectionItem* CreateItem(TCollection* collection) const;

private:
    template <typename T> friend class TPublisher;

    void Seal();

    std::string name_;
    const TClassInfo* parent_ = nullptr;
    void* (*cast_)(TObject*) = nullptr;
    TComponent* (*newComponent_)(TComponent*) = nullptr;
    TCollectionItem* (*newItem_)(TCollection*) = nullptr;
    std::vector<std::unique_ptr<TPropInfo>> ownProperties_;
    std::vector<std::unique_ptr<TMethodInfo>> ownMethods_;
    std::vector<const TPropInfo*> properties_;
    std::unordered_map<std::string, const TPropInfo*, TIdentHash, TIdentEqual> propertyIndex_;
};

// The class registry, from which the layout reader creates components by class name.
// Registering a class twice is harmless; another class of the same name is an error.
void RegisterClass(const TClassInfo& cls);
template <typename... T> void RegisterClasses()
{
    (RegisterClass(T::StaticClassInfo()), ...);
}
// The registered class of that name, or none.
const TClassInfo* GetClass(std::string_view name);
