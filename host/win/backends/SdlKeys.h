#pragma once
#include <SDL2/SDL_keycode.h>

// The virtual-key code of an SDL key (0 for keys without one). Both shift, control and alt
// keys give VK_SHIFT, VK_CONTROL and VK_MENU, as WM_KEYDOWN reports them.
int VirtualKeyFromSdl(SDL_Keycode key);
// The character WM_CHAR carries for a key that SDL sends no text for (Enter, Backspace, Tab,
// Escape), or 0.
char32_t ControlCharFromSdl(SDL_Keycode key);
