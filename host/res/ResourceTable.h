#pragma once
#include <cstddef>
#include <cstdint>

#include "host/res/Resources.h"

// One embedded resource; the table is generated at build time from resources/, sorted by
// kind and then by upper-case name.
struct TResourceEntry {
    TResourceKind kind;
    const char* name;
    const std::uint8_t* data;
    std::size_t size;
};

extern const TResourceEntry kResourceTable[];
extern const std::size_t kResourceCount;
