#pragma once

#include <cstdint>

#include "engine/CellCode.h"

// Where things lie on the 500 x 333 playfield, in its pixels with the origin
// at its top left. The rules, the drawing, the keyboard's pointer and the
// tests all read these; nothing else defines them.
namespace Geometry {

constexpr int32_t kPlayfieldWidth = 500;
constexpr int32_t kPlayfieldHeight = 333;

constexpr int32_t kCellSize = 25;
// Board cell (c, r) has its top left at (kBoardLeft + 25 c, kBoardTop + 25 r).
constexpr int32_t kBoardLeft = 48;
constexpr int32_t kBoardTop = 53;
// The preview box, 75 x 75, where a new piece waits: the sprite's home.
constexpr int32_t kPreviewLeft = 321;
constexpr int32_t kPreviewTop = 53;
constexpr int32_t kPiecePixels = kPieceSize * kCellSize;  // side of the piece and its sprite
// The point handed to the sprite when the piece is picked up: from then on
// the piece's top left hangs (kGrabOffsetX, kGrabOffsetY) above-left of the pointer.
constexpr int32_t kGrabX = 356;
constexpr int32_t kGrabY = 91;
constexpr int32_t kGrabOffsetX = kGrabX - kPreviewLeft;
constexpr int32_t kGrabOffsetY = kGrabY - kPreviewTop;

constexpr int32_t CellLeft(int column)
{
    return kBoardLeft + kCellSize * column;
}
constexpr int32_t CellTop(int row)
{
    return kBoardTop + kCellSize * row;
}

// The board cell under the piece's top-left slot for a sprite at (x, y):
// the nearest cell, with the rules' rounding (truncation toward zero).
// Worked out in 64 bits: a sprite dragged to the far end of the 32-bit range
// must not overflow on the way.
constexpr int32_t TargetColumn(int32_t x)
{
    return static_cast<int32_t>((int64_t{x} + 14) / kCellSize - 2);
}
constexpr int32_t TargetRow(int32_t y)
{
    return static_cast<int32_t>((int64_t{y} + 9) / kCellSize - 2);
}

// Level and score: five digits each, from the digit sheet, 13 pixels apart.
constexpr int32_t kDigitLeft = 327;
constexpr int32_t kDigitStep = 13;
constexpr int32_t kDigitWidth = 11;
constexpr int32_t kDigitHeight = 20;
constexpr int32_t kLevelTop = 218;
constexpr int32_t kScoreTop = 253;
// Their labels, above the digits.
constexpr int32_t kLabelLeft = 323;
constexpr int32_t kLevelLabelTop = 204;
constexpr int32_t kScoreLabelTop = 238;

// The time bar, full at the start of a turn.
constexpr int32_t kBarLeft = 307;
constexpr int32_t kBarTop = 156;
constexpr int32_t kBarWidth = 103;
constexpr int32_t kBarHeight = 18;
// A sprite whose top left lies here may stand over the bar.
constexpr bool MayCoverTimeBar(int32_t x, int32_t y)
{
    return 232 < x && x < 440 && 81 < y && y < 174;
}

// A sprite whose top left lies here, over the preview box, is thrown away when dropped.
constexpr bool InDiscardZone(int32_t x, int32_t y)
{
    return x > 298 && x < 338 && y > 33 && y < 73;
}

}  // namespace Geometry
