#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "engine/GameEngine.h"
#include "tests/engine/RecordingView.h"

// An engine in a running game with a recording view. Tests arrange board
// and piece directly, then call the operation under test.
class EngineTest : public ::testing::Test {
protected:
    TRecordingView view;
    TGameEngine engine{view, 20261210u};

    void StartGame()
    {
        engine.NewGame();
        view.Calls.clear();
    }

    void SetPiece(std::initializer_list<std::pair<int, int32_t>> slots)
    {
        engine.Piece.fill(CellCode::kEmpty);
        for (auto [index, code] : slots)
            engine.Piece[index] = code;
    }

    void FillCells(int left, int top, int width, int height, int32_t code)
    {
        for (int c = left; c < left + width; ++c)
            for (int r = top; r < top + height; ++r)
                engine.Board[BoardIndex(c, r)] = code;
    }

    // Puts the carried piece so that its top-left slot lies over cell (c, r).
    void CarryOver(int column, int row)
    {
        view.Place.X = Geometry::CellLeft(column);
        view.Place.Y = Geometry::CellTop(row);
        view.Place.Visible = true;
        view.Place.Dragging = true;
        engine.Holding = true;
    }

    int Count(const std::string& call) const
    {
        return static_cast<int>(std::count(view.Calls.begin(), view.Calls.end(), call));
    }
};
