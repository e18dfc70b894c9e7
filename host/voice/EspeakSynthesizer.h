#pragma once
#include "host/voice/SpeechSynthesizer.h"

// libespeak-ng's Japanese voice ("ja"), synthesising into memory. espeak-ng is one global
// engine, set up on first use and kept for the life of the process (set up again after
// espeak_ng_Terminate it deadlocks when terminated a second time); use it from one thread at a
// time.
class TEspeakSynthesizer : public TSpeechSynthesizer {
public:
    std::optional<TPcm> Synthesize(const std::string& kana) override;
};

// True when every character of `text` is a hiragana or katakana: what the Japanese voice reads
// as the kana it is. Anything else (romaji of a user's own deck, empty text) is not spoken.
bool IsSpeakableKana(const std::string& text);
