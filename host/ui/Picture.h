#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "host/gfx/Bitmap.h"
#include "host/ui/Persistent.h"

class TLayoutValue;

// A picture that may hold a bitmap. Stored in a layout as `Picture.Data = { ... }`: the graphic
// class name "TBitmap" as a length-prefixed string, a 32-bit byte count and a BMP file.
class TPicture : public TPersistent {
    DECLARE_CLASS(TPicture, TPersistent)

public:
    TPicture();
    ~TPicture() override;

    // The bitmap, or none when the picture is empty.
    TBitmap* Graphic() const { return bitmap_.get(); }
    // The bitmap, made (empty) when the picture has none, to draw on or load into.
    TBitmap& Bitmap();
    // Copies the bitmap into the picture.
    void SetBitmap(const TBitmap& bitmap);
    // Leaves the picture without a bitmap.
    void Clear();
    int Width() const { return bitmap_ ? bitmap_->Width() : 0; }
    int Height() const { return bitmap_ ? bitmap_->Height() : 0; }

    // Copies another picture's bitmap (or its lack of one).
    void Assign(const TPersistent& source) override;
    void DefineProperties(TFiler& filer) override;

    // After the picture gets another bitmap (Bitmap() changed in place is not seen).
    TNotifyEvent OnChange;

private:
    void Changed();
    void ReadData(const TLayoutValue& value);
    std::vector<std::uint8_t> WriteData() const;

    std::unique_ptr<TBitmap> bitmap_;
};
