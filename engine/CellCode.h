#pragma once

#include <cstdint>

// Cell codes shared by the board and the piece.
//   -1        empty
//   0..127    a stack: layer count code / 32 + 1 (1..4), picture code % 32
//   96..127   four layers, a full cell that blocks every group through it
//   128       a bomb; only ever in a piece, never on the board
namespace CellCode {

constexpr int32_t kEmpty = -1;
constexpr int32_t kFullFrom = 96;
constexpr int32_t kBomb = 128;
constexpr int32_t kLayerStep = 32;

constexpr bool IsTile(int32_t code)
{
    return code >= 0 && code < kBomb;
}
constexpr bool IsOccupied(int32_t code)
{
    return code >= 0;
}  // tiles and bombs
constexpr int32_t Layers(int32_t code)
{
    return code < 0 ? 0 : code / kLayerStep + 1;
}
constexpr int32_t Picture(int32_t code)
{
    return code % kLayerStep;
}
// A cell that counts towards a complete group: one to three layers.
constexpr bool Qualifies(int32_t code)
{
    return code >= 0 && code < kFullFrom;
}

}  // namespace CellCode

// Board geometry: 9 x 9 cells, cell (column c, row r) at index c * 9 + r.
// Piece geometry: 3 x 3 slots, slot (column i, row j) at index i * 3 + j.
constexpr int kBoardSize = 9;
constexpr int kBoardCells = kBoardSize * kBoardSize;
constexpr int kPieceSize = 3;
constexpr int kPieceSlots = kPieceSize * kPieceSize;

constexpr int BoardIndex(int column, int row)
{
    return column * kBoardSize + row;
}
constexpr int PieceIndex(int column, int row)
{
    return column * kPieceSize + row;
}
