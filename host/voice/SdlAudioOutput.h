#pragma once
#include <cstdint>

#include "host/voice/AudioOutput.h"

// Speech played through SDL2's audio, independent of the window system's backend: the device
// is opened on the first request, closed when SDL reports it gone, and opened again on the
// next request if one is there.
class TSdlAudioOutput : public TAudioOutput {
public:
    TSdlAudioOutput() = default;
    TSdlAudioOutput(const TSdlAudioOutput&) = delete;
    TSdlAudioOutput& operator=(const TSdlAudioOutput&) = delete;
    ~TSdlAudioOutput() override;

    void Play(const TPcm& pcm) override;
    bool IsOpen() const { return device_ != 0; }

protected:
    // Whether the open device still plays; SDL marks a removed device stopped.
    virtual bool DeviceLost() const;

private:
    void Open(int sampleRate);
    void Close();

    bool subsystem_ = false;
    std::uint32_t device_ = 0;
    int sampleRate_ = 0;
};
