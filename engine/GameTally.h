#pragma once

#include <cstdint>

// What the running game has done so far, for the player's lifetime record.
// A new game starts it afresh; a kept game carries it into the run that
// goes on with it.
struct TGameTally {
    int64_t GroupsCleared = 0;
    int32_t MostGroupsAtOnce = 0;  // in one placement
    int64_t RunningTicks = 0;      // turn ticks that ran, so neither paused nor over
    int64_t PiecesPlaced = 0;

    bool operator==(const TGameTally&) const = default;
};
