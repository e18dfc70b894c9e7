#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "host/ui/Object.h"
#include "host/ui/TypeInfo.h"

// Published properties by name. A name may be a path into sub-objects ("Font.Height"). Setting
// runs the property's setter. A missing property, a property of another kind and a value the
// property does not take raise EPropertyError.

// Whether the object's class publishes a property of that name (any letter case).
bool HasPublishedProperty(const TObject* object, std::string_view name);

// The published property at the end of `path` and the object it belongs to; none when some
// part of the path is missing or not a sub-object.
struct TPropertyTarget {
    TInstance Instance;
    const TPropInfo* Prop = nullptr;
};
TPropertyTarget FindProperty(TInstance instance, std::string_view path);

// Integers, colours, enumerations (by value) and booleans.
std::int64_t GetOrdProp(TObject* object, std::string_view path);
void SetOrdProp(TObject* object, std::string_view path, std::int64_t value);
// Enumerations and booleans by identifier.
std::string GetEnumProp(TObject* object, std::string_view path);
void SetEnumProp(TObject* object, std::string_view path, std::string_view ident);
// Sets as the identifiers of their elements.
std::vector<std::string> GetSetProp(TObject* object, std::string_view path);
void SetSetProp(TObject* object, std::string_view path, const std::vector<std::string>& idents);
std::string GetStrProp(TObject* object, std::string_view path);
void SetStrProp(TObject* object, std::string_view path, const std::string& value);
// Component references, and sub-objects derived from TObject. Setting a sub-object assigns the
// value to it through the setter.
TObject* GetObjectProp(TObject* object, std::string_view path);
void SetObjectProp(TObject* object, std::string_view path, TObject* value);
// Events: binds the published method of `root` named `method` (empty clears the event), or
// names the method the event is bound to (empty when none or not a method of root).
void SetMethodProp(TObject* object, std::string_view path, TObject* root, std::string_view method);
std::string GetMethodProp(TObject* object, std::string_view path, TObject* root);

// A sub-object by its exact declared class, such as a control's TFont.
void* GetSubObjectPointer(TObject* object, std::string_view path, const std::type_info& type);
template <typename V> V& GetSubObject(TObject* object, std::string_view path)
{
    return *static_cast<V*>(GetSubObjectPointer(object, path, typeid(V)));
}
