#pragma once

#include <cstdint>

// Where a floating sprite stands and how it follows a drag: the rules the
// game's sprite and the headless view share. Plain state, no pixels.
struct TSpritePlace {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t GrabDX = 0;  // the grabbed point, from the top left
    int32_t GrabDY = 0;
    bool Visible = false;
    bool Dragging = false;

    bool IsAt(int32_t x, int32_t y) const { return x == X && y == Y; }
    // Moving to a new place ends a drag.
    void EndDrag()
    {
        Dragging = false;
        GrabDX = 0;
        GrabDY = 0;
    }
    // Whether (x, y) lies in the rectangle, worked out in 64 bits: a sprite
    // near the largest coordinate still reaches past it.
    bool HitTest(int32_t x, int32_t y) const
    {
        return X <= x && x < int64_t{X} + Width && Y <= y && y < int64_t{Y} + Height;
    }
    // Starts a drag when the visible sprite is hit at (x, y) and none runs;
    // the sprite then keeps that point under the pointer.
    bool Grab(int32_t x, int32_t y)
    {
        if (!Visible || Dragging || !HitTest(x, y))
            return false;
        GrabDX = x - X;
        GrabDY = y - Y;
        Dragging = true;
        return true;
    }
    // The top left that keeps the grabbed point under a pointer at (x, y); a
    // pointer beyond the coordinate range wraps round.
    int32_t DragLeft(int32_t x) const { return static_cast<int32_t>(int64_t{x} - GrabDX); }
    int32_t DragTop(int32_t y) const { return static_cast<int32_t>(int64_t{y} - GrabDY); }
};
