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

TBitmap::TBitmap(int width, int height)
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
    TPixelBuffer pixels(static_cast<size_t>(width) * static_cast<size_t>(height), ColorToPixel(clWhite));
    const int keepW = std::min(width, width_);
    const int keepH = std::min(height, height_);
    for (int y = 0; y < keepH; ++y)
        std::copy_n(ScanLine(y), keepW, pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width));
    pixels_ = std::move(pixels);
    width_ = width;
    height_ = height;
}

TColor TBitmap::TransparentColor() const
{
    if (transparentMode_ == TTransparentMode::tmFixed)
        return transparentColor_;
    if (Empty())
        return clNone;
    return GetPixel(0, height_ - 1);
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
    pixels_ = std::move(pixels);
    pixelFormat_ = format;
}
