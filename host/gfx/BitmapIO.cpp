// TBitmap's reading and writing of Windows bitmap file images.
#include "host/gfx/Bitmap.h"
#include "host/gfx/BmpCodec.h"
#include "host/res/Resources.h"
#include "host/sys/Files.h"

void TBitmap::LoadFromBytes(std::span<const std::uint8_t> bytes)
{
    // No bytes at all is an empty picture, as an empty bitmap saves to none.
    if (bytes.empty()) {
        SetPixels(0, 0, {}, pixelFormat_);
        return;
    }
    TBmpImage image = DecodeBmp(bytes);
    SetPixels(image.Width, image.Height, std::move(image.Pixels), image.Format);
}

void TBitmap::LoadFromFile(const std::string& path)
{
    LoadFromBytes(ReadFileBytes(path));
}

void TBitmap::LoadFromResourceName(std::string_view name)
{
    LoadFromBytes(LoadResource(name, TResourceKind::Bitmap));
}

std::vector<std::uint8_t> TBitmap::SaveToBytes(int bitsPerPixel) const
{
    return EncodeBmp(*this, bitsPerPixel);
}

void TBitmap::SaveToFile(const std::string& path, int bitsPerPixel) const
{
    WriteFileBytes(path, SaveToBytes(bitsPerPixel));
}
