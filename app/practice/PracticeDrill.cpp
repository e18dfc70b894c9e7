#include "app/practice/PracticeDrill.h"

#include "learn/AnswerChecker.h"
#include "learn/LookAlikes.h"

namespace {

// The kana of one script as choices see them; the views point into `kana`.
std::vector<TChoiceKana> ChoiceKana(const std::vector<TDrillKana>& kana, TKanaScript script)
{
    std::vector<TChoiceKana> choices;
    for (const TDrillKana& k : kana)
        if (k.Key.Script == script)
            choices.push_back({ k.Key.Text, k.Romaji });
    return choices;
}

} // namespace

TPracticeDrill::TPracticeDrill(std::vector<TDrillKana> kana, const std::vector<std::size_t>& order, std::vector<TDrillKana> deck,
    TAnswerMode mode, std::uint32_t seed)
    : kana_(std::move(kana))
    , deck_(std::move(deck))
    , round_(order)
    , mode_(mode)
    , seed_(seed)
{
    MakeChoices();
}

bool TPracticeDrill::Answer(std::string_view given, int milliseconds)
{
    const TDrillKana& asked = Current();
    const bool right = IsRightAnswer(given, asked.Key.Text, asked.Romaji);
    answerMilliseconds_ += milliseconds;
    round_.Answer(right);
    MakeChoices();
    return right;
}

std::vector<const TDrillKana*> TPracticeDrill::Missed() const
{
    std::vector<const TDrillKana*> missed;
    for (std::size_t i : round_.Missed())
        missed.push_back(&kana_[i]);
    return missed;
}

void TPracticeDrill::MakeChoices()
{
    choices_.clear();
    if (mode_ != TAnswerMode::Choice || round_.Finished())
        return;
    const TDrillKana& asked = Current();
    const std::vector<TChoiceKana> pool = ChoiceKana(kana_, asked.Key.Script);
    const std::vector<TChoiceKana> deck = ChoiceKana(deck_, asked.Key.Script);
    // Each question its own seed, so that asking a kana again shuffles its choices anew.
    choices_ = ::MakeChoices({ asked.Key.Text, asked.Romaji }, pool, deck, seed_ + static_cast<std::uint32_t>(Number())).Romaji;
}
