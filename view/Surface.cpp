#include "view/Surface.h"

#include <utility>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int kDotsPerMeterAt96Dpi = 3780;

}  // namespace

TSurface::TSurface(QSize size) : image_(NewBitmap(size.width(), size.height()))
{
    image_.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
    image_.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
}

void TSurface::Transfer(int x, int y, int w, int h, const QImage& src, int sx, int sy, TRasterOp op)
{
    MarkDirty(BlockTransfer(image_, x, y, w, h, src, sx, sy, op));
}

void TSurface::Fill(const QRect& rect, QRgb color)
{
    MarkDirty(FillRect(image_, rect, color));
}

void TSurface::DrawText(int x, int y, const QString& text, const QFont& font, QRgb color)
{
    QPainter painter(&image_);
    painter.setFont(font);
    painter.setPen(QColor(color));
    // Metrics of the painter's font on this device, not of the screen.
    const QFontMetrics metrics = painter.fontMetrics();
    const QPoint baseline(x, y + metrics.ascent());
    painter.drawText(baseline, text);
    const QRect cell(x, y, metrics.horizontalAdvance(text), metrics.height());
    const QRect ink = metrics.boundingRect(text).translated(baseline);
    MarkDirty(cell.united(ink).adjusted(-1, -1, 1, 1).intersected(image_.rect()));
}

QRegion TSurface::TakeDirty()
{
    return std::exchange(dirty_, QRegion());
}

void TSurface::SetFlushHook(std::function<void()> hook)
{
    flush_ = std::move(hook);
}

void TSurface::Flush() const
{
    if (flush_)
        flush_();
}

void TSurface::MarkDirty(const QRect& rect)
{
    if (!rect.isEmpty())
        dirty_ += rect;
}
