#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <sstream>
#include <thread>
#include <vector>

#include "host/sys/Exception.h"
#include "host/voice/VoiceService.h"

namespace {

// A kana's speech: as many samples as the text has bytes, so that each kana sounds different.
TPcm FakeSpeech(const std::string& kana)
{
    TPcm pcm;
    pcm.SampleRate = 1000;
    pcm.Samples.assign(kana.size() * 100, static_cast<std::int16_t>(kana.front()));
    return pcm;
}

// Counts its calls; can be made to fail, to refuse a text, or to wait at a gate.
struct TFakeSynthesizer : TSpeechSynthesizer {
    std::atomic<int> Calls = 0;
    bool VoiceMissing = false;
    std::string Unsayable = "?";
    std::atomic<bool> Gate = true;

    std::optional<TPcm> Synthesize(const std::string& kana) override
    {
        ++Calls;
        while (!Gate)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (VoiceMissing)
            throw Exception("no voice data");
        if (kana == Unsayable)
            return std::nullopt;
        return FakeSpeech(kana);
    }
};

struct TFakeOutput : TAudioOutput {
    std::vector<std::string>* Played;
    int FailuresLeft = 0;

    explicit TFakeOutput(std::vector<std::string>* played)
        : Played(played)
    {
    }

    void Play(const TPcm& pcm) override
    {
        if (FailuresLeft > 0) {
            --FailuresLeft;
            throw Exception("no audio device");
        }
        Played->push_back(std::to_string(pcm.Samples.size()));
    }
};

struct VoiceServiceFixture : ::testing::Test {
    std::vector<std::string> played;
    std::ostringstream notices;
    TFakeSynthesizer* synthesizer = nullptr;
    TFakeOutput* output = nullptr;

    std::unique_ptr<TVoiceService> MakeService()
    {
        auto ownedSynthesizer = std::make_unique<TFakeSynthesizer>();
        auto ownedOutput = std::make_unique<TFakeOutput>(&played);
        synthesizer = ownedSynthesizer.get();
        output = ownedOutput.get();
        return std::make_unique<TVoiceService>(std::move(ownedSynthesizer), std::move(ownedOutput), notices);
    }
};

} // namespace

TEST_F(VoiceServiceFixture, TheSecondRequestOfAKanaIsServedFromTheCache)
{
    auto voice = MakeService();
    voice->Speak("か");
    voice->WaitUntilIdle();
    voice->Speak("か");
    voice->WaitUntilIdle();

    EXPECT_EQ(synthesizer->Calls, 1);
    EXPECT_EQ(played.size(), 2u);
    const TVoiceService::TStatistics statistics = voice->Statistics();
    EXPECT_EQ(statistics.Synthesized, 1);
    EXPECT_EQ(statistics.FromCache, 1);
    EXPECT_EQ(statistics.CacheBytes, FakeSpeech("か").Bytes());
    ASSERT_TRUE(voice->LastSpoken());
    EXPECT_EQ(voice->LastSpoken()->Kana, "か");
    EXPECT_EQ(voice->LastSpoken()->Milliseconds, 300); // 300 samples at 1000 Hz
}

TEST_F(VoiceServiceFixture, ANewerRequestOvertakesOnesThatHaveNotReachedTheDevice)
{
    auto voice = MakeService();
    synthesizer->Gate = false;
    voice->Speak("か");
    while (synthesizer->Calls == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    voice->Speak("さ"); // replaced by the next before the worker takes it
    voice->Speak("きゃ");
    synthesizer->Gate = true;
    voice->WaitUntilIdle();

    EXPECT_EQ(played, std::vector<std::string> { std::to_string(FakeSpeech("きゃ").Samples.size()) });
    EXPECT_EQ(synthesizer->Calls, 2) << "か is made and kept, さ never";
    EXPECT_EQ(voice->LastSpoken()->Kana, "きゃ");
}

TEST_F(VoiceServiceFixture, TextTheVoiceCannotSayPlaysNothingAndSaysNothing)
{
    auto voice = MakeService();
    voice->Speak("?");
    voice->WaitUntilIdle();
    EXPECT_TRUE(played.empty());
    EXPECT_FALSE(voice->LastSpoken());
    EXPECT_EQ(notices.str(), "");
}

TEST_F(VoiceServiceFixture, WithoutVoiceDataTheServiceIsSilentAndSaysSoOnce)
{
    auto voice = MakeService();
    synthesizer->VoiceMissing = true;
    for (const char* kana : { "か", "さ", "た" }) {
        voice->Speak(kana);
        voice->WaitUntilIdle();
    }
    EXPECT_TRUE(played.empty());
    EXPECT_EQ(synthesizer->Calls, 1) << "a missing voice is not looked for again";
    EXPECT_EQ(notices.str(), "moraleaf: speech is off: no voice data\n");
}

TEST_F(VoiceServiceFixture, ADeviceThatFailsIsTriedAgainOnTheNextRequestAndNoticedOnce)
{
    auto voice = MakeService();
    output->FailuresLeft = 2;
    for (const char* kana : { "か", "さ", "た" }) {
        voice->Speak(kana);
        voice->WaitUntilIdle();
    }
    EXPECT_EQ(played.size(), 1u);
    EXPECT_EQ(voice->LastSpoken()->Kana, "た");
    EXPECT_EQ(notices.str(), "moraleaf: speech is off: no audio device\n");
}

TEST_F(VoiceServiceFixture, StoppingDuringSynthesisWaitsForItAndPlaysNothing)
{
    auto voice = MakeService();
    synthesizer->Gate = false;
    voice->Speak("か");
    while (synthesizer->Calls == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::thread opener([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        synthesizer->Gate = true;
    });
    voice.reset();
    opener.join();
    EXPECT_TRUE(played.empty());
}
