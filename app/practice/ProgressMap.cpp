#include "app/practice/ProgressMap.h"

#include <algorithm>

#include "host/ui/Publisher.h"

namespace {

constexpr int kTop = 24;
// The left edge of each chart: the basic table, voiced, half-voiced, contracted.
constexpr std::array<int, 4> kChartLeft { 8, 130, 130, 252 };
constexpr std::array<int, 4> kChartTop { kTop, kTop, kTop + 5 * TProgressMap::kCell, kTop };
constexpr std::array<const char*, 4> kChartTitle { "基本", "浊音", "半浊音", "拗音" };
constexpr int kLegendLeft = 380;

constexpr TColor kRightColor = 0xB27200; // Okabe–Ito blue
constexpr TColor kWrongColor = 0x005ED5; // Okabe–Ito vermilion

void Fill(TCanvas& canvas, const TRect& r, TColor color)
{
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = color;
    canvas.FillRect(r);
}

void Frame(TCanvas& canvas, const TRect& r, TColor color)
{
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = color;
    canvas.FrameRect(r);
}

void Write(TCanvas& canvas, TRect r, const std::string& text, TColor color, unsigned format)
{
    canvas.Brush().Style = TBrushStyle::bsClear;
    canvas.Font().SetColor(color);
    DrawText(canvas, text, r, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

} // namespace

TColor BoxColor(int box)
{
    // #440154, #3B528B, #21918C, #5EC962, #FDE725 as $00BBGGRR.
    static constexpr std::array<TColor, kLastBox> kViridis { 0x540144, 0x8B523B, 0x8C9121, 0x62C95E, 0x25E7FD };
    return box >= kFirstBox && box <= kLastBox ? kViridis[static_cast<std::size_t>(box - kFirstBox)] : clWhite;
}

void TProgressMap::Publish(TPublisher<TProgressMap>&)
{
}

TProgressMap::TProgressMap(TComponent* owner)
    : TCustomControl(owner)
{
    SetColor(clWhite);
}

void TProgressMap::SetProgress(
    std::vector<TMapKana> kana, const std::array<int, kLastBox>& boxCounts, const std::array<TDayAnswers, 7>& days)
{
    kana_ = std::move(kana);
    boxCounts_ = boxCounts;
    days_ = days;
    Invalidate();
}

TRect TProgressMap::CellRect(const TMapKana& kana)
{
    const auto chart = static_cast<std::size_t>(std::clamp(kana.Chart, 0, 3));
    return Bounds(kChartLeft[chart] + (kana.X - 1) * kCell, kChartTop[chart] + (kana.Y - 1) * kCell, kCell, kCell);
}

void TProgressMap::Paint()
{
    TCanvas& canvas = Canvas();
    Fill(canvas, ClientRect(), Color());
    canvas.Font().Assign(Font());
    for (std::size_t chart = 0; chart < kChartTitle.size(); ++chart)
        Write(canvas, Bounds(kChartLeft[chart], kChartTop[chart] - 18, 5 * kCell, 16), kChartTitle[chart], clBlack, DT_LEFT);
    for (const TMapKana& k : kana_) {
        const TRect r = CellRect(k);
        Fill(canvas, r, BoxColor(k.Box));
        Frame(canvas, r, clGray);
        // Dark text on the light steps, white on the dark ones.
        Write(canvas, r, k.Text, k.Box >= 4 || k.Box == 0 ? clBlack : clWhite, DT_CENTER);
    }
    PaintLegend(canvas);
    PaintDays(canvas);
}

void TProgressMap::PaintLegend(TCanvas& canvas)
{
    Write(canvas, Bounds(kLegendLeft, kTop - 18, 200, 16), "每个盒子的假名数", clBlack, DT_LEFT);
    for (int box = kFirstBox; box <= kLastBox; ++box) {
        const TRect swatch = Bounds(kLegendLeft, kTop + (box - 1) * kCell, kCell, kCell);
        Fill(canvas, swatch, BoxColor(box));
        Frame(canvas, swatch, clGray);
        Write(canvas, Bounds(swatch.Right + 6, swatch.Top, 200, kCell),
            "盒子 " + std::to_string(box) + "：" + std::to_string(boxCounts_[static_cast<std::size_t>(box - 1)]), clBlack,
            DT_LEFT);
    }
    const TRect fresh = Bounds(kLegendLeft + 110, kTop, kCell, kCell);
    Fill(canvas, fresh, BoxColor(0));
    Frame(canvas, fresh, clGray);
    Write(canvas, Bounds(fresh.Right + 6, fresh.Top, 100, kCell), "未练习", clBlack, DT_LEFT);
}

void TProgressMap::PaintDays(TCanvas& canvas)
{
    const int top = kTop + 6 * kCell;
    const int height = 100;
    Write(canvas, Bounds(kLegendLeft, top - 18, 260, 16), "最近 7 天的回答", clBlack, DT_LEFT);
    int most = 1;
    for (const TDayAnswers& d : days_)
        most = std::max(most, d.Right + d.Wrong);
    const int bottom = top + height;
    for (std::size_t day = 0; day < days_.size(); ++day) {
        const int left = kLegendLeft + static_cast<int>(day) * 36;
        const int right = days_[day].Right * height / most;
        const int wrong = days_[day].Wrong * height / most;
        Fill(canvas, Rect(left, bottom - right, left + 24, bottom), kRightColor);
        Fill(canvas, Rect(left, bottom - right - wrong, left + 24, bottom - right), kWrongColor);
        Write(canvas, Bounds(left - 6, bottom + 2, 36, 16), std::to_string(days_[day].Right + days_[day].Wrong), clBlack,
            DT_CENTER);
    }
    Frame(canvas, Rect(kLegendLeft - 4, bottom, kLegendLeft + 7 * 36, bottom + 1), clBlack);
    Fill(canvas, Bounds(kLegendLeft, bottom + 22, 12, 12), kRightColor);
    Write(canvas, Bounds(kLegendLeft + 16, bottom + 20, 60, 16), "正确", clBlack, DT_LEFT);
    Fill(canvas, Bounds(kLegendLeft + 70, bottom + 22, 12, 12), kWrongColor);
    Write(canvas, Bounds(kLegendLeft + 86, bottom + 20, 60, 16), "错误", clBlack, DT_LEFT);
}
