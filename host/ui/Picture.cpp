#include "host/ui/Picture.h"

#include <string_view>

#include "host/ui/Filer.h"

namespace {

constexpr std::string_view kBitmapClass = "TBitmap";

// The depth a bitmap is stored at: palette pictures stay small, 32-bit ones keep their depth.
int StoredBitsPerPixel(TPixelFormat format)
{
    switch (format) {
    case TPixelFormat::pf1bit:
    case TPixelFormat::pf4bit:
    case TPixelFormat::pf8bit:
        return 8;
    case TPixelFormat::pf32bit:
        return 32;
    default:
        return 24;
    }
}

} // namespace

void TPicture::Publish(TPublisher<TPicture>&)
{
}

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

TBitmap& TPicture::Bitmap()
{
    if (!bitmap_)
        bitmap_ = std::make_unique<TBitmap>();
    return *bitmap_;
}

void TPicture::SetBitmap(const TBitmap& bitmap)
{
    bitmap_ = std::make_unique<TBitmap>(bitmap);
    Changed();
}

void TPicture::Clear()
{
    if (!bitmap_)
        return;
    bitmap_.reset();
    Changed();
}

void TPicture::Assign(const TPersistent& source)
{
    const auto* other = dynamic_cast<const TPicture*>(&source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    if (other->bitmap_)
        bitmap_ = std::make_unique<TBitmap>(*other->bitmap_);
    else
        bitmap_.reset();
    Changed();
}

void TPicture::DefineProperties(TFiler& filer)
{
    inherited::DefineProperties(filer);
    filer.DefineProperty(
        "Data", [this](const TLayoutValue& value) { ReadData(value); }, [this] { return TLayoutValue::FromBinary(WriteData()); },
        bitmap_ && !bitmap_->Empty());
}

void TPicture::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TPicture::ReadData(const TLayoutValue& value)
{
    const std::vector<std::uint8_t>& data = value.AsBinary();
    if (data.empty() || data[0] == 0) {
        Clear();
        return;
    }
    const std::size_t nameLength = data[0];
    if (data.size() < 1 + nameLength)
        value.Fail("Stream read error");
    const std::string_view className(reinterpret_cast<const char*>(data.data() + 1), nameLength);
    if (className != kBitmapClass)
        value.Fail("Unsupported picture format " + std::string(className));
    if (data.size() < 1 + nameLength + 4)
        value.Fail("Stream read error");
    const std::uint8_t* p = data.data() + 1 + nameLength;
    const std::size_t size
        = std::size_t { p[0] } | std::size_t { p[1] } << 8 | std::size_t { p[2] } << 16 | std::size_t { p[3] } << 24;
    const std::size_t available = data.size() - 1 - nameLength - 4;
    if (size > available)
        value.Fail("Stream read error");
    if (size < available)
        value.Fail("Invalid picture data");
    auto bitmap = std::make_unique<TBitmap>();
    try {
        bitmap->LoadFromBytes(std::span<const std::uint8_t>(p + 4, size));
    } catch (const Exception& e) {
        value.Fail(e.Message());
    }
    bitmap_ = std::move(bitmap);
    Changed();
}

std::vector<std::uint8_t> TPicture::WriteData() const
{
    const std::vector<std::uint8_t> bmp = bitmap_->SaveToBytes(StoredBitsPerPixel(bitmap_->PixelFormat()));
    std::vector<std::uint8_t> data;
    data.reserve(1 + kBitmapClass.size() + 4 + bmp.size());
    data.push_back(static_cast<std::uint8_t>(kBitmapClass.size()));
    data.insert(data.end(), kBitmapClass.begin(), kBitmapClass.end());
    const auto size = static_cast<std::uint32_t>(bmp.size());
    for (int shift = 0; shift < 32; shift += 8)
        data.push_back(static_cast<std::uint8_t>(size >> shift));
    data.insert(data.end(), bmp.begin(), bmp.end());
    return data;
}
