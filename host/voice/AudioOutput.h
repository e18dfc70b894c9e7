#pragma once
#include "host/voice/Pcm.h"

// Plays speech. Called on the voice service's worker thread only.
class TAudioOutput {
public:
    virtual ~TAudioOutput() = default;
    // Cuts what is playing and starts `pcm`. Raises Exception when there is no device to play on.
    virtual void Play(const TPcm& pcm) = 0;
};
