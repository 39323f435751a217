#include "records/Placement.h"

#include <QStringList>
#include <algorithm>
#include <cstdint>

namespace Placement {

namespace {

// The edge after a span, held to what the record's 32-bit fields can take.
int EdgeAfter(int start, int span)
{
    return int(std::clamp<int64_t>(int64_t(start) + span, INT32_MIN, INT32_MAX));
}

}  // namespace

bool WindowSystemReportsPosition(const QString& platformName)
{
    return !platformName.startsWith(QLatin1String("wayland"));
}

QString Format(const TRecord& record)
{
    const QRect& r = record.Normal;
    return QStringLiteral("200,%1,%2,%3,%4,%5,%6")
        .arg(record.Flags)
        .arg(record.ShowState)
        .arg(r.left())
        .arg(r.top())
        .arg(EdgeAfter(r.left(), r.width()))
        .arg(EdgeAfter(r.top(), r.height()));
}

QStringList SplitFields(const QString& text)
{
    QStringList fields = text.split(QLatin1Char(','));
    if (fields.last().isEmpty())
        fields.removeLast();
    return fields;
}

std::optional<QPoint> RestoredTopLeft(const QString& stored, const QSize& size, const QRect& desktop)
{
    const QStringList fields = SplitFields(stored);
    if (fields.size() != 7 || fields[0] != QLatin1String("200"))
        return std::nullopt;
    // Only the position is restored, but all four edges must be numbers.
    int edges[4];
    for (int n = 0; n < 4; ++n) {
        bool ok = false;
        edges[n] = fields[n + 3].toInt(&ok, 10);
        if (!ok)
            return std::nullopt;
    }
    // In 64 bits: a stored edge near the 32-bit limit plus the window's
    // size must not wrap around and put the window off the desktop.
    const int64_t width = size.width();
    const int64_t height = size.height();
    const int64_t desktopRight = int64_t(desktop.left()) + desktop.width();
    const int64_t desktopBottom = int64_t(desktop.top()) + desktop.height();
    int64_t left = edges[0];
    int64_t top = edges[1];
    if (left + width > desktopRight)
        left = desktopRight - width;
    if (top + height > desktopBottom)
        top = desktopBottom - height;
    if (left < desktop.left())
        left = desktop.left();
    if (top < desktop.top())
        top = desktop.top();
    return QPoint(int(left), int(top));
}

QPoint Centred(const QSize& size, const QRect& screen)
{
    return QPoint(screen.left() + (screen.width() - size.width()) / 2,
                  screen.top() + (screen.height() - size.height()) / 2);
}

QPoint DialogTopLeft(const QRect& mainFrame, int mainClientHeight, const QSize& dialogFrame)
{
    return QPoint(mainFrame.left() + (mainFrame.width() - dialogFrame.width()) / 2,
                  mainFrame.top() + mainFrame.height() - (mainClientHeight + dialogFrame.height()) / 2);
}

}  // namespace Placement
