#pragma once

#include "engine/GameEngine.h"

// The seeded golden game's turns (seed kGoldenSeed, from a new game on),
// shared by the tests that replay it whole and cut into pieces.

constexpr uint32_t kGoldenSeed = 20261210u;

enum class TGoldenEnd {
    Drop,          // a left click over the target places the piece
    WaitForClock,  // the piece hangs over the target until the turn runs out and places it
    ThrowAway,     // a click before moving, with the piece still on the preview box
};

// One turn: a tick, a press on the waiting piece, `turns` right clicks, then
// the piece carried so that its top-left slot lies over (column, row). A turn
// left to the clock first wanders: a pause with a tick and a pointer move in
// it, then a middle click and a left click with the piece hanging off the
// board, none of which may change the game.
struct TGoldenTurn {
    int turns;
    int column;
    int row;
    TGoldenEnd end;
};

// 64 turns worked out for this seed with the greedy self-play player's
// choice of place (GreedyPlacement), so that most of them clear groups; the
// 24th throws its piece away.
constexpr TGoldenTurn kGoldenScript[] = {
    {0, 0, -1, TGoldenEnd::Drop}, {0, 0, 2, TGoldenEnd::Drop},           {0, 0, 1, TGoldenEnd::Drop},
    {2, 0, 1, TGoldenEnd::Drop},  {0, -2, -2, TGoldenEnd::WaitForClock}, {0, 0, 1, TGoldenEnd::Drop},
    {0, -1, 1, TGoldenEnd::Drop}, {0, 0, 2, TGoldenEnd::Drop},           {0, 0, 4, TGoldenEnd::Drop},
    {0, 0, 5, TGoldenEnd::Drop},  {2, 0, 5, TGoldenEnd::Drop},           {0, 2, 0, TGoldenEnd::Drop},
    {0, 0, 2, TGoldenEnd::Drop},  {0, 1, 0, TGoldenEnd::WaitForClock},   {0, 0, 0, TGoldenEnd::Drop},
    {0, -2, 0, TGoldenEnd::Drop}, {0, 0, 3, TGoldenEnd::Drop},           {0, -2, 5, TGoldenEnd::Drop},
    {1, 0, 0, TGoldenEnd::Drop},  {0, 2, 3, TGoldenEnd::Drop},           {0, 0, 2, TGoldenEnd::Drop},
    {1, 0, 2, TGoldenEnd::Drop},  {0, 0, 0, TGoldenEnd::WaitForClock},   {0, 0, 0, TGoldenEnd::ThrowAway},
    {0, -1, 2, TGoldenEnd::Drop}, {0, 0, 5, TGoldenEnd::Drop},           {2, 2, 3, TGoldenEnd::Drop},
    {0, 0, 3, TGoldenEnd::Drop},  {0, 0, 1, TGoldenEnd::Drop},           {0, -2, 1, TGoldenEnd::Drop},
    {0, 1, 6, TGoldenEnd::Drop},  {2, 0, 1, TGoldenEnd::WaitForClock},   {0, 0, 1, TGoldenEnd::Drop},
    {0, 0, 3, TGoldenEnd::Drop},  {0, 0, 0, TGoldenEnd::Drop},           {0, 0, 1, TGoldenEnd::Drop},
    {0, 0, 1, TGoldenEnd::Drop},  {0, -2, 0, TGoldenEnd::Drop},          {0, -1, 3, TGoldenEnd::Drop},
    {3, 0, 2, TGoldenEnd::Drop},  {0, 0, 2, TGoldenEnd::WaitForClock},   {0, 0, 4, TGoldenEnd::Drop},
    {0, 2, 3, TGoldenEnd::Drop},  {0, 0, 2, TGoldenEnd::Drop},           {1, 0, 0, TGoldenEnd::Drop},
    {0, 0, 5, TGoldenEnd::Drop},  {0, 2, 5, TGoldenEnd::Drop},           {0, 1, 0, TGoldenEnd::Drop},
    {2, 0, 2, TGoldenEnd::Drop},  {0, 0, 2, TGoldenEnd::WaitForClock},   {0, 1, 3, TGoldenEnd::Drop},
    {2, 1, 3, TGoldenEnd::Drop},  {0, 0, 1, TGoldenEnd::Drop},           {0, 1, 5, TGoldenEnd::Drop},
    {1, 0, 6, TGoldenEnd::Drop},  {0, 0, -1, TGoldenEnd::Drop},          {0, -1, 0, TGoldenEnd::Drop},
    {0, 1, 3, TGoldenEnd::Drop},  {0, 0, 1, TGoldenEnd::WaitForClock},   {0, 0, 3, TGoldenEnd::Drop},
    {0, 0, 1, TGoldenEnd::Drop},  {0, 0, 1, TGoldenEnd::Drop},           {1, 1, 0, TGoldenEnd::Drop},
    {0, 3, 0, TGoldenEnd::Drop},
};

inline void PlayGoldenTurn(TGameEngine& engine, const TGoldenTurn& turn)
{
    engine.Timer();
    engine.boxMouseDown(TMouseButton::Left, 340, 75);
    for (int n = 0; n < turn.turns; ++n)
        engine.boxMouseDown(TMouseButton::Right, 340, 75);
    if (turn.end == TGoldenEnd::ThrowAway) {
        engine.boxMouseDown(TMouseButton::Left, 340, 75);
        return;
    }
    const int32_t x = Geometry::CellLeft(turn.column) + Geometry::kGrabOffsetX;
    const int32_t y = Geometry::CellTop(turn.row) + Geometry::kGrabOffsetY;
    if (turn.end == TGoldenEnd::Drop) {
        engine.boxMouseMove(x, y);
        engine.boxMouseDown(TMouseButton::Left, x, y);
        return;
    }
    engine.Pause();
    engine.Timer();
    engine.boxMouseMove(20, 320);
    engine.boxClick();
    engine.boxMouseMove(20, 320);
    engine.boxMouseDown(TMouseButton::Other, 20, 320);
    engine.boxMouseDown(TMouseButton::Left, 20, 320);
    engine.boxMouseMove(x, y);
    while (engine.Holding && !engine.GameOver)
        engine.Timer();
}
