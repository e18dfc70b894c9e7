#include "host/gfx/Colors.h"

namespace {

// The classic desktop scheme, as $00BBGGRR.
constexpr TColor kSysColors[kSysColorCount] = {
    0xC8D0D4, // scroll bar
    0xA56E3A, // desktop
    0x6A240A, // active caption
    0x808080, // inactive caption
    0xC8D0D4, // menu
    0xFFFFFF, // window
    0x000000, // window frame
    0x000000, // menu text
    0x000000, // window text
    0xFFFFFF, // caption text
    0xC8D0D4, // active border
    0xC8D0D4, // inactive border
    0x808080, // application workspace
    0x6A240A, // highlight
    0xFFFFFF, // highlight text
    0xC8D0D4, // button face
    0x808080, // button shadow
    0x808080, // grey text
    0x000000, // button text
    0xC8D0D4, // inactive caption text
    0xFFFFFF, // button highlight
    0x404040, // 3D dark shadow
    0xC8D0D4, // 3D light
    0x000000, // tooltip text
    0xE1FFFF, // tooltip background
    0xB5B5B5, // (unused index 25)
    0x800000, // hot-tracked item
    0xF0CAA6, // active caption gradient
    0xC0C0C0, // inactive caption gradient
    0x6A240A, // menu highlight
    0xC8D0D4, // menu bar
};

} // namespace

TColor GetSysColor(int index)
{
    if (index < 0 || index >= kSysColorCount)
        return 0;
    return kSysColors[index];
}

TColor ColorToRGB(TColor color)
{
    if (color < 0)
        return GetSysColor(color & 0xFF);
    return color;
}
