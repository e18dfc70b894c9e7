#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <utility>

#include "host/ui/Object.h"
#include "host/ui/Set.h"
#include "host/ui/TypeInfo.h"

// How a class describes itself. First in the class body:
//
//   class TPanel : public TCustomPanel {
//       DECLARE_CLASS(TPanel, TCustomPanel)
//   public:
//       ...
//   };
//
// and in its .cpp file the list of what it publishes, in stored order:
//
//   void TPanel::Publish(TPublisher<TPanel>& p)
//   {
//       p.Property("Caption", &TPanel::Caption, &TPanel::SetCaption);
//       p.Property("Color", &TPanel::Color, &TPanel::SetColor).Idents(ColorIdents()).Default(clBtnFace);
//       p.Property("Font", &TPanel::Font, &TPanel::SetFont).Stored(&TPanel::IsFontStored);
//       p.Event("OnClick", &TPanel::OnClick);
//   }
//
// The kind of each property follows from its getter's type; the parent class's properties
// are inherited. A form publishes its event handlers with p.Method("FormClose", &TForm1::FormClose).
#define DECLARE_CLASS(Self, Parent)                                                                                              \
public:                                                                                                                          \
    using inherited = Parent;                                                                                                    \
    static const TClassInfo& StaticClassInfo()                                                                                   \
    {                                                                                                                            \
        static const TClassInfo info(TTypeTag<Self> {}, TTypeTag<Parent> {}, #Self);                                             \
        return info;                                                                                                             \
    }                                                                                                                            \
    const TClassInfo& ClassInfo() const override                                                                                 \
    {                                                                                                                            \
        static_assert(std::is_same_v<std::remove_cvref_t<decltype(*this)>, Self>, "DECLARE_CLASS names another class");          \
        return StaticClassInfo();                                                                                                \
    }                                                                                                                            \
    static void Publish(TPublisher<Self>& p);                                                                                    \
                                                                                                                                 \
private:

// A set type usable as a property: TSet<E>, or a set class that specialises these traits.
template <typename S> struct TSetTraits {
    static constexpr bool IsSet = false;
};

template <typename E> struct TSetTraits<TSet<E>> {
    static constexpr bool IsSet = true;
    static const TEnumInfo& Elements() { return EnumInfo(TTypeTag<E> {}); }
    static bool Contains(TSet<E> s, std::int64_t value) { return s.Contains(static_cast<E>(value)); }
    static TSet<E> With(TSet<E> s, std::int64_t value) { return s.Include(static_cast<E>(value)); }
};

// The class information of a property's sub-object type.
template <typename V> const TClassInfo& ClassInfoOf()
{
    if constexpr (std::is_base_of_v<TObject, V>)
        return V::StaticClassInfo();
    else
        return PublishedClassInfo(TTypeTag<V> {});
}

namespace publisher_detail {

template <typename F> struct TGetter;
template <typename C, typename R> struct TGetter<R (C::*)() const> {
    using Class = C;
    using Result = R;
};
template <typename C, typename R> struct TGetter<R (C::*)() const noexcept> : TGetter<R (C::*)() const> {
};
template <typename C, typename R> struct TGetter<R (C::*)()> : TGetter<R (C::*)() const> {
};
template <typename C, typename R> struct TGetter<R (C::*)() noexcept> : TGetter<R (C::*)() const> {
};

template <typename F> struct TSetter;
template <typename C, typename A> struct TSetter<void (C::*)(A)> {
    using Class = C;
    using Arg = A;
};
template <typename C, typename A> struct TSetter<void (C::*)(A) noexcept> : TSetter<void (C::*)(A)> {
};
template <> struct TSetter<std::nullptr_t> {
    using Class = void;
    using Arg = void;
};

template <typename> inline constexpr bool kAlwaysFalse = false;

// The kind of a property whose getter returns R.
template <typename R> constexpr TTypeKind KindOf()
{
    using V = std::remove_cvref_t<R>;
    using Pointee = std::remove_cv_t<std::remove_pointer_t<V>>;
    if constexpr (std::is_same_v<V, bool> || std::is_enum_v<V>)
        return TTypeKind::tkEnumeration;
    else if constexpr (std::is_integral_v<V>)
        return TTypeKind::tkInteger;
    else if constexpr (std::is_same_v<V, std::string>)
        return TTypeKind::tkString;
    else if constexpr (TSetTraits<V>::IsSet)
        return TTypeKind::tkSet;
    else if constexpr (std::is_pointer_v<V> && std::is_base_of_v<TComponent, Pointee>)
        return TTypeKind::tkComponent;
    else if constexpr ((std::is_pointer_v<V> && std::is_class_v<Pointee>)
        || (std::is_lvalue_reference_v<R> && std::is_class_v<V>))
        return TTypeKind::tkClass;
    else
        static_assert(kAlwaysFalse<R>,
            "a property's getter returns an integer, bool, enumeration, set, std::string, "
            "a component pointer, or a sub-object by reference or pointer");
}

template <typename S> std::uint64_t SetToMask(const S& set)
{
    const TEnumInfo& elements = TSetTraits<S>::Elements();
    std::uint64_t mask = 0;
    for (int i = 0; i < elements.Count() && i < 64; ++i) {
        if (TSetTraits<S>::Contains(set, elements.Value(i)))
            mask |= std::uint64_t { 1 } << i;
    }
    return mask;
}

template <typename S> S MaskToSet(std::uint64_t mask)
{
    const TEnumInfo& elements = TSetTraits<S>::Elements();
    S set {};
    for (int i = 0; i < elements.Count() && i < 64; ++i) {
        if ((mask >> i) & 1u)
            set = TSetTraits<S>::With(set, elements.Value(i));
    }
    return set;
}

} // namespace publisher_detail

// A property published with a getter and, unless read-only, a setter.
template <typename T, typename Get, typename Set> class TPublishedProperty final : public TPropInfo {
    using Result = typename publisher_detail::TGetter<Get>::Result;
    using Value = std::remove_cvref_t<Result>;
    using Object = std::remove_cv_t<std::remove_pointer_t<Value>>;
    using Arg = typename publisher_detail::TSetter<Set>::Arg;
    static constexpr TTypeKind kKind = publisher_detail::KindOf<Result>();
    static constexpr bool kReadOnly = std::is_same_v<Set, std::nullptr_t>;
    static constexpr bool kOrdinal
        = kKind == TTypeKind::tkInteger || kKind == TTypeKind::tkEnumeration || kKind == TTypeKind::tkSet;
    static constexpr bool kObject = kKind == TTypeKind::tkClass || kKind == TTypeKind::tkComponent;
    using Indexed = std::conditional_t<kObject, Object, Value>;
    using DefaultValue = std::conditional_t<kOrdinal || kKind == TTypeKind::tkString, Value, bool>;

public:
    TPublishedProperty(std::string_view name, const TClassInfo& owner, Get get, Set set)
        : TPropInfo(name, kKind, owner, typeid(Indexed))
        , get_(get)
        , set_(set)
    {
        static_assert(
            std::is_base_of_v<typename publisher_detail::TGetter<Get>::Class, T>, "the getter is a member of another class");
        if constexpr (!kReadOnly) {
            static_assert(
                std::is_base_of_v<typename publisher_detail::TSetter<Set>::Class, T>, "the setter is a member of another class");
            using ArgValue = std::remove_cvref_t<Arg>;
            if constexpr (kOrdinal || kKind == TTypeKind::tkComponent)
                static_assert(std::is_same_v<ArgValue, Value>, "the setter takes another type than the getter returns");
            else if constexpr (kKind == TTypeKind::tkString)
                static_assert(std::is_convertible_v<const std::string&, Arg>, "the setter does not take a string");
            else
                static_assert(std::is_same_v<Arg,
                                  const Object&> || std::is_same_v<ArgValue, Object*> || std::is_same_v<ArgValue, const Object*>,
                    "a sub-object's setter takes the object by const reference or pointer");
        }
        if constexpr (std::is_same_v<Value, bool>)
            SetIdents(&BoolInfo());
        else if constexpr (kKind == TTypeKind::tkEnumeration)
            SetIdents(&EnumInfo(TTypeTag<Value> {}));
        else if constexpr (kKind == TTypeKind::tkSet)
            SetIdents(&TSetTraits<Value>::Elements());
    }

    // The value the writer leaves out; without one, integers, enumerations and sets are always
    // written, strings when not empty.
    TPublishedProperty& Default(const Value& value) requires(kOrdinal || kKind == TTypeKind::tkString)
    {
        default_ = value;
        return *this;
    }
    // A string that a fresh object does not hold empty, nor always the same (a font's name
    // follows its parent's): written always, so that an empty value reads back empty.
    TPublishedProperty& NoDefault() requires(kKind == TTypeKind::tkString)
    {
        noDefault_ = true;
        return *this;
    }
    // The class's own test whether to write the value (ParentFont-style switches).
    template <typename C> TPublishedProperty& Stored(bool (C::*stored)() const)
    {
        static_assert(std::is_base_of_v<C, T>, "the stored test is a member of another class");
        stored_ = [stored](const T& object) { return (object.*stored)(); };
        return *this;
    }
    TPublishedProperty& Stored(bool stored)
    {
        stored_ = [stored](const T&) { return stored; };
        return *this;
    }
    // Names for some integer values (colours, cursors, character sets).
    TPublishedProperty& Idents(const TEnumInfo& idents) requires(kKind == TTypeKind::tkInteger)
    {
        SetIdents(&idents);
        return *this;
    }

    const TClassInfo* PropClass() const override
    {
        if constexpr (kObject)
            return &ClassInfoOf<Object>();
        else
            return nullptr;
    }
    bool IsReadOnly() const override { return kReadOnly; }

    bool IsStored(void* self) const override
    {
        T& object = Self(self);
        if (stored_ && !stored_(object))
            return false;
        if constexpr (kKind == TTypeKind::tkClass) {
            return Pointer(object) != nullptr;
        } else if constexpr (kReadOnly) {
            return false;
        } else if constexpr (kKind == TTypeKind::tkComponent) {
            return (object.*get_)() != nullptr;
        } else {
            if (default_)
                return !((object.*get_)() == *default_);
            if constexpr (kKind == TTypeKind::tkString)
                return noDefault_ || !std::string_view((object.*get_)()).empty();
            return true;
        }
    }

    bool AcceptsOrd(std::int64_t value) const override
    {
        if constexpr (kKind == TTypeKind::tkInteger)
            return std::in_range<Value>(value);
        else if constexpr (kKind == TTypeKind::tkEnumeration)
            return TPropInfo::Idents()->IndexOfValue(value) >= 0;
        else if constexpr (kKind == TTypeKind::tkSet)
            return TPropInfo::Idents()->Count() >= 64 || (static_cast<std::uint64_t>(value) >> TPropInfo::Idents()->Count()) == 0;
        else
            return false;
    }

    std::int64_t GetOrd(void* self) const override
    {
        if constexpr (kOrdinal) {
            const Value value = (Self(self).*get_)();
            if constexpr (kKind == TTypeKind::tkSet)
                return static_cast<std::int64_t>(publisher_detail::SetToMask(value));
            else
                return static_cast<std::int64_t>(value);
        } else {
            WrongKind();
        }
    }

    void SetOrd(void* self, std::int64_t value) const override
    {
        if constexpr (kOrdinal && !kReadOnly) {
            if (!AcceptsOrd(value))
                InvalidValue();
            if constexpr (kKind == TTypeKind::tkSet)
                (Self(self).*set_)(publisher_detail::MaskToSet<Value>(static_cast<std::uint64_t>(value)));
            else
                (Self(self).*set_)(static_cast<Value>(value));
        } else {
            WrongKind();
        }
    }

    std::string GetStr(void* self) const override
    {
        if constexpr (kKind == TTypeKind::tkString)
            return std::string((Self(self).*get_)());
        else
            WrongKind();
    }

    void SetStr(void* self, const std::string& value) const override
    {
        if constexpr (kKind == TTypeKind::tkString && !kReadOnly)
            (Self(self).*set_)(value);
        else
            WrongKind();
    }

    TInstance GetObject(void* self) const override
    {
        if constexpr (kKind == TTypeKind::tkClass) {
            Object* object = Pointer(Self(self));
            if (object == nullptr)
                return {};
            if constexpr (std::is_base_of_v<TObject, Object>)
                return TInstance(static_cast<TObject*>(object));
            else
                return TInstance(object, ClassInfoOf<Object>());
        } else {
            WrongKind();
        }
    }

    void AssignObject(void* self, TObject* value) const override
    {
        if constexpr (kKind == TTypeKind::tkClass && !kReadOnly && std::is_base_of_v<TObject, Object>) {
            Object* object = dynamic_cast<Object*>(value);
            if (value != nullptr && object == nullptr)
                InvalidValue();
            if constexpr (std::is_reference_v<Arg>) {
                if (object == nullptr)
                    InvalidValue();
                (Self(self).*set_)(*object);
            } else {
                (Self(self).*set_)(object);
            }
        } else {
            WrongKind();
        }
    }

    TComponent* GetComponent(void* self) const override
    {
        if constexpr (kKind == TTypeKind::tkComponent)
            return const_cast<Object*>((Self(self).*get_)());
        else
            WrongKind();
    }

    void SetComponent(void* self, TComponent* value) const override
    {
        if constexpr (kKind == TTypeKind::tkComponent && !kReadOnly) {
            Object* component = dynamic_cast<Object*>(value);
            if (value != nullptr && component == nullptr)
                InvalidValue();
            (Self(self).*set_)(component);
        } else {
            WrongKind();
        }
    }

private:
    static T& Self(void* self) { return *static_cast<T*>(self); }

    Object* Pointer(T& object) const
    {
        if constexpr (std::is_pointer_v<Value>)
            return const_cast<Object*>((object.*get_)());
        else
            return const_cast<Object*>(&(object.*get_)());
    }

    Get get_;
    Set set_;
    std::optional<DefaultValue> default_;
    bool noDefault_ = false;
    std::function<bool(const T&)> stored_;
};

// An event: a std::function member, bound by name to a published method of the root.
template <typename T, typename C, typename Sig> class TPublishedEvent final : public TPropInfo {
public:
    TPublishedEvent(std::string_view name, const TClassInfo& owner, std::function<Sig> C::*field)
        : TPropInfo(name, TTypeKind::tkMethod, owner, typeid(std::function<Sig>))
        , field_(field)
    {
    }
    bool IsReadOnly() const override { return false; }
    bool IsStored(void* self) const override { return static_cast<bool>(static_cast<T*>(self)->*field_); }
    void* EventHandler(void* self) const override { return &(static_cast<T*>(self)->*field_); }
    void ClearEvent(void* self) const override { static_cast<T*>(self)->*field_ = nullptr; }

private:
    std::function<Sig> C::*field_;
};

// What a bound event handler holds: the method and the object it is called on.
template <typename R, typename Ret, typename... A> struct TMethodCall {
    R* Self;
    Ret (R::*Method)(A...);
    Ret operator()(A... args) const { return (Self->*Method)(std::forward<A>(args)...); }
};

template <typename T, typename R, typename Ret, typename... A> class TPublishedMethod final : public TMethodInfo {
    using Handler = std::function<Ret(A...)>;
    using Call = TMethodCall<R, Ret, A...>;

public:
    TPublishedMethod(std::string_view name, Ret (R::*method)(A...))
        : TMethodInfo(name, typeid(Handler))
        , method_(method)
    {
    }

    void Bind(void* handler, TObject* root) const override { *static_cast<Handler*>(handler) = Call { Target(root), method_ }; }

    bool IsBoundTo(const void* handler, TObject* root) const override
    {
        const Call* call = static_cast<const Handler*>(handler)->template target<Call>();
        return call != nullptr && call->Self == Target(root) && call->Method == method_;
    }

private:
    // Methods are looked up in the root's own class, so the root is a T.
    static R* Target(TObject* root) { return static_cast<T*>(root); }

    Ret (R::*method_)(A...);
};

template <typename T> class TPublisher {
public:
    explicit TPublisher(TClassInfo& info)
        : info_(info)
    {
    }

    template <typename Get, typename Set> TPublishedProperty<T, Get, Set>& Property(std::string_view name, Get get, Set set)
    {
        return Add(std::make_unique<TPublishedProperty<T, Get, Set>>(name, info_, get, set));
    }
    // A read-only property: reachable by name, never stored.
    template <typename Get> TPublishedProperty<T, Get, std::nullptr_t>& Property(std::string_view name, Get get)
    {
        return Add(std::make_unique<TPublishedProperty<T, Get, std::nullptr_t>>(name, info_, get, nullptr));
    }
    template <typename C, typename Sig> void Event(std::string_view name, std::function<Sig> C::*field)
    {
        static_assert(std::is_base_of_v<C, T>, "the event is a member of another class");
        Add(std::make_unique<TPublishedEvent<T, C, Sig>>(name, info_, field));
    }
    template <typename R, typename Ret, typename... A> void Method(std::string_view name, Ret (R::*method)(A...))
    {
        static_assert(std::is_base_of_v<R, T>, "the method is a member of another class");
        info_.ownMethods_.push_back(std::make_unique<TPublishedMethod<T, R, Ret, A...>>(name, method));
    }

private:
    template <typename P> P& Add(std::unique_ptr<P> prop)
    {
        P& result = *prop;
        info_.ownProperties_.push_back(std::move(prop));
        return result;
    }

    TClassInfo& info_;
};

template <typename T, typename Base>
TClassInfo::TClassInfo(TTypeTag<T>, TTypeTag<Base>, const char* name)
    : name_(name)
    , parent_(&Base::StaticClassInfo())
{
    static_assert(std::is_base_of_v<Base, T>, "DECLARE_CLASS names a parent the class does not derive from");
    static_assert(std::is_same_v<decltype(&Base::Publish), void (*)(TPublisher<Base>&)>, "the parent class lacks DECLARE_CLASS");
    cast_ = [](TObject* object) -> void* { return static_cast<T*>(object); };
    if constexpr (std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> && std::is_constructible_v<T, TComponent*>)
        newComponent_ = [](TComponent* owner) -> TComponent* { return new T(owner); };
    if constexpr (std::is_base_of_v<TCollectionItem, T> && !std::is_abstract_v<T> && std::is_constructible_v<T, TCollection*>)
        newItem_ = [](TCollection* collection) -> TCollectionItem* { return new T(collection); };
    TPublisher<T> publisher(*this);
    T::Publish(publisher);
    Seal();
}

template <typename T>
TClassInfo::TClassInfo(TTypeTag<T>, const char* name, void (*publish)(TPublisher<T>&))
    : name_(name)
{
    if constexpr (std::is_base_of_v<TObject, T>)
        cast_ = [](TObject* object) -> void* { return static_cast<T*>(object); };
    TPublisher<T> publisher(*this);
    publish(publisher);
    Seal();
}
