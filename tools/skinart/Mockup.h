#pragma once
#include <string>

#include "tools/skinart/ArtBook.h"

// A style's art put together the way the skinned controls paint it: a window with its title
// bar, page control, buttons, radio buttons and check boxes, and a popup menu.
TBitmap WindowMockup(const TArtBook& book, const std::string& style);
TBitmap MenuMockup(const TArtBook& book, const std::string& style);
