#include "host/gfx/MaskedImageList.h"

#include <algorithm>
#include <cstring>

#include "host/gfx/Canvas.h"

namespace {

// Light pixels count as paper in the greyed look, darker ones as ink.
bool IsInk(TPixel p)
{
    const unsigned r = (p >> 16) & 0xFF;
    const unsigned g = (p >> 8) & 0xFF;
    const unsigned b = p & 0xFF;
    return 299 * r + 587 * g + 114 * b < 192 * 1000;
}

// The key of the greyed picture: neither of the two greys it is drawn in.
constexpr TColor kGreyedKey = clFuchsia;

TBitmap Greyed(const TBitmap& image)
{
    const int w = image.Width();
    const int h = image.Height();
    const bool masked = image.Transparent();
    const TPixel key = ColorToPixel(ColorToRGB(image.TransparentColor()));
    auto ink = [&](int x, int y) {
        const TPixel p = image.ScanLine(y)[x];
        return !(masked && (p & 0x00FFFFFF) == key) && IsInk(p);
    };
    TBitmap greyed(w + 1, h + 1);
    std::fill(greyed.Pixels().begin(), greyed.Pixels().end(), ColorToPixel(kGreyedKey));
    const TPixel highlight = ColorToPixel(ColorToRGB(clBtnHighlight));
    const TPixel shadow = ColorToPixel(ColorToRGB(clBtnShadow));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (ink(x, y))
                greyed.ScanLine(y + 1)[x + 1] = highlight;
        }
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (ink(x, y))
                greyed.ScanLine(y)[x] = shadow;
        }
    }
    greyed.SetTransparentColor(kGreyedKey);
    greyed.SetTransparent(true);
    return greyed;
}

} // namespace

TMaskedImageList::TMaskedImageList(int width, int height)
    : width_(width)
    , height_(height)
{
    if (width <= 0 || height <= 0)
        throw Exception("Invalid image list size");
}

int TMaskedImageList::Add(const TBitmap& bitmap)
{
    return AddImages(bitmap, std::nullopt);
}

int TMaskedImageList::AddMasked(const TBitmap& bitmap, TColor maskColor)
{
    const TColor rgb = ColorToRGB(maskColor);
    if (rgb < 0 || rgb > 0xFFFFFF) // clNone masks nothing
        return AddImages(bitmap, std::nullopt);
    return AddImages(bitmap, rgb);
}

int TMaskedImageList::AddImages(const TBitmap& bitmap, std::optional<TColor> maskColor)
{
    const int count = bitmap.Width() / width_;
    if (count == 0 || bitmap.Height() == 0)
        return -1;
    const int first = Count();
    const int rows = std::min(height_, bitmap.Height());
    images_.reserve(images_.size() + static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        TBitmap& image = images_.emplace_back(width_, height_);
        if (maskColor) {
            std::fill(image.Pixels().begin(), image.Pixels().end(), ColorToPixel(*maskColor));
            image.SetTransparentColor(*maskColor);
            image.SetTransparent(true);
        }
        for (int y = 0; y < rows; ++y)
            std::memcpy(image.ScanLine(y), bitmap.ScanLine(y) + i * width_, static_cast<std::size_t>(width_) * sizeof(TPixel));
    }
    return first;
}

void TMaskedImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    const TBitmap& image = images_[static_cast<std::size_t>(index)];
    if (enabled)
        canvas.Draw(x, y, image);
    else
        canvas.Draw(x, y, Greyed(image));
}
