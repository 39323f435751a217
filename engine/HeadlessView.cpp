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
    return x >= X && x < X + kSpriteSize && y >= Y && y < Y + kSpriteSize;
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
    X = x - GrabDX;
    Y = y - GrabDY;
}
