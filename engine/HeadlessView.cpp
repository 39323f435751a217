#include "engine/HeadlessView.h"

void THeadlessView::SetPosition(int32_t x, int32_t y)
{
    if (Place.IsAt(x, y))
        return;
    Place.EndDrag();
    Place.X = x;
    Place.Y = y;
}

void THeadlessView::DragTo(int32_t x, int32_t y)
{
    if (!Place.Visible || !Place.Dragging)
        return;
    Place.X = Place.DragLeft(x);
    Place.Y = Place.DragTop(y);
}
