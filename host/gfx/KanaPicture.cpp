#include "host/gfx/KanaPicture.h"

namespace {

constexpr std::size_t kGraphicHeaderSize = 8;
constexpr std::uint16_t kGraphicCount = 1;
constexpr std::uint16_t kGraphicType = 0x0100;

std::uint32_t Get32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 | static_cast<std::uint32_t>(p[2]) << 16
        | static_cast<std::uint32_t>(p[3]) << 24;
}

// Only a header whose three fields all match is one; anything else is bitmap data.
bool HasGraphicHeader(std::span<const std::uint8_t> blob)
{
    if (blob.size() < kGraphicHeaderSize)
        return false;
    const std::uint32_t count = blob[0] | blob[1] << 8;
    const std::uint32_t type = blob[2] | blob[3] << 8;
    return count == kGraphicCount && type == kGraphicType && Get32(blob.data() + 4) == blob.size() - kGraphicHeaderSize;
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

} // namespace

void LoadKanaPicture(std::span<const std::uint8_t> blob, TBitmap& picture)
{
    picture.SetPixels(0, 0, {}, TPixelFormat::pfDevice);
    picture.LoadFromBytes(KanaPictureImage(blob));
}

std::span<const std::uint8_t> KanaPictureImage(std::span<const std::uint8_t> blob)
{
    return HasGraphicHeader(blob) ? blob.subspan(kGraphicHeaderSize) : blob;
}

std::vector<std::uint8_t> KanaPictureBlob(const TBitmap& picture, int bitsPerPixel)
{
    return KanaPictureBlob(picture.SaveToBytes(bitsPerPixel));
}

std::vector<std::uint8_t> KanaPictureBlob(std::span<const std::uint8_t> image)
{
    std::vector<std::uint8_t> blob;
    blob.reserve(kGraphicHeaderSize + image.size());
    Put16(blob, kGraphicCount);
    Put16(blob, kGraphicType);
    const auto size = static_cast<std::uint32_t>(image.size());
    Put16(blob, size & 0xFFFF);
    Put16(blob, size >> 16);
    blob.insert(blob.end(), image.begin(), image.end());
    return blob;
}
