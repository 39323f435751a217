#pragma once

#include <cstdint>
#include <random>

// The game's one source of chance: uniform integers below a bound, from a
// generator seeded once. The draw is defined here rather than by
// std::uniform_int_distribution so that a seed deals the same game on every
// standard library.
class TRandom {
public:
    // Where the source stands: its seed and how many numbers it has drawn
    // since. Small enough to keep with a game and exact to go on from.
    struct TState {
        uint32_t Seed = 0;
        uint64_t Draws = 0;
        bool operator==(const TState&) const = default;
    };
    // More draws than any game makes (at most 46 a piece: some 360,000
    // pieces, a hundred hours of play); a state beyond it is refused, so that
    // going on from one never holds a start up for long.
    static constexpr uint64_t kMostDraws = uint64_t{1} << 24;

    explicit TRandom(uint32_t seed) : generator_(seed), state_{seed, 0} {}
    // Goes on from `state`, which has at most kMostDraws draws.
    explicit TRandom(TState state) : TRandom(state.Seed)
    {
        generator_.discard(state.Draws);
        state_.Draws = state.Draws;
    }

    // A uniform integer in 0..n-1; n > 0.
    int32_t Below(int32_t n)
    {
        const uint64_t range = static_cast<uint64_t>(n);
        const uint64_t span = uint64_t{1} << 32;
        const uint64_t limit = span - span % range;  // largest multiple of n that fits
        uint64_t draw;
        do {
            draw = generator_();
            ++state_.Draws;
        } while (draw >= limit);
        return static_cast<int32_t>(draw % range);
    }

    TState State() const { return state_; }

private:
    std::mt19937 generator_;
    TState state_;
};
