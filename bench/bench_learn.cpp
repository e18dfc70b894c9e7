// The practice page's work below the window: the draw of a round over every kana, the choices
// of a question and one answer written to the progress file.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "learn/KanaTable.h"
#include "learn/LookAlikes.h"
#include "learn/ProgressStore.h"
#include "learn/Scheduler.h"

namespace {

const std::chrono::sys_seconds kNow = std::chrono::sys_seconds(std::chrono::seconds(1'800'000'000));

// All 214 kana, a third of them new, the others in every box, some due, some not.
void DrawOverAllKana(benchmark::State& state)
{
    std::vector<TKanaKey> keys;
    for (std::span<const TKana> table : { BasicKana(), MoreKana() }) {
        for (const TKana& kana : table)
            keys.push_back({ std::string(kana.Text), kana.Script });
    }
    TBoxStates states;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (i % 3 != 0)
            states[keys[i]] = { static_cast<int>(i % 5) + 1, kNow + std::chrono::hours(static_cast<int>(i % 7) * 24 - 72) };
    }
    std::uint32_t seed = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawRound(keys, states, kNow, keys.size(), ++seed));
}
BENCHMARK(DrawOverAllKana);

// The four romaji of a choice question with every hiragana selected.
void ChoicesAmongAllHiragana(benchmark::State& state)
{
    std::vector<TChoiceKana> pool;
    for (std::span<const TKana> table : { BasicKana(), MoreKana() }) {
        for (const TKana& kana : table) {
            if (kana.Script == TKanaScript::Hiragana)
                pool.push_back({ kana.Text, kana.Romaji });
        }
    }
    std::uint32_t seed = 0;
    for (auto _ : state) {
        ++seed;
        benchmark::DoNotOptimize(MakeChoices(pool[seed % pool.size()], pool, pool, seed));
    }
}
BENCHMARK(ChoicesAmongAllHiragana);

// One answer and its box, one transaction, in a file that already holds 10,000 answers.
void ProgressWrite(benchmark::State& state)
{
    std::string folder = (std::filesystem::temp_directory_path() / "moraleaf-bench-XXXXXX").string();
    ::mkdtemp(folder.data());
    {
        TProgressStore store;
        store.Open(std::filesystem::path(folder) / "progress.db", kNow);
        const TAnswerRecord answer { kNow, { "か", TKanaScript::Hiragana }, "ka", true, TAnswerMode::Typed, 900 };
        for (int i = 0; i < 10'000; ++i)
            store.Record(answer, { 2, kNow });
        int n = 0;
        for (auto _ : state) {
            const TAnswerRecord next { kNow, { n % 2 ? "シ" : "ツ", TKanaScript::Katakana }, "shi", n % 2 == 1,
                TAnswerMode::Choice, 1200 };
            store.Record(next, { n % 5 + 1, kNow });
            ++n;
        }
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(ProgressWrite);

} // namespace

BENCHMARK_MAIN();
