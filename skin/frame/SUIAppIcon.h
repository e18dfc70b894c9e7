#pragma once
#include "host/gfx/Bitmap.h"

// The program's icon "MAINICON" at Size x Size: its image of that size (24 or 32 bits per
// pixel), with the see-through pixels set to a transparent colour. False, with Icon unchanged,
// when the program has no such image or the icon is broken.
bool LoadAppIcon(TBitmap& Icon, int Size);
