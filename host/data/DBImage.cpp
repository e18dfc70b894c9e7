#include "host/data/DBImage.h"

#include "host/data/DataSet.h"
#include "host/data/Field.h"
#include "host/gfx/KanaPicture.h"

class TDBImage::TImageDataLink : public TDataLink {
public:
    explicit TImageDataLink(TDBImage& image)
        : image_(image)
    {
    }

protected:
    void ActiveChanged() override { image_.LoadPicture(); }
    void RecordChanged() override { image_.LoadPicture(); }

private:
    TDBImage& image_;
};

void TDBImage::Publish(TPublisher<TDBImage>& p)
{
    p.Property("AutoDisplay", &TDBImage::AutoDisplay, &TDBImage::SetAutoDisplay).Default(true);
    p.Property("BorderStyle", &TDBImage::BorderStyle, &TDBImage::SetBorderStyle).Default(bsSingle);
    p.Property("Center", &TDBImage::Center, &TDBImage::SetCenter).Default(true);
    p.Property("DataField", &TDBImage::DataField, &TDBImage::SetDataField);
    p.Property("DataSource", &TDBImage::DataSource, &TDBImage::SetDataSource);
    p.Property("Picture", &TDBImage::Picture, &TDBImage::SetPicture);
}

TDBImage::TDBImage(TComponent* owner)
    : TCustomControl(owner)
    , dataLink_(std::make_unique<TImageDataLink>(*this))
    , picture_(std::make_unique<TPicture>())
{
    SetBounds(0, 0, 105, 105);
    picture_->OnChange = [this](TObject*) { Invalidate(); };
}

TDBImage::~TDBImage()
{
    // The link goes first, so that no data set change reaches a half-destroyed control.
    dataLink_.reset();
}

TDataSource* TDBImage::DataSource() const
{
    return dataLink_->DataSource();
}

void TDBImage::SetDataSource(TDataSource* value)
{
    if (value == DataSource())
        return;
    if (DataSource() != nullptr)
        RemoveFreeNotification(DataSource());
    dataLink_->SetDataSource(value);
    if (value != nullptr)
        FreeNotification(value);
}

void TDBImage::SetDataField(const std::string& value)
{
    dataField_ = value;
    if (dataLink_->Active())
        LoadPicture();
}

void TDBImage::SetAutoDisplay(bool value)
{
    autoDisplay_ = value;
    if (value && dataLink_->Active())
        LoadPicture();
}

void TDBImage::SetBorderStyle(TBorderStyle value)
{
    borderStyle_ = value == bsSingle ? bsSingle : bsNone;
    Invalidate();
}

void TDBImage::SetCenter(bool value)
{
    center_ = value;
    Invalidate();
}

void TDBImage::LoadPicture()
{
    picture_->Clear();
    Invalidate();
    TDataSet* dataSet = dataLink_->DataSet();
    if (!autoDisplay_ || !dataLink_->Active() || dataSet == nullptr || dataField_.empty())
        return;
    const TField& field = dataSet->FieldByName(dataField_);
    if (!field.IsBlob())
        return;
    TBitmap bitmap;
    LoadKanaPicture(field.AsBytes(), bitmap);
    picture_->SetBitmap(bitmap);
}

void TDBImage::Notification(TComponent* component, TOperation operation)
{
    inherited::Notification(component, operation);
    if (operation == opRemove && component != nullptr && component == DataSource())
        dataLink_->SetDataSource(nullptr);
}

void TDBImage::Paint()
{
    TCanvas& canvas = Canvas();
    TRect r = ClientRect();
    if (borderStyle_ == bsSingle) {
        Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
        Frame3D(canvas, r, clWindowFrame, clBtnFace, 1);
    }
    canvas.Brush().Color = Color();
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.FillRect(r);
    const TBitmap* bitmap = picture_->Graphic();
    if (bitmap == nullptr || bitmap->Width() == 0 || bitmap->Height() == 0)
        return;
    int x = r.Left;
    int y = r.Top;
    if (center_) {
        x += (r.Width() - bitmap->Width()) / 2;
        y += (r.Height() - bitmap->Height()) / 2;
    }
    const int saved = SaveDC(canvas.Handle());
    IntersectClipRect(canvas.Handle(), r.Left, r.Top, r.Right, r.Bottom);
    canvas.Draw(x, y, *bitmap);
    RestoreDC(canvas.Handle(), saved);
}
