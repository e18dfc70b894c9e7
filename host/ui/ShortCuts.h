#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "host/ui/ShiftState.h"

// A key with its modifiers: the virtual-key code in the low byte, the modifiers as flags.
using TShortCut = std::uint16_t;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

TShortCut ShortCut(int key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, int& key, TShiftState& shift);

// "Ctrl+S", "Shift+F1", "Alt+Del": modifiers in the order Shift, Ctrl, Alt; empty for no
// shortcut or a key without a name.
std::string ShortCutToText(TShortCut shortCut);
// The reverse, in any letter case; scNone for text that names no key.
TShortCut TextToShortCut(std::string_view text);
