// A dock, as a task bar is: a window along the top of the screen that asks the window manager
// to keep a strip of HEIGHT pixels free of other windows. Usage: dock-strip HEIGHT. It prints
// "ready" once the window is asked for and stays until it is killed.
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

void SetCardinals(Display* display, Window window, const char* name, const long* values, int count)
{
    XChangeProperty(display, window, XInternAtom(display, name, False), XA_CARDINAL, 32, PropModeReplace,
        reinterpret_cast<const unsigned char*>(values), count);
}

} // namespace

int main(int argc, char** argv)
{
    const int height = argc == 2 ? std::atoi(argv[1]) : 0;
    if (height <= 0) {
        std::fprintf(stderr, "usage: dock-strip HEIGHT\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "dock-strip: cannot open the display\n");
        return 1;
    }
    const int screen = DefaultScreen(display);
    const int width = DisplayWidth(display, screen);
    const Window window = XCreateSimpleWindow(
        display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), 0, 0, 0x204060);
    const Atom dock = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
        reinterpret_cast<const unsigned char*>(&dock), 1);
    // left, right, top, bottom, then the start and end of each strip along its edge.
    const long partial[12] = { 0, 0, height, 0, 0, 0, 0, 0, 0, width - 1, 0, 0 };
    SetCardinals(display, window, "_NET_WM_STRUT_PARTIAL", partial, 12);
    SetCardinals(display, window, "_NET_WM_STRUT", partial, 4);
    XMapWindow(display, window);
    XSync(display, False);
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;)
        ::pause();
}
