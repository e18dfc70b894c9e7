// The skin engine's per-paint work: a title button frame looked up (resource decoded and cut)
// and a push button face drawn in nine parts.
#include <benchmark/benchmark.h>

#include "skin/core/SUIPublic.h"
#include "skin/core/SUIThemes.h"

namespace {

void TitleButtonFrame(benchmark::State& state)
{
    TBitmap frame;
    for (auto _ : state) {
        GetThemeBitmapFrame(MacOS, SUI_THEME_TITLEBAR_BUTTON_IMAGE, &frame, 18, 17);
        benchmark::DoNotOptimize(frame.Pixels().data());
    }
}
BENCHMARK(TitleButtonFrame);

void ButtonFace(benchmark::State& state)
{
    TBitmap face;
    GetThemeBitmapFrame(WinXP, SUI_THEME_BUTTON_IMAGE, &face, 3, 1);
    TBitmap canvas(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const TRect r = Rect(0, 0, canvas.Width(), canvas.Height());
    for (auto _ : state) {
        DrawNineGrid(face, canvas.Canvas(), r, false);
        benchmark::DoNotOptimize(canvas.Pixels().data());
    }
}
BENCHMARK(ButtonFace)->Args({ 80, 27 })->Args({ 300, 40 });

} // namespace

BENCHMARK_MAIN();
