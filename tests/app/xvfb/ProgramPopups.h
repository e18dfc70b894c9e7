// The program's popup windows on an X display, for the desktop tests; include after Xlib.h and
// Xutil.h.
#pragma once
#include <string>

#include "host/sys/Types.h"

// The top-left corner of a shown menu or tooltip of the program: a viewable override-redirect
// window of its class (a window manager may keep such windows of its own).
inline bool ProgramPopupCorner(Display* display, const std::string& windowClass, TPoint& corner)
{
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return false;
    bool found = false;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes a;
        XClassHint hint {};
        if (XGetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable && a.override_redirect
            && XGetClassHint(display, children[i], &hint)) {
            found = std::string(hint.res_class ? hint.res_class : "") == windowClass;
            if (found)
                corner = { a.x, a.y };
        }
        if (hint.res_name)
            XFree(hint.res_name);
        if (hint.res_class)
            XFree(hint.res_class);
    }
    if (children)
        XFree(children);
    return found;
}
