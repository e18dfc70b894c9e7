#pragma once
#include "host/ui/CustomControl.h"

enum TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
inline const TEnumInfo& EnumInfo(TTypeTag<TBevelCut>)
{
    static const TEnumInfo info("TBevelCut", { "bvNone", "bvLowered", "bvRaised", "bvSpace" });
    return info;
}

enum TBorderStyle : std::uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
inline const TEnumInfo& EnumInfo(TTypeTag<TBorderStyle>)
{
    static const TEnumInfo info(
        "TFormBorderStyle", { "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin" });
    return info;
}

// Draws a raised or lowered frame inside r and narrows r by its width.
void Frame3D(TCanvas& canvas, TRect& r, TColor topLeft, TColor bottomRight, int width);

// A container with bevels and a centred caption.
class TCustomPanel : public TCustomControl {
    DECLARE_CLASS(TCustomPanel, TCustomControl)

public:
    explicit TCustomPanel(TComponent* owner);

    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);

protected:
    void Paint() override;
    void AdjustClientRect(TRect& rect) const override;

private:
    void Changed();

    TBevelCut bevelInner_ = bvNone;
    TBevelCut bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = bsNone;
};

class TPanel : public TCustomPanel {
    DECLARE_CLASS(TPanel, TCustomPanel)

public:
    using TCustomPanel::TCustomPanel;
};
