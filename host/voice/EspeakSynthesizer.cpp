#include "host/voice/EspeakSynthesizer.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <optional>
#include <variant>

#include "host/gfx/Utf8.h"
#include "host/sys/Exception.h"
#include "host/sys/SharedLibrary.h"

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

// espeak-ng's functions, bound when the first kana is said: loading the library and its own
// sound libraries at start would cost every run, most of which say nothing before the window shows.
struct EspeakLibrary {
    decltype(&espeak_ng_InitializePath) InitializePath;
    decltype(&espeak_ng_Initialize) Initialize;
    decltype(&espeak_ng_InitializeOutput) InitializeOutput;
    decltype(&espeak_ng_SetVoiceByName) SetVoiceByName;
    decltype(&espeak_SetSynthCallback) SetSynthCallback;
    decltype(&espeak_ng_GetSampleRate) GetSampleRate;
    decltype(&espeak_ng_GetStatusCodeMessage) GetStatusCodeMessage;
    decltype(&espeak_ng_Synthesize) Synthesize;
};

std::optional<EspeakLibrary> BindEspeak()
{
    static const TSharedLibrary library("libespeak-ng.so.1");
    EspeakLibrary espeak {};
    const bool bound = library.Bind(espeak.InitializePath, "espeak_ng_InitializePath")
        && library.Bind(espeak.Initialize, "espeak_ng_Initialize")
        && library.Bind(espeak.InitializeOutput, "espeak_ng_InitializeOutput")
        && library.Bind(espeak.SetVoiceByName, "espeak_ng_SetVoiceByName")
        && library.Bind(espeak.SetSynthCallback, "espeak_SetSynthCallback")
        && library.Bind(espeak.GetSampleRate, "espeak_ng_GetSampleRate")
        && library.Bind(espeak.GetStatusCodeMessage, "espeak_ng_GetStatusCodeMessage")
        && library.Bind(espeak.Synthesize, "espeak_ng_Synthesize");
    return bound ? std::optional(espeak) : std::nullopt;
}

std::string StatusText(const EspeakLibrary& espeak, espeak_ng_STATUS status)
{
    char text[512] = {};
    espeak.GetStatusCodeMessage(status, text, sizeof text);
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

// The engine with its sample rate, set up once; the reason there is no voice is kept.
struct Engine {
    EspeakLibrary Espeak;
    int SampleRate = 0;
};

const Engine& Espeak()
{
    static const std::variant<Engine, std::string> engine = []() -> std::variant<Engine, std::string> {
        const std::optional<EspeakLibrary> espeak = BindEspeak();
        if (!espeak)
            return "no speech library (libespeak-ng.so.1 cannot be loaded)";
        espeak->InitializePath(nullptr);
        espeak_ng_STATUS status = espeak->Initialize(nullptr);
        if (status != ENS_OK)
            return "no voice data (" + StatusText(*espeak, status) + ")";
        status = espeak->InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr);
        if (status == ENS_OK)
            status = espeak->SetVoiceByName("ja");
        if (status != ENS_OK)
            return "no Japanese voice (" + StatusText(*espeak, status) + ")";
        espeak->SetSynthCallback(CollectSamples);
        return Engine { *espeak, espeak->GetSampleRate() };
    }();
    if (const auto* reason = std::get_if<std::string>(&engine))
        throw Exception(*reason);
    return std::get<Engine>(engine);
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
    const Engine& engine = Espeak();
    pcm.SampleRate = engine.SampleRate;
    gCollecting = &pcm.Samples;
    const espeak_ng_STATUS status
        = engine.Espeak.Synthesize(kana.c_str(), kana.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    gCollecting = nullptr;
    if (status != ENS_OK)
        return std::nullopt;
    TrimTrailingSilence(pcm.Samples);
    if (pcm.Samples.empty())
        return std::nullopt;
    return pcm;
}
