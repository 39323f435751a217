#include "Raster.h"

#include <algorithm>
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
void CombineRows(uchar* dstRow, qsizetype dstStride, const uchar* srcRow, qsizetype srcStride,
                 int width, int height, Combine combine)
{
    for (int row = 0; row < height; ++row, dstRow += dstStride, srcRow += srcStride)
        CombineRow(reinterpret_cast<QRgb*>(dstRow), reinterpret_cast<const QRgb*>(srcRow), width, combine);
}

}  // namespace

QRect BlockTransfer(QImage& dst, int x, int y, int w, int h,
                    const QImage& src, int sx, int sy, TRasterOp op)
{
    Q_ASSERT(dst.isNull() || dst.depth() == 32);
    Q_ASSERT(src.isNull() || src.depth() == 32);

    // 64 bits, so that no position or size near the int limits can overflow.
    int64_t left = x, top = y, srcLeft = sx, srcTop = sy, width = w, height = h;
    if (left < 0) { srcLeft -= left; width += left; left = 0; }
    if (top < 0) { srcTop -= top; height += top; top = 0; }
    if (srcLeft < 0) { left -= srcLeft; width += srcLeft; srcLeft = 0; }
    if (srcTop < 0) { top -= srcTop; height += srcTop; srcTop = 0; }
    width = std::min({width, dst.width() - left, src.width() - srcLeft});
    height = std::min({height, dst.height() - top, src.height() - srcTop});
    if (width <= 0 || height <= 0)
        return {};

    // A second reference to the source makes `dst.bits()` detach when both
    // are one bitmap, so the source keeps the pixels from before the transfer.
    const QImage source = src;
    const qsizetype dstStride = dst.bytesPerLine();
    const qsizetype srcStride = source.bytesPerLine();
    uchar* d = dst.bits() + top * dstStride + left * 4;
    const uchar* s = source.constBits() + srcTop * srcStride + srcLeft * 4;
    const int cols = static_cast<int>(width);
    const int rows = static_cast<int>(height);

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
    return QRect(static_cast<int>(left), static_cast<int>(top), cols, rows);
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
