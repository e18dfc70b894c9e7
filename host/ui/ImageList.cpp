#include "host/ui/ImageList.h"

#include "host/gfx/Canvas.h"
#include "host/ui/Filer.h"

namespace {

constexpr std::uint32_t kNoMask = 0xFFFFFFFFu;

void PutU32(std::vector<std::uint8_t>& data, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        data.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t GetU32(const std::uint8_t* p)
{
    return std::uint32_t { p[0] } | std::uint32_t { p[1] } << 8 | std::uint32_t { p[2] } << 16 | std::uint32_t { p[3] } << 24;
}

} // namespace

void TImageList::Publish(TPublisher<TImageList>& p)
{
    // Size first: a stored layout sets it before the images are read.
    p.Property("Height", &TImageList::Height, &TImageList::SetHeight).Default(16);
    p.Property("Width", &TImageList::Width, &TImageList::SetWidth).Default(16);
}

TImageList::TImageList(TComponent* owner)
    : TComponent(owner)
    , list_(16, 16)
{
}

void TImageList::SetWidth(int value)
{
    if (value != Width())
        Resize(value, Height());
}

void TImageList::SetHeight(int value)
{
    if (value != Height())
        Resize(Width(), value);
}

void TImageList::Resize(int width, int height)
{
    if (width <= 0 || height <= 0)
        throw EInvalidImageList("Invalid image size");
    list_ = TMaskedImageList(width, height);
    images_.clear();
    Changed();
}

int TImageList::Add(const TBitmap& bitmap)
{
    return AddImages(bitmap, std::nullopt);
}

int TImageList::AddMasked(const TBitmap& bitmap, TColor maskColor)
{
    return AddImages(bitmap, maskColor);
}

int TImageList::AddImages(const TBitmap& bitmap, std::optional<TColor> mask)
{
    const int count = bitmap.Width() / Width();
    if (count == 0)
        return -1;
    const int first = Count();
    const TColor empty = mask ? *mask : clWhite;
    for (int i = 0; i < count; ++i) {
        TImage image { TBitmap(Width(), Height()), mask };
        for (int y = 0; y < Height(); ++y) {
            for (int x = 0; x < Width(); ++x)
                image.Pixels.SetPixel(x, y, y < bitmap.Height() ? bitmap.GetPixel(i * Width() + x, y) : empty);
        }
        AddImage(std::move(image));
    }
    Changed();
    return first;
}

void TImageList::AddImage(TImage image)
{
    if (image.Mask)
        list_.AddMasked(image.Pixels, *image.Mask);
    else
        list_.Add(image.Pixels);
    images_.push_back(std::move(image));
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    list_.Draw(canvas, x, y, index, enabled);
}

bool TImageList::GetBitmap(int index, TBitmap& bitmap) const
{
    if (index < 0 || index >= Count())
        return false;
    bitmap.Assign(images_[static_cast<std::size_t>(index)].Pixels);
    return true;
}

void TImageList::Clear()
{
    if (Count() == 0)
        return;
    list_ = TMaskedImageList(Width(), Height());
    images_.clear();
    Changed();
}

void TImageList::Changed()
{
    if (OnChange && !ComponentState().Contains(csLoading))
        OnChange(this);
}

void TImageList::DefineProperties(TFiler& filer)
{
    inherited::DefineProperties(filer);
    filer.DefineProperty(
        "Bitmap", [this](const TLayoutValue& value) { ReadImages(value); },
        [this] { return TLayoutValue::FromBinary(WriteImages()); }, Count() > 0);
}

// The stored form: the image count, each image's mask colour (or none), then one bitmap file
// holding the images side by side.
std::vector<std::uint8_t> TImageList::WriteImages() const
{
    TBitmap strip(Width() * Count(), Height());
    std::vector<std::uint8_t> data;
    PutU32(data, static_cast<std::uint32_t>(Count()));
    for (int i = 0; i < Count(); ++i) {
        const TImage& image = images_[static_cast<std::size_t>(i)];
        PutU32(data, image.Mask ? static_cast<std::uint32_t>(*image.Mask) : kNoMask);
        for (int y = 0; y < Height(); ++y) {
            for (int x = 0; x < Width(); ++x)
                strip.SetPixel(i * Width() + x, y, image.Pixels.GetPixel(x, y));
        }
    }
    const std::vector<std::uint8_t> bmp = strip.SaveToBytes(24);
    data.insert(data.end(), bmp.begin(), bmp.end());
    return data;
}

void TImageList::ReadImages(const TLayoutValue& value)
{
    const std::vector<std::uint8_t>& data = value.AsBinary();
    if (data.size() < 4)
        value.Fail("Stream read error");
    const std::uint32_t count = GetU32(data.data());
    if (count > (data.size() - 4) / 4)
        value.Fail("Stream read error");
    const std::size_t header = 4 + std::size_t { count } * 4;
    TBitmap strip;
    try {
        strip.LoadFromBytes(std::span<const std::uint8_t>(data.data() + header, data.size() - header));
    } catch (const Exception& e) {
        value.Fail(e.Message());
    }
    if (strip.Height() != Height() || static_cast<std::int64_t>(strip.Width()) != std::int64_t { Width() } * count)
        value.Fail("Invalid image list data");
    list_ = TMaskedImageList(Width(), Height());
    images_.clear();
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t mask = GetU32(data.data() + 4 + std::size_t { i } * 4);
        TImage image { TBitmap(Width(), Height()), std::nullopt };
        if (mask != kNoMask)
            image.Mask = static_cast<TColor>(mask);
        for (int y = 0; y < Height(); ++y) {
            for (int x = 0; x < Width(); ++x)
                image.Pixels.SetPixel(x, y, strip.GetPixel(static_cast<int>(i) * Width() + x, y));
        }
        AddImage(std::move(image));
    }
    Changed();
}
