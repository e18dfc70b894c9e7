// Feeds arbitrary text to the stored-layout reader with components of every property kind. A
// layout either reads or raises EReadError; one that reads is written, and the written text
// reads back to the same text.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/LayoutRoundTrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<std::string> written = RewriteFuzzLayout({ reinterpret_cast<const char*>(data), size });
    if (written && RewriteFuzzLayout(*written) != written)
        __builtin_trap();
    return 0;
}
