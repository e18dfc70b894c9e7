#include "learn/Round.h"

#include <algorithm>

TRound::TRound(const std::vector<std::size_t>& kana)
    : waiting_(kana.begin(), kana.end())
{
}

void TRound::Answer(bool right)
{
    if (Finished())
        return;
    const std::size_t kana = waiting_.front();
    waiting_.pop_front();
    ++asked_;
    if (right) {
        ++right_;
        return;
    }
    if (std::find(missed_.begin(), missed_.end(), kana) == missed_.end())
        missed_.push_back(kana);
    waiting_.insert(waiting_.begin() + static_cast<std::ptrdiff_t>(std::min(kRetryGap, waiting_.size())), kana);
}
