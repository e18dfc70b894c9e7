#pragma once
#include "tools/skinart/ArtBook.h"

// Each style's bitmaps, under their resource names.
void DrawMacOSArt(TArtBook& book);
void DrawWinXPArt(TArtBook& book);
void DrawDeepBlueArt(TArtBook& book);
void DrawProteinArt(TArtBook& book);
void DrawBlueGlassArt(TArtBook& book);
// The pieces no one style owns: the shared tab scroll buttons, the menu check mark and the
// program icon.
void DrawSharedArt(TArtBook& book);
