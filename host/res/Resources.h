#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "host/sys/Exception.h"

// What a named resource holds; a name is unique within its kind.
enum class TResourceKind : std::uint8_t { Bitmap, Icon, String, Layout };

// A resource name that the executable does not carry.
class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

// The bytes of a resource, or an empty span when there is none of that name and kind.
// Names are matched without regard to case, as the host's resource names are.
std::span<const std::uint8_t> FindResource(std::string_view name, TResourceKind kind);

// The bytes of a resource; raises EResNotFound ("Resource NAME not found") when it is missing.
std::span<const std::uint8_t> LoadResource(std::string_view name, TResourceKind kind);

// A string resource as text.
std::string LoadStr(std::string_view name);
