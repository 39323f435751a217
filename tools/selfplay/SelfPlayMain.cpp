// Plays Novagrid headless and prints how the games went: a quick look at the
// rules at work without a window.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/SelfPlay.h"

namespace {

constexpr const char* kUsage =
    "usage: novagrid-selfplay [--greedy] [SEED [EVENTS]]\n"
    "Plays EVENTS events (100000) with the seed SEED (1) and prints the games'\n"
    "count, best score and best level.\n"
    "  --greedy  a player that puts each piece where it clears the most and\n"
    "            plays on into the high levels, instead of the restless one\n"
    "            that moves, turns, drops, pauses and gives up at random\n"
    "  --help    this text\n";

// A whole decimal number, or false.
bool ParseCount(const char* text, unsigned long long& value)
{
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return *text >= '0' && *text <= '9' && *end == '\0';
}

int Refuse(const char* message, const char* argument)
{
    std::fprintf(stderr, "novagrid-selfplay: %s %s\n%s", message, argument, kUsage);
    return 2;
}

}  // namespace

int main(int argc, char* argv[])
{
    TSelfPlay::TPlayer player = TSelfPlay::TPlayer::Restless;
    unsigned long long numbers[2] = {1, 100000};
    int positionals = 0;
    for (int n = 1; n < argc; ++n) {
        const char* argument = argv[n];
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argument, "--greedy") == 0)
            player = TSelfPlay::TPlayer::Greedy;
        else if (argument[0] == '-')
            return Refuse("unknown option", argument);
        else if (positionals == 2)
            return Refuse("one argument too many:", argument);
        else if (!ParseCount(argument, numbers[positionals++]))
            return Refuse("not a whole number:", argument);
    }

    const auto seed = static_cast<uint32_t>(numbers[0]);
    const unsigned long long events = numbers[1];
    TSelfPlay play(seed, player);
    int32_t bestScore = 0;
    int32_t bestLevel = 0;
    for (unsigned long long n = 0; n < events; ++n) {
        play.Step();
        bestScore = std::max(bestScore, play.Engine().Score);
        bestLevel = std::max(bestLevel, play.Engine().Level);
    }
    std::printf("seed %u: %llu events, %lld games, best score %d, best level %d\n", seed, events,
                static_cast<long long>(play.GamesStarted()), bestScore, bestLevel);
    return 0;
}
