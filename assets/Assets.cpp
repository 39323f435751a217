#include "Assets.h"

#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <algorithm>
#include <array>

namespace {

// Our pictures are pixel art: a whole multiple of each pixel, or it blurs.
class TCrispIconEngine : public QIconEngine {
public:
    TCrispIconEngine(QImage on, QImage off) : on_(std::move(on)), off_(std::move(off)) {}

    QSize actualSize(const QSize& room, QIcon::Mode, QIcon::State state) override
    {
        return ShownSize(Art(state).size(), room);
    }

    // `room` is in device pixels.
    QPixmap pixmap(const QSize& room, QIcon::Mode mode, QIcon::State state) override
    {
        const QImage& art = Art(state);
        const QSize size = ShownSize(art.size(), room);
        const bool whole = size.width() >= art.width();
        QImage shown = art.scaled(size, Qt::IgnoreAspectRatio, whole ? Qt::FastTransformation : Qt::SmoothTransformation);
        if (mode == QIcon::Disabled)
            shown = Greyed(shown);
        return QPixmap::fromImage(shown);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device()->devicePixelRatio();
        QPixmap shown = pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
        shown.setDevicePixelRatio(ratio);
        const QSizeF size = shown.deviceIndependentSize();
        const QPointF topLeft(rect.x() + (rect.width() - size.width()) / 2,
                              rect.y() + (rect.height() - size.height()) / 2);
        painter->drawPixmap(topLeft, shown);
    }

    QIconEngine* clone() const override { return new TCrispIconEngine(*this); }

private:
    const QImage& Art(QIcon::State state) const { return state == QIcon::On ? on_ : off_; }

    static QSize ShownSize(const QSize& art, const QSize& room)
    {
        if (art.isEmpty())
            return {};
        const int factor = std::min(room.width() / art.width(), room.height() / art.height());
        return factor >= 1 ? art * factor : art.scaled(room, Qt::KeepAspectRatio);
    }

    static QImage Greyed(const QImage& image)
    {
        QImage grey = image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_ARGB32);
        grey.setAlphaChannel(image.convertToFormat(QImage::Format_Alpha8));
        return grey;
    }

    QImage on_;
    QImage off_;
};

}  // namespace

namespace Assets {

QString SheetPath(int index)
{
    static const std::array<const char*, 4> names{"background", "tiles", "explosion", "digits"};
    return QStringLiteral(":/art/%1.png").arg(QLatin1String(names.at(index)));
}

QString ClipPath(int effect)
{
    return QStringLiteral(":/sound/effect%1.wav").arg(effect);
}

QString PicturePath(const QString& name)
{
    return QStringLiteral(":/art/%1.png").arg(name);
}

QIcon PictureIcon(const QString& name)
{
    return ToggleIcon(name, name);
}

QIcon ToggleIcon(const QString& on, const QString& off)
{
    return QIcon(new TCrispIconEngine(QImage(PicturePath(on)), QImage(PicturePath(off))));
}

QPixmap PicturePixmap(const QString& name)
{
    const QImage art(PicturePath(name));
    const qreal ratio = qGuiApp->devicePixelRatio();
    QPixmap blocks = QPixmap::fromImage(art.scaled(art.size() * ratio, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    blocks.setDevicePixelRatio(ratio);
    return blocks;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(PicturePath(QStringLiteral("icon_%1").arg(size)), QSize(size, size));
    return icon;
}

void UseMetricCompatibleFaces()
{
    const QStringList metricCompatible{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")};
    QFont::insertSubstitutions(QStringLiteral("Arial"), metricCompatible);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), metricCompatible);
}

}  // namespace Assets

namespace {

void UseMetricCompatibleFacesAtStart()
{
    Assets::UseMetricCompatibleFaces();
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(UseMetricCompatibleFacesAtStart)
