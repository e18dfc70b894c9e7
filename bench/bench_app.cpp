// The main window on the headless desktop, driven as a user drives it: a tab click to the chart
// painted, a draw click to the picture painted, and memory over many chart visits.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "tools/kit/DeckDatabase.h"
#include "tools/kit/DriveSession.h"
#include "tools/kit/KanaDeck.h"

namespace fs = std::filesystem;

namespace {

// Client points of the stored layout: the hiragana and katakana tabs and the draw button.
const std::string kHiraganaTab = "click 37 37\n";
const std::string kKatakanaTab = "click 90 36\n";
const std::string kDrawButton = "click 560 224\n";

// The default deck in a folder of its own, made the working folder while it lives.
class TDeckFolder {
public:
    TDeckFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "moraleaf-bench-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        previous_ = fs::current_path();
        WriteDeckDatabase((folder_ / "db1.mdb").string(), DefaultKanaDeck(), false);
        fs::current_path(folder_);
    }
    ~TDeckFolder()
    {
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }

private:
    fs::path folder_;
    fs::path previous_;
};

long ResidentKiB()
{
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

void TabClickToChartPainted(benchmark::State& state)
{
    TDeckFolder deck;
    TDriveSession session;
    bool hiragana = true;
    for (auto _ : state) {
        session.Play(hiragana ? kHiraganaTab : kKatakanaTab);
        hiragana = !hiragana;
    }
    if (!session.Errors().empty())
        state.SkipWithError(session.Errors()[0].c_str());
}
BENCHMARK(TabClickToChartPainted)->Unit(benchmark::kMillisecond);

void DrawClickToPicturePainted(benchmark::State& state)
{
    TDeckFolder deck;
    TDriveSession session;
    for (auto _ : state)
        session.Play(kDrawButton);
    if (!session.Errors().empty())
        state.SkipWithError(session.Errors()[0].c_str());
}
BENCHMARK(DrawClickToPicturePainted)->Unit(benchmark::kMillisecond);

// Growth of the resident memory from after 10 chart visits to after 1,000, in percent.
void ChartVisitsMemory(benchmark::State& state)
{
    TDeckFolder deck;
    for (auto _ : state) {
        TDriveSession session;
        for (int i = 0; i < 10; ++i)
            session.Play(i % 2 ? kKatakanaTab : kHiraganaTab);
        const long after10 = ResidentKiB();
        for (int i = 10; i < 1000; ++i)
            session.Play(i % 2 ? kKatakanaTab : kHiraganaTab);
        const long after1000 = ResidentKiB();
        state.counters["rss_growth_pct"] = 100.0 * static_cast<double>(after1000 - after10) / static_cast<double>(after10);
    }
}
BENCHMARK(ChartVisitsMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
