// moraleaf-kit drive SCRIPT: plays a script of input on the main window on the headless desktop.
#include <iostream>
#include <string>

#include "host/sys/Files.h"
#include "tools/kit/Commands.h"
#include "tools/kit/DriveSession.h"

int DriveCommand(std::span<const std::string> args)
{
    if (args.size() != 1) {
        std::cerr << "usage: moraleaf-kit drive SCRIPT\n";
        return 2;
    }
    std::vector<TDriveCommand> script;
    try {
        const std::vector<std::uint8_t> bytes = ReadFileBytes(args[0]);
        script = ParseDriveScript(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } catch (const EDriveScriptError& e) {
        std::cerr << "moraleaf-kit drive: " << args[0] << ": " << e.Message() << '\n';
        return 2;
    } catch (const EFOpenError& e) {
        std::cerr << "moraleaf-kit drive: " << e.Message() << '\n';
        return 2;
    }
    TDriveSession session;
    try {
        session.Play(script);
    } catch (const EDriveScriptError& e) {
        std::cerr << "moraleaf-kit drive: " << args[0] << ": " << e.Message() << '\n';
        return 1;
    }
    session.Close();
    for (const std::string& error : session.Errors())
        std::cerr << "error box: " << error << '\n';
    return 0;
}
