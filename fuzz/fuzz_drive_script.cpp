// Feeds arbitrary text to the drive script reader: it either reads or raises EDriveScriptError,
// and every command it reads carries values within the documented bounds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tools/kit/DriveScript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        for (const TDriveCommand& command : ParseDriveScript(text)) {
            const bool sane = command.Line >= 1 && command.X >= -kMaxDriveCoordinate && command.X <= kMaxDriveCoordinate
                && command.Y >= -kMaxDriveCoordinate && command.Y <= kMaxDriveCoordinate && command.Milliseconds >= 0
                && command.Milliseconds <= kMaxDriveWait && (command.Action != TDriveAction::Key || command.VirtualKey != 0)
                && (command.Action != TDriveAction::Type || !command.Text.empty())
                && ((command.Action != TDriveAction::Shot && command.Action != TDriveAction::Dump) || !command.File.empty());
            if (!sane)
                __builtin_trap();
        }
    } catch (const EDriveScriptError&) {
    }
    return 0;
}
