// The engine's entries by cell: the keyboard's, the screen reader's and
// self-play's way to play, run through the mouse's own entries.
#include <algorithm>

#include "engine/GameEngine.h"

namespace {

// The frame's top left on the cell that puts the piece in the board's middle.
constexpr int32_t kMiddleCell = (kBoardSize - kPieceSize) / 2;

// The first and last column (or row) of the piece's frame that hold a tile.
struct TSpan {
    int32_t first = kPieceSize;
    int32_t last = -1;
};

TSpan OccupiedSpan(const std::array<int32_t, kPieceSlots>& piece, bool columns)
{
    TSpan span;
    for (int i = 0; i < kPieceSize; ++i) {
        for (int j = 0; j < kPieceSize; ++j) {
            if (!CellCode::IsOccupied(piece[columns ? PieceIndex(i, j) : PieceIndex(j, i)]))
                continue;
            span.first = std::min(span.first, int32_t{i});
            span.last = std::max(span.last, int32_t{i});
        }
    }
    return span;
}

int32_t OnBoard(int32_t cell, TSpan span)
{
    return std::clamp(cell, -span.first, kBoardSize - 1 - span.last);
}

}  // namespace

int32_t TGameEngine::TargetColumn() const
{
    return Geometry::TargetColumn(view_.Sprite.GetX());
}

int32_t TGameEngine::TargetRow() const
{
    return Geometry::TargetRow(view_.Sprite.GetY());
}

void TGameEngine::PickUp()
{
    if (GameOver || Paused || Holding)
        return;
    // The waiting piece stands in the preview box, under the point a mouse grabs it by.
    boxMouseDown(TMouseButton::Left, Geometry::kGrabX, Geometry::kGrabY);
    boxClick();
    if (Holding)
        CarryTo(kMiddleCell, kMiddleCell);
}

void TGameEngine::CarryTo(int32_t column, int32_t row)
{
    if (!Carrying())
        return;
    column = OnBoard(column, OccupiedSpan(Piece, true));
    row = OnBoard(row, OccupiedSpan(Piece, false));
    boxMouseMove(Geometry::CellLeft(column) + Geometry::kGrabOffsetX, Geometry::CellTop(row) + Geometry::kGrabOffsetY);
}

void TGameEngine::CarryBy(int32_t columns, int32_t rows)
{
    CarryTo(TargetColumn() + columns, TargetRow() + rows);
}

void TGameEngine::Turn()
{
    if (Carrying())
        boxMouseDown(TMouseButton::Right, view_.Sprite.GetX() + Geometry::kGrabOffsetX,
                     view_.Sprite.GetY() + Geometry::kGrabOffsetY);
}

void TGameEngine::Drop()
{
    if (!Carrying())
        return;
    boxMouseDown(TMouseButton::Left, view_.Sprite.GetX() + Geometry::kGrabOffsetX,
                 view_.Sprite.GetY() + Geometry::kGrabOffsetY);
    boxClick();
}

void TGameEngine::ThrowAway()
{
    if (!Carrying())
        return;
    boxMouseMove(Geometry::kGrabX, Geometry::kGrabY);
    boxMouseDown(TMouseButton::Left, Geometry::kGrabX, Geometry::kGrabY);
    boxClick();
}
