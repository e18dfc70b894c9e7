// moraleaf-kit: the companion command line of Moraleaf.
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "host/sys/Exception.h"
#include "tools/kit/Commands.h"

namespace {

const std::map<std::string, TKitCommand> kCommands = {
    { "db", DbCommand },
    { "drive", DriveCommand },
    { "picture", PictureCommand },
    { "preview", PreviewCommand },
    { "theme", ThemeCommand },
};

int Usage()
{
    std::cerr << "usage: moraleaf-kit COMMAND [ARGS...]\ncommands:\n"
                 "  db create FILE [--force]      write the default kana deck\n"
                 "  db dump FILE                  list every row of moratab and kana_more\n"
                 "  db query FILE SQL             run a statement as the program does\n"
                 "  db export FILE DIR            write a deck folder (pictures and table files)\n"
                 "  db import DIR FILE [--force]  make a database from a deck folder\n"
                 "  picture FILE [--png OUT]      decode a kana picture blob\n"
                 "  preview STYLE|THEMEFILE --png OUT [--menu]  draw the skinned controls in a style\n"
                 "  theme export STYLE FILE       write a built-in style as a theme file\n"
                 "  theme dump FILE               list a theme file's values\n"
                 "  theme pack DIR FILE           make a theme file of a folder of images and values\n"
                 "  drive SCRIPT|-                play a script of input on the main window (-: from standard input)\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    auto command = kCommands.find(argv[1]);
    if (command == kCommands.end()) {
        std::cerr << "moraleaf-kit: unknown command '" << argv[1] << "'\n";
        return Usage();
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    try {
        return command->second(args);
    } catch (const Exception& e) {
        std::cerr << "error: " << e.Message() << '\n';
        return 1;
    }
}
