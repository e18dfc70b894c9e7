#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/sys/Exception.h"

// A script line that cannot be played ("Line 3: unknown command 'jump'").
class EDriveScriptError : public Exception {
public:
    using Exception::Exception;
};

enum class TDriveButton : std::uint8_t { Left, Right, Middle };

enum class TDriveAction : std::uint8_t { Move, Click, DblClick, Press, Release, Key, Type, Wait, Shot, Dump };

// One line of a drive script. Coordinates are the main window's client coordinates.
struct TDriveCommand {
    TDriveAction Action = TDriveAction::Move;
    int Line = 0;
    int X = 0;
    int Y = 0;
    TDriveButton Button = TDriveButton::Left; // click, dblclick, press, release
    int VirtualKey = 0; // key
    std::u32string Text; // type
    int Milliseconds = 0; // wait
    std::string File; // shot, dump
    bool WholeScreen = false; // shot: the screen instead of the window
};

// Largest coordinate and wait a script may give; keeps a mistyped number from stalling a run.
constexpr int kMaxDriveCoordinate = 100000;
constexpr int kMaxDriveWait = 600000;

// Reads a script: one command a line, words separated by blanks, empty lines and lines
// starting with '#' ignored:
//   move X Y | click X Y [BUTTON] | dblclick X Y [BUTTON] | press X Y [BUTTON] | release X Y [BUTTON]
//                                 BUTTON: left (the default), right or middle
//   key NAME                      Return, Escape, Tab, Space, Left, F1, A, 7, ...
//   type TEXT                     the rest of the line after "type ", character by character
//   wait MS                       moves the desktop's clock
//   shot FILE.png [window|screen] the main window (default) or the whole screen
//   dump FILE.json                the main window's state
std::vector<TDriveCommand> ParseDriveScript(std::string_view text);
// One line of a script (without its line break), numbered line; none for an empty line or a
// comment.
std::optional<TDriveCommand> ParseDriveLine(std::string_view row, int line);

// The virtual key of a key name (any letter case), or 0 when there is none of that name.
int VirtualKeyOfName(std::string_view name);
