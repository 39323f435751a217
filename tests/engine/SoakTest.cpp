#include <gtest/gtest.h>

#include <algorithm>

#include "engine/SelfPlay.h"

namespace {

// Everything that must hold between any two events of a game.
void ExpectConsistent(TSelfPlay& play, int32_t& lastLevel, int64_t step)
{
    TGameEngine& engine = play.Engine();
    THeadlessView& sprite = play.View();
    for (int32_t code : engine.Board)
        ASSERT_TRUE(code == -1 || (code >= 0 && code <= 127)) << "step " << step << " code " << code;
    ASSERT_GE(engine.Score, 0) << "step " << step;
    ASSERT_GE(engine.TimeLeft, 0) << "step " << step;
    ASSERT_LE(engine.TimeLeft, engine.TimeLimit) << "step " << step;
    ASSERT_EQ(sprite.PauseTextVisible, engine.Paused) << "step " << step;
    if (engine.GameOver) {
        ASSERT_FALSE(engine.Paused) << "step " << step;
        return;
    }
    ASSERT_EQ(engine.TimeLimit, std::max(20, 600 - 3 * engine.Level)) << "step " << step;
    if (engine.Level < lastLevel) {
        // Only a new game lowers the level.
        ASSERT_EQ(engine.Level, 0) << "step " << step;
        ASSERT_EQ(engine.Score, 0) << "step " << step;
    }
    lastLevel = engine.Level;
    ASSERT_TRUE(sprite.Place.Visible) << "step " << step;
    ASSERT_EQ(sprite.Place.Dragging, engine.Holding) << "step " << step;
    if (!engine.Holding) {
        ASSERT_EQ(sprite.Place.X, Geometry::kPreviewLeft) << "step " << step;
        ASSERT_EQ(sprite.Place.Y, Geometry::kPreviewTop) << "step " << step;
    }
    const auto occupied = std::count_if(engine.Piece.begin(), engine.Piece.end(), CellCode::IsOccupied);
    ASSERT_GE(occupied, 1) << "step " << step;
}

}  // namespace

TEST(SelfPlaySoak, EveryStateBetweenEventsIsConsistent)
{
    int64_t games = 0;
    int32_t bestLevel = 0;
    for (uint32_t seed : {1u, 7u, 1234u, 99991u, 424242u}) {
        TSelfPlay play(seed);
        int32_t lastLevel = 0;
        for (int64_t step = 0; step < 100000; ++step) {
            play.Step();
            ExpectConsistent(play, lastLevel, step);
            if (HasFatalFailure())
                return;
            bestLevel = std::max(bestLevel, play.Engine().Level);
        }
        games += play.GamesStarted();
    }
    // The driver must really play: games end and start, and pieces clear.
    EXPECT_GT(games, 50);
    EXPECT_GE(bestLevel, 3);
}

// The restless player never gets far; the greedy one plays one long game
// into the levels where tiles come thick, bombs come often and turns are
// shortest, and on to scores wider than the five digits on the playfield.
TEST(SelfPlaySoak, GreedyPlayerKeepsEveryStateConsistentPastLevel200)
{
    TSelfPlay play(20261210u, TSelfPlay::TPlayer::Greedy);
    const TGameEngine& engine = play.Engine();
    int32_t lastLevel = 0;
    bool fourLayerTileDealt = false;
    bool bombDealtAbove128 = false;
    bool shortestTurnPlayed = false;
    for (int64_t step = 0; step < 30000 && (engine.Level < 200 || engine.Score <= 99999); ++step) {
        play.Step();
        ExpectConsistent(play, lastLevel, step);
        if (HasFatalFailure())
            return;
        for (int32_t code : engine.Piece) {
            fourLayerTileDealt |= CellCode::IsTile(code) && code >= CellCode::kFullFrom;
            bombDealtAbove128 |= code == CellCode::kBomb && engine.Level >= 128;
        }
        shortestTurnPlayed |= engine.TimeLimit == TGameEngine::kShortestTurn && engine.TimeLeft > 0;
    }
    EXPECT_EQ(play.GamesStarted(), 1);
    EXPECT_GE(engine.Level, 200);
    EXPECT_GT(engine.Score, 99999);
    EXPECT_TRUE(fourLayerTileDealt);
    EXPECT_TRUE(bombDealtAbove128);
    EXPECT_TRUE(shortestTurnPlayed);
}
