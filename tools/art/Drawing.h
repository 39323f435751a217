#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

#include <cstdint>

class QPainter;

// Drawing pieces shared by the sheets and the pictures, so a tile on the
// splash or the icon is the same tile the player sees on the board.
namespace Drawing {

// a + (b − a) × t per channel, t in 0..1.
QColor Mix(const QColor& a, const QColor& b, double t);
// The colour scaled towards black (factor < 1) or white (factor > 1).
QColor Shade(const QColor& colour, double factor);

// A value in 0..1 that depends only on its arguments: the generator's only
// source of "randomness", so every run draws the same pixels.
double Hash01(int32_t x, int32_t y, int32_t seed);

QPainterPath StarPath(QPointF centre, double outer, double inner, int points, double turn);

// Symbol s (0 circle, 1 diamond, 2 triangle, 3 star) filling a circle of
// `radius` about `centre`.
QPainterPath SymbolPath(int symbol, QPointF centre, double radius);

// One board cell with nothing on it, drawn into the 25 x 25 square at the
// painter's origin. `alternate` selects the floor shade of every other
// 3 x 3 square of the board.
void EmptyCell(QPainter& painter, bool alternate);

// A stack of `layers` (1..4) tiles showing `picture` (0..31) on an empty
// cell, in the 25 x 25 square at the painter's origin. Four layers are drawn
// barred: a full cell that blocks.
void TileStack(QPainter& painter, int picture, int layers);

// The bomb of a piece on its warning-coloured cell, 25 x 25 at the origin.
void BombCell(QPainter& painter);

// A round black bomb with fuse and spark; `radius` is the ball's.
void Bomb(QPainter& painter, QPointF centre, double radius);

// The maker's comic face filling `box` (drawn for any size from 19 px up).
void ComicFace(QPainter& painter, const QRectF& box);

}  // namespace Drawing
