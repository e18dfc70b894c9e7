#pragma once
#include <optional>
#include <string>

#include "host/sys/Types.h"

struct SDL_Window;

// What the SDL backend asks of the X server itself, over the connection SDL opened for a
// window. Each answers false when the window is not on X11.

// Waits until the connection has events, fd (unless -1) is readable, a signal arrives, or
// timeoutMs passes (negative: no limit). SDL's own wait sleeps through signals.
bool WaitForX11Events(SDL_Window* window, int fd, int timeoutMs);
// The pointer's screen position and whether its left button is down, as the server has them
// now: SDL's cached answer misses pointer warps (VNC, tablets, xdotool).
bool QueryX11Pointer(SDL_Window* window, TPoint& position, bool& leftDown);
// Sets the window's WM_CLASS (instance and class name).
bool SetX11WindowClass(SDL_Window* window, const std::string& instance, const std::string& className);
// Ends the process at once, with a line on standard error, when the connection to the X server
// is lost: Xlib's own handler calls exit(), whose clean-up would wait forever for replies from
// the server that is gone.
void EndProcessOnLostX11Connection();
// The X resources (RESOURCE_MANAGER) of the display in DISPLAY, read over a connection of its
// own, as the program may ask before it has a window; none when there are none or no display.
std::optional<std::string> ReadX11Resources();
