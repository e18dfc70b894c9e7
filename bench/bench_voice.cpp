// Speech: from a request to the first sample handed to the audio device, uncached and cached;
// how long the interface thread spends in a request; the memory of every kana's speech.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "host/voice/EspeakSynthesizer.h"
#include "host/voice/SdlAudioOutput.h"
#include "host/voice/VoiceService.h"
#include "learn/KanaTable.h"

namespace {

using TClock = std::chrono::steady_clock;

// SDL's device, noting when the speech was handed to it.
struct TTimedOutput : TSdlAudioOutput {
    std::atomic<TClock::rep> HandedOver { 0 };
    void Play(const TPcm& pcm) override
    {
        TSdlAudioOutput::Play(pcm);
        HandedOver = TClock::now().time_since_epoch().count();
    }
};

struct TTimedVoice {
    TTimedOutput* Output;
    std::ostringstream Notices;
    std::unique_ptr<TVoiceService> Service;

    TTimedVoice()
    {
        auto output = std::make_unique<TTimedOutput>();
        Output = output.get();
        Service = std::make_unique<TVoiceService>(std::make_unique<TEspeakSynthesizer>(), std::move(output), Notices);
    }

    // Seconds from the request to the speech on the device.
    double SpeakAndTime(const std::string& kana)
    {
        Output->HandedOver = 0;
        const TClock::time_point asked = TClock::now();
        Service->Speak(kana);
        Service->WaitUntilIdle();
        if (Output->HandedOver == 0)
            return -1;
        return std::chrono::duration<double>(TClock::time_point(TClock::duration(Output->HandedOver)) - asked).count();
    }
};

std::vector<std::string> AllKana()
{
    std::vector<std::string> kana;
    for (const TKana& k : BasicKana())
        kana.emplace_back(k.Text);
    for (const TKana& k : MoreKana())
        kana.emplace_back(k.Text);
    return kana;
}

// The kana the voice says: all but the lone small tsu (っ, ッ), which is a pause and plays nothing.
const std::vector<std::string>& SpokenKana()
{
    static const std::vector<std::string> spoken = [] {
        TEspeakSynthesizer voice;
        std::vector<std::string> kana = AllKana();
        std::erase_if(kana, [&](const std::string& k) { return !voice.Synthesize(k); });
        return kana;
    }();
    return spoken;
}

void SpeakUncached(benchmark::State& state)
{
    const std::vector<std::string>& kana = SpokenKana();
    std::size_t next = 0;
    std::unique_ptr<TTimedVoice> voice;
    for (auto _ : state) {
        // A fresh cache when every kana has been said once.
        if (next % kana.size() == 0)
            voice = std::make_unique<TTimedVoice>();
        const double seconds = voice->SpeakAndTime(kana[next++ % kana.size()]);
        if (seconds < 0) {
            state.SkipWithError(("nothing reached the device: " + voice->Notices.str()).c_str());
            return;
        }
        state.SetIterationTime(seconds);
    }
}

void SpeakCached(benchmark::State& state)
{
    TTimedVoice voice;
    voice.SpeakAndTime("か");
    for (auto _ : state) {
        const double seconds = voice.SpeakAndTime("か");
        if (seconds < 0) {
            state.SkipWithError(("nothing reached the device: " + voice.Notices.str()).c_str());
            return;
        }
        state.SetIterationTime(seconds);
    }
}

// How long the interface thread spends handing a request over while the worker is busy. The
// hand-over takes no lock, so what stands out is the system putting the thread aside; the
// 99.99th percentile shows the hand-over, the longest shows the machine.
void SpeakCallOnInterfaceThread(benchmark::State& state)
{
    const std::vector<std::string> kana = AllKana();
    TTimedVoice voice;
    std::vector<double> calls;
    std::size_t next = 0;
    for (auto _ : state) {
        const TClock::time_point start = TClock::now();
        voice.Service->Speak(kana[next++ % kana.size()]);
        const double seconds = std::chrono::duration<double>(TClock::now() - start).count();
        calls.push_back(seconds);
        state.SetIterationTime(seconds);
    }
    voice.Service->WaitUntilIdle();
    std::sort(calls.begin(), calls.end());
    if (!calls.empty()) {
        state.counters["p9999_us"] = calls[calls.size() * 9999 / 10000] * 1e6;
        state.counters["longest_us"] = calls.back() * 1e6;
    }
}

void CacheOfEveryKana(benchmark::State& state)
{
    const std::vector<std::string> kana = AllKana();
    for (auto _ : state) {
        TTimedVoice voice;
        for (const std::string& k : kana) {
            voice.Service->Speak(k);
            voice.Service->WaitUntilIdle();
        }
        state.counters["cache_MB"] = static_cast<double>(voice.Service->Statistics().CacheBytes) / 1e6;
        state.counters["kana"] = voice.Service->Statistics().Synthesized;
    }
}

} // namespace

BENCHMARK(SpeakUncached)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SpeakCached)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SpeakCallOnInterfaceThread)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(CacheOfEveryKana)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    // Timing needs a device but no sound: SDL's dummy driver takes the samples and drops them.
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
