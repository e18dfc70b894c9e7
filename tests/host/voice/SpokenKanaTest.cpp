#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "host/voice/EspeakSynthesizer.h"
#include "host/voice/SdlAudioOutput.h"
#include "host/voice/VoiceService.h"

namespace {

double Rms(const std::vector<std::int16_t>& samples)
{
    double sum = 0;
    for (std::int16_t s : samples)
        sum += double(s) * s;
    return samples.empty() ? 0 : std::sqrt(sum / double(samples.size()));
}

// SDL's disk driver writes what the device plays to a file, at the pace of playing.
struct DiskAudio : ::testing::Test {
    std::filesystem::path file;

    void SetUp() override
    {
        file = std::filesystem::temp_directory_path()
            / ("moraleaf-voice-" + std::to_string(::getpid()) + "-"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".raw");
        std::filesystem::remove(file);
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove(file); }

    // The samples written so far, once at least `count` are there (or after two seconds).
    std::vector<std::int16_t> Written(std::size_t count) const
    {
        std::vector<std::int16_t> samples;
        for (int tries = 0; tries < 200; ++tries) {
            std::error_code error;
            if (std::filesystem::file_size(file, error) >= count * 2 && !error)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::ifstream in(file, std::ios::binary);
        std::int16_t sample;
        while (in.read(reinterpret_cast<char*>(&sample), sizeof sample))
            samples.push_back(sample);
        return samples;
    }
};

// A device that SDL reports gone once, as it does when the sound card is unplugged.
struct TOnceLostOutput : TSdlAudioOutput {
    mutable bool Lost = false;
    bool DeviceLost() const override { return std::exchange(Lost, false) || TSdlAudioOutput::DeviceLost(); }
};

} // namespace

TEST(SpeakableKana, OnlyKanaTextIsHandedToTheVoice)
{
    const struct {
        const char* Text;
        bool Speakable;
    } cases[] = {
        { "か", true },
        { "きゃ", true },
        { "ッ", true },
        { "ゐ", true },
        { "ヴ", true },
        { "", false },
        { "ka", false },
        { "か1", false },
        { "漢", false },
        { "\xff", false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsSpeakableKana(c.Text), c.Speakable) << c.Text;
}

TEST(EspeakSynthesizer, EachKanaIsSpeechOfAHumanLengthAndTheyDiffer)
{
    TEspeakSynthesizer voice;
    const std::optional<TPcm> ka = voice.Synthesize("か");
    const std::optional<TPcm> sa = voice.Synthesize("さ");
    const std::optional<TPcm> kya = voice.Synthesize("きゃ");
    ASSERT_TRUE(ka && sa && kya);
    for (const TPcm* pcm : { &*ka, &*sa, &*kya }) {
        EXPECT_GE(pcm->Milliseconds(), 150);
        EXPECT_LE(pcm->Milliseconds(), 900);
        EXPECT_GT(Rms(pcm->Samples), 300) << "not silence";
    }
    EXPECT_NE(ka->Samples, sa->Samples);
    EXPECT_FALSE(voice.Synthesize("ka")) << "romaji is not read out letter by letter";
}

TEST_F(DiskAudio, TheServicePlaysSpeechOnTheDeviceAndServesARepeatFromTheCache)
{
    std::ostringstream notices;
    TVoiceService voice(std::make_unique<TEspeakSynthesizer>(), std::make_unique<TSdlAudioOutput>(), notices);
    voice.Speak("か");
    voice.WaitUntilIdle();
    ASSERT_TRUE(voice.LastSpoken()) << notices.str();
    EXPECT_EQ(voice.LastSpoken()->Kana, "か");
    EXPECT_GE(voice.LastSpoken()->Milliseconds, 150);
    EXPECT_LE(voice.LastSpoken()->Milliseconds, 900);
    const std::vector<std::int16_t> written = Written(22050 / 10);
    ASSERT_GE(written.size(), 22050u / 10);
    EXPECT_GT(Rms(written), 300) << "the device received speech, not silence";

    voice.Speak("か");
    voice.WaitUntilIdle();
    EXPECT_EQ(voice.Statistics().Synthesized, 1);
    EXPECT_EQ(voice.Statistics().FromCache, 1);
    EXPECT_EQ(notices.str(), "");
}

TEST_F(DiskAudio, ADeviceReportedGoneIsClosedAndOpenedAgainOnTheNextRequest)
{
    TEspeakSynthesizer voice;
    const TPcm ka = *voice.Synthesize("か");
    TOnceLostOutput output;
    output.Play(ka);
    EXPECT_TRUE(output.IsOpen());
    output.Lost = true;
    output.Play(ka);
    EXPECT_TRUE(output.IsOpen());
    EXPECT_GT(Rms(Written(ka.Samples.size() / 4)), 300) << "the reopened device plays";
}

TEST(SdlAudioOutput, WithoutADeviceItRaisesAndTheServiceStaysSilent)
{
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    std::ostringstream notices;
    {
        TVoiceService voice(std::make_unique<TEspeakSynthesizer>(), std::make_unique<TSdlAudioOutput>(), notices);
        voice.Speak("か");
        voice.WaitUntilIdle();
        voice.Speak("さ");
        voice.WaitUntilIdle();
        EXPECT_FALSE(voice.LastSpoken());
    }
    EXPECT_EQ(notices.str().rfind("moraleaf: speech is off: no audio", 0), 0u) << notices.str();
    EXPECT_EQ(notices.str().find('\n'), notices.str().size() - 1) << "said once";
}
