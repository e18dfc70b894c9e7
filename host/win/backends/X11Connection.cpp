#include "host/win/backends/X11Connection.h"

#include <poll.h>

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>

namespace {

Display* DisplayOf(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return nullptr;
    return info.info.x11.display;
}

} // namespace

bool WaitForX11Events(SDL_Window* window, int fd, int timeoutMs)
{
    Display* display = DisplayOf(window);
    if (!display)
        return false;
    // Events that Xlib already read (while waiting for a reply, say) never make the socket
    // readable again.
    if (XPending(display) > 0)
        return true;
    pollfd fds[2] = { { ConnectionNumber(display), POLLIN, 0 }, { fd, POLLIN, 0 } };
    ::poll(fds, fd >= 0 ? 2 : 1, timeoutMs);
    return true;
}

bool QueryX11Pointer(SDL_Window* window, TPoint& position, bool& leftDown)
{
    Display* display = DisplayOf(window);
    if (!display)
        return false;
    ::Window root = 0;
    ::Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned mask = 0;
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX, &windowY, &mask))
        return false;
    position = { rootX, rootY };
    leftDown = (mask & Button1Mask) != 0;
    return true;
}
