#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/gfx/Colors.h"
#include "host/sys/Exception.h"
#include "host/sys/Types.h"

class TCanvas;
class TDeviceContext;

// A picture's pixels are not a bitmap the program can use ("Bitmap image is not valid").
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// The bit depth a bitmap was loaded with or was given; the pixels themselves are always
// held at 32 bits.
enum class TPixelFormat : std::uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// tmAuto takes the transparent colour from the lower-left pixel; tmFixed uses the one set.
enum class TTransparentMode : std::uint8_t { tmAuto, tmFixed };

int BitsPerPixel(TPixelFormat format);

// Device pixels per logical pixel a bitmap may hold: bounds the memory of surfaces and glyphs.
constexpr int kMaxBitmapScale = 4;

// Allocates pixel storage without clearing it, so that a decoder writes each pixel once.
template <typename T> struct TUninitializedAllocator : std::allocator<T> {
    using value_type = T;
    TUninitializedAllocator() = default;
    template <typename U> TUninitializedAllocator(const TUninitializedAllocator<U>&) noexcept { }
    template <typename U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
    template <typename U, typename... Args> void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};
using TPixelBuffer = std::vector<TPixel, TUninitializedAllocator<TPixel>>;

// Sizes and GetPixel/SetPixel are logical; a bitmap with a scale of N holds N x N device
// pixels for each logical one (ScanLine and Pixels are device pixels). Loaded pictures are at
// scale 1; window surfaces and buffers copied onto them are at the display's scale.
class TBitmap {
public:
    TBitmap();
    TBitmap(int width, int height, int scale = 1);
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    ~TBitmap();

    // Copies the pixels, format and transparency settings of another bitmap.
    void Assign(const TBitmap& other);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    // A new size keeps the overlapping pixels at the top-left; new pixels are white.
    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);

    int Scale() const { return scale_; }
    // Keeps the logical size; the pixels become white (1 to kMaxBitmapScale).
    void SetScale(int scale);
    int PixelWidth() const { return width_ * scale_; }
    int PixelHeight() const { return height_ * scale_; }

    TPixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TPixelFormat format) { pixelFormat_ = format; }

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; }
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode) { transparentMode_ = mode; }
    // In tmAuto the lower-left pixel's colour (clNone when empty), else the colour set.
    TColor TransparentColor() const;
    // Fixes the transparent colour (switches the mode to tmFixed).
    void SetTransparentColor(TColor color);

    // Row y of the device pixels.
    TPixel* ScanLine(int y) { return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(PixelWidth()); }
    const TPixel* ScanLine(int y) const { return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(PixelWidth()); }
    std::span<TPixel> Pixels() { return pixels_; }
    std::span<const TPixel> Pixels() const { return pixels_; }
    // The logical pixel: the top-left device pixel of its block; setting fills the block.
    TColor GetPixel(int x, int y) const { return PixelToColor(ScanLine(y * scale_)[x * scale_]); }
    void SetPixel(int x, int y, TColor color);

    // The canvas that draws on this bitmap; made on first use, lives as long as the bitmap.
    TCanvas& Canvas();
    TDeviceContext& DeviceContext();

    // Reads a Windows bitmap file image; on failure the bitmap is unchanged.
    void LoadFromBytes(std::span<const std::uint8_t> bytes);
    void LoadFromFile(const std::string& path);
    // Loads the bitmap resource of that name; EResNotFound when the program has none.
    void LoadFromResourceName(std::string_view name);
    // Writes the device pixels as a Windows bitmap file image at 8 (when they fit a palette),
    // 24 or 32 bits.
    std::vector<std::uint8_t> SaveToBytes(int bitsPerPixel = 24) const;
    void SaveToFile(const std::string& path, int bitsPerPixel = 24) const;

    // Takes over pixel content of the given size at scale 1, as decoded; used by the BMP reader.
    void SetPixels(int width, int height, TPixelBuffer pixels, TPixelFormat format);

private:
    int width_ = 0;
    int height_ = 0;
    int scale_ = 1;
    TPixelBuffer pixels_;
    TPixelFormat pixelFormat_ = TPixelFormat::pfDevice;
    bool transparent_ = false;
    TTransparentMode transparentMode_ = TTransparentMode::tmAuto;
    TColor transparentColor_ = clNone;
    std::unique_ptr<TDeviceContext> dc_;
    std::unique_ptr<TCanvas> canvas_;
};
