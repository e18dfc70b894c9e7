#pragma once
#include "tools/skinart/Raster.h"

// Where a glyph goes: its centre, half its extent and the width of its strokes, in pixels.
struct TGlyphBox {
    float Cx = 0;
    float Cy = 0;
    float Half = 0;
    float Stroke = 1;
};

// The title button glyphs, in the order of the title button strip.
enum class TTitleGlyph { ControlBox, Help, Maximize, Restore, Minimize, Close };

TShape TitleGlyph(TTitleGlyph glyph, const TGlyphBox& box);
TShape CheckMark(const TGlyphBox& box);
// A filled triangle pointing in the direction (dx, dy), one of the four axes.
TShape Arrow(const TGlyphBox& box, int dx, int dy);
// Three short ridges across a grip: stacked top to bottom when `stacked`, else side by side.
TShape Grip(const TGlyphBox& box, bool stacked);
