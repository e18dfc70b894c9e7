#pragma once
#include "host/ui/GraphicControl.h"

// One line of text. With AutoSize it takes the size of its text; without, the text is cut
// at its right edge.
class TLabel : public TGraphicControl {
    DECLARE_CLASS(TLabel, TGraphicControl)

public:
    explicit TLabel(TComponent* owner);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

protected:
    void Paint() override;
    void CMTextChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void Loaded() override;

private:
    void AdjustBounds();

    bool autoSize_ = true;
    bool transparent_ = false;
};
