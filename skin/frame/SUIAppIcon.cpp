#include "skin/frame/SUIAppIcon.h"

#include <cstdint>
#include <span>

#include "host/res/Resources.h"

namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;
// Stands for the see-through pixels; no icon colour of this program is pure fuchsia.
constexpr TColor kSeeThrough = 0x00FF00FF;

std::uint32_t Read16(std::span<const std::uint8_t> Bytes, std::size_t Pos)
{
    return Bytes[Pos] | (Bytes[Pos + 1] << 8);
}

std::uint32_t Read32(std::span<const std::uint8_t> Bytes, std::size_t Pos)
{
    return Read16(Bytes, Pos) | (Read16(Bytes, Pos + 2) << 16);
}

// The icon image stored as a device-independent bitmap: header, colour rows bottom up, then
// the one-bit AND mask (set bits see through).
bool DecodeImage(std::span<const std::uint8_t> Image, int Size, TBitmap& Icon)
{
    if (Image.size() < kInfoHeaderSize || Read32(Image, 0) != kInfoHeaderSize)
        return false;
    const auto width = static_cast<std::int32_t>(Read32(Image, 4));
    const auto height = static_cast<std::int32_t>(Read32(Image, 8));
    const std::uint32_t bits = Read16(Image, 14);
    const std::uint32_t compression = Read32(Image, 16);
    if (width != Size || height != 2 * Size || compression != 0 || (bits != 24 && bits != 32))
        return false;
    const std::size_t bytesPerPixel = bits / 8;
    const std::size_t colorStride = (static_cast<std::size_t>(Size) * bytesPerPixel + 3) / 4 * 4;
    const std::size_t maskStride = (static_cast<std::size_t>(Size) + 31) / 32 * 4;
    const std::size_t colorSize = colorStride * static_cast<std::size_t>(Size);
    const std::size_t maskSize = maskStride * static_cast<std::size_t>(Size);
    if (Image.size() - kInfoHeaderSize < colorSize + (bits == 32 ? 0 : maskSize))
        return false;
    const std::span<const std::uint8_t> colors = Image.subspan(kInfoHeaderSize, colorSize);
    const bool hasMask = Image.size() - kInfoHeaderSize >= colorSize + maskSize;
    const std::span<const std::uint8_t> mask
        = hasMask ? Image.subspan(kInfoHeaderSize + colorSize, maskSize) : std::span<const std::uint8_t>();

    TBitmap result(Size, Size);
    for (int y = 0; y < Size; ++y) {
        const std::size_t row = static_cast<std::size_t>(Size - 1 - y);
        for (int x = 0; x < Size; ++x) {
            const std::uint8_t* p = &colors[row * colorStride + static_cast<std::size_t>(x) * bytesPerPixel];
            bool seeThrough = false;
            if (bits == 32)
                seeThrough = p[3] < 0x80;
            else if (!mask.empty())
                seeThrough = (mask[row * maskStride + static_cast<std::size_t>(x) / 8] & (0x80 >> (x % 8))) != 0;
            result.SetPixel(x, y, seeThrough ? kSeeThrough : RGB(p[2], p[1], p[0]));
        }
    }
    result.SetTransparentColor(kSeeThrough);
    result.SetTransparent(true);
    Icon = result;
    return true;
}

} // namespace

bool LoadAppIcon(TBitmap& Icon, int Size)
{
    const std::span<const std::uint8_t> file = FindResource("MAINICON", TResourceKind::Icon);
    if (file.size() < kDirectorySize || Read16(file, 0) != 0 || Read16(file, 2) != 1)
        return false;
    const std::size_t count = Read16(file, 4);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kDirectorySize + i * kEntrySize;
        if (entry + kEntrySize > file.size())
            return false;
        const int width = file[entry] == 0 ? 256 : file[entry];
        if (width != Size)
            continue;
        const std::size_t length = Read32(file, entry + 8);
        const std::size_t offset = Read32(file, entry + 12);
        if (offset > file.size() || length > file.size() - offset)
            return false;
        if (DecodeImage(file.subspan(offset, length), Size, Icon))
            return true;
    }
    return false;
}
