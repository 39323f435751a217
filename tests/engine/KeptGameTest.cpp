#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>

#include "engine/GameEngine.h"
#include "tests/engine/GoldenScript.h"
#include "tests/engine/RecordingView.h"

// A game kept and taken up again goes on exactly as it would have: the same
// pieces dealt, the same clearings, the same tally.

namespace {

struct TGameEnd {
    std::array<int32_t, kBoardCells> Board;
    int32_t Level;
    int32_t Score;
    TGameTally Tally;
    std::vector<std::string> Ended;  // what the window heard of the end
};

void PlayOutTheGoldenGame(TGameEngine& engine, size_t fromTurn)
{
    for (size_t n = fromTurn; n < std::size(kGoldenScript); ++n)
        PlayGoldenTurn(engine, kGoldenScript[n]);
    while (!engine.GameOver)
        engine.Timer();
}

TGameEnd EndOf(const TGameEngine& engine, const TRecordingView& view)
{
    return {engine.Board, engine.Level, engine.Score, engine.Tally, view.Only("GameEnded")};
}

TGameEnd UncutGoldenGame()
{
    TRecordingView view;
    TGameEngine engine(view, kGoldenSeed);
    engine.Restart();
    PlayOutTheGoldenGame(engine, 0);
    return EndOf(engine, view);
}

// A game to keep at level 1 and beyond: the golden game's first turns.
TKeptGame KeptAfterGoldenTurns(size_t turns)
{
    TRecordingView view;
    TGameEngine engine(view, kGoldenSeed);
    engine.Restart();
    for (size_t n = 0; n < turns; ++n)
        PlayGoldenTurn(engine, kGoldenScript[n]);
    return engine.Keep();
}

class CutGoldenGame : public testing::TestWithParam<size_t> {};

}  // namespace

// The cut-and-restore table: the game kept after every turn of the script, taken
// up by a new engine with a seed of its own, ends as the uncut game does.
TEST_P(CutGoldenGame, KeptAndTakenUpEndsAsTheUncutGame)
{
    const size_t cut = GetParam();
    static const TGameEnd uncut = UncutGoldenGame();

    TRecordingView before;
    TGameEngine first(before, kGoldenSeed);
    first.Restart();
    for (size_t n = 0; n < cut; ++n)
        PlayGoldenTurn(first, kGoldenScript[n]);
    const TKeptGame kept = first.Keep();
    EXPECT_TRUE(first.GameOver);
    EXPECT_TRUE(before.Only("GameEnded").empty()) << "a kept game is not counted as ended";

    TRecordingView after;
    TGameEngine second(after, 1u);
    ASSERT_TRUE(second.Restore(kept));
    EXPECT_TRUE(second.Paused);
    EXPECT_EQ(second.Snapshot(), kept);
    second.boxClick();  // goes on
    PlayOutTheGoldenGame(second, cut);

    const TGameEnd end = EndOf(second, after);
    EXPECT_EQ(end.Board, uncut.Board);
    EXPECT_EQ(end.Level, uncut.Level);
    EXPECT_EQ(end.Score, uncut.Score);
    EXPECT_EQ(end.Tally, uncut.Tally) << "the tally holds the whole game, both runs of it";
    EXPECT_EQ(end.Ended, uncut.Ended);
}

INSTANTIATE_TEST_SUITE_P(EveryTurn, CutGoldenGame, testing::Range(size_t{0}, std::size(kGoldenScript) + 1));

TEST(KeptGame, KeptTwiceOverGoesOnAsKeptOnce)
{
    const TGameEnd uncut = UncutGoldenGame();
    TKeptGame kept = KeptAfterGoldenTurns(10);
    for (size_t cut : {20u, 37u}) {
        TRecordingView view;
        TGameEngine engine(view, cut);
        ASSERT_TRUE(engine.Restore(kept));
        engine.boxClick();
        for (size_t n = cut == 20u ? 10 : 20; n < cut; ++n)
            PlayGoldenTurn(engine, kGoldenScript[n]);
        kept = engine.Keep();
    }
    TRecordingView view;
    TGameEngine engine(view, 7u);
    ASSERT_TRUE(engine.Restore(kept));
    engine.boxClick();
    PlayOutTheGoldenGame(engine, 37);
    EXPECT_EQ(engine.Board, uncut.Board);
    EXPECT_EQ(engine.Score, uncut.Score);
    EXPECT_EQ(engine.Tally, uncut.Tally);
}

TEST(KeptGame, ACarriedPieceGoesBackToItsBoxAsTurned)
{
    TRecordingView view;
    TGameEngine engine(view, kGoldenSeed);
    engine.Restart();
    engine.boxMouseDown(TMouseButton::Left, 340, 75);
    engine.boxMouseDown(TMouseButton::Right, 340, 75);
    engine.boxMouseMove(120, 150);
    ASSERT_TRUE(engine.Holding);
    const auto turned = engine.Piece;
    const TKeptGame kept = engine.Keep();
    EXPECT_EQ(kept.Piece, turned);
    EXPECT_FALSE(engine.Holding);
    EXPECT_FALSE(view.Place.Dragging);
    EXPECT_FALSE(view.Place.Visible);
    // Left as it starts: no game, nothing on the board.
    EXPECT_TRUE(engine.GameOver);
    EXPECT_FALSE(engine.Paused);
    EXPECT_EQ(engine.Score, 0);
    EXPECT_TRUE(std::all_of(engine.Board.begin(), engine.Board.end(), [](int32_t c) { return c == CellCode::kEmpty; }));

    TRecordingView after;
    TGameEngine again(after, 3u);
    ASSERT_TRUE(again.Restore(kept));
    EXPECT_FALSE(again.Holding);
    EXPECT_EQ(after.Place.X, Geometry::kPreviewLeft);
    EXPECT_EQ(after.Place.Y, Geometry::kPreviewTop);
    EXPECT_TRUE(after.Place.Visible);
    EXPECT_TRUE(after.PauseTextVisible);
    EXPECT_EQ(again.Piece, turned);
    // Paused: the turn waits until the player goes on.
    const int32_t left = again.TimeLeft;
    again.Timer();
    EXPECT_EQ(again.TimeLeft, left);
}

TEST(KeptGame, TheRulesRefuseWhatTheyCouldNotHaveLedTo)
{
    const TKeptGame sound = KeptAfterGoldenTurns(12);
    ASSERT_GT(sound.Level, 0);
    ASSERT_TRUE(TGameEngine::CouldBeKept(sound));
    const int32_t turn = TGameEngine::TurnLength(sound.Level);

    const std::pair<const char*, std::function<void(TKeptGame&)>> damages[] = {
        {"five layers on a cell", [](TKeptGame& k) { k.Board[40] = 128 + 5; }},
        {"a bomb on the board", [](TKeptGame& k) { k.Board[0] = CellCode::kBomb; }},
        {"a cell code below empty", [](TKeptGame& k) { k.Board[80] = -2; }},
        {"an empty piece", [](TKeptGame& k) { k.Piece.fill(CellCode::kEmpty); }},
        {"a thick tile before level 64", [](TKeptGame& k) { k.Piece[4] = 33; }},
        {"a piece code past the bomb", [](TKeptGame& k) { k.Piece[4] = 129; }},
        {"a negative score", [](TKeptGame& k) { k.Score = -1; }},
        {"a negative level", [](TKeptGame& k) { k.Level = -1; }},
        {"no time left", [](TKeptGame& k) { k.TimeLeft = 0; }},
        {"more time than the turn has", [turn](TKeptGame& k) { k.TimeLeft = turn + 15; }},
        {"time between two ticks", [turn](TKeptGame& k) { k.TimeLeft = turn - 7; }},
        {"a level above the pieces placed",
         [](TKeptGame& k) { k.Level = static_cast<int32_t>(k.Tally.PiecesPlaced) + 1; }},
        {"more groups at once than there are", [](TKeptGame& k) { k.Tally.MostGroupsAtOnce = 68; }},
        {"more groups at once than in all",
         [](TKeptGame& k) { k.Tally.MostGroupsAtOnce = static_cast<int32_t>(k.Tally.GroupsCleared) + 1; }},
        {"negative ticks", [](TKeptGame& k) { k.Tally.RunningTicks = -1; }},
        {"more draws than a game makes", [](TKeptGame& k) { k.Random.Draws = TRandom::kMostDraws + 1; }},
    };
    for (const auto& [what, damage] : damages) {
        TKeptGame kept = sound;
        damage(kept);
        EXPECT_FALSE(TGameEngine::CouldBeKept(kept)) << what;

        TRecordingView view;
        TGameEngine engine(view, 5u);
        const auto board = engine.Board;
        EXPECT_FALSE(engine.Restore(kept)) << what;
        EXPECT_TRUE(engine.GameOver) << what;
        EXPECT_EQ(engine.Board, board) << what;
        EXPECT_TRUE(view.Calls.empty()) << what << ": nothing is drawn of a refused game";
    }
}

TEST(KeptGame, ThickTilesAndTheShortestTurnAreKeptLateInAGame)
{
    TKeptGame late = KeptAfterGoldenTurns(12);
    late.Level = 200;
    late.Tally.PiecesPlaced = late.Tally.GroupsCleared = 400;
    late.Piece[0] = 32 * 3 + 32;  // four layers, as level 192 on deals them
    late.TimeLeft = TGameEngine::kShortestTurn;
    EXPECT_TRUE(TGameEngine::CouldBeKept(late));
    late.TimeLeft = 5;  // the last tick of a 20-unit turn
    EXPECT_TRUE(TGameEngine::CouldBeKept(late));
}
