// Text on a canvas: a 20-character caption mixing Latin and Chinese/kana, measured and drawn
// with a warm glyph cache (the steady state of repainting a window).
#include <benchmark/benchmark.h>

#include "host/gfx/Canvas.h"
#include "host/gfx/FontEngine.h"

namespace {

const std::string kCaption = "Kana 平假名 chart あいう12"; // 20 code points

void PrepareCanvas(TCanvas& canvas)
{
    canvas.Font().SetName("MS Sans Serif");
    canvas.Font().SetHeight(-11);
    canvas.Brush().Style = TBrushStyle::bsClear;
}

void MeasureCaption(benchmark::State& state)
{
    TBitmap bitmap(200, 20);
    TCanvas& canvas = bitmap.Canvas();
    PrepareCanvas(canvas);
    for (auto _ : state)
        benchmark::DoNotOptimize(canvas.TextWidth(kCaption));
}

void DrawCaption(benchmark::State& state)
{
    TBitmap bitmap(200, 20);
    TCanvas& canvas = bitmap.Canvas();
    PrepareCanvas(canvas);
    for (auto _ : state) {
        canvas.TextOut(2, 2, kCaption);
        benchmark::DoNotOptimize(bitmap.Pixels().data());
    }
}

void DrawCaptionCentred(benchmark::State& state)
{
    TBitmap bitmap(200, 24);
    TCanvas& canvas = bitmap.Canvas();
    PrepareCanvas(canvas);
    for (auto _ : state) {
        TRect r { 0, 0, 200, 24 };
        DrawText(canvas, "平假名(&H) chart あいう", r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        benchmark::DoNotOptimize(bitmap.Pixels().data());
    }
}

// The first use of a font size: outlines loaded and glyphs rasterised (fontconfig has
// already run for the family). Each iteration uses a size not seen before.
void DrawCaptionColdSize(benchmark::State& state)
{
    TBitmap bitmap(400, 60);
    TCanvas& canvas = bitmap.Canvas();
    PrepareCanvas(canvas);
    canvas.TextOut(0, 0, kCaption);
    int pixels = 12;
    for (auto _ : state) {
        canvas.Font().SetHeight(-(pixels++ % 40 + 12));
        canvas.TextOut(2, 2, kCaption);
        benchmark::DoNotOptimize(bitmap.Pixels().data());
    }
}

} // namespace

BENCHMARK(MeasureCaption);
BENCHMARK(DrawCaption);
BENCHMARK(DrawCaptionCentred);
BENCHMARK(DrawCaptionColdSize)->Iterations(40);

BENCHMARK_MAIN();
