#include "host/gfx/Bitmap.h"

#include <algorithm>

#include "host/gfx/Canvas.h"
#include "host/gfx/DeviceContext.h"

int BitsPerPixel(TPixelFormat format)
{
    switch (format) {
    case TPixelFormat::pf1bit:
        return 1;
    case TPixelFormat::pf4bit:
        return 4;
    case TPixelFormat::pf8bit:
        return 8;
    case TPixelFormat::pf15bit:
        return 15;
    case TPixelFormat::pf16bit:
        return 16;
    case TPixelFormat::pf24bit:
        return 24;
    case TPixelFormat::pfDevice:
    case TPixelFormat::pf32bit:
    case TPixelFormat::pfCustom:
        return 32;
    }
    return 32;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, int scale)
    : scale_(std::clamp(scale, 1, kMaxBitmapScale))
{
    SetSize(width, height);
}

TBitmap::TBitmap(const TBitmap& other)
{
    Assign(other);
}

TBitmap& TBitmap::operator=(const TBitmap& other)
{
    Assign(other);
    return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::Assign(const TBitmap& other)
{
    if (&other == this)
        return;
    width_ = other.width_;
    height_ = other.height_;
    scale_ = other.scale_;
    pixels_ = other.pixels_;
    pixelFormat_ = other.pixelFormat_;
    transparent_ = other.transparent_;
    transparentMode_ = other.transparentMode_;
    transparentColor_ = other.transparentColor_;
}

void TBitmap::SetWidth(int width)
{
    SetSize(width, height_);
}

void TBitmap::SetHeight(int height)
{
    SetSize(width_, height);
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_)
        return;
    const size_t rowPixels = static_cast<size_t>(width) * static_cast<size_t>(scale_);
    TPixelBuffer pixels(rowPixels * static_cast<size_t>(height) * static_cast<size_t>(scale_), ColorToPixel(clWhite));
    const int keepW = std::min(width, width_) * scale_;
    const int keepH = std::min(height, height_) * scale_;
    for (int y = 0; y < keepH; ++y)
        std::copy_n(ScanLine(y), keepW, pixels.data() + static_cast<size_t>(y) * rowPixels);
    pixels_ = std::move(pixels);
    width_ = width;
    height_ = height;
}

void TBitmap::SetScale(int scale)
{
    scale = std::clamp(scale, 1, kMaxBitmapScale);
    if (scale == scale_)
        return;
    scale_ = scale;
    pixels_.assign(static_cast<size_t>(PixelWidth()) * static_cast<size_t>(PixelHeight()), ColorToPixel(clWhite));
}

void TBitmap::SetPixel(int x, int y, TColor color)
{
    const TPixel pixel = ColorToPixel(ColorToRGB(color));
    for (int row = y * scale_; row < (y + 1) * scale_; ++row)
        std::fill_n(ScanLine(row) + x * scale_, scale_, pixel);
}

TColor TBitmap::TransparentColor() const
{
    if (transparentMode_ == TTransparentMode::tmFixed)
        return transparentColor_;
    if (Empty())
        return clNone;
    return PixelToColor(ScanLine(PixelHeight() - 1)[0]);
}

void TBitmap::SetTransparentColor(TColor color)
{
    transparentColor_ = color;
    transparentMode_ = TTransparentMode::tmFixed;
}

TDeviceContext& TBitmap::DeviceContext()
{
    if (!dc_)
        dc_ = std::make_unique<TDeviceContext>(*this);
    return *dc_;
}

TCanvas& TBitmap::Canvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TCanvas>(&DeviceContext());
    return *canvas_;
}

void TBitmap::SetPixels(int width, int height, TPixelBuffer pixels, TPixelFormat format)
{
    width_ = width;
    height_ = height;
    scale_ = 1;
    pixels_ = std::move(pixels);
    pixelFormat_ = format;
}
