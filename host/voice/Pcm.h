#pragma once
#include <cstdint>
#include <vector>

// Mono 16-bit speech as the synthesizer made it.
struct TPcm {
    int SampleRate = 0;
    std::vector<std::int16_t> Samples;

    int Milliseconds() const
    {
        return SampleRate > 0 ? static_cast<int>(static_cast<std::int64_t>(Samples.size()) * 1000 / SampleRate) : 0;
    }
    std::size_t Bytes() const { return Samples.size() * sizeof(std::int16_t); }
};
