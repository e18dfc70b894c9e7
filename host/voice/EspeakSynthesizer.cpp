#include "host/voice/EspeakSynthesizer.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <variant>

#include "host/gfx/Utf8.h"
#include "host/sys/Exception.h"

namespace {

// espeak-ng hands the samples to one global callback; synthesis is synchronous, so the buffer
// of the call in progress is the only one there is.
std::vector<std::int16_t>* gCollecting = nullptr;

int CollectSamples(short* samples, int count, espeak_EVENT*)
{
    if (samples && count > 0 && gCollecting)
        gCollecting->insert(gCollecting->end(), samples, samples + count);
    return 0; // go on
}

std::string StatusText(espeak_ng_STATUS status)
{
    char text[512] = {};
    espeak_ng_GetStatusCodeMessage(status, text, sizeof text);
    return text;
}

bool IsKana(char32_t c)
{
    // Hiragana ぁ..ゖ and katakana ァ..ヺ with the prolonged sound mark ー.
    return (c >= 0x3041 && c <= 0x3096) || (c >= 0x30A1 && c <= 0x30FA) || c == 0x30FC;
}

// The voice's trailing pause is silence the learner would wait through before the next kana.
void TrimTrailingSilence(std::vector<std::int16_t>& samples)
{
    constexpr int kQuiet = 64;
    std::size_t end = samples.size();
    while (end > 0 && samples[end - 1] > -kQuiet && samples[end - 1] < kQuiet)
        --end;
    samples.resize(end);
}

// Sets the engine up once; the sample rate, or the reason there is no voice, is kept.
int EspeakSampleRate()
{
    static const std::variant<int, std::string> engine = []() -> std::variant<int, std::string> {
        espeak_ng_InitializePath(nullptr);
        espeak_ng_STATUS status = espeak_ng_Initialize(nullptr);
        if (status != ENS_OK)
            return "no voice data (" + StatusText(status) + ")";
        status = espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr);
        if (status == ENS_OK)
            status = espeak_ng_SetVoiceByName("ja");
        if (status != ENS_OK)
            return "no Japanese voice (" + StatusText(status) + ")";
        espeak_SetSynthCallback(CollectSamples);
        return espeak_ng_GetSampleRate();
    }();
    if (const auto* reason = std::get_if<std::string>(&engine))
        throw Exception(*reason);
    return std::get<int>(engine);
}

} // namespace

bool IsSpeakableKana(const std::string& text)
{
    const std::u32string codePoints = DecodeUtf8(text);
    if (codePoints.empty())
        return false;
    for (char32_t c : codePoints) {
        if (!IsKana(c))
            return false;
    }
    return true;
}

std::optional<TPcm> TEspeakSynthesizer::Synthesize(const std::string& kana)
{
    if (!IsSpeakableKana(kana))
        return std::nullopt;
    TPcm pcm;
    pcm.SampleRate = EspeakSampleRate();
    gCollecting = &pcm.Samples;
    const espeak_ng_STATUS status
        = espeak_ng_Synthesize(kana.c_str(), kana.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    gCollecting = nullptr;
    if (status != ENS_OK)
        return std::nullopt;
    TrimTrailingSilence(pcm.Samples);
    if (pcm.Samples.empty())
        return std::nullopt;
    return pcm;
}
