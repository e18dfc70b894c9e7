#pragma once
#include <memory>
#include <string>

#include "host/data/DataSource.h"
#include "host/ui/CustomControl.h"
#include "host/ui/Panel.h"
#include "host/ui/Picture.h"

class TField;

// A picture control that shows the kana picture held in a large-object column of its data
// source's current row.
class TDBImage : public TCustomControl {
    DECLARE_CLASS(TDBImage, TCustomControl)

public:
    explicit TDBImage(TComponent* owner);
    ~TDBImage() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* value);
    const std::string& DataField() const { return dataField_; }
    void SetDataField(const std::string& value);
    TPicture& Picture() { return *picture_; }
    void SetPicture(const TPicture& value) { picture_->Assign(value); }
    bool AutoDisplay() const { return autoDisplay_; }
    void SetAutoDisplay(bool value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    bool Center() const { return center_; }
    void SetCenter(bool value);

    // Reloads the picture from the current row: empty while the data set is closed or the
    // field holds no large object. Decoding errors reach whoever moved the data set.
    void LoadPicture();

protected:
    void Paint() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    class TImageDataLink;

    int BorderWidth() const { return borderStyle_ == bsSingle ? 2 : 0; }

    std::unique_ptr<TImageDataLink> dataLink_;
    std::unique_ptr<TPicture> picture_;
    std::string dataField_;
    bool autoDisplay_ = true;
    TBorderStyle borderStyle_ = bsSingle;
    bool center_ = true;
};
