#pragma once
#include <array>
#include <string>
#include <vector>

#include "host/ui/CustomControl.h"
#include "learn/ProgressStore.h"

// One kana on the map: its text, the chart it belongs to (0 the basic table, 1 voiced, 2
// half-voiced, 3 contracted), its place there and its Leitner box (0 for a kana never
// answered).
struct TMapKana {
    std::string Text;
    int Chart;
    int X;
    int Y;
    int Box;
};

// The colour of a box on the map, from the viridis scale, which people with any common
// colour-vision deficiency still see as five steps of lightness; a new kana is white.
TColor BoxColor(int box);

// How well every kana of a script is known: the basic table and the three groups at their chart
// places, each cell tinted by its box, the count of kana per box and the answers of the last
// seven days as bars (right in blue, wrong in vermilion, from the Okabe–Ito colours).
class TProgressMap : public TCustomControl {
    DECLARE_CLASS(TProgressMap, TCustomControl)

public:
    static constexpr int kCell = 22;

    explicit TProgressMap(TComponent* owner);

    void SetProgress(
        std::vector<TMapKana> kana, const std::array<int, kLastBox>& boxCounts, const std::array<TDayAnswers, 7>& days);
    const std::vector<TMapKana>& Kana() const { return kana_; }
    // Where a kana's cell lies; painting and tests both use it.
    static TRect CellRect(const TMapKana& kana);

protected:
    void Paint() override;

private:
    void PaintLegend(TCanvas& canvas);
    void PaintDays(TCanvas& canvas);

    std::vector<TMapKana> kana_;
    std::array<int, kLastBox> boxCounts_ {};
    std::array<TDayAnswers, 7> days_ {};
};
