// skinart: draws the bitmaps of the five built-in UI styles, the menu check mark, the form
// backgrounds and the program icon, and writes them where the resource embedder finds them.
//   skinart OUTDIR [--sheet FILE.png]
// writes OUTDIR/bitmaps/NAME.bmp and OUTDIR/icons/MAINICON.ico; with --sheet also a contact
// sheet of every piece and each style's mock-ups.
#include <filesystem>
#include <iostream>
#include <string>

#include "host/gfx/PngWriter.h"
#include "host/sys/Exception.h"
#include "host/sys/Files.h"
#include "tools/skinart/ContactSheet.h"
#include "tools/skinart/IconFile.h"
#include "tools/skinart/StyleArt.h"

namespace {

int Usage()
{
    std::cerr << "usage: skinart OUTDIR [--sheet FILE.png]\n";
    return 2;
}

void WriteResources(const TArtBook& book, const std::filesystem::path& outDir)
{
    std::filesystem::create_directories(outDir / "bitmaps");
    std::filesystem::create_directories(outDir / "icons");
    for (const TArtPiece& piece : book.Pieces())
        piece.Bitmap.SaveToFile((outDir / "bitmaps" / (piece.Name + ".bmp")).string(), 8);
    for (const TArtIcon& icon : book.Icons())
        WriteFileBytes((outDir / "icons" / (icon.Name + ".ico")).string(), EncodeIcon(icon.Sizes));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--sheet"))
        return Usage();
    try {
        TArtBook book;
        DrawMacOSArt(book);
        DrawWinXPArt(book);
        DrawDeepBlueArt(book);
        DrawProteinArt(book);
        DrawBlueGlassArt(book);
        DrawSharedArt(book);
        WriteResources(book, argv[1]);
        if (argc == 4)
            SavePngFile(ContactSheet(book), argv[3]);
        return 0;
    } catch (const Exception& e) {
        std::cerr << "skinart: " << e.Message() << '\n';
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "skinart: " << e.what() << '\n';
        return 1;
    }
}
