#pragma once
#include <cstddef>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/sys/Types.h"
#include "tools/kit/DriveScript.h"

class TForm1;
class THeadlessBackend;

// Hands a session its commands one at a time, each when the one before has been played out;
// none when the script is over. A line it cannot read raises EDriveScriptError.
using TDriveSource = std::function<std::optional<TDriveCommand>()>;

// The main window on the headless desktop, in the current folder, played by scripts. Start-up
// is the program's own: the window is built from its layout (a failed connection shows its
// error box) and shown. Error boxes are the application's own modal boxes; a script goes on
// inside them, and those still open when a script ends are dismissed with Escape.
class TDriveSession {
public:
    TDriveSession();
    ~TDriveSession();
    TDriveSession(const TDriveSession&) = delete;
    TDriveSession& operator=(const TDriveSession&) = delete;

    void Play(const TDriveSource& source);
    void Play(const std::vector<TDriveCommand>& script);
    void Play(std::string_view scriptText) { Play(ParseDriveScript(scriptText)); }
    // Closes the main window as the desktop's close command does.
    void Close();

    // The main window; it stays after closing until the session ends.
    TForm1& Form() const;
    THeadlessBackend& Desktop() const { return desktop_; }
    // The texts of the error boxes shown so far.
    const std::vector<std::string>& Errors() const { return errors_; }
    std::string Dump() const;
    // A point of the main window's client area on the screen.
    TPoint ScreenPoint(int x, int y) const;

private:
    // Returns whether the command gave the desktop input.
    bool Execute(const TDriveCommand& command);
    // Runs the application's loop over everything queued and puts the pixels on the desktop.
    void Pump();
    // A modal loop waits for input: the script goes on there, or, once it is played out, the
    // loop is asked to end.
    void Idle();

    void Type(std::u32string_view text);

    THeadlessBackend& desktop_;
    std::vector<std::string> errors_;
    // The script being played, or none.
    const TDriveSource* source_ = nullptr;
    // A failure of the script (a file that cannot be written) met inside a modal loop.
    std::exception_ptr failure_;
    TPoint mouse_;
    bool buttonDown_ = false;
    TDriveButton downButton_ = TDriveButton::Left;
    int dismissals_ = 0;
};
