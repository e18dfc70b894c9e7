// Feeds arbitrary text to the display scale readers, as a variable's value and as an X
// resource string: each gives a scale from 1 to the largest a bitmap may have, or none.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/gfx/Bitmap.h"
#include "host/win/DisplayScale.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const std::optional<int> scale : { ParseScale(text), ScaleFromXResources(text) })
        if (scale && (*scale < 1 || *scale > kMaxBitmapScale))
            __builtin_trap();
    return 0;
}
