#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "host/gfx/MaskedImageList.h"
#include "host/ui/Component.h"
#include "host/ui/Layout.h"

// A size that no image can have, or an image list whose stored images do not fit it.
class EInvalidImageList : public Exception {
public:
    using Exception::Exception;
};

// Images of one size for menus and tool bars, each drawn through its mask and greyed when
// disabled. The images are stored in a layout as binary data ("Bitmap").
class TImageList : public TComponent {
    DECLARE_CLASS(TImageList, TComponent)

public:
    explicit TImageList(TComponent* owner);

    int Width() const { return list_.Width(); }
    int Height() const { return list_.Height(); }
    // A new size empties the list.
    void SetWidth(int value);
    void SetHeight(int value);
    int Count() const { return list_.Count(); }

    // Cuts the bitmap from the left into images of the list's width and adds them; answers
    // the index of the first, or -1 when the bitmap is narrower than one image.
    int Add(const TBitmap& bitmap);
    // The same, leaving out the pixels of maskColor when drawn.
    int AddMasked(const TBitmap& bitmap, TColor maskColor);
    // An index outside the list draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
    // Copies image `index` (mask pixels included) into bitmap; false for an index outside.
    bool GetBitmap(int index, TBitmap& bitmap) const;
    void Clear();

    void DefineProperties(TFiler& filer) override;

    // After images were added or removed, or the size changed.
    TNotifyEvent OnChange;

private:
    struct TImage {
        TBitmap Pixels;
        std::optional<TColor> Mask;
    };

    void Resize(int width, int height);
    int AddImages(const TBitmap& bitmap, std::optional<TColor> mask);
    void AddImage(TImage image);
    void Changed();
    void ReadImages(const TLayoutValue& value);
    std::vector<std::uint8_t> WriteImages() const;

    TMaskedImageList list_;
    // The images as added, for GetBitmap and the layout.
    std::vector<TImage> images_;
};
