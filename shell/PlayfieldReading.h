#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "engine/CellCode.h"

class TGameEngine;

// The playfield in words, for a screen reader: each cell of the board, the
// piece, level, score and time as the player sees them now, and what has
// happened since the last look. It only reads the engine; the words follow
// the language of the moment.
class TPlayfieldReading {
public:
    explicit TPlayfieldReading(const TGameEngine& engine);

    // Cell (column, row), counted from 0; "row 3, column 5, 2 layers" counts from 1.
    // While the game is paused the board shows empty, and so it reads. The
    // cell under the carried piece's middle also says whether it fits there.
    QString Cell(int column, int row) const;
    QString Piece() const;
    // The piece's tiles by their place in its frame, "top left, middle with
    // 2 layers, bottom right bomb".
    QString Shape() const;
    // The board index of the cell under the carried piece's middle; -1 while
    // no piece is carried in a running game.
    int CarriedCell() const;
    QString Level() const;
    QString Score() const;
    int32_t TimeLeft() const;
    int32_t TimeLimit() const;

    // What changed since the last call, and what to say about it (empty
    // when nothing is to be said).
    struct TChanges {
        std::array<bool, kBoardCells> Cells{};
        bool Piece = false;
        bool Level = false;
        bool Score = false;
        QString Said;
    };
    TChanges Look();

private:
    struct TSeen {
        std::array<int32_t, kBoardCells> Cells{};
        QString Piece;
        QString Shape;
        std::array<int32_t, kPieceSlots> PieceCodes{};
        bool Holding = false;
        int Carried = -1;  // the board cell under the carried piece's middle
        int32_t Level = 0;
        int32_t Score = 0;
        int32_t TimeLeft = 0;
        int32_t TimeLimit = 0;
        int64_t PiecesPlaced = 0;
        int64_t GroupsCleared = 0;
        bool Paused = false;
        bool GameOver = true;
    };
    TSeen Now() const;
    int32_t ShownCell(int index) const;

    const TGameEngine& engine_;
    TSeen seen_;
};
