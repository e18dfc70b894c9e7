#include "host/gfx/PngWriter.h"

#include <png.h>

#include "host/sys/Files.h"

std::vector<std::uint8_t> EncodePng(const TBitmap& bitmap)
{
    if (bitmap.Empty())
        throw EInvalidGraphic("An empty picture cannot be written as PNG");
    const std::size_t width = static_cast<std::size_t>(bitmap.PixelWidth());
    const std::size_t height = static_cast<std::size_t>(bitmap.PixelHeight());
    std::vector<std::uint8_t> rgb(width * height * 3);
    std::uint8_t* out = rgb.data();
    for (TPixel p : bitmap.Pixels()) {
        *out++ = static_cast<std::uint8_t>(p >> 16);
        *out++ = static_cast<std::uint8_t>(p >> 8);
        *out++ = static_cast<std::uint8_t>(p);
    }

    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr))
        throw EInvalidGraphic(std::string("Cannot encode PNG: ") + image.message);
    std::vector<std::uint8_t> png(size);
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, rgb.data(), 0, nullptr))
        throw EInvalidGraphic(std::string("Cannot encode PNG: ") + image.message);
    png.resize(size);
    return png;
}

void SavePngFile(const TBitmap& bitmap, const std::string& path)
{
    WriteFileBytes(path, EncodePng(bitmap));
}
