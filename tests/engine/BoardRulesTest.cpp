#include <limits>

#include "tests/engine/EngineFixture.h"

using BoardRules = EngineTest;

TEST_F(BoardRules, ThreeQualifyingRowsAtLevelZeroMakeTenGroupsAndTheBigBonus)
{
    StartGame();
    FillCells(0, 0, 9, 3, 5);
    engine.Level = 0;
    engine.Score = 0;

    engine.ClearGroups();

    EXPECT_EQ(Count("PlayEffect 4"), 10);
    EXPECT_EQ(engine.Score, 10 * 9 + 27 + 10 * 99);
    EXPECT_EQ(engine.Level, 1);
    EXPECT_EQ(engine.TimeLimit, 597);
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 3; ++r)
            EXPECT_EQ(engine.Cell(c, r), CellCode::kEmpty);
}

TEST_F(BoardRules, APatchThreeHighAndFiveWideMakesThreeWindows)
{
    StartGame();
    FillCells(2, 4, 5, 3, 40);
    engine.Level = 0;
    engine.Score = 0;

    engine.ClearGroups();

    EXPECT_EQ(engine.Score, 69);
    EXPECT_EQ(engine.Level, 1);
    // Two layers lose one: the patch keeps its pictures with one layer.
    EXPECT_EQ(engine.Cell(2, 4), 8);
}

TEST_F(BoardRules, EachGroupFlashesWithItsNineCellsInOrderAndRestoresThem)
{
    StartGame();
    FillCells(3, 3, 3, 3, 0);
    engine.ClearGroups();

    std::vector<std::string> expected{"PlayEffect 4"};
    for (int c = 3; c < 6; ++c)
        for (int r = 3; r < 6; ++r)
            expected.push_back("InvertCell " + std::to_string(c) + " " + std::to_string(r));
    expected.push_back("DrawNumbers");
    expected.push_back("Delay 300");
    for (int c = 3; c < 6; ++c)
        for (int r = 3; r < 6; ++r)
            expected.push_back("InvertCell " + std::to_string(c) + " " + std::to_string(r));
    for (int c = 3; c < 6; ++c)
        for (int r = 3; r < 6; ++r)
            expected.push_back("DrawCell " + std::to_string(c) + " " + std::to_string(r));
    expected.push_back("DrawNumbers");
    EXPECT_EQ(view.Calls, expected);
}

TEST_F(BoardRules, RowsFlashLeftToRightAndColumnsTopToBottom)
{
    StartGame();
    FillCells(0, 8, 9, 1, 0);  // the bottom row
    FillCells(8, 0, 1, 8, 0);  // and the right-hand column above it
    engine.ClearGroups();

    const auto flashes = view.Only("InvertCell");
    ASSERT_EQ(flashes.size(), 36u);
    EXPECT_EQ(flashes[0], "InvertCell 0 8");
    EXPECT_EQ(flashes[8], "InvertCell 8 8");
    EXPECT_EQ(flashes[18], "InvertCell 8 0");
    EXPECT_EQ(flashes[26], "InvertCell 8 8");
    // The corner cell is in both groups and still loses only one layer.
    EXPECT_EQ(engine.Cell(8, 8), CellCode::kEmpty);
    EXPECT_EQ(engine.Score, 2 * 9 + 17);
}

struct BonusCase {
    int width, height;  // a patch of qualifying cells at the top left
    int groups;
    std::vector<std::string> bonusSounds;
};

void PrintTo(const BonusCase& each, std::ostream* out)
{
    *out << each.groups << " groups";
}

class BonusSounds : public EngineTest, public ::testing::WithParamInterface<BonusCase> {};

TEST_P(BonusSounds, FollowTheNumberOfGroups)
{
    const BonusCase& bonus = GetParam();
    StartGame();
    FillCells(0, 0, bonus.width, bonus.height, 1);
    engine.ClearGroups();

    EXPECT_EQ(Count("PlayEffect 4"), bonus.groups);
    std::vector<std::string> sounds;
    for (const auto& call : view.Calls)
        if (call == "Delay 200" || call.rfind("PlayEffect wait", 0) == 0)
            sounds.push_back(call);
    EXPECT_EQ(sounds, bonus.bonusSounds);
}

const std::vector<std::string> kThreeSteps{"Delay 200", "PlayEffect wait 5", "PlayEffect wait 5", "PlayEffect wait 5"};
const std::vector<std::string> kNineBig{"Delay 200",         "PlayEffect wait 6", "PlayEffect wait 5",
                                        "PlayEffect wait 5", "PlayEffect wait 5", "PlayEffect wait 5",
                                        "PlayEffect wait 5", "PlayEffect wait 5", "PlayEffect wait 5",
                                        "PlayEffect wait 5", "PlayEffect wait 5"};

INSTANTIATE_TEST_SUITE_P(Groups, BonusSounds,
                         ::testing::Values(BonusCase{3, 3, 1, {}}, BonusCase{4, 3, 2, {}},
                                           BonusCase{5, 3, 3, kThreeSteps}, BonusCase{5, 5, 9, kNineBig}));

TEST_F(BoardRules, NineGroupsEarnTheBigBonusPerGroup)
{
    StartGame();
    FillCells(0, 0, 5, 5, 1);
    engine.ClearGroups();
    EXPECT_EQ(engine.Score, 9 * 9 + 25 + 9 * 99);
}

class GroupValue : public EngineTest, public ::testing::WithParamInterface<std::pair<int32_t, int32_t>> {};

TEST_P(GroupValue, RisesByOneEveryNineLevels)
{
    const auto [level, value] = GetParam();
    StartGame();
    FillCells(0, 0, 3, 3, 0);
    engine.Level = level;
    engine.ClearGroups();
    EXPECT_EQ(engine.Score, value + 9);  // plus one point per cell that lost a layer
    EXPECT_EQ(engine.Level, level + 1);
}

INSTANTIATE_TEST_SUITE_P(Levels, GroupValue,
                         ::testing::Values(std::pair{0, 9}, std::pair{8, 9}, std::pair{9, 10}, std::pair{17, 10},
                                           std::pair{18, 11}, std::pair{26, 11}, std::pair{27, 12},
                                           std::pair{900, 109}));

TEST_F(BoardRules, TheTimeLimitShrinksWithTheLevelDownToTwenty)
{
    struct Case {
        int32_t levelBefore;
        bool clears;
        int32_t limit;
    };
    for (const Case& each :
         {Case{192, true, 21}, Case{193, true, 20}, Case{500, true, 20}, Case{0, false, 600}, Case{100, false, 300}}) {
        StartGame();
        if (each.clears)
            FillCells(0, 0, 3, 3, 0);
        engine.Level = each.levelBefore;
        engine.ClearGroups();
        EXPECT_EQ(engine.TimeLimit, each.limit) << "level before " << each.levelBefore;
    }
}

TEST_F(BoardRules, AFullCellBlocksEveryGroupThroughIt)
{
    StartGame();
    FillCells(0, 0, 9, 3, 0);
    engine.Board[BoardIndex(4, 1)] = 100;
    engine.ClearGroups();
    // Only the windows clear of column 4: left at 0 and 1, right at 5 and 6; rows 0 and 2.
    EXPECT_EQ(Count("PlayEffect 4"), 6);
    EXPECT_EQ(engine.Cell(4, 1), 100);
}

struct FitCase {
    int32_t tile;
    int32_t target;
    bool fits;
};

void PrintTo(const FitCase& each, std::ostream* out)
{
    *out << "tile " << each.tile << " on " << each.target;
}

class Fitting : public EngineTest, public ::testing::WithParamInterface<FitCase> {};

TEST_P(Fitting, DependsOnTheLayersOfTileAndCell)
{
    const FitCase& fit = GetParam();
    StartGame();
    SetPiece({{PieceIndex(0, 0), fit.tile}});
    engine.Board[BoardIndex(4, 4)] = fit.target;
    CarryOver(4, 4);
    view.Calls.clear();

    EXPECT_EQ(engine.PieceFits(), fit.fits);
    EXPECT_EQ(engine.Holding, !fit.fits);
    EXPECT_EQ(view.Place.Visible, !fit.fits);
    EXPECT_EQ(view.Calls.empty(), !fit.fits);
}

INSTANTIATE_TEST_SUITE_P(Layers, Fitting,
                         ::testing::Values(FitCase{64, -1, true}, FitCase{64, 31, true}, FitCase{64, 32, false},
                                           FitCase{0, 95, true}, FitCase{0, 96, false}, FitCase{32, 63, true},
                                           FitCase{32, 64, false}, FitCase{96, -1, true}, FitCase{96, 0, false},
                                           FitCase{128, -1, true}, FitCase{128, 127, true}));

TEST_F(BoardRules, OneSlotOutsideTheBoardNeverFitsButEmptySlotsMayHangOutside)
{
    StartGame();
    SetPiece({{PieceIndex(0, 0), 0}, {PieceIndex(2, 0), 128}});
    CarryOver(7, 0);
    EXPECT_FALSE(engine.PieceFits());

    SetPiece({{PieceIndex(0, 0), 0}});
    CarryOver(8, 8);
    EXPECT_TRUE(engine.PieceFits());
}

TEST_F(BoardRules, ATileOnAnOccupiedCellAddsItsLayersAndKeepsTheCellsPicture)
{
    StartGame();
    SetPiece({{PieceIndex(1, 1), 37}});
    engine.Board[BoardIndex(5, 5)] = 9;
    CarryOver(4, 4);
    ASSERT_TRUE(engine.PieceFits());
    engine.PlacePiece();

    EXPECT_EQ(engine.Cell(5, 5), 73);
    EXPECT_EQ(engine.Score, 0);
}

TEST_F(BoardRules, TilesOnEmptyCellsScoreAPointEachAndTheLandingSoundsOnce)
{
    StartGame();
    SetPiece({{PieceIndex(0, 0), 3}, {PieceIndex(0, 1), 4}});
    CarryOver(0, 0);
    ASSERT_TRUE(engine.PieceFits());
    view.Calls.clear();
    engine.PlacePiece();

    EXPECT_EQ(view.Calls, (std::vector<std::string>{"DrawNumbers", "DrawCell 0 0", "DrawNumbers", "DrawCell 0 1",
                                                    "PlayEffect wait 1"}));
    EXPECT_EQ(engine.Score, 2);
}

TEST_F(BoardRules, BombsEmptyAnyCellWithAnExplosionEachAndNoLandingSound)
{
    StartGame();
    SetPiece({{PieceIndex(0, 0), 128}, {PieceIndex(1, 0), 128}, {PieceIndex(2, 0), 0}});
    engine.Board[BoardIndex(2, 3)] = 100;  // full
    CarryOver(2, 3);                       // second bomb over the empty (3, 3)
    ASSERT_TRUE(engine.PieceFits());
    view.Calls.clear();
    engine.PlacePiece();

    EXPECT_EQ(view.Calls,
              (std::vector<std::string>{"DrawCell 2 3", "ExplodeCell 98 128", "PlayEffect wait 2", "DrawNumbers",
                                        "DrawCell 3 3", "ExplodeCell 123 128", "PlayEffect wait 2", "DrawNumbers",
                                        "DrawNumbers", "DrawCell 4 3"}));
    EXPECT_EQ(engine.Cell(2, 3), CellCode::kEmpty);
    EXPECT_EQ(engine.Cell(3, 3), CellCode::kEmpty);
    EXPECT_EQ(engine.Score, 1);
}

TEST_F(BoardRules, TargetCellFollowsTruncatingDivisionLeftOfTheBoard)
{
    EXPECT_EQ(Geometry::TargetColumn(-20), -2);
    EXPECT_EQ(Geometry::TargetColumn(-14), -2);
    EXPECT_EQ(Geometry::TargetColumn(-40), -3);
    EXPECT_EQ(Geometry::TargetColumn(48), 0);
    EXPECT_EQ(Geometry::TargetRow(53), 0);
    EXPECT_EQ(Geometry::TargetRow(-9), -2);
    // At the ends of the 32-bit range the sum is still worked out whole.
    constexpr int32_t most = std::numeric_limits<int32_t>::max();
    constexpr int32_t least = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(Geometry::TargetColumn(most), 85'899'344);
    EXPECT_EQ(Geometry::TargetRow(most), 85'899'344);
    EXPECT_EQ(Geometry::TargetColumn(least), -85'899'347);

    StartGame();
    SetPiece({{PieceIndex(2, 0), 1}, {PieceIndex(2, 2), 2}});
    view.Place.X = -20;
    view.Place.Y = 53;
    engine.Holding = true;
    ASSERT_TRUE(engine.PieceFits());
    engine.PlacePiece();
    EXPECT_EQ(engine.Cell(0, 0), 1);
    EXPECT_EQ(engine.Cell(0, 2), 2);
}

TEST_F(BoardRules, ThrowingAwayFiveTilesExplodesEachSlotRowByRowAndFloorsTheScore)
{
    StartGame();
    SetPiece({{PieceIndex(1, 0), 1},
              {PieceIndex(0, 1), 2},
              {PieceIndex(2, 1), 3},
              {PieceIndex(0, 2), 4},
              {PieceIndex(1, 2), 128}});
    engine.Score = 30;
    view.Place.Visible = true;
    engine.Holding = true;
    view.Calls.clear();

    engine.DiscardPiece();

    EXPECT_EQ(engine.Score, 0);
    EXPECT_FALSE(engine.Holding);
    const std::vector<std::string> head(view.Calls.begin(), view.Calls.begin() + 22);
    EXPECT_EQ(head, (std::vector<std::string>{
                        "Release",           "SetPosition 321 53", "ErasePreviewSlot 1 0", "ExplodeCell 346 53",
                        "PlayEffect wait 2", "DrawNumbers",        "ErasePreviewSlot 0 1", "ExplodeCell 321 78",
                        "PlayEffect wait 2", "DrawNumbers",        "ErasePreviewSlot 2 1", "ExplodeCell 371 78",
                        "PlayEffect wait 2", "DrawNumbers",        "ErasePreviewSlot 0 2", "ExplodeCell 321 103",
                        "PlayEffect wait 2", "DrawNumbers",        "ErasePreviewSlot 1 2", "ExplodeCell 346 103",
                        "PlayEffect wait 2", "DrawNumbers"}));
    EXPECT_EQ(Count("PlayEffect wait 2"), 5);
    // Then the piece goes and a new one is dealt with full time.
    EXPECT_EQ(view.Calls[22], "Hide");
    EXPECT_EQ(view.Calls.back(), "DrawTimeBar");
    EXPECT_EQ(engine.TimeLeft, engine.TimeLimit);
}

TEST_F(BoardRules, LosingANineTilePieceCostsEightyOnePoints)
{
    StartGame();
    engine.Piece.fill(7);
    engine.Piece[4] = 128;
    engine.Score = 100;
    engine.ForfeitPiece();
    EXPECT_EQ(engine.Score, 19);
    EXPECT_FALSE(view.Place.Visible);
    EXPECT_TRUE(view.Only("PlayEffect").empty());
}

TEST_F(BoardRules, TheScoreStopsAtTheLargest32BitNumberInsteadOfWrapping)
{
    StartGame();
    FillCells(0, 0, 9, 3, 5);
    engine.Score = std::numeric_limits<int32_t>::max() - 100;

    engine.ClearGroups();

    EXPECT_EQ(engine.Score, std::numeric_limits<int32_t>::max());
    SetPiece({{0, 0}});
    CarryOver(4, 4);
    ASSERT_TRUE(engine.PieceFits());
    engine.PlacePiece();
    EXPECT_EQ(engine.Score, std::numeric_limits<int32_t>::max());
}
