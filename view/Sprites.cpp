#include "view/Sprites.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

#include "view/Raster.h"
#include "view/Surface.h"

namespace {

// |value|, where the most negative value stays negative (and so makes no
// bitmap) instead of overflowing.
int32_t Magnitude(int32_t value)
{
    return value < 0 ? static_cast<int32_t>(0u - static_cast<uint32_t>(value)) : value;
}

// The part inside `bounds` of a rectangle whose edges may lie beyond the int range.
QRect Within(const QRect& bounds, int64_t x, int64_t y, int64_t width, int64_t height)
{
    const int64_t left = std::max<int64_t>(x, bounds.left());
    const int64_t top = std::max<int64_t>(y, bounds.top());
    const int64_t right = std::min<int64_t>(x + width, int64_t{bounds.right()} + 1);
    const int64_t bottom = std::min<int64_t>(y + height, int64_t{bounds.bottom()} + 1);
    if (right <= left || bottom <= top)
        return {};
    return QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                 static_cast<int>(bottom - top));
}

// `area` without `cover`: the rows above and below it, then the columns left
// and right of it. Some of the four may be empty.
std::array<QRect, 4> Uncovered(const QRect& area, const QRect& cover)
{
    const QRect common = area.intersected(cover);
    if (common.isEmpty())
        return {area, QRect(), QRect(), QRect()};
    return {QRect(QPoint(area.left(), area.top()), QPoint(area.right(), common.top() - 1)),
            QRect(QPoint(area.left(), common.bottom() + 1), QPoint(area.right(), area.bottom())),
            QRect(QPoint(area.left(), common.top()), QPoint(common.left() - 1, common.bottom())),
            QRect(QPoint(common.right() + 1, common.top()), QPoint(area.right(), common.bottom()))};
}

// Copies `part` of the surface-sized plane into `dst`, which holds that plane
// from `dstOrigin` on, from `src`, which holds it from `srcOrigin` on.
void CopyPart(QImage& dst, QPoint dstOrigin, const QImage& src, QPoint srcOrigin, const QRect& part)
{
    if (part.isEmpty())
        return;
    BlockTransfer(dst, part.x() - dstOrigin.x(), part.y() - dstOrigin.y(), part.width(), part.height(), src,
                  part.x() - srcOrigin.x(), part.y() - srcOrigin.y(), TRasterOp::Copy);
}

// Makes `bitmap` at least width x height, keeping it if it is already; false
// if it cannot be made.
bool Reserve(QImage& bitmap, int width, int height)
{
    if (bitmap.width() >= width && bitmap.height() >= height)
        return true;
    bitmap = NewBitmap(std::max(width, bitmap.width()), std::max(height, bitmap.height()));
    return !bitmap.isNull();
}

// `origin` moved on by `offset` (which is never negative), held at the int
// limit: a position that far out lies past every bitmap either way.
QPoint Shifted(int32_t x, int32_t y, QPoint offset)
{
    constexpr int64_t kLargest = std::numeric_limits<int>::max();
    return QPoint(static_cast<int>(std::min(int64_t{x} + offset.x(), kLargest)),
                  static_cast<int>(std::min(int64_t{y} + offset.y(), kLargest)));
}

// Whether `image` holds the whole of `part` when read from `origin` on.
bool Reaches(const QImage& image, QPoint origin, const QRect& part)
{
    return origin.x() >= 0 && origin.y() >= 0 && int64_t{origin.x()} + part.width() <= image.width() &&
           int64_t{origin.y()} + part.height() <= image.height();
}

}  // namespace

tSprite::tSprite(TSurface& canvas, int32_t width, int32_t height)
    : Place{.Width = Magnitude(width), .Height = Magnitude(height)}, SaveUnder(NewBitmap(Place.Width, Place.Height)),
      HasSaveUnder(!SaveUnder.isNull()), Canvas(canvas)
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
    if (!IsReady() || Place.IsAt(x, y))
        return;
    Place.EndDrag();
    if (Place.Visible) {
        MoveSprite(x, y);
    } else {
        Place.X = x;
        Place.Y = y;
    }
}

void tSprite::Show()
{
    if (!IsReady() || Place.Visible)
        return;
    DrawFresh();
    Place.Visible = true;
}

void tSprite::Hide()
{
    if (!IsReady() || !Place.Visible)
        return;
    RestoreUnder();
    Place.Visible = false;
}

bool tSprite::HitTest(int32_t x, int32_t y) const
{
    return Place.HitTest(x, y);
}

void tSprite::Grab(int32_t x, int32_t y)
{
    if (IsReady())
        Place.Grab(x, y);
}

void tSprite::DragTo(int32_t x, int32_t y)
{
    if (!IsReady() || !Place.Visible || !Place.Dragging)
        return;
    MoveSprite(Place.DragLeft(x), Place.DragTop(y));
}

void tSprite::Release()
{
    Place.Dragging = false;
}

void tSprite::Refresh()
{
    if (!IsReady() || !Place.Visible)
        return;
    Recompose();
}

void tSprite::DrawFresh()
{
    // The pixels below are kept first, for Hide, then drawn over.
    const QImage& surface = Canvas.Image();
    CopyPart(SaveUnder, QPoint(Place.X, Place.Y), surface, QPoint(0, 0),
             Within(surface.rect(), Place.X, Place.Y, Place.Width, Place.Height));
    Recompose();
}

void tSprite::RestoreUnder()
{
    Canvas.Transfer(Place.X, Place.Y, Place.Width, Place.Height, SaveUnder, 0, 0, TRasterOp::Copy);
}

void tSprite::Recompose()
{
    // Only what lies on the surface is drawn: the rest is never seen.
    const QRect part = Within(Canvas.Image().rect(), Place.X, Place.Y, Place.Width, Place.Height);
    if (part.isEmpty())
        return;
    const QPoint at(Place.X, Place.Y);
    Canvas.DrawInPlace(part,
                       [&](QImage& surface) { Compose(surface, QPoint(0, 0), SaveUnder, at, at, part, nullptr); });
}

void tSprite::Compose(QImage& dst, QPoint dstOrigin, const QImage& under, QPoint underOrigin, QPoint spriteAt,
                      const QRect& part, QImage* saved) const
{
    if (part.isEmpty())
        return;
    const QPoint inSprite = part.topLeft() - spriteAt;
    const QPoint inDst = part.topLeft() - dstOrigin;
    const QPoint inUnder = part.topLeft() - underOrigin;
    const QPoint maskAt = Shifted(MaskX, MaskY, inSprite);
    const QPoint pictureAt = Shifted(PictureX, PictureY, inSprite);
    if (Reaches(*Mask, maskAt, part) && Reaches(*Picture, pictureAt, part)) {
        if (saved)
            MaskedComposeSaving(dst, inDst.x(), inDst.y(), part.width(), part.height(), under, inUnder, *Mask, maskAt,
                                *Picture, pictureAt, *saved, inSprite);
        else
            MaskedCompose(dst, inDst.x(), inDst.y(), part.width(), part.height(), under, inUnder, *Mask, maskAt,
                          *Picture, pictureAt);
        return;
    }
    // Where the mask or the picture does not reach, its step leaves the
    // pixels as they are.
    if (saved)
        CopyPart(*saved, spriteAt, under, underOrigin, part);
    CopyPart(dst, dstOrigin, under, underOrigin, part);
    BlockTransfer(dst, inDst.x(), inDst.y(), part.width(), part.height(), *Mask, maskAt.x(), maskAt.y(),
                  TRasterOp::And);
    BlockTransfer(dst, inDst.x(), inDst.y(), part.width(), part.height(), *Picture, pictureAt.x(), pictureAt.y(),
                  TRasterOp::Or);
}

void tSprite::MoveSprite(int32_t nx, int32_t ny)
{
    const int64_t dx = int64_t{nx} - Place.X;
    const int64_t dy = int64_t{ny} - Place.Y;
    if (std::abs(dx) >= Place.Width && std::abs(dy) >= Place.Height) {
        RestoreUnder();
        Place.X = nx;
        Place.Y = ny;
        DrawFresh();
        return;
    }

    // The union of the old and the new rectangle is redrawn on the surface
    // in one go, so the surface never shows without the sprite. A union
    // past the int range leaves the sprite where it is.
    const int64_t unionWidth = std::abs(dx) + Place.Width;
    const int64_t unionHeight = std::abs(dy) + Place.Height;
    constexpr int64_t kLargest = std::numeric_limits<int>::max();
    if (unionWidth > kLargest || unionHeight > kLargest)
        return;
    // As in Recompose, only what lies on the surface is drawn.
    const QRect surfaceRect = Canvas.Image().rect();
    const QRect area = Within(surfaceRect, std::min(nx, Place.X), std::min(ny, Place.Y), unionWidth, unionHeight);
    if (!area.isEmpty()) {
        if (!Reserve(SpareUnder, Place.Width, Place.Height))
            return;
        const QRect before = Within(surfaceRect, Place.X, Place.Y, Place.Width, Place.Height);
        const QRect after = Within(surfaceRect, nx, ny, Place.Width, Place.Height);
        const QPoint oldAt(Place.X, Place.Y);
        const QPoint newAt(nx, ny);
        const QPoint origin(0, 0);
        // Each pixel is written once, straight on the surface; the union's
        // pixels outside both rectangles stay as they are.
        Canvas.DrawInPlace(area, [&](QImage& surface) {
            // Where the sprite stood and stands again: the background kept
            // under it is kept again and drawn over in one pass.
            Compose(surface, origin, SaveUnder, oldAt, newAt, before.intersected(after), &SpareUnder);
            // Newly covered: the background is kept first, then drawn over.
            for (const QRect& part : Uncovered(after, before)) {
                CopyPart(SpareUnder, newAt, surface, origin, part);
                Compose(surface, origin, SpareUnder, newAt, newAt, part, nullptr);
            }
            // Left behind: the background comes back.
            for (const QRect& part : Uncovered(before, after))
                CopyPart(surface, origin, SaveUnder, oldAt, part);
        });
        SaveUnder.swap(SpareUnder);
    }
    Place.X = nx;
    Place.Y = ny;
}
