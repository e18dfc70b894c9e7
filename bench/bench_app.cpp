// The main window on the headless desktop, driven as a user drives it: a tab click to the chart
// painted, a draw click to the picture painted, an answer on the practice page to its feedback
// and to the next question painted, and memory over many chart visits and many answers.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/f_main.h"
#include "app/practice/PracticePage.h"
#include "host/win/Painting.h"
#include "tools/kit/DeckDatabase.h"
#include "tools/kit/DriveSession.h"
#include "tools/kit/KanaDeck.h"

namespace fs = std::filesystem;

namespace {

// Client points of the stored layout: the hiragana and katakana tabs and the draw button.
const std::string kHiraganaTab = "click 37 37\n";
const std::string kKatakanaTab = "click 90 36\n";
const std::string kDrawButton = "click 560 224\n";
const std::string kPracticeTab = "click 200 36\n";
const std::string kStartButton = "click 508 364\n";

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
        // The learner's progress and choices stay in the folder too.
        ::setenv("XDG_DATA_HOME", folder_.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
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

// The whole main window painted anew at a display scale (the argument), every control and
// caption at that scale's pixels.
void FullRepaint(benchmark::State& state)
{
    TDeckFolder deck;
    const std::string scale = std::to_string(state.range(0));
    ::setenv("MORALEAF_SCALE", scale.c_str(), 1);
    TDriveSession session;
    ::unsetenv("MORALEAF_SCALE");
    const HWND wnd = session.Form().Handle();
    for (auto _ : state)
        RedrawWindow(wnd, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    if (!session.Errors().empty())
        state.SkipWithError(session.Errors()[0].c_str());
}
BENCHMARK(FullRepaint)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// A copy of the main window's device pixels at a display scale, the floor of the repaint.
void MemcpyWindowPixels(benchmark::State& state)
{
    const std::size_t scale = static_cast<std::size_t>(state.range(0));
    std::vector<std::uint32_t> from(676 * 400 * scale * scale, 0x123456);
    std::vector<std::uint32_t> to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(std::uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(MemcpyWindowPixels)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

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

// A typed round of the practice page on the default first-run choices, answered right and
// wrong by turns; a finished round is started again.
class TPracticeRound {
public:
    explicit TPracticeRound(TDriveSession& session)
        : session_(session)
        , page_(*session.Form().PracticePage)
    {
        session_.Play(kPracticeTab + kStartButton);
    }

    // Types the next answer, not yet submitted.
    void TypeAnswer()
    {
        if (page_.Phase() == TPracticePhase::Summary)
            session_.Play("key Return\n");
        const TDrillKana* question = page_.Question();
        session_.Play("type " + (question != nullptr && right_ ? question->Romaji : std::string("xx")) + "\n");
        right_ = !right_;
    }
    // Enter: the answer on the question, the next question on the feedback.
    void Enter() { session_.Play("key Return\n"); }
    bool Asking() const { return page_.Phase() == TPracticePhase::Question || page_.Phase() == TPracticePhase::Feedback; }

private:
    TDriveSession& session_;
    TPracticePage& page_;
    bool right_ = true;
};

// Enter on a typed answer to its feedback painted (the answer checked and stored); or, with the
// Enter on the feedback too, to the next question painted (its picture decoded).
void AnswerPainted(benchmark::State& state, bool toNextQuestion)
{
    TDeckFolder deck;
    TDriveSession session;
    TPracticeRound round(session);
    for (auto _ : state) {
        state.PauseTiming();
        round.TypeAnswer();
        state.ResumeTiming();
        round.Enter();
        if (!toNextQuestion)
            state.PauseTiming();
        round.Enter();
        if (!toNextQuestion)
            state.ResumeTiming();
    }
    if (!round.Asking())
        state.SkipWithError("the practice page is not asking");
    if (!session.Errors().empty())
        state.SkipWithError(session.Errors()[0].c_str());
}
BENCHMARK_CAPTURE(AnswerPainted, ToFeedback, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AnswerPainted, ToNextQuestion, true)->Unit(benchmark::kMillisecond);

// Growth of the resident memory from after 100 answers to after 10,000, in percent.
void PracticeAnswersMemory(benchmark::State& state)
{
    TDeckFolder deck;
    for (auto _ : state) {
        TDriveSession session;
        TPracticeRound round(session);
        auto answer = [&](int count) {
            for (int i = 0; i < count; ++i) {
                round.TypeAnswer();
                round.Enter();
                round.Enter();
            }
        };
        answer(100);
        const long after100 = ResidentKiB();
        answer(9900);
        const long after10000 = ResidentKiB();
        state.counters["rss_growth_pct"] = 100.0 * static_cast<double>(after10000 - after100) / static_cast<double>(after100);
    }
}
BENCHMARK(PracticeAnswersMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
