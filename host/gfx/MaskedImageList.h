#pragma once
#include <optional>
#include <vector>

#include "host/gfx/Bitmap.h"

class TCanvas;

// Images of one size, each drawn through its mask: the host's image list as the skin uses it.
// A bitmap added to the list is cut from the left into images of the list's width (as many as
// it holds whole); rows below a shorter bitmap stay empty (white, or masked when added masked).
class TMaskedImageList {
public:
    // Both sizes must be positive.
    TMaskedImageList(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }

    // Adds the bitmap's images, opaque. Returns the index of the first, or -1 when the bitmap is
    // narrower than one image.
    int Add(const TBitmap& bitmap);
    // Adds the bitmap's images with a mask: their pixels of maskColor are left out when drawn.
    int AddMasked(const TBitmap& bitmap, TColor maskColor);

    // Draws image `index` with its top-left corner at (x, y); an index out of range draws
    // nothing. Disabled draws the classic embossed look: every image pixel darker than light
    // grey (luminance below 192 of 255) is drawn in clBtnShadow, and the same shape offset one
    // pixel right and down in clBtnHighlight beneath it; light and masked pixels are left out.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

private:
    int AddImages(const TBitmap& bitmap, std::optional<TColor> maskColor);

    int width_;
    int height_;
    std::vector<TBitmap> images_;
};
