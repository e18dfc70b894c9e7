#pragma once
#include <functional>
#include <optional>

#include "tools/skinart/Glyphs.h"
#include "tools/skinart/Raster.h"

// The key colour of nine-part and three-part drawing, and the one chosen for every other
// see-through frame.
constexpr TColor kKey = clFuchsia;

// Paints frame `index` into a raster of one frame's size.
using TFrameArt = std::function<void(TRaster&, int index)>;

// Draws `count` frames and joins them side by side; the backdrop is given in frame
// coordinates.
TBitmap DrawFrames(int count, int width, int height, const TFrameArt& art, const TBackdrop& backdrop, std::optional<TColor> key);
TBitmap DrawSingle(int width, int height, const std::function<void(TRaster&)>& art, const TBackdrop& backdrop,
    std::optional<TColor> key = std::nullopt);

// A rounded, shaded surface: a fill from the top edge through the middle to the bottom
// edge, an outline, a glassy highlight over the upper half and a light line inside the top.
struct TGel {
    TRgba Top;
    TRgba Middle;
    TRgba Bottom;
    TRgba Border;
    float Gloss = 0;
    float Shine = 0;
};
void PaintGel(TRaster& raster, float left, float top, float right, float bottom, float radius, const TGel& gel);
TGel Faded(const TGel& gel, float towards, const TRgba& colour);

// The title button strip: six triples (normal, mouse over, pressed) in the order of
// TTitleGlyph, each frame `size` pixels square.
using TTitleButtonArt = std::function<void(TRaster&, TTitleGlyph glyph, int state)>;
TBitmap TitleButtonStrip(int size, const TTitleButtonArt& art, const TBackdrop& backdrop, std::optional<TColor> key);
// What lies under a title button drawn opaque: the title bar's rows from `top` on.
TBackdrop TitleRows(TPaint titlePaint, int top);

// Nine-part drawing stretches the middle row and column (two of them for an odd size); they
// are made copies of each other so the stretched bands meet without a seam.
void KeepMiddleStretchable(TRaster& raster);
// Three-part drawing stretches the middle third: every column of it becomes the centre one.
void KeepThreePartStretchable(TRaster& raster);
