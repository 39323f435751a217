#pragma once

#include <QImage>

// The four image sheets the playfield is drawn from. The game combines them
// bitwise (copy, AND, OR, XOR on RGB), so their exact pixel values matter:
// every sheet is opaque RGB, and where a sheet carries masks, a mask pixel is
// pure black (picture shows) or pure white (surface shows), and the picture
// is pure black wherever its mask is white.
namespace Sheets {

// 500 x 333: the empty playfield. Board cell (c, r) at (48 + 25c, 53 + 25r),
// preview box at (321, 53) 75 x 75, full time bar at (307, 156) 103 x 18,
// digit wells of 11 x 20 at (327 + 13k, 218) and (327 + 13k, 253).
QImage Background();

// 425 x 200: cell code k (0..127) at ((k / 8) * 25, (k % 8) * 25); the bomb
// at (400, 0); the flash pattern, XORed onto a cell, at (400, 50).
QImage Tiles();

// 342 x 114: six 57 x 57 frames of one blast, frame f at x = 57f; pictures
// in y 0..56, masks in y 57..113. The blast centres on a 25 x 25 cell placed
// 16 px inside the frame.
QImage Explosion();

// 110 x 40: digit d (0..9), 11 x 20, at x = 11d; pictures in y 0..19,
// masks in y 20..39.
QImage Digits();

}  // namespace Sheets
