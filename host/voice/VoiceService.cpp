#include "host/voice/VoiceService.h"

#include <iostream>

#include "host/sys/Exception.h"
#include "host/voice/EspeakSynthesizer.h"
#include "host/voice/SdlAudioOutput.h"

namespace {

// Put in the request slot to wake the worker for stopping; never a request.
std::string gStopRequest;

} // namespace

TVoiceService::TVoiceService(
    std::unique_ptr<TSpeechSynthesizer> synthesizer, std::unique_ptr<TAudioOutput> output, std::ostream& notices)
    : synthesizer_(std::move(synthesizer))
    , output_(std::move(output))
    , notices_(notices)
    , worker_([this] { Work(); })
{
}

TVoiceService::~TVoiceService()
{
    stopping_ = true;
    std::string* request = pending_.exchange(&gStopRequest);
    if (request != &gStopRequest)
        delete request;
    pending_.notify_one();
    worker_.join();
}

void TVoiceService::Speak(const std::string& kana)
{
    // Lock-free, so that the interface never waits for a worker the system has put aside.
    delete pending_.exchange(new std::string(kana));
    pending_.notify_one();
}

std::optional<TSpokenKana> TVoiceService::LastSpoken() const
{
    std::lock_guard lock(mutex_);
    return lastSpoken_;
}

TVoiceService::TStatistics TVoiceService::Statistics() const
{
    std::lock_guard lock(mutex_);
    return statistics_;
}

void TVoiceService::WaitUntilIdle()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return pending_.load() == nullptr && !busy_; });
}

void TVoiceService::Work()
{
    for (;;) {
        pending_.wait(nullptr);
        if (stopping_)
            return;
        {
            // Busy before the slot empties, so that a waiter never sees both empty and idle early.
            std::lock_guard lock(mutex_);
            busy_ = true;
        }
        std::string* taken = pending_.exchange(nullptr);
        if (taken == &gStopRequest)
            return;
        const std::unique_ptr<std::string> request(taken);
        if (request && !stopping_)
            SpeakOnWorker(*request);
        std::lock_guard lock(mutex_);
        busy_ = false;
        if (pending_.load() == nullptr)
            idle_.notify_all();
    }
}

void TVoiceService::SpeakOnWorker(const std::string& kana)
{
    const TPcm* pcm = nullptr;
    {
        std::lock_guard lock(mutex_);
        if (voiceMissing_)
            return;
        if (auto cached = cache_.find(kana); cached != cache_.end()) {
            pcm = &cached->second;
            ++statistics_.FromCache;
        }
    }
    if (!pcm) {
        std::optional<TPcm> made;
        try {
            made = synthesizer_->Synthesize(kana);
        } catch (const Exception& e) {
            std::lock_guard lock(mutex_);
            voiceMissing_ = true;
            Notice(e.Message());
            return;
        }
        if (!made)
            return;
        std::lock_guard lock(mutex_);
        ++statistics_.Synthesized;
        statistics_.CacheBytes += made->Bytes();
        pcm = &cache_.emplace(kana, std::move(*made)).first->second;
        // Speech for a kana the learner has already left behind is kept, not played.
        if (pending_.load() != nullptr || stopping_)
            return;
    }
    // Cached entries are never removed, so the pointer stays valid outside the lock.
    try {
        output_->Play(*pcm);
    } catch (const Exception& e) {
        std::lock_guard lock(mutex_);
        Notice(e.Message());
        return;
    }
    std::lock_guard lock(mutex_);
    lastSpoken_ = TSpokenKana { kana, pcm->Milliseconds() };
}

// Called with the mutex held.
void TVoiceService::Notice(const std::string& problem)
{
    if (noticed_)
        return;
    noticed_ = true;
    notices_ << "moraleaf: speech is off: " << problem << '\n' << std::flush;
}

namespace {

std::unique_ptr<TVoiceService> gVoice;

} // namespace

TVoiceService& Voice()
{
    if (!gVoice)
        gVoice = std::make_unique<TVoiceService>(
            std::make_unique<TEspeakSynthesizer>(), std::make_unique<TSdlAudioOutput>(), std::cerr);
    return *gVoice;
}

TVoiceService* VoiceIfStarted()
{
    return gVoice.get();
}

void DoneVoice()
{
    gVoice.reset();
}
