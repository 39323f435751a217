// Plays Novagrid headless with random but plausible input and prints how the
// games went: a quick look at the rules at work without a window.
#include <cstdio>
#include <cstdlib>

#include "SelfPlay.h"

int main(int argc, char* argv[])
{
    const uint32_t seed = argc > 1 ? static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 1;
    const long entries = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 100000;
    TSelfPlay play(seed);
    int32_t bestScore = 0;
    int32_t bestLevel = 0;
    for (long n = 0; n < entries; ++n) {
        play.Step();
        bestScore = std::max(bestScore, play.Engine().Score);
        bestLevel = std::max(bestLevel, play.Engine().Level);
    }
    std::printf("seed %u: %ld events, %lld games, best score %d, best level %d\n", seed, entries,
                static_cast<long long>(play.GamesStarted()), bestScore, bestLevel);
    return 0;
}
