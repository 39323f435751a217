#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/GameEngine.h"
#include "tests/engine/EngineFixture.h"
#include "tests/engine/RecordingView.h"

namespace {

using Geometry::CellLeft;
using Geometry::CellTop;
using Geometry::kGrabOffsetX;
using Geometry::kGrabOffsetY;
using Geometry::kGrabX;
using Geometry::kGrabY;

// What a player does, once by cell and once with the mouse at the points
// the cells stand for, on two engines dealt the same pieces.
struct TMove {
    const char* name;
    std::function<void(TGameEngine&)> byCell;
    std::function<void(TGameEngine&, const TRecordingView&)> byMouse;
};

void Press(TGameEngine& engine, TMouseButton button, int32_t x, int32_t y)
{
    engine.boxMouseDown(button, x, y);
    if (button == TMouseButton::Left)
        engine.boxClick();
}

void MouseTo(TGameEngine& engine, int column, int row)
{
    engine.boxMouseMove(CellLeft(column) + kGrabOffsetX, CellTop(row) + kGrabOffsetY);
}

// The pointer where the carried piece hangs from it.
void AtPiece(TGameEngine& engine, const TRecordingView& view, TMouseButton button)
{
    Press(engine, button, view.Place.X + kGrabOffsetX, view.Place.Y + kGrabOffsetY);
}

const TMove kPickUp{"pick up", [](TGameEngine& e) { e.PickUp(); },
                    [](TGameEngine& e, const TRecordingView&) {
                        Press(e, TMouseButton::Left, kGrabX, kGrabY);
                        MouseTo(e, 3, 3);
                    }};
const TMove kLeftTwo{"two cells left", [](TGameEngine& e) { e.CarryBy(-2, 0); },
                     [](TGameEngine& e, const TRecordingView&) { MouseTo(e, 1, 3); }};
const TMove kDown{"one cell down", [](TGameEngine& e) { e.CarryBy(0, 1); },
                  [](TGameEngine& e, const TRecordingView&) { MouseTo(e, 1, 4); }};
const TMove kTurn{"turn", [](TGameEngine& e) { e.Turn(); },
                  [](TGameEngine& e, const TRecordingView& v) { AtPiece(e, v, TMouseButton::Right); }};
const TMove kDrop{"drop", [](TGameEngine& e) { e.Drop(); },
                  [](TGameEngine& e, const TRecordingView& v) { AtPiece(e, v, TMouseButton::Left); }};
const TMove kThrowAway{"throw away", [](TGameEngine& e) { e.ThrowAway(); },
                       [](TGameEngine& e, const TRecordingView&) {
                           e.boxMouseMove(kGrabX, kGrabY);
                           Press(e, TMouseButton::Left, kGrabX, kGrabY);
                       }};

TEST(CellEntries, PlayExactlyAsTheMouseDoesAtTheCellsPoints)
{
    const std::vector<std::vector<TMove>> games = {
        {kPickUp, kDrop, kPickUp, kLeftTwo, kDown, kTurn, kDrop},
        {kPickUp, kTurn, kTurn, kThrowAway, kPickUp, kLeftTwo, kDrop},
    };
    for (const auto& moves : games) {
        TRecordingView cellView;
        TRecordingView mouseView;
        TGameEngine byCell(cellView, 77u);
        TGameEngine byMouse(mouseView, 77u);
        byCell.Restart();
        byMouse.Restart();
        for (const TMove& move : moves) {
            SCOPED_TRACE(move.name);
            move.byCell(byCell);
            move.byMouse(byMouse, mouseView);
            ASSERT_EQ(cellView.Calls, mouseView.Calls);
            ASSERT_EQ(byCell.Board, byMouse.Board);
            ASSERT_EQ(byCell.Piece, byMouse.Piece);
            ASSERT_EQ(byCell.Score, byMouse.Score);
            ASSERT_EQ(byCell.Holding, byMouse.Holding);
        }
        EXPECT_GT(byCell.Tally.PiecesPlaced, 0);
    }
}

class CellEntriesTest : public EngineTest {};

TEST_F(CellEntriesTest, APieceIsTakenOntoTheMiddleOfTheBoard)
{
    StartGame();
    engine.PickUp();
    ASSERT_TRUE(engine.Carrying());
    EXPECT_EQ(engine.TargetColumn(), 3);
    EXPECT_EQ(engine.TargetRow(), 3);
}

TEST_F(CellEntriesTest, OnlyTheFramesEmptyColumnsAndRowsHangOverTheEdge)
{
    struct TCase {
        const char* piece;
        std::initializer_list<std::pair<int, int32_t>> slots;
        int askColumn, askRow, column, row;
    };
    const TCase cases[] = {
        // The middle slot alone may hang over by a whole column or row each side.
        {"middle", {{PieceIndex(1, 1), 0}}, -9, -9, -1, -1},
        {"middle", {{PieceIndex(1, 1), 0}}, 20, 20, 7, 7},
        // The top-left slot alone: nothing over the top or left, two over the right and bottom.
        {"top left", {{PieceIndex(0, 0), 0}}, -9, -9, 0, 0},
        {"top left", {{PieceIndex(0, 0), 0}}, 20, 20, 8, 8},
        // A full frame stays whole on the board.
        {"full", {{PieceIndex(0, 0), 0}, {PieceIndex(2, 2), 0}}, 20, -9, 6, 0},
        {"inside", {{PieceIndex(1, 1), 0}}, 4, 5, 4, 5},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.piece);
        StartGame();
        SetPiece(c.slots);
        engine.PickUp();
        engine.CarryTo(c.askColumn, c.askRow);
        EXPECT_EQ(engine.TargetColumn(), c.column);
        EXPECT_EQ(engine.TargetRow(), c.row);
        EXPECT_TRUE(engine.FitsAt(engine.TargetColumn(), engine.TargetRow()));
    }
}

TEST_F(CellEntriesTest, NothingHappensWithoutAPieceToPlayOrWhilePaused)
{
    const std::function<void(TGameEngine&)> entries[] = {
        [](TGameEngine& e) { e.CarryTo(0, 0); }, [](TGameEngine& e) { e.CarryBy(1, 1); },
        [](TGameEngine& e) { e.Turn(); },        [](TGameEngine& e) { e.Drop(); },
        [](TGameEngine& e) { e.ThrowAway(); },
    };
    // A piece waiting in its box, not carried: only PickUp takes it.
    StartGame();
    const auto piece = engine.Piece;
    for (const auto& entry : entries)
        entry(engine);
    EXPECT_TRUE(view.Calls.empty());
    EXPECT_EQ(engine.Piece, piece);

    // Paused with the piece carried: nothing moves, turns or lands.
    engine.PickUp();
    engine.Pause();
    view.Calls.clear();
    for (const auto& entry : entries)
        entry(engine);
    engine.PickUp();
    EXPECT_TRUE(view.Calls.empty());
    EXPECT_TRUE(engine.Holding);

    // No game at all.
    TRecordingView idleView;
    TGameEngine idle(idleView, 1u);
    idle.PickUp();
    for (const auto& entry : entries)
        entry(idle);
    EXPECT_TRUE(idleView.Calls.empty());
    EXPECT_FALSE(idle.Holding);
}

}  // namespace
