// Feeds arbitrary bytes to the BMP reader: it must decode or raise its own errors, nothing else.
// Small pictures that decode must also survive a write and a second read unchanged.
#include <cstddef>
#include <cstdint>

#include "host/gfx/BmpCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TBmpImage image;
    try {
        image = DecodeBmp({ data, size });
    } catch (const EReadError&) {
        return 0;
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    if (image.Pixels.size() != static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height))
        __builtin_trap();
    if (image.Pixels.size() > 4096)
        return 0;
    TBitmap bitmap;
    bitmap.SetPixels(image.Width, image.Height, image.Pixels, image.Format);
    for (int bits : { 8, 32 }) {
        const TBmpImage again = DecodeBmp(EncodeBmp(bitmap, bits));
        if (again.Width != image.Width || again.Height != image.Height || again.Pixels != image.Pixels)
            __builtin_trap();
    }
    return 0;
}
