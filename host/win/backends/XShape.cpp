#include "host/win/backends/XShape.h"

#include <algorithm>
#include <vector>

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

namespace {

short ToShort(int v)
{
    return static_cast<short>(std::clamp(v, -32768, 32767));
}

unsigned short ToUnsignedShort(int v)
{
    return static_cast<unsigned short>(std::clamp(v, 0, 65535));
}

} // namespace

void ApplyX11Shape(SDL_Window* window, const TRegion* shape)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return;
    Display* display = info.info.x11.display;
    const ::Window xwindow = info.info.x11.window;
    if (!shape) {
        XShapeCombineMask(display, xwindow, ShapeBounding, 0, 0, 0, ShapeSet);
    } else {
        std::vector<XRectangle> rects;
        rects.reserve(shape->Rects().size());
        for (const TRect& r : shape->Rects())
            rects.push_back({ ToShort(r.Left), ToShort(r.Top), ToUnsignedShort(r.Width()), ToUnsignedShort(r.Height()) });
        XShapeCombineRectangles(
            display, xwindow, ShapeBounding, 0, 0, rects.data(), static_cast<int>(rects.size()), ShapeSet, YXBanded);
    }
    XFlush(display);
}
