// The skinned title bar under the pointer: a mouse move repaints it at once with the hot button
// recomputed, and the control box opens the system menu.
#include <benchmark/benchmark.h>

#include "host/ui/Application.h"
#include "host/ui/Forms.h"
#include "host/win/MessageQueue.h"
#include "host/win/VirtualKeys.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/HeadlessBackend.h"
#include "skin/frame/SUIForm.h"
#include "skin/frame/SUITitleBar.h"

namespace {

// The main window's frame: a 676 x 400 single-bordered form with a MacOS skinned form.
struct TMainFrame {
    TMainFrame()
        : desk(THeadlessBackend::Install())
    {
        app = new TApplication(nullptr);
        app->Initialize();
        form = new TForm(app);
        form->SetBorderStyle(bsSingle);
        form->SetBounds(100, 100, 676, 400);
        skin = new TsuiForm(form);
        skin->SetParent(form);
        skin->SetUIStyle(MacOS);
        skin->SetCaption("Moraleaf");
        skin->SetWidth(674);
        skin->SetHeight(399);
        form->Show();
        DispatchPendingMessages();
        bar = skin->TitleBar();
    }
    ~TMainFrame()
    {
        desk.OnIdle = nullptr;
        delete app;
        DoneWindowSystem();
    }
    TPoint Screen(int x, int y) const { return bar->ClientToScreen({ x, y }); }

    THeadlessBackend& desk;
    TApplication* app = nullptr;
    TForm* form = nullptr;
    TsuiForm* skin = nullptr;
    TsuiTitleBar* bar = nullptr;
};

// Between the caption and the close button, so every move changes the hot button.
void MouseMoveOverTitleBar(benchmark::State& state)
{
    TMainFrame frame;
    const TPoint caption = frame.Screen(300, 12);
    const TPoint close = frame.Screen(frame.bar->Width() - 19 + 8, 12);
    bool onClose = false;
    for (auto _ : state) {
        const TPoint p = onClose ? caption : close;
        onClose = !onClose;
        frame.desk.MoveMouse(p.X, p.Y);
        DispatchPendingMessages();
        benchmark::DoNotOptimize(frame.bar->HotButtonIndex());
    }
    if (frame.bar->HotButtonIndex() != (onClose ? 1 : -1))
        state.SkipWithError("the hot button did not follow the pointer");
}
BENCHMARK(MouseMoveOverTitleBar)->Unit(benchmark::kMicrosecond);

// Open to the first painted frame; the menu's loop waits for input only once it has presented
// its window, and Escape closes it again.
void OpenSystemMenu(benchmark::State& state)
{
    TMainFrame frame;
    TsuiTitleBarPopupMenu* menu = frame.bar->MenuPopup();
    const TPoint below = frame.Screen(0, frame.bar->Height());
    bool shown = false;
    frame.desk.OnIdle = [&] {
        if (menu->WindowHandle() != nullptr) {
            shown = true;
            frame.desk.PressKey(VK_ESCAPE);
        }
    };
    for (auto _ : state) {
        shown = false;
        menu->Popup(below.X, below.Y);
        if (!shown) {
            state.SkipWithError("the menu did not show");
            break;
        }
    }
}
BENCHMARK(OpenSystemMenu)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
