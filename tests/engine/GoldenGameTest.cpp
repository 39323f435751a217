#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/GameEngine.h"
#include "tests/engine/GoldenScript.h"
#include "tests/engine/RecordingView.h"

// One seeded game played through the engine's entries alone, with every
// result pinned: a change in what the seed deals, in the order of the random
// draws, in the rules or in what the player would see and hear shows here,
// where two engines compared with each other would agree.

namespace {

// FNV-1a over every outlet call in order, each call's text ended by a newline.
uint64_t Fingerprint(const std::vector<std::string>& calls)
{
    uint64_t hash = 14695981039346656037u;
    for (const std::string& call : calls) {
        for (unsigned char byte : call + '\n') {
            hash ^= byte;
            hash *= 1099511628211u;
        }
    }
    return hash;
}

}  // namespace

TEST(GoldenGame, SeededScriptEndsOnTheSameBoardScoreLevelAndOutletCalls)
{
    TRecordingView view;
    TGameEngine engine(view, kGoldenSeed);
    engine.Restart();
    for (const TGoldenTurn& turn : kGoldenScript)
        PlayGoldenTurn(engine, turn);
    // The last piece waits until its turn runs out: it is lost and the game ends.
    while (!engine.GameOver)
        engine.Timer();

    // One line per column, top to bottom.
    const std::array<int32_t, kBoardCells> expectedBoard = {
        17, 12, -1, 8,  -1, -1, -1, 10, -1, -1, 9,  -1, -1, -1, 22, 31, -1, -1, -1, -1, 9,  -1, -1, 0,  21, -1, -1,
        29, 0,  5,  -1, 22, -1, -1, 20, -1, 3,  11, -1, -1, 22, -1, -1, -1, -1, 21, 13, -1, -1, -1, -1, -1, -1, -1,
        -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    EXPECT_EQ(engine.Board, expectedBoard);
    EXPECT_EQ(engine.Level, 23);
    EXPECT_EQ(engine.Score, 605);
    EXPECT_EQ(view.Calls.size(), 2436u);
    EXPECT_EQ(view.Only("PlayEffect 4").size(), 28u) << "groups cleared";
    EXPECT_EQ(view.Only("RenderPiece").size(), 85u) << "pieces dealt and turned";
    EXPECT_EQ(Fingerprint(view.Calls), 6956005679686835646u);
}
