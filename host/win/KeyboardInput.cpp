#include "host/win/Desktop.h"
#include "host/win/Input.h"

void TranslateKeyInput(const TRawInput& input)
{
    TDesktop& d = Desktop();
    TWindow* target = d.Focus ? d.Focus : d.Active;
    // A disabled window (one behind a modal window) takes no keyboard input.
    if (target && (TopLevelOf(target)->Style & WS_DISABLED))
        target = nullptr;
    if (input.Kind == TRawInput::TKind::Char) {
        if (target)
            d.InputMessages.Push(MSG { target, WM_CHAR, static_cast<WPARAM>(input.Value), 1, MessageTime(), d.Mouse.Pos });
        return;
    }
    const bool down = input.Kind == TRawInput::TKind::KeyDown;
    const int key = input.Value & 0xFF;
    const bool wasDown = d.KeysDown[key];
    d.KeysDown[key] = down;
    if (!target)
        return;
    // lParam: repeat count 1, bit 30 the key's previous state, bit 31 set for a release.
    const std::uint32_t flags = 1u | (wasDown ? 1u << 30 : 0u) | (down ? 0u : 1u << 31);
    d.InputMessages.Push(MSG {
        target, down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(key), static_cast<LPARAM>(flags), MessageTime(), d.Mouse.Pos });
}

short GetKeyState(int virtualKey)
{
    return Desktop().KeysDown[virtualKey & 0xFF] ? static_cast<short>(0x8000) : static_cast<short>(0);
}
