#include "Placement.h"

#include <QStringList>

namespace Placement {

QString Format(const TRecord& record)
{
    const QRect& r = record.Normal;
    return QStringLiteral("200,%1,%2,%3,%4,%5,%6")
        .arg(record.Flags)
        .arg(record.ShowState)
        .arg(r.left())
        .arg(r.top())
        .arg(r.left() + r.width())
        .arg(r.top() + r.height());
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
    int left = edges[0];
    int top = edges[1];
    const int desktopRight = desktop.left() + desktop.width();
    const int desktopBottom = desktop.top() + desktop.height();
    if (left + size.width() > desktopRight)
        left = desktopRight - size.width();
    if (top + size.height() > desktopBottom)
        top = desktopBottom - size.height();
    if (left < desktop.left())
        left = desktop.left();
    if (top < desktop.top())
        top = desktop.top();
    return QPoint(left, top);
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
