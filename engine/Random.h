#pragma once

#include <cstdint>
#include <random>

// The game's one source of chance: uniform integers below a bound, from a
// generator seeded once. The draw is defined here rather than by
// std::uniform_int_distribution so that a seed deals the same game on every
// standard library.
class TRandom {
public:
    explicit TRandom(uint32_t seed) : generator_(seed) {}

    // A uniform integer in 0..n-1; n > 0.
    int32_t Below(int32_t n)
    {
        const uint64_t range = static_cast<uint64_t>(n);
        const uint64_t span = uint64_t{1} << 32;
        const uint64_t limit = span - span % range;  // largest multiple of n that fits
        uint64_t draw;
        do {
            draw = generator_();
        } while (draw >= limit);
        return static_cast<int32_t>(draw % range);
    }

private:
    std::mt19937 generator_;
};
