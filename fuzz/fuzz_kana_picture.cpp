// Feeds arbitrary bytes to the kana picture decoder, as the t_pic column may hold anything.
#include <cstddef>
#include <cstdint>

#include "host/gfx/KanaPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TBitmap picture;
    try {
        LoadKanaPicture({ data, size }, picture);
    } catch (const EReadError&) {
    } catch (const EInvalidGraphic&) {
    }
    if (picture.Pixels().size() != static_cast<std::size_t>(picture.Width()) * static_cast<std::size_t>(picture.Height()))
        __builtin_trap();
    return 0;
}
