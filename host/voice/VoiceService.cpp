#include "host/voice/VoiceService.h"

#include <iostream>

#include "host/sys/Exception.h"
#include "host/voice/EspeakSynthesizer.h"
#include "host/voice/SdlAudioOutput.h"

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
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        pending_.reset();
    }
    wake_.notify_all();
    worker_.join();
}

void TVoiceService::Speak(const std::string& kana)
{
    {
        std::lock_guard lock(mutex_);
        pending_ = kana;
    }
    wake_.notify_one();
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
    idle_.wait(lock, [this] { return !pending_ && !busy_; });
}

void TVoiceService::Work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || pending_; });
        if (stopping_)
            return;
        const std::string kana = std::move(*pending_);
        pending_.reset();
        busy_ = true;
        lock.unlock();
        SpeakOnWorker(kana);
        lock.lock();
        busy_ = false;
        if (!pending_)
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
        if (pending_ || stopping_)
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
