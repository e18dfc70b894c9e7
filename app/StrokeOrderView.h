#pragma once
#include <string>

#include "host/ui/CustomControl.h"

// Shows how a kana is written: the kana drawn large in the stroke-order font, whose glyphs
// carry their numbered strokes; a contracted kana with both its characters. It lies over the
// pages until Esc or a click closes it.
class TStrokeOrderView : public TCustomControl {
    DECLARE_CLASS(TStrokeOrderView, TCustomControl)

public:
    explicit TStrokeOrderView(TComponent* owner);

    // Shows `kana` over `area` of the parent and takes the keyboard.
    void ShowKana(const std::string& kana, const TRect& area);
    // The kana shown, or empty while the view is closed.
    const std::string& Kana() const { return kana_; }
    void Close();

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;

private:
    std::string kana_;
    // Where the keyboard was before the view took it, given back when it closes.
    HWND previousFocus_ = nullptr;
};

// The family of the stroke-order font (fonts-kanjistrokeorders).
extern const char* const kStrokeOrderFace;
// Whether the stroke-order font is installed, so that the commands that show strokes can offer
// themselves.
bool StrokeOrderFontInstalled();
