#include "host/ui/ExtCtrls.h"

void TImage::Publish(TPublisher<TImage>& p)
{
    p.Property("Center", &TImage::Center, &TImage::SetCenter).Default(false);
    p.Property("Picture", &TImage::Picture, &TImage::SetPicture);
    p.Property("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(false);
    p.Property("Transparent", &TImage::Transparent, &TImage::SetTransparent).Default(false);
}

TImage::TImage(TComponent* owner)
    : TGraphicControl(owner)
    , picture_(std::make_unique<TPicture>())
{
    SetBounds(0, 0, 105, 105);
    picture_->OnChange = [this](TObject*) { Invalidate(); };
}

TImage::~TImage() = default;

void TImage::SetCenter(bool value)
{
    center_ = value;
    Invalidate();
}

void TImage::SetStretch(bool value)
{
    stretch_ = value;
    Invalidate();
}

void TImage::SetTransparent(bool value)
{
    transparent_ = value;
    Invalidate();
}

void TImage::Paint()
{
    const TBitmap* bitmap = picture_->Graphic();
    if (!bitmap || bitmap->Width() == 0 || bitmap->Height() == 0)
        return;
    TCanvas& canvas = Canvas();
    if (stretch_) {
        canvas.StretchDraw(ClientRect(), *bitmap);
        return;
    }
    int x = 0;
    int y = 0;
    if (center_) {
        x = (Width() - bitmap->Width()) / 2;
        y = (Height() - bitmap->Height()) / 2;
    }
    // The parent's device context is clipped to the image's bounds.
    canvas.Draw(x, y, *bitmap);
}
