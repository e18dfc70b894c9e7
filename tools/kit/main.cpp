// moraleaf-kit: the companion command line of Moraleaf.
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "host/sys/Exception.h"
#include "tools/kit/Commands.h"

namespace {

const std::map<std::string, TKitCommand> kCommands = {
    {"picture", PictureCommand},
};

int Usage()
{
    std::cerr << "usage: moraleaf-kit COMMAND [ARGS...]\ncommands:\n"
                 "  picture FILE [--png OUT]   decode a kana picture blob\n";
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
