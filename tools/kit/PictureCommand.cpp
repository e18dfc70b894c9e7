// moraleaf-kit picture FILE [--png OUT]: decodes a kana picture blob by the program's rules.
#include <iostream>
#include <optional>

#include "host/gfx/KanaPicture.h"
#include "host/gfx/PngWriter.h"
#include "host/sys/Files.h"
#include "tools/kit/Commands.h"

namespace {

int Usage()
{
    std::cerr << "usage: moraleaf-kit picture FILE [--png OUT]\n";
    return 2;
}

// The depth the file was stored with; 5-5-5 pixels are 16-bit words too.
int StoredBitsPerPixel(const TBitmap& picture)
{
    if (picture.Empty())
        return 0;
    const int bits = BitsPerPixel(picture.PixelFormat());
    return bits == 15 ? 16 : bits;
}

} // namespace

int PictureCommand(std::span<const std::string> args)
{
    std::optional<std::string> file;
    std::optional<std::string> png;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--png" && i + 1 < args.size() && !png)
            png = args[++i];
        else if (!args[i].starts_with("--") && !file)
            file = args[i];
        else
            return Usage();
    }
    if (!file)
        return Usage();

    TBitmap picture;
    LoadKanaPicture(ReadFileBytes(*file), picture);
    if (png)
        SavePngFile(picture, *png);
    std::cout << "ok " << picture.Width() << 'x' << picture.Height() << ' ' << StoredBitsPerPixel(picture) << '\n';
    return 0;
}
