#include "learn/Scheduler.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <utility>

namespace {

// A kana of box b is 2^(5 - b) times as likely to be drawn first as one of the last box.
double BoxWeight(int box)
{
    return std::ldexp(1.0, kLastBox - std::clamp(box, kFirstBox, kLastBox));
}

} // namespace

std::chrono::days BoxInterval(int box)
{
    static constexpr int kDays[] = { 0, 1, 3, 7, 14 };
    return std::chrono::days(kDays[std::clamp(box, kFirstBox, kLastBox) - kFirstBox]);
}

TBoxState NextBoxState(const TBoxState* current, bool right, std::chrono::sys_seconds now)
{
    const int box = !right ? kFirstBox : std::min((current ? current->Box : kFirstBox) + 1, kLastBox);
    return { box, now + BoxInterval(box) };
}

std::vector<std::size_t> DrawRound(std::span<const TKanaKey> selected, const TBoxStates& states, std::chrono::sys_seconds now,
    std::size_t length, std::uint32_t seed)
{
    // Each kana gets a rank (due, new, rest) and a key within the rank; the round is the
    // kana in that order. Due kana are keyed by weighted random sampling (an exponential
    // clock of rate `weight` each, the first to ring first), the rest by their due time.
    enum TRank { Due, New, Rest };
    struct TCandidate {
        TRank Rank;
        double Key;
        std::size_t Index;
    };
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> uniform(std::numeric_limits<double>::min(), 1.0);
    std::vector<TCandidate> candidates;
    candidates.reserve(selected.size());
    for (std::size_t i = 0; i < selected.size(); ++i) {
        const auto found = states.find(selected[i]);
        const double u = uniform(random);
        if (found == states.end())
            candidates.push_back({ New, -u, i });
        else if (found->second.Due <= now)
            candidates.push_back({ Due, -std::log(u) / BoxWeight(found->second.Box), i });
        else
            candidates.push_back({ Rest, static_cast<double>(found->second.Due.time_since_epoch().count()), i });
    }
    const std::size_t count = std::min(length, candidates.size());
    const auto before = [](const TCandidate& a, const TCandidate& b) {
        return std::tie(a.Rank, a.Key, a.Index) < std::tie(b.Rank, b.Key, b.Index);
    };
    const auto end = candidates.begin() + static_cast<std::ptrdiff_t>(count);
    std::nth_element(candidates.begin(), end, candidates.end(), before);
    std::sort(candidates.begin(), end, before);
    std::vector<std::size_t> round(count);
    for (std::size_t i = 0; i < count; ++i)
        round[i] = candidates[i].Index;
    return round;
}
