#include "engine/SelfPlay.h"

#include <array>
#include <limits>

namespace {

using TBoard = std::array<int32_t, kBoardCells>;

// How good a move is: clearing comes first; then a board of many thin
// stacks, which complete groups easily, and above all few full cells, which
// block every group through them.
int Value(const TBoard& board, int removed)
{
    int value = 1000 * removed;
    for (int32_t code : board) {
        if (code >= CellCode::kFullFrom)
            value -= 300;
        else if (CellCode::Qualifies(code))
            value += 10 - 3 * CellCode::Layers(code);
    }
    return value;
}

}  // namespace

TPlacement GreedyPlacement(const TGameEngine& engine)
{
    // Every move is tried on a scratch engine, so the plan follows the very
    // rules the game plays by.
    THeadlessView view;
    TGameEngine trial(view, 0);
    trial.Piece = engine.Piece;
    TPlacement best;
    int bestValue = std::numeric_limits<int>::min();
    for (int turns = 0; turns < 4; ++turns, trial.RotatePiece()) {
        for (int column = -2; column < kBoardSize; ++column) {
            for (int row = -2; row < kBoardSize; ++row) {
                trial.Board = engine.Board;
                trial.Level = engine.Level;
                trial.Holding = true;
                view.Place.X = Geometry::CellLeft(column);
                view.Place.Y = Geometry::CellTop(row);
                if (!trial.PieceFits())
                    continue;
                trial.PlacePiece();
                const TBoard placed = trial.Board;
                trial.ClearGroups();
                int removed = 0;
                for (int index = 0; index < kBoardCells; ++index)
                    removed += placed[index] != trial.Board[index] ? 1 : 0;
                const int value = Value(trial.Board, removed);
                if (value > bestValue) {
                    bestValue = value;
                    best = {true, turns, column, row};
                }
            }
        }
    }
    return best;
}

TSelfPlay::TSelfPlay(uint32_t seed, TPlayer player) : engine_(view_, seed), input_(seed ^ 0x9E3779B9u), player_(player)
{
}

void TSelfPlay::Step()
{
    if (engine_.GameOver) {
        plan_.clear();
        ++gamesStarted_;
        engine_.Restart();
        return;
    }
    if (player_ == TPlayer::Greedy)
        GreedyStep();
    else
        RestlessStep();
}

void TSelfPlay::MoveOverBoard()
{
    // Somewhere that puts the piece over the board, now and then past its edges.
    pointerX_ = 20 + input_.Below(300);
    pointerY_ = 40 + input_.Below(290);
    engine_.boxMouseMove(pointerX_, pointerY_);
}

void TSelfPlay::RestlessStep()
{
    const int32_t roll = input_.Below(100);
    if (roll < 30) {
        engine_.Timer();
    } else if (roll < 55) {
        MoveOverBoard();
    } else if (roll < 75) {
        if (!engine_.Holding) {
            pointerX_ = Geometry::kPreviewLeft + input_.Below(75);
            pointerY_ = Geometry::kPreviewTop + input_.Below(75);
        }
        engine_.boxMouseDown(TMouseButton::Left, pointerX_, pointerY_);
    } else if (roll < 85) {
        engine_.boxMouseDown(TMouseButton::Right, pointerX_, pointerY_);
    } else if (roll < 87) {
        engine_.boxMouseDown(TMouseButton::Other, pointerX_, pointerY_);
    } else if (roll < 90) {
        // Back over the preview box: the next left click throws the piece away.
        pointerX_ = Geometry::kGrabX + input_.Below(9) - 4;
        pointerY_ = Geometry::kGrabY + input_.Below(9) - 4;
        engine_.boxMouseMove(pointerX_, pointerY_);
    } else if (roll < 94) {
        engine_.Pause();
    } else if (roll < 99) {
        engine_.boxClick();
    } else {
        view_.GiveUpAnswer = input_.Below(2) == 0;
        if (view_.GiveUpAnswer)
            ++gamesStarted_;
        engine_.Restart();
    }
}

void TSelfPlay::PlanTurn()
{
    using TKind = TEvent::TKind;
    // One tick per turn lets the clock run without ever ending a turn: even
    // the shortest turn, 20 units, outlasts one tick of 15.
    plan_.push_back({TKind::Tick});
    if (!engine_.Holding)
        plan_.push_back({TKind::Press, Geometry::kGrabX, Geometry::kGrabY});
    const TPlacement placement = GreedyPlacement(engine_);
    if (!placement.fits) {
        // Back over the preview box, where a click throws the piece away.
        plan_.push_back({TKind::Move, Geometry::kGrabX, Geometry::kGrabY});
        plan_.push_back({TKind::DropClick});
        return;
    }
    for (int n = 0; n < placement.turns; ++n)
        plan_.push_back({TKind::TurnClick});
    plan_.push_back({TKind::Move, Geometry::CellLeft(placement.column) + Geometry::kGrabOffsetX,
                     Geometry::CellTop(placement.row) + Geometry::kGrabOffsetY});
    if (input_.Below(16) == 0) {
        plan_.push_back({TKind::Pause});
        plan_.push_back({TKind::Tick});
        plan_.push_back({TKind::Resume});
    }
    if (input_.Below(8) == 0) {
        // Now and then the clock places the piece where it hovers.
        const int32_t afterFirstTick = engine_.TimeLeft - TGameEngine::kUnitsPerTick;
        const int32_t ticks = (afterFirstTick + TGameEngine::kUnitsPerTick - 1) / TGameEngine::kUnitsPerTick;
        for (int32_t n = 0; n < ticks; ++n)
            plan_.push_back({TKind::Tick});
    } else {
        plan_.push_back({TKind::DropClick});
    }
}

void TSelfPlay::GreedyStep()
{
    if (plan_.empty()) {
        if (engine_.Paused) {
            engine_.boxClick();
            return;
        }
        PlanTurn();
    }
    const TEvent event = plan_.front();
    plan_.pop_front();
    switch (event.kind) {
        case TEvent::TKind::Tick:
            engine_.Timer();
            break;
        case TEvent::TKind::Press:
            pointerX_ = event.x;
            pointerY_ = event.y;
            engine_.boxMouseDown(TMouseButton::Left, pointerX_, pointerY_);
            break;
        case TEvent::TKind::TurnClick:
            engine_.boxMouseDown(TMouseButton::Right, pointerX_, pointerY_);
            break;
        case TEvent::TKind::Move:
            pointerX_ = event.x;
            pointerY_ = event.y;
            engine_.boxMouseMove(pointerX_, pointerY_);
            break;
        case TEvent::TKind::DropClick:
            engine_.boxMouseDown(TMouseButton::Left, pointerX_, pointerY_);
            break;
        case TEvent::TKind::Pause:
            engine_.Pause();
            break;
        case TEvent::TKind::Resume:
            engine_.boxClick();
            break;
    }
}
