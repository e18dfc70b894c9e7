#pragma once
#include <optional>
#include <string>

#include "host/voice/Pcm.h"

// Turns kana text into speech. Called on the voice service's worker thread only.
class TSpeechSynthesizer {
public:
    virtual ~TSpeechSynthesizer() = default;
    // The speech of `kana`, or nothing when the voice cannot say it. Raises Exception when the
    // voice itself is not there (no voice data).
    virtual std::optional<TPcm> Synthesize(const std::string& kana) = 0;
};
