// Feeds arbitrary text to the reader of the kept font answers: it either reads or refuses,
// and answers it reads, written again, read back the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/gfx/FontMatchFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<FontMatches> matches = ParseFontMatches(text);
    if (matches && ParseFontMatches(FormatFontMatches(*matches)) != matches)
        __builtin_trap();
    return 0;
}
