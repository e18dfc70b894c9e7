#include "app/StrokeOrderView.h"

#include <algorithm>

#include "host/gfx/FontEngine.h"
#include "host/gfx/Utf8.h"
#include "host/ui/Publisher.h"
#include "host/win/Input.h"
#include "host/win/VirtualKeys.h"
#include "host/win/Window.h"

const char* const kStrokeOrderFace = "KanjiStrokeOrders";

namespace {

const char* const kCloseHint = "按 Esc 或单击关闭";
constexpr int kMargin = 16;
// The font's stroke numbers are small beside the strokes; below this em they cannot be read.
constexpr int kLargestEm = 240;

TFont StrokeFont(int em)
{
    TFont font;
    font.SetName(kStrokeOrderFace);
    font.SetHeight(-em);
    font.SetColor(clBlack);
    return font;
}

} // namespace

bool StrokeOrderFontInstalled()
{
    return FontEngine::Instance().FaceFor(StrokeFont(kLargestEm), U'\u304B').Family == kStrokeOrderFace;
}

void TStrokeOrderView::Publish(TPublisher<TStrokeOrderView>&)
{
}

TStrokeOrderView::TStrokeOrderView(TComponent* owner)
    : TCustomControl(owner)
{
    SetVisible(false);
    SetTabStop(true);
    SetColor(clWhite);
}

void TStrokeOrderView::ShowKana(const std::string& kana, const TRect& area)
{
    if (kana_.empty())
        previousFocus_ = GetFocus();
    kana_ = kana;
    SetBounds(area.Left, area.Top, area.Width(), area.Height());
    BringToFront();
    Show();
    Invalidate();
    SetFocus();
}

void TStrokeOrderView::Close()
{
    if (kana_.empty())
        return;
    kana_.clear();
    Hide();
    if (IsWindow(previousFocus_) && IsWindowVisible(previousFocus_))
        ::SetFocus(previousFocus_);
    previousFocus_ = nullptr;
}

void TStrokeOrderView::Paint()
{
    TCanvas& canvas = Canvas();
    const TRect client = ClientRect();
    canvas.Brush().Color = clWhite;
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.FillRect(client);
    canvas.Brush().Color = clGray;
    canvas.FrameRect(client);

    canvas.Font() = Font();
    canvas.Brush().Style = TBrushStyle::bsClear;
    const int hintHeight = canvas.TextHeight(kCloseHint);
    canvas.TextOut((client.Width() - canvas.TextWidth(kCloseHint)) / 2, client.Height() - kMargin / 2 - hintHeight, kCloseHint);

    // The em that lets every character fit side by side above the hint.
    const int characters = std::max<int>(1, static_cast<int>(DecodeUtf8(kana_).size()));
    const int em = std::max(
        8, std::min({ kLargestEm, (client.Width() - 2 * kMargin) / characters, client.Height() - 2 * kMargin - hintHeight }));
    canvas.Font() = StrokeFont(em);
    const int top = (client.Height() - hintHeight - canvas.TextHeight(kana_)) / 2;
    canvas.TextOut((client.Width() - canvas.TextWidth(kana_)) / 2, std::max(0, top), kana_);
}

void TStrokeOrderView::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    inherited::MouseDown(button, shift, x, y);
    Close();
}

void TStrokeOrderView::KeyDown(std::uint16_t& key, TShiftState shift)
{
    if (key == VK_ESCAPE) {
        key = 0;
        Close();
        return;
    }
    inherited::KeyDown(key, shift);
}
