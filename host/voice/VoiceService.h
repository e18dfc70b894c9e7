#pragma once
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <iosfwd>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "host/voice/AudioOutput.h"
#include "host/voice/SpeechSynthesizer.h"

// The last kana handed to the audio device and the length of its speech.
struct TSpokenKana {
    std::string Kana;
    int Milliseconds = 0;
};

// Speaks kana off the user-interface thread. The interface only hands a request over and never
// waits: a worker synthesises it (or takes it from the cache, which keeps every kana's speech for
// the run) and plays it, cutting whatever was playing. A newer request overtakes an older one
// that has not reached the device yet. Without a voice or a device the service stays silent
// and says so once on the notice stream.
class TVoiceService {
public:
    TVoiceService(std::unique_ptr<TSpeechSynthesizer> synthesizer, std::unique_ptr<TAudioOutput> output, std::ostream& notices);
    TVoiceService(const TVoiceService&) = delete;
    TVoiceService& operator=(const TVoiceService&) = delete;
    ~TVoiceService();

    void Speak(const std::string& kana);

    std::optional<TSpokenKana> LastSpoken() const;

    struct TStatistics {
        int Synthesized = 0;
        int FromCache = 0;
        std::size_t CacheBytes = 0;
    };
    TStatistics Statistics() const;

    // Returns once every request so far has been played or dropped. For tools and tests that
    // read what was spoken; the program itself never waits.
    void WaitUntilIdle();

private:
    void Work();
    void SpeakOnWorker(const std::string& kana);
    void Notice(const std::string& problem);

    std::unique_ptr<TSpeechSynthesizer> synthesizer_;
    std::unique_ptr<TAudioOutput> output_;
    std::ostream& notices_;

    // The newest request not yet taken; a newer one replaces it.
    std::atomic<std::string*> pending_ { nullptr };
    std::atomic<bool> stopping_ = false;
    // What only the worker and those reading its results touch, never the interface's requests.
    mutable std::mutex mutex_;
    std::condition_variable idle_;
    bool busy_ = false;
    bool noticed_ = false;
    bool voiceMissing_ = false;
    std::map<std::string, TPcm> cache_;
    std::optional<TSpokenKana> lastSpoken_;
    TStatistics statistics_;
    std::thread worker_;
};

// The program's voice: libespeak-ng's Japanese voice through SDL2's audio, made on first use.
TVoiceService& Voice();
// The program's voice if anything has spoken yet, else null.
TVoiceService* VoiceIfStarted();
// Stops the program's voice before the window system closes SDL.
void DoneVoice();
