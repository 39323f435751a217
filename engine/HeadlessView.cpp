#include "HeadlessView.h"

void THeadlessView::SetPosition(int32_t x, int32_t y)
{
    if (x == X && y == Y)
        return;
    Dragging = false;
    GrabDX = 0;
    GrabDY = 0;
    X = x;
    Y = y;
}

bool THeadlessView::HitTest(int32_t x, int32_t y)
{
    // In 64 bits: a sprite near the largest coordinate still reaches past it.
    return x >= X && x < int64_t{X} + kSpriteSize && y >= Y && y < int64_t{Y} + kSpriteSize;
}

void THeadlessView::Grab(int32_t x, int32_t y)
{
    if (!Visible || Dragging || !HitTest(x, y))
        return;
    GrabDX = x - X;
    GrabDY = y - Y;
    Dragging = true;
}

void THeadlessView::DragTo(int32_t x, int32_t y)
{
    if (!Visible || !Dragging)
        return;
    // A pointer beyond the coordinate range wraps round, as with the real sprite.
    X = static_cast<int32_t>(int64_t{x} - GrabDX);
    Y = static_cast<int32_t>(int64_t{y} - GrabDY);
}
