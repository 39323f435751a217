#pragma once

#include <array>
#include <cstdint>

#include "engine/CellCode.h"
#include "engine/GameTally.h"
#include "engine/Random.h"

// A game the player left to come back to: everything it needs to go on
// exactly where it was, as plain data that a store can keep. The piece waits
// in its box (a carried one is put back), turned as it was; the turn's time
// limit follows from the level.
struct TKeptGame {
    // Raised whenever what is kept, or what it means, changes: a game kept by
    // another version is not taken up.
    static constexpr int32_t kVersion = 1;

    std::array<int32_t, kBoardCells> Board{};
    std::array<int32_t, kPieceSlots> Piece{};
    int32_t TimeLeft = 0;
    int32_t Level = 0;
    int32_t Score = 0;
    TGameTally Tally;
    TRandom::TState Random;

    bool operator==(const TKeptGame&) const = default;
};
