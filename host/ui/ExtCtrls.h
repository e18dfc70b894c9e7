#pragma once
#include <memory>

#include "host/ui/GraphicControl.h"
#include "host/ui/Picture.h"

// Shows a picture: unscaled from its top-left corner and cut at its edges, or centred, or
// stretched to its size.
class TImage : public TGraphicControl {
    DECLARE_CLASS(TImage, TGraphicControl)

public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    TPicture& Picture() { return *picture_; }
    void SetPicture(const TPicture& value) { picture_->Assign(value); }
    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

protected:
    void Paint() override;

private:
    std::unique_ptr<TPicture> picture_;
    bool center_ = false;
    bool stretch_ = false;
    bool transparent_ = false;
};
