// Making and destroying a visual form of 30 controls (panels, labels, images, a scroll box,
// with their windows) from its stored layout, 1,000 times: the time of one round, and the
// process's memory growth and the objects left over (target: none).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "host/gfx/Bitmap.h"
#include "host/ui/Application.h"
#include "host/ui/ExtCtrls.h"
#include "host/ui/Forms.h"
#include "host/ui/StdCtrls.h"
#include "host/ui/Streaming.h"
#include "host/win/MessageQueue.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/HeadlessBackend.h"

namespace {

long ResidentKiB()
{
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

template <typename T> T* Place(TComponent* owner, TWinControl* parent, int left, int top, int width, int height)
{
    auto* control = new T(owner);
    control->SetName(control->ClassName().substr(1) + std::to_string(owner->ComponentCount()));
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

// A header panel with two labels, a footer panel with one, and a scroll box holding twelve
// pictures, six labels and six panels: 30 controls.
std::string MakeStoredForm(TApplication* app)
{
    auto* form = new TForm(app);
    form->SetName("Form1");
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 676, 400);
    auto* header = Place<TPanel>(form, form, 0, 0, 676, 40);
    header->SetAlign(alTop);
    header->SetCaption("Moraleaf");
    Place<TLabel>(form, header, 8, 8, 100, 13)->SetCaption("平假名");
    Place<TLabel>(form, header, 120, 8, 100, 13)->SetCaption("片假名");
    auto* footer = Place<TPanel>(form, form, 0, 370, 676, 30);
    footer->SetAlign(alBottom);
    Place<TLabel>(form, footer, 8, 8, 200, 13)->SetCaption("a");
    auto* box = Place<TScrollBox>(form, form, 0, 40, 676, 330);
    box->SetAlign(alClient);
    TBitmap kana(100, 100);
    kana.Canvas().Brush().Color = clWhite;
    kana.Canvas().FillRect({ 0, 0, 100, 100 });
    for (int i = 0; i < 12; ++i) {
        auto* image = Place<TImage>(form, box, (i % 6) * 100, (i / 6) * 100, 100, 100);
        image->Picture().SetBitmap(kana);
        image->SetHint("ka");
        image->SetShowHint(true);
        image->SetCursor(crHandPoint);
    }
    for (int i = 0; i < 6; ++i) {
        Place<TLabel>(form, box, i * 100, 210, 90, 13)->SetCaption("label");
        Place<TPanel>(form, box, i * 100, 230 + i * 60, 90, 50);
    }
    std::string text = WriteComponentToString(form);
    delete form;
    return text;
}

void MakeShowAndDestroy(TApplication* app, const std::string& layout)
{
    auto* form = new TForm(app);
    ReadComponentFromString(layout, form);
    form->Show();
    DispatchPendingMessages();
    delete form;
}

void BM_StoredFormRound(benchmark::State& state)
{
    THeadlessBackend::Install();
    auto* app = new TApplication(nullptr);
    app->Initialize();
    const std::string layout = MakeStoredForm(app);
    // A first thousand rounds warms the allocator and the window system's caches.
    for (int i = 0; i < 1000; ++i)
        MakeShowAndDestroy(app, layout);
    const std::size_t objects = TObject::LiveObjects();
    const long before = ResidentKiB();
    for (auto _ : state)
        MakeShowAndDestroy(app, layout);
    state.counters["rss_growth_KiB"] = static_cast<double>(ResidentKiB() - before);
    state.counters["objects_left"] = static_cast<double>(TObject::LiveObjects()) - static_cast<double>(objects);
    delete app;
    DoneWindowSystem();
}
BENCHMARK(BM_StoredFormRound)->Iterations(1000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
