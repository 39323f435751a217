#pragma once

#include <QImage>
#include <QRect>

// Bitmaps are QImages in Format_RGB32. Every pixel written by the functions
// below has its alpha byte at 0xFF, so a bitmap stays a valid RGB32 image
// whatever the operations did to the colour bits.

enum class TRasterOp { Copy, And, Or, Xor };

// Combines the w x h rectangle of `src` at (sx, sy) into `dst` at (x, y):
// Copy replaces the destination pixels, And, Or and Xor combine them bitwise
// with the source pixels on every RGB bit. The rectangle is clipped to both
// bitmaps, the other rectangle shifted to match, so nothing outside either is
// read or written. `dst` may be `src`: the transfer then reads the pixels as
// they were before it. Returns the destination rectangle written (empty if
// nothing was).
QRect BlockTransfer(QImage& dst, int x, int y, int w, int h, const QImage& src, int sx, int sy, TRasterOp op);

// Writes (under AND mask) OR picture into the w x h rectangle of `dst` at
// (x, y), in one pass, each source read from its own top left: how a masked
// sprite is drawn over the pixels below it. Every RGB bit is combined
// exactly, as by a Copy of `under`, an And of `mask` and an Or of `picture`.
// The rectangle is clipped to all four bitmaps, the others shifted to match;
// a pixel is written only where all three sources reach it. `dst` may be one
// of the sources. Returns the destination rectangle written.
QRect MaskedCompose(QImage& dst, int x, int y, int w, int h, const QImage& under, QPoint underAt, const QImage& mask,
                    QPoint maskAt, const QImage& picture, QPoint pictureAt);

// MaskedCompose that also copies each `under` pixel it reads into `saved`,
// from `savedAt` on, in the same pass: a sprite drawn over pixels it keeps.
// The rectangle is clipped to `saved` as well. `saved` must not be `dst`.
QRect MaskedComposeSaving(QImage& dst, int x, int y, int w, int h, const QImage& under, QPoint underAt,
                          const QImage& mask, QPoint maskAt, const QImage& picture, QPoint pictureAt, QImage& saved,
                          QPoint savedAt);

// Fills the part of `rect` inside `dst` with `color`; returns that part.
QRect FillRect(QImage& dst, const QRect& rect, QRgb color);

// A new black bitmap of that size; a null image if it cannot be made
// (a size that is not positive, or no memory).
QImage NewBitmap(int width, int height);

// `image` converted to a bitmap, once, so later transfers need no conversion.
QImage ToBitmap(const QImage& image);
