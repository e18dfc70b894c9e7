// Feeds arbitrary text to the practice settings reader: it either reads or refuses, and
// settings it reads, written again, read back the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "learn/PracticeSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<TPracticeSettings> settings = ParsePracticeSettings(text);
    if (settings && ParsePracticeSettings(FormatPracticeSettings(*settings)) != settings)
        __builtin_trap();
    return 0;
}
