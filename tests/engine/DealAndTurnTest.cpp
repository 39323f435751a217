#include <map>
#include <set>

#include "tests/engine/EngineFixture.h"

using DealAndTurn = EngineTest;

TEST_F(DealAndTurn, ANewEngineWaitsForTheFirstGameWithoutDrawing)
{
    EXPECT_TRUE(engine.GameOver);
    EXPECT_FALSE(engine.Holding);
    EXPECT_FALSE(engine.Paused);
    EXPECT_EQ(engine.Level, 1);
    EXPECT_EQ(engine.Score, 0);
    EXPECT_EQ(engine.TimeLimit, 600);
    EXPECT_EQ(engine.TimeLeft, 0);
    for (int32_t code : engine.Board)
        EXPECT_EQ(code, CellCode::kEmpty);
    EXPECT_TRUE(view.Calls.empty());
}

TEST_F(DealAndTurn, ANewGameClearsTheBoardDealsAndShowsTheNumbers)
{
    engine.Board.fill(3);
    engine.NewGame();

    ASSERT_EQ(view.Calls.size(), 81u + 5u + 2u);
    EXPECT_EQ(view.Calls[0], "DrawCell 0 0");
    EXPECT_EQ(view.Calls[1], "DrawCell 0 1");
    EXPECT_EQ(view.Calls[80], "DrawCell 8 8");
    EXPECT_EQ(std::vector<std::string>(view.Calls.begin() + 81, view.Calls.end()),
              (std::vector<std::string>{"Hide", "RenderPiece", "SetPosition 321 53", "Show", "DrawTimeBar",
                                        "DrawNumbers", "ShowPauseText 0"}));
    EXPECT_EQ(engine.Level, 0);
    EXPECT_EQ(engine.TimeLeft, 600);
    EXPECT_FALSE(engine.GameOver);
    for (int32_t code : engine.Board)
        EXPECT_EQ(code, CellCode::kEmpty);
}

// Deals many pieces at one level on a prepared board and collects what came.
struct DealStats {
    std::map<int32_t, int> codes;  // slot code -> how often
    std::set<int> occupiedCounts;
};

DealStats DealMany(TGameEngine& engine, int32_t level, int deals)
{
    DealStats stats;
    engine.Level = level;
    for (int n = 0; n < deals; ++n) {
        engine.DealPiece();
        EXPECT_EQ(engine.TimeLeft, engine.TimeLimit);
        int occupied = 0;
        for (int32_t code : engine.Piece) {
            if (code >= 0) {
                ++stats.codes[code];
                ++occupied;
            }
        }
        stats.occupiedCounts.insert(occupied);
    }
    return stats;
}

TEST_F(DealAndTurn, LowLevelsDealOneOrTwoLayerTilesAndNoBombsOnABoardWithoutFullCells)
{
    StartGame();
    for (int32_t level : {0, 63}) {
        const DealStats stats = DealMany(engine, level, 20000);
        EXPECT_EQ(stats.codes.begin()->first, 0);
        EXPECT_EQ(stats.codes.rbegin()->first, 32) << "level " << level;
        EXPECT_EQ(stats.codes.size(), 33u);
        EXPECT_EQ(*stats.occupiedCounts.begin(), 1);
        EXPECT_LE(*stats.occupiedCounts.rbegin(), 9);
    }
}

TEST_F(DealAndTurn, TheTopValueAtLevelZeroComesOnceInThirtyThreeDraws)
{
    StartGame();
    const DealStats stats = DealMany(engine, 0, 30000);
    int draws = 0;
    for (auto [code, count] : stats.codes)
        draws += count;
    const double share = static_cast<double>(stats.codes.at(32)) / draws;
    // Overwritten slots hide a few draws but not the proportion.
    EXPECT_NEAR(share, 1.0 / 33, 0.004);
}

TEST_F(DealAndTurn, HigherLevelsAllowThickerTiles)
{
    StartGame();
    struct Case {
        int32_t level;
        int32_t highest;
    };
    for (const Case& each : {Case{64, 64}, Case{127, 64}, Case{128, 96}, Case{192, 128}, Case{1000, 128}}) {
        const DealStats stats = DealMany(engine, each.level, 20000);
        EXPECT_EQ(stats.codes.rbegin()->first, each.highest) << "level " << each.level;
        EXPECT_EQ(stats.codes.size(), static_cast<size_t>(each.highest + 1)) << "level " << each.level;
    }
}

TEST_F(DealAndTurn, ABoardOfFullCellsDealsOnlyBombs)
{
    StartGame();
    engine.Board.fill(127);
    const DealStats stats = DealMany(engine, 0, 2000);
    ASSERT_EQ(stats.codes.size(), 1u);
    EXPECT_EQ(stats.codes.begin()->first, CellCode::kBomb);
}

TEST_F(DealAndTurn, SomeFullCellsMakeBombsAsOftenAsTheirShare)
{
    StartGame();
    FillCells(0, 0, 9, 3, 100);  // 27 of 81 cells full: a third of the draws are bombs
    const DealStats stats = DealMany(engine, 0, 20000);
    int draws = 0;
    for (auto [code, count] : stats.codes)
        draws += count;
    EXPECT_NEAR(static_cast<double>(stats.codes.at(CellCode::kBomb)) / draws, 1.0 / 3, 0.02);
}

TEST_F(DealAndTurn, TheSameSeedDealsTheSameGame)
{
    TRecordingView otherView;
    TGameEngine other{otherView, 20261210u};
    engine.NewGame();
    other.NewGame();
    for (int n = 0; n < 50; ++n) {
        EXPECT_EQ(engine.Piece, other.Piece);
        engine.DealPiece();
        other.DealPiece();
    }
}

TEST_F(DealAndTurn, ATurnMovesEachSlotAQuarterClockwise)
{
    StartGame();
    std::array<int32_t, 9> start{};
    for (int index = 0; index < 9; ++index)
        start[index] = index * 10;
    engine.Piece = start;
    view.Calls.clear();

    engine.RotatePiece();

    EXPECT_EQ(view.Calls, (std::vector<std::string>{"Hide", "RenderPiece", "Show"}));
    const std::array<int32_t, 9> turned{20, 50, 80, 10, 40, 70, 0, 30, 60};
    EXPECT_EQ(engine.Piece, turned);
    for (int turns = 1; turns < 4; ++turns)
        engine.RotatePiece();
    EXPECT_EQ(engine.Piece, start);
}

TEST_F(DealAndTurn, ATileInTheTopLeftSlotTurnsToTheTopRight)
{
    StartGame();
    SetPiece({{PieceIndex(0, 0), 5}});
    engine.RotatePiece();
    EXPECT_EQ(engine.Piece[PieceIndex(2, 0)], 5);
    EXPECT_EQ(engine.Piece[PieceIndex(0, 0)], CellCode::kEmpty);
}
