#include "host/voice/SdlAudioOutput.h"

#include <SDL.h>

#include "host/sys/Exception.h"

TSdlAudioOutput::~TSdlAudioOutput()
{
    Close();
    if (subsystem_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool TSdlAudioOutput::DeviceLost() const
{
    return SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED;
}

void TSdlAudioOutput::Open(int sampleRate)
{
    if (!subsystem_) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            throw Exception(std::string("no audio (") + SDL_GetError() + ")");
        subsystem_ = true;
    }
    SDL_AudioSpec wanted {};
    wanted.freq = sampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = 1024;
    // SDL converts to what the device takes, so the queue always holds our own format.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device_ == 0)
        throw Exception(std::string("no audio device (") + SDL_GetError() + ")");
    sampleRate_ = sampleRate;
}

void TSdlAudioOutput::Close()
{
    if (device_ == 0)
        return;
    SDL_CloseAudioDevice(device_);
    device_ = 0;
}

void TSdlAudioOutput::Play(const TPcm& pcm)
{
    if (device_ != 0 && (DeviceLost() || sampleRate_ != pcm.SampleRate))
        Close();
    if (device_ == 0)
        Open(pcm.SampleRate);
    SDL_ClearQueuedAudio(device_);
    if (SDL_QueueAudio(device_, pcm.Samples.data(), static_cast<std::uint32_t>(pcm.Bytes())) != 0)
        throw Exception(std::string("audio device refused the speech (") + SDL_GetError() + ")");
    SDL_PauseAudioDevice(device_, 0);
}
