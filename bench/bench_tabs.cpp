// A tab strip painted as the main window's is: three MacOS tabs over the window's background,
// with the style's bitmaps loaded afresh as on every paint.
#include <benchmark/benchmark.h>

#include "host/ui/Application.h"
#include "host/ui/Forms.h"
#include "host/win/MessageQueue.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/HeadlessBackend.h"
#include "skin/controls/SUIPageControl.h"

namespace {

void TabStripPaint(benchmark::State& state)
{
    THeadlessBackend::Install();
    auto* app = new TApplication(nullptr);
    app->Initialize();
    auto* form = new TForm(app);
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 700, 420);
    auto* pages = new TsuiPageControl(form);
    pages->SetParent(form);
    pages->SetBounds(8, 8, 674, 376);
    pages->SetUIStyle(MacOS);
    for (const char* caption : { "平假名", "片假名", "随机" }) {
        auto* sheet = new TsuiTabSheet(form);
        sheet->SetCaption(caption);
        sheet->SetParent(pages);
    }
    form->Show();
    DispatchPendingMessages();

    TsuiTabControlTopPanel* strip = pages->TopPanel();
    for (auto _ : state)
        strip->Repaint();

    delete app;
    DoneWindowSystem();
}
BENCHMARK(TabStripPaint)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
