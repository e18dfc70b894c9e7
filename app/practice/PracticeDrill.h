#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/gfx/Bitmap.h"
#include "learn/AnswerMode.h"
#include "learn/KanaKey.h"
#include "learn/Round.h"

// One kana a round can ask: where its picture lies in the deck, what it is and its picture.
struct TDrillKana {
    const char* Table; // kBasicTable or kMoreTable
    std::int64_t Id;
    TKanaKey Key;
    std::string Romaji; // the deck's pronunciation
    TBitmap Picture;
};

// The questions of one round and their answers, without windows: the kana in the order drawn,
// a missed kana asked again later, the four choices of a choice question, and the counts.
class TPracticeDrill {
public:
    // `order` indexes `kana`; `deck` is every kana of the deck, where choices come from when
    // the selection has too few.
    TPracticeDrill(std::vector<TDrillKana> kana, const std::vector<std::size_t>& order, std::vector<TDrillKana> deck,
        TAnswerMode mode, std::uint32_t seed);

    TAnswerMode Mode() const { return mode_; }
    bool Finished() const { return round_.Finished(); }
    // The kana asked now; only while not finished.
    const TDrillKana& Current() const { return kana_[round_.Kana()]; }
    std::size_t Number() const { return round_.Number(); }
    std::size_t Count() const { return round_.Count(); }
    // The romaji offered for the current question; empty in typed mode.
    const std::vector<std::string>& Choices() const { return choices_; }

    // Whether the answer names the current kana; the round goes on to the next question.
    bool Answer(std::string_view given, int milliseconds);

    std::size_t Asked() const { return round_.Right() + round_.Wrong(); }
    std::size_t Right() const { return round_.Right(); }
    std::size_t Wrong() const { return round_.Wrong(); }
    long long AnswerMilliseconds() const { return answerMilliseconds_; }
    // The kana answered wrongly at least once, in the order of their first miss.
    std::vector<const TDrillKana*> Missed() const;

private:
    void MakeChoices();

    std::vector<TDrillKana> kana_;
    std::vector<TDrillKana> deck_;
    TRound round_;
    TAnswerMode mode_;
    std::uint32_t seed_;
    std::vector<std::string> choices_;
    long long answerMilliseconds_ = 0;
};
