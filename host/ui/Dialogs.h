#pragma once
#include <cstdint>
#include <string>

#include "host/ui/Set.h"
#include "host/win/Messages.h"

enum TMsgDlgType : std::uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : std::uint8_t { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

// A modal box drawn by the framework: the message, wrapped, and an OK button; closed by OK,
// Enter or Escape. Returns the modal result (mrOk).
int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext);
// The same box with a caption of the caller's choice (the application's error box).
int ShowMessageBox(const std::string& msg, const std::string& caption);
// The message of the box that one of the two above has up in that window, empty for any other
// window: what a box says, for those that look at the screen from outside.
std::string MessageBoxText(HWND window);
