// A push button's hover repaint: the pointer enters and the face is redrawn at once, with the
// face frame loaded from the resources as on every paint. Iterations take turns at entering
// and leaving, so that each is one hover change and one repaint.
#include <benchmark/benchmark.h>

#include "host/ui/Application.h"
#include "host/ui/Forms.h"
#include "host/win/MessageQueue.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/HeadlessBackend.h"
#include "skin/controls/SUIButton.h"

namespace {

void HoverRepaint(benchmark::State& state)
{
    THeadlessBackend::Install();
    auto* app = new TApplication(nullptr);
    app->Initialize();
    auto* form = new TForm(app);
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 300, 200);
    form->Show();
    auto* button = new TsuiButton(form);
    button->SetParent(form);
    button->SetBounds(20, 20, 80, 27);
    button->SetUIStyle(static_cast<TsuiUIStyle>(state.range(0)));
    button->SetCaption("随机");
    DispatchPendingMessages();
    bool over = false;
    for (auto _ : state) {
        over = !over;
        button->Perform(over ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
    }
    delete app;
    DoneWindowSystem();
}
BENCHMARK(HoverRepaint)->Arg(WinXP)->Arg(MacOS)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
