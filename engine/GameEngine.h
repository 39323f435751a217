#pragma once

#include <array>
#include <cstdint>

#include "CellCode.h"
#include "GameView.h"
#include "Random.h"

enum class TMouseButton { Left, Right, Other };

// The whole state of one game and the rules that change it. The engine owns
// no window and no pixels: everything the player sees or hears goes through
// the TGameView it is given. Its entries are the window's events: the turn
// tick, the mouse on the playfield and the new-game and pause buttons.
//
// The state is public so the window can draw it and tests can arrange it;
// during play only the engine's own operations change it.
class TGameEngine {
public:
    static constexpr int32_t kUnitsPerTick = 15;        // time units taken per 300 ms tick
    static constexpr int32_t kLongestTurn = 600;
    static constexpr int32_t kShortestTurn = 20;
    static constexpr int32_t kHomeX = 321;            // sprite top left while the piece waits
    static constexpr int32_t kHomeY = 53;
    static constexpr int32_t kGrabX = 356;            // grab point handed to the sprite
    static constexpr int32_t kGrabY = 91;

    TGameEngine(TGameView& view, uint32_t seed);

    std::array<int32_t, kBoardCells> Board{};
    std::array<int32_t, kPieceSlots> Piece{};
    int32_t TimeLeft = 0;
    int32_t TimeLimit = kLongestTurn;
    int32_t Level = 1;
    int32_t Score = 0;
    bool Holding = false;
    bool Paused = false;
    bool GameOver = true;

    int32_t Cell(int column, int row) const { return Board[BoardIndex(column, row)]; }

    // Entries from the window.
    void Timer();
    void boxMouseDown(TMouseButton button, int32_t x, int32_t y);
    void boxMouseMove(int32_t x, int32_t y);
    void boxClick();
    void Restart();
    void Pause();

    // Operations of the rules; public so tests can drive them one by one.
    void NewGame();
    void DealPiece();
    void RotatePiece();
    bool PieceFits();
    void PlacePiece();
    void ClearGroups();
    void DiscardPiece();
    void ForfeitPiece();

    // The board cell under the piece's top-left slot for a sprite at (x, y).
    static int32_t TargetColumn(int32_t x) { return (x + 14) / 25 - 2; }
    static int32_t TargetRow(int32_t y) { return (y + 9) / 25 - 2; }
    // The sprite's top left lies in the discard zone over the preview box.
    static bool InDiscardZone(int32_t x, int32_t y) { return x > 298 && x < 338 && y > 33 && y < 73; }

private:
    void RaiseScore(int32_t points);  // held at the largest 32-bit score
    void LowerScore(int32_t points);

    TGameView& view_;
    TRandom random_;
};
