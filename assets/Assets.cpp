#include "assets/Assets.h"

#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "assets/BakedPictures.h"

namespace {

QImage Greyed(const QImage& image)
{
    QImage grey = image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_ARGB32);
    grey.setAlphaChannel(image.convertToFormat(QImage::Format_Alpha8));
    return grey;
}

// Draws an engine's pixmap for `rect`, at the painter's pixel ratio, centred.
void PaintCentred(QIconEngine& engine, QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state)
{
    const qreal ratio = painter->device()->devicePixelRatio();
    QPixmap shown = engine.pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
    shown.setDevicePixelRatio(ratio);
    const QSizeF size = shown.deviceIndependentSize();
    const QPointF topLeft(rect.x() + (rect.width() - size.width()) / 2, rect.y() + (rect.height() - size.height()) / 2);
    painter->drawPixmap(topLeft, shown);
}

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
        QImage shown =
            art.scaled(size, Qt::IgnoreAspectRatio, whole ? Qt::FastTransformation : Qt::SmoothTransformation);
        if (mode == QIcon::Disabled)
            shown = Greyed(shown);
        return QPixmap::fromImage(shown);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        PaintCentred(*this, painter, rect, mode, state);
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

    QImage on_;
    QImage off_;
};

// The program's icon, drawn at several sizes: each size is served from the
// program's own pixels when asked for, and none is kept as a copy.
class TDrawnSizesIconEngine : public QIconEngine {
public:
    explicit TDrawnSizesIconEngine(std::vector<QImage> sizes) : sizes_(std::move(sizes)) {}

    QSize actualSize(const QSize& room, QIcon::Mode, QIcon::State) override
    {
        return Fitted(Nearest(room), room).size();
    }

    QPixmap pixmap(const QSize& room, QIcon::Mode mode, QIcon::State) override
    {
        QImage shown = Fitted(Nearest(room), room);
        return QPixmap::fromImage(mode == QIcon::Disabled ? Greyed(shown) : shown);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        PaintCentred(*this, painter, rect, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const QImage& drawn : sizes_)
            sizes << drawn.size();
        return sizes;
    }

    QIconEngine* clone() const override { return new TDrawnSizesIconEngine(*this); }

private:
    // The smallest drawing that fills the room, else the largest.
    const QImage& Nearest(const QSize& room) const
    {
        for (const QImage& drawn : sizes_)
            if (drawn.width() >= room.width() && drawn.height() >= room.height())
                return drawn;
        return sizes_.back();
    }

    static QImage Fitted(const QImage& drawn, const QSize& room)
    {
        if (drawn.isNull() || (drawn.width() <= room.width() && drawn.height() <= room.height()))
            return drawn;
        return drawn.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    std::vector<QImage> sizes_;  // smallest first
};

}  // namespace

namespace Assets {

QImage Picture(const QString& name)
{
    for (const TBakedPicture& picture : std::span(kBakedPictures, kBakedPictureCount))
        if (name == QLatin1String(picture.name))
            return QImage(reinterpret_cast<const uchar*>(picture.pixels), picture.width, picture.height,
                          picture.width * 4, static_cast<QImage::Format>(picture.format));
    return {};
}

QString SheetName(int index)
{
    static const std::array<const char*, 4> names{"background", "tiles", "explosion", "digits"};
    return QLatin1String(names.at(index));
}

QString ClipPath(int effect)
{
    return QStringLiteral(":/sound/effect%1.wav").arg(effect);
}

QIcon PictureIcon(const QString& name)
{
    return ToggleIcon(name, name);
}

QIcon ToggleIcon(const QString& on, const QString& off)
{
    return QIcon(new TCrispIconEngine(Picture(on), Picture(off)));
}

QPixmap PicturePixmap(const QString& name)
{
    const QImage art = Picture(name);
    const qreal ratio = qGuiApp->devicePixelRatio();
    QPixmap blocks = QPixmap::fromImage(art.scaled(art.size() * ratio, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    blocks.setDevicePixelRatio(ratio);
    return blocks;
}

QIcon ProgramIcon()
{
    std::vector<QImage> sizes;
    for (int size : {16, 32, 48, 64, 128, 256})
        sizes.push_back(Picture(QStringLiteral("icon_%1").arg(size)));
    return QIcon(new TDrawnSizesIconEngine(std::move(sizes)));
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
