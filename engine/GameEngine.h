#pragma once

#include <array>
#include <cstdint>

#include "engine/CellCode.h"
#include "engine/GameTally.h"
#include "engine/GameView.h"
#include "engine/KeptGame.h"
#include "engine/PlayfieldGeometry.h"
#include "engine/Random.h"

enum class TMouseButton { Left, Right, Other };

// The whole state of one game and the rules that change it. The engine owns
// no window and no pixels: everything the player sees or hears goes through
// the outlets of the TGameView it is given. Its entries are the window's events: the turn
// tick, the mouse on the playfield and the new-game and pause buttons.
//
// The state is public so the window can draw it and tests can arrange it;
// during play only the engine's own operations change it.
class TGameEngine {
public:
    static constexpr int32_t kTickMilliseconds = 300;  // the turn timer's beat
    static constexpr int32_t kUnitsPerTick = 15;       // time units taken per tick
    static constexpr int32_t kLongestTurn = 600;
    static constexpr int32_t kShortestTurn = 20;

    TGameEngine(TGameView view, uint32_t seed);

    std::array<int32_t, kBoardCells> Board{};
    std::array<int32_t, kPieceSlots> Piece{};
    int32_t TimeLeft = 0;
    int32_t TimeLimit = kLongestTurn;
    // Shows 1 before the first game of a run; every new game starts at 0.
    int32_t Level = 1;
    // 32-bit without an upper bound: held at the largest value, never wrapped.
    int32_t Score = 0;
    bool Holding = false;
    bool Paused = false;
    bool GameOver = true;
    TGameTally Tally;

    int32_t Cell(int column, int row) const { return Board[BoardIndex(column, row)]; }
    // A game runs, has seen a piece placed or scored, and has not been
    // reported ended yet: one replaced or left before its first piece is no
    // game played.
    bool GameUnderWay() const { return !GameOver && !endReported_ && (Tally.PiecesPlaced > 0 || Score > 0); }

    // Entries from the window.
    void Timer();
    void boxMouseDown(TMouseButton button, int32_t x, int32_t y);
    void boxMouseMove(int32_t x, int32_t y);
    void boxClick();
    void Restart();
    void Pause();
    // The player leaves without a question (the window closes, the session
    // ends): a game under way ends as given up, and nothing runs any more.
    void Abandon();

    // Entries by cell, for the keyboard, the screen reader and self-play.
    // Each is the mouse's own press, move or click on the playfield, at the
    // point that puts the piece's frame where it is asked, so the rules and
    // what the player sees and hears are the mouse's. Each does nothing
    // unless the game runs unpaused with a piece waiting (PickUp) or carried
    // (the others).
    // Takes the waiting piece onto the middle of the board.
    void PickUp();
    // Carries the piece with its frame's top left onto (column, row), or as
    // near as the piece allows: only the frame's empty columns and rows may
    // hang over the board's edge.
    void CarryTo(int32_t column, int32_t row);
    void CarryBy(int32_t columns, int32_t rows);
    void Turn();
    // Lays the piece where it is carried, if it fits there.
    void Drop();
    // Back onto its box, where dropping it throws it away.
    void ThrowAway();
    bool Carrying() const { return !GameOver && !Paused && Holding; }
    // The board cell under the piece's frame top left, where the rules try
    // to lay it: meaningful while the piece is carried.
    int32_t TargetColumn() const;
    int32_t TargetRow() const;

    // Leaving a game to come back to it. Keep returns what the game needs to
    // go on (Snapshot) and stops it without ending it: it is neither reported
    // nor counted, and nothing is asked. The engine is left as it starts, with
    // no game, an empty board and the sprite hidden; nothing is drawn.
    // Precondition: a game runs.
    TKeptGame Keep();
    // Everything the running game needs to go on exactly, with a carried
    // piece back in its box; the game itself is left as it is.
    TKeptGame Snapshot() const;
    // Takes up a kept game where it was left: paused, its piece waiting in
    // the box, the time, tally and the pieces still to come as they were.
    // A game the rules could not have led to (CouldBeKept) is refused and
    // nothing changes. Precondition: no game runs.
    bool Restore(const TKeptGame& kept);
    // Whether the rules could have led to `kept`: cells of one to four layers
    // and no bomb on the board, a piece as its level deals them, the time left
    // a whole number of ticks into the level's turn, and a tally that fits
    // the level.
    static bool CouldBeKept(const TKeptGame& kept);
    // The time units of a turn at `level`.
    static int32_t TurnLength(int32_t level);

    // Operations of the rules; public so tests can drive them one by one.
    // The entries above call them in the order the rules need; a caller that
    // drives them directly takes on the preconditions below.
    void NewGame();
    // A new random piece waits in the preview box with a full turn's time.
    // Each of its draws is a bomb with the odds of full cells on the board
    // (so bombs come more often the more four-layer cells block it); from
    // level 64 on, tiles may come with two, three and four layers.
    void DealPiece();
    void RotatePiece();
    // Not a pure question: when the carried piece fits where it hovers, the
    // sprite is hidden and Holding cleared, ready for PlacePiece. When it
    // does not fit, nothing changes.
    bool PieceFits();
    // Lays the piece onto the cells under the sprite. Precondition: PieceFits
    // said yes for this place (asserted).
    void PlacePiece();
    // Clears every complete group of the board as it stands, scores, raises
    // the level and shortens the next turn; run after every placement.
    void ClearGroups();
    // Precondition: the piece is carried (asserted).
    void DiscardPiece();
    void ForfeitPiece();

    // Whether every occupied slot lands on the board, with room for its
    // layers, with the frame's top left on (column, row).
    bool FitsAt(int32_t column, int32_t row) const;

private:
    void RaiseScore(int32_t points);  // held at the largest 32-bit score
    void LowerScore(int32_t points);
    // Reports the end of the running game, once.
    void EndGame(bool timedOut);

    TGameView view_;
    TRandom random_;
    bool endReported_ = false;
};
