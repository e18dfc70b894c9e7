// The skin engine's per-paint work: a title button frame looked up (resource decoded and cut)
// and a push button face drawn in nine parts; and a theme file far too large refused.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "skin/core/SUIPublic.h"
#include "skin/core/SUIThemeFile.h"
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

// A 300 MB theme file (sparse: no disk used) is refused by its size, unread.
void RefuseOversizedThemeFile(benchmark::State& state)
{
    const std::string path = (std::filesystem::temp_directory_path() / "bench-oversized.thm").string();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::ftruncate(fd, 300'000'000) != 0) {
        state.SkipWithError("cannot make the sparse file");
        return;
    }
    ::close(fd);
    for (auto _ : state) {
        try {
            TsuiThemeFileReader reader(path);
            state.SkipWithError("the file was read");
            break;
        } catch (const EFOpenError&) {
        }
    }
    std::remove(path.c_str());
}
BENCHMARK(RefuseOversizedThemeFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
