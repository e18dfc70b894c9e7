#pragma once
#include <cstddef>
#include <vector>

#include "host/win/Messages.h"

// A first-in first-out queue of messages in a ring that only grows, so that a steady flow of
// posted messages allocates nothing.
class TMessageRing {
public:
    bool Empty() const { return count_ == 0; }
    std::size_t Size() const { return count_; }
    const MSG& operator[](std::size_t i) const { return slots_[(head_ + i) & (slots_.size() - 1)]; }

    void Push(const MSG& msg)
    {
        if (count_ == slots_.size())
            Grow();
        slots_[(head_ + count_) & (slots_.size() - 1)] = msg;
        ++count_;
    }
    // Takes out the message at position i, keeping the order of the others.
    MSG Take(std::size_t i)
    {
        MSG msg = (*this)[i];
        for (std::size_t k = i; k > 0; --k)
            At(k) = At(k - 1);
        head_ = (head_ + 1) & (slots_.size() - 1);
        --count_;
        return msg;
    }
    // Drops every message for which pred is true.
    template <class Pred> void RemoveIf(Pred pred)
    {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < count_; ++i)
            if (!pred(At(i)))
                At(kept++) = At(i);
        count_ = kept;
    }

private:
    MSG& At(std::size_t i) { return slots_[(head_ + i) & (slots_.size() - 1)]; }
    void Grow()
    {
        std::vector<MSG> slots(slots_.empty() ? 64 : slots_.size() * 2);
        for (std::size_t i = 0; i < count_; ++i)
            slots[i] = At(i);
        slots_ = std::move(slots);
        head_ = 0;
    }

    std::vector<MSG> slots_;
    std::size_t head_ = 0;
    std::size_t count_ = 0;
};
