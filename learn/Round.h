#pragma once
#include <cstddef>
#include <deque>
#include <vector>

// The questions of one round, asked in order; a kana answered wrongly comes back after
// kRetryGap other questions (sooner only when fewer are left) until it is answered right.
class TRound {
public:
    static constexpr std::size_t kRetryGap = 3;

    // The kana to ask, as indices the caller understands (DrawRound's).
    explicit TRound(const std::vector<std::size_t>& kana);

    bool Finished() const { return waiting_.empty(); }
    // The kana asked now; only while not finished.
    std::size_t Kana() const { return waiting_.front(); }
    // The number of the question asked now, from 1, and of all questions so far known,
    // the ones a wrong answer added included.
    std::size_t Number() const { return asked_ + 1; }
    std::size_t Count() const { return asked_ + waiting_.size(); }

    void Answer(bool right);

    std::size_t Right() const { return right_; }
    std::size_t Wrong() const { return asked_ - right_; }
    // The kana answered wrongly at least once, in the order of their first miss.
    const std::vector<std::size_t>& Missed() const { return missed_; }

private:
    std::deque<std::size_t> waiting_;
    std::size_t asked_ = 0;
    std::size_t right_ = 0;
    std::vector<std::size_t> missed_;
};
