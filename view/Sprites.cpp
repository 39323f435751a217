#include "Sprites.h"

#include <cstdlib>
#include <limits>

#include "Raster.h"
#include "Surface.h"

namespace {

// |value|, where the most negative value stays negative (and so makes no
// bitmap) instead of overflowing.
int32_t Magnitude(int32_t value)
{
    return value < 0 ? static_cast<int32_t>(0u - static_cast<uint32_t>(value)) : value;
}

}  // namespace

tSprite::tSprite(TSurface& canvas, int32_t width, int32_t height)
    : Width(Magnitude(width)),
      Height(Magnitude(height)),
      SaveUnder(NewBitmap(Width, Height)),
      HasSaveUnder(!SaveUnder.isNull()),
      Canvas(canvas)
{
}

void tSprite::SetPicture(const QImage& picture, int32_t x, int32_t y)
{
    Picture = &picture;
    PictureX = x;
    PictureY = y;
    HasPicture = true;
}

void tSprite::SetMask(const QImage& mask, int32_t x, int32_t y)
{
    Mask = &mask;
    MaskX = x;
    MaskY = y;
    HasMask = true;
}

void tSprite::SetPosition(int32_t x, int32_t y)
{
    if (!IsReady() || (x == X && y == Y))
        return;
    Dragging = false;
    GrabDX = 0;
    GrabDY = 0;
    if (Visible) {
        MoveSprite(x, y);
    } else {
        X = x;
        Y = y;
    }
}

void tSprite::Show()
{
    if (!IsReady() || Visible)
        return;
    DrawFresh();
    Visible = true;
}

void tSprite::Hide()
{
    if (!IsReady() || !Visible)
        return;
    RestoreUnder();
    Visible = false;
}

bool tSprite::HitTest(int32_t x, int32_t y) const
{
    const int64_t right = int64_t{X} + Width;
    const int64_t bottom = int64_t{Y} + Height;
    return X <= x && x < right && Y <= y && y < bottom;
}

void tSprite::Grab(int32_t x, int32_t y)
{
    if (!IsReady() || !Visible || Dragging || !HitTest(x, y))
        return;
    GrabDX = x - X;
    GrabDY = y - Y;
    Dragging = true;
}

void tSprite::DragTo(int32_t x, int32_t y)
{
    if (!IsReady() || !Visible || !Dragging)
        return;
    MoveSprite(static_cast<int32_t>(int64_t{x} - GrabDX), static_cast<int32_t>(int64_t{y} - GrabDY));
}

void tSprite::Release()
{
    Dragging = false;
}

void tSprite::Refresh()
{
    if (!IsReady() || !Visible)
        return;
    Recompose();
}

void tSprite::DrawFresh()
{
    BlockTransfer(SaveUnder, 0, 0, Width, Height, Canvas.Image(), X, Y, TRasterOp::Copy);
    Recompose();
}

void tSprite::RestoreUnder()
{
    Canvas.Transfer(X, Y, Width, Height, SaveUnder, 0, 0, TRasterOp::Copy);
}

void tSprite::Recompose()
{
    QImage scratch = NewBitmap(Width, Height);
    if (scratch.isNull())
        return;
    BlockTransfer(scratch, 0, 0, Width, Height, SaveUnder, 0, 0, TRasterOp::Copy);
    BlockTransfer(scratch, 0, 0, Width, Height, *Mask, MaskX, MaskY, TRasterOp::And);
    BlockTransfer(scratch, 0, 0, Width, Height, *Picture, PictureX, PictureY, TRasterOp::Or);
    Canvas.Transfer(X, Y, Width, Height, scratch, 0, 0, TRasterOp::Copy);
}

void tSprite::MoveSprite(int32_t nx, int32_t ny)
{
    const int64_t dx = int64_t{nx} - X;
    const int64_t dy = int64_t{ny} - Y;
    if (std::abs(dx) >= Width && std::abs(dy) >= Height) {
        RestoreUnder();
        X = nx;
        Y = ny;
        DrawFresh();
        return;
    }

    // One scratch bitmap over the old and the new rectangle, written back in
    // a single copy, so the surface never shows without the sprite.
    const int32_t left = dx < 0 ? nx : X;
    const int32_t top = dy < 0 ? ny : Y;
    const int64_t unionWidth = std::abs(dx) + Width;
    const int64_t unionHeight = std::abs(dy) + Height;
    constexpr int64_t kLargest = std::numeric_limits<int>::max();
    if (unionWidth > kLargest || unionHeight > kLargest)
        return;
    QImage scratch = NewBitmap(static_cast<int>(unionWidth), static_cast<int>(unionHeight));
    if (scratch.isNull())
        return;
    const int uw = scratch.width();
    const int uh = scratch.height();
    const int oldX = X - left;
    const int oldY = Y - top;
    const int newX = nx - left;
    const int newY = ny - top;
    BlockTransfer(scratch, 0, 0, uw, uh, Canvas.Image(), left, top, TRasterOp::Copy);
    BlockTransfer(scratch, oldX, oldY, Width, Height, SaveUnder, 0, 0, TRasterOp::Copy);
    BlockTransfer(SaveUnder, 0, 0, Width, Height, scratch, newX, newY, TRasterOp::Copy);
    BlockTransfer(scratch, newX, newY, Width, Height, *Mask, MaskX, MaskY, TRasterOp::And);
    BlockTransfer(scratch, newX, newY, Width, Height, *Picture, PictureX, PictureY, TRasterOp::Or);
    Canvas.Transfer(left, top, uw, uh, scratch, 0, 0, TRasterOp::Copy);
    X = nx;
    Y = ny;
}
