#include "host/win/backends/X11Connection.h"

#include <errno.h>
#include <poll.h>

#include <cstdio>
#include <cstdlib>

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

bool X11InfoOf(SDL_Window* window, SDL_SysWMinfo& info)
{
    SDL_VERSION(&info.version);
    return window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11;
}

Display* DisplayOf(SDL_Window* window)
{
    SDL_SysWMinfo info;
    return X11InfoOf(window, info) ? info.info.x11.display : nullptr;
}

int LostConnection(Display*)
{
    std::fprintf(stderr, "%s: lost the connection to the display\n", program_invocation_short_name);
    std::_Exit(1);
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

bool SetX11WindowClass(SDL_Window* window, const std::string& instance, const std::string& className)
{
    SDL_SysWMinfo info;
    if (!X11InfoOf(window, info))
        return false;
    XClassHint hint;
    hint.res_name = const_cast<char*>(instance.c_str());
    hint.res_class = const_cast<char*>(className.c_str());
    XSetClassHint(info.info.x11.display, info.info.x11.window, &hint);
    return true;
}

void EndProcessOnLostX11Connection()
{
    XSetIOErrorHandler(LostConnection);
}

std::optional<std::string> ReadX11Resources()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return std::nullopt;
    const char* resources = XResourceManagerString(display);
    std::optional<std::string> result = resources ? std::optional<std::string>(resources) : std::nullopt;
    XCloseDisplay(display);
    return result;
}
