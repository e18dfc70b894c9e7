#pragma once
#include <string>
#include <vector>

#include "host/ui/Dialogs.h"
#include "host/win/Input.h"
#include "host/win/VirtualKeys.h"
#include "host/win/backends/HeadlessBackend.h"

// Answers with Enter every window that a modal loop makes active over `home`, and keeps what
// each said as a message box (empty for a window that is none), in order.
inline void AnswerBoxes(THeadlessBackend* desk, HWND home, std::vector<std::string>& said)
{
    desk->OnIdle = [desk, home, &said] {
        const HWND active = GetActiveWindow();
        if (active != nullptr && active != home) {
            said.push_back(MessageBoxText(active));
            desk->PressKey(VK_RETURN);
        }
    };
}
