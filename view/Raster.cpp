#include "view/Raster.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr QRgb kOpaque = 0xFF000000u;

// One row: the pointers never overlap (BlockTransfer reads a bitmap onto
// itself from a copy), which lets the compiler work on whole vectors of
// pixels without checking first.
template <typename Combine>
void CombineRow(QRgb* __restrict d, const QRgb* __restrict s, int width, Combine combine)
{
    for (int i = 0; i < width; ++i)
        d[i] = combine(d[i], s[i]) | kOpaque;
}

template <typename Combine>
void CombineRows(uchar* dstRow, qsizetype dstStride, const uchar* srcRow, qsizetype srcStride, int width, int height,
                 Combine combine)
{
    for (int row = 0; row < height; ++row, dstRow += dstStride, srcRow += srcStride)
        CombineRow(reinterpret_cast<QRgb*>(dstRow), reinterpret_cast<const QRgb*>(srcRow), width, combine);
}

// One row of a masked compose; `saved`, when wanted, gets the pixels below.
template <bool Saving>
void ComposeRow(QRgb* __restrict d, QRgb* __restrict saved, const QRgb* __restrict under, const QRgb* __restrict mask,
                const QRgb* __restrict picture, int width)
{
    for (int i = 0; i < width; ++i) {
        const QRgb below = under[i];
        if constexpr (Saving)
            saved[i] = below | kOpaque;
        d[i] = (below & mask[i]) | picture[i] | kOpaque;
    }
}

// The part of a w x h rectangle at (x, y) in `dst` whose pixels lie inside
// `dst` and, at the same offsets from `from`, inside every source bitmap.
template <size_t Sources>
struct TClipped {
    QRect target;                        // in `dst`; empty when nothing is left
    std::array<QPoint, Sources> from{};  // the matching top left in each source
};

template <size_t Sources>
TClipped<Sources> Clip(const QImage& dst, int x, int y, int w, int h, const std::array<const QImage*, Sources>& sources,
                       const std::array<QPoint, Sources>& from)
{
    Q_ASSERT(dst.isNull() || dst.depth() == 32);
    // 64 bits, so that no position or size near the int limits can overflow.
    // `skip` is how far the rectangle's top left moves in; `end` is where it
    // stops, both counted from (x, y).
    int64_t skipX = std::max<int64_t>(0, -int64_t{x});
    int64_t skipY = std::max<int64_t>(0, -int64_t{y});
    int64_t endX = std::min<int64_t>(w, int64_t{dst.width()} - x);
    int64_t endY = std::min<int64_t>(h, int64_t{dst.height()} - y);
    for (size_t i = 0; i < Sources; ++i) {
        Q_ASSERT(sources[i]->isNull() || sources[i]->depth() == 32);
        skipX = std::max<int64_t>(skipX, -int64_t{from[i].x()});
        skipY = std::max<int64_t>(skipY, -int64_t{from[i].y()});
        endX = std::min<int64_t>(endX, int64_t{sources[i]->width()} - from[i].x());
        endY = std::min<int64_t>(endY, int64_t{sources[i]->height()} - from[i].y());
    }
    TClipped<Sources> clipped;
    if (endX <= skipX || endY <= skipY)
        return clipped;
    clipped.target = QRect(static_cast<int>(x + skipX), static_cast<int>(y + skipY), static_cast<int>(endX - skipX),
                           static_cast<int>(endY - skipY));
    for (size_t i = 0; i < Sources; ++i)
        clipped.from[i] = QPoint(static_cast<int>(from[i].x() + skipX), static_cast<int>(from[i].y() + skipY));
    return clipped;
}

const uchar* PixelAt(const QImage& image, QPoint at)
{
    return image.constBits() + at.y() * image.bytesPerLine() + qsizetype{at.x()} * 4;
}

uchar* PixelAt(QImage& image, QPoint at)
{
    return image.bits() + at.y() * image.bytesPerLine() + qsizetype{at.x()} * 4;
}

}  // namespace

QRect BlockTransfer(QImage& dst, int x, int y, int w, int h, const QImage& src, int sx, int sy, TRasterOp op)
{
    const TClipped<1> clipped = Clip<1>(dst, x, y, w, h, {&src}, {QPoint(sx, sy)});
    if (clipped.target.isEmpty())
        return {};

    // A second reference to the source makes `dst.bits()` detach when both
    // are one bitmap, so the source keeps the pixels from before the transfer.
    const QImage source = src;
    uchar* d = PixelAt(dst, clipped.target.topLeft());
    const uchar* s = PixelAt(source, clipped.from[0]);
    const qsizetype dstStride = dst.bytesPerLine();
    const qsizetype srcStride = source.bytesPerLine();
    const int cols = clipped.target.width();
    const int rows = clipped.target.height();

    switch (op) {
        case TRasterOp::Copy:
            CombineRows(d, dstStride, s, srcStride, cols, rows, [](QRgb, QRgb b) { return b; });
            break;
        case TRasterOp::And:
            CombineRows(d, dstStride, s, srcStride, cols, rows, [](QRgb a, QRgb b) { return a & b; });
            break;
        case TRasterOp::Or:
            CombineRows(d, dstStride, s, srcStride, cols, rows, [](QRgb a, QRgb b) { return a | b; });
            break;
        case TRasterOp::Xor:
            CombineRows(d, dstStride, s, srcStride, cols, rows, [](QRgb a, QRgb b) { return a ^ b; });
            break;
    }
    return clipped.target;
}

namespace {

template <bool Saving>
QRect Compose(QImage& dst, int x, int y, int w, int h, const QImage& under, QPoint underAt, const QImage& mask,
              QPoint maskAt, const QImage& picture, QPoint pictureAt, QImage& saved, QPoint savedAt)
{
    Q_ASSERT(!Saving || &saved != &dst);
    constexpr size_t kBounds = Saving ? 4 : 3;
    std::array<const QImage*, kBounds> bounds{&under, &mask, &picture};
    std::array<QPoint, kBounds> from{underAt, maskAt, pictureAt};
    if constexpr (Saving) {
        bounds[3] = &saved;
        from[3] = savedAt;
    }
    const TClipped<kBounds> clipped = Clip<kBounds>(dst, x, y, w, h, bounds, from);
    if (clipped.target.isEmpty())
        return {};

    // As in BlockTransfer: a written bitmap detaches if it is one of the sources.
    const std::array<QImage, 3> sources{under, mask, picture};
    std::array<const uchar*, 3> s{};
    std::array<qsizetype, 3> strides{};
    for (size_t i = 0; i < s.size(); ++i) {
        s[i] = PixelAt(sources[i], clipped.from[i]);
        strides[i] = sources[i].bytesPerLine();
    }
    uchar* kept = Saving ? PixelAt(saved, clipped.from[kBounds - 1]) : nullptr;
    const qsizetype keptStride = Saving ? saved.bytesPerLine() : 0;
    uchar* d = PixelAt(dst, clipped.target.topLeft());
    const qsizetype dstStride = dst.bytesPerLine();
    for (int row = 0; row < clipped.target.height(); ++row) {
        ComposeRow<Saving>(reinterpret_cast<QRgb*>(d), reinterpret_cast<QRgb*>(kept),
                           reinterpret_cast<const QRgb*>(s[0]), reinterpret_cast<const QRgb*>(s[1]),
                           reinterpret_cast<const QRgb*>(s[2]), clipped.target.width());
        d += dstStride;
        kept += keptStride;
        for (size_t i = 0; i < s.size(); ++i)
            s[i] += strides[i];
    }
    return clipped.target;
}

}  // namespace

QRect MaskedCompose(QImage& dst, int x, int y, int w, int h, const QImage& under, QPoint underAt, const QImage& mask,
                    QPoint maskAt, const QImage& picture, QPoint pictureAt)
{
    return Compose<false>(dst, x, y, w, h, under, underAt, mask, maskAt, picture, pictureAt, dst, QPoint());
}

QRect MaskedComposeSaving(QImage& dst, int x, int y, int w, int h, const QImage& under, QPoint underAt,
                          const QImage& mask, QPoint maskAt, const QImage& picture, QPoint pictureAt, QImage& saved,
                          QPoint savedAt)
{
    return Compose<true>(dst, x, y, w, h, under, underAt, mask, maskAt, picture, pictureAt, saved, savedAt);
}

QRect FillRect(QImage& dst, const QRect& rect, QRgb color)
{
    const QRect area = rect.intersected(dst.rect());
    if (area.isEmpty())
        return {};
    const QRgb pixel = color | kOpaque;
    for (int row = area.top(); row <= area.bottom(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(dst.scanLine(row)) + area.left();
        std::fill(line, line + area.width(), pixel);
    }
    return area;
}

QImage NewBitmap(int width, int height)
{
    QImage bitmap(width, height, QImage::Format_RGB32);
    if (!bitmap.isNull())
        bitmap.fill(Qt::black);
    return bitmap;
}

QImage ToBitmap(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}
