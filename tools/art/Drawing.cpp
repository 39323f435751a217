#include "tools/art/Drawing.h"

#include "tools/art/Theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Drawing {

namespace {

constexpr double kPi = std::numbers::pi;

// Most of the colour drained and darkened: what a full, dead stack is made of.
QColor Dulled(const QColor& colour)
{
    const int grey = qGray(colour.rgb());
    return Shade(Mix(colour, QColor(grey, grey, grey), 0.6), 0.7);
}

// One slab of a stack: a 1 px outline around a flat fill.
void Slab(QPainter& painter, const QRect& rect, const QColor& fill, const QColor& outline)
{
    painter.fillRect(rect, outline);
    painter.fillRect(rect.adjusted(1, 1, -1, -1), fill);
}

// The top of a stack, lit from the top left.
void Face(QPainter& painter, const QRect& rect, const QColor& body)
{
    Slab(painter, rect, body, Shade(body, 0.3));
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    QLinearGradient sheen(inner.topLeft(), inner.bottomRight());
    sheen.setColorAt(0, Shade(body, 1.3));
    sheen.setColorAt(1, Shade(body, 0.86));
    painter.fillRect(inner, sheen);
    painter.fillRect(QRect(inner.left(), inner.top(), inner.width(), 1), Shade(body, 1.6));
    painter.fillRect(QRect(inner.left(), inner.top(), 1, inner.height()), Shade(body, 1.45));
    painter.fillRect(QRect(inner.left(), inner.bottom(), inner.width(), 1), Shade(body, 0.7));
    painter.fillRect(QRect(inner.right(), inner.top(), 1, inner.height()), Shade(body, 0.7));
}

}  // namespace

QColor Mix(const QColor& a, const QColor& b, double t)
{
    const auto channel = [t](int x, int y) { return std::clamp(int(std::lround(x + (y - x) * t)), 0, 255); };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()), channel(a.blue(), b.blue()),
                  channel(a.alpha(), b.alpha()));
}

QColor Shade(const QColor& colour, double factor)
{
    if (factor <= 1.0)
        return Mix(QColor(0, 0, 0, colour.alpha()), colour, factor);
    return Mix(colour, QColor(255, 255, 255, colour.alpha()), factor - 1.0);
}

double Hash01(int32_t x, int32_t y, int32_t seed)
{
    uint32_t h = uint32_t(x) * 0x8da6b343u ^ uint32_t(y) * 0xd8163841u ^ uint32_t(seed) * 0xcb1ab31fu;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h / 4294967296.0;
}

QPainterPath StarPath(QPointF centre, double outer, double inner, int points, double turn)
{
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const double radius = i % 2 == 0 ? outer : inner;
        const double angle = -kPi / 2 + turn + i * kPi / points;
        const QPointF point = centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

QPainterPath SymbolPath(int symbol, QPointF centre, double radius)
{
    QPainterPath path;
    const double x = centre.x();
    const double y = centre.y();
    switch (symbol) {
        case 0:
            path.addEllipse(centre, radius * 0.9, radius * 0.9);
            break;
        case 1:
            path.moveTo(x, y - radius * 1.05);
            path.lineTo(x + radius * 0.85, y);
            path.lineTo(x, y + radius * 1.05);
            path.lineTo(x - radius * 0.85, y);
            path.closeSubpath();
            break;
        case 2:
            path.moveTo(x, y - radius * 1.0);
            path.lineTo(x + radius * 1.0, y + radius * 0.8);
            path.lineTo(x - radius * 1.0, y + radius * 0.8);
            path.closeSubpath();
            break;
        default:
            path = StarPath(centre + QPointF(0, radius * 0.08), radius * 1.12, radius * 0.48, 5, 0);
            break;
    }
    return path;
}

void EmptyCell(QPainter& painter, bool alternate)
{
    const QColor floor = alternate ? Theme::kCellFloorAlt : Theme::kCellFloor;
    painter.fillRect(QRect(0, 0, 25, 25), Theme::kCellGroove);
    painter.fillRect(QRect(1, 1, 23, 23), floor);
    // A shallow well: shadow under the top and left rims, light on the others.
    painter.fillRect(QRect(1, 1, 23, 1), Shade(floor, 0.55));
    painter.fillRect(QRect(1, 1, 1, 23), Shade(floor, 0.55));
    painter.fillRect(QRect(2, 23, 22, 1), Theme::kCellRim);
    painter.fillRect(QRect(23, 2, 1, 22), Theme::kCellRim);
}

void TileStack(QPainter& painter, int picture, int layers)
{
    const QColor colour = Theme::kTileColours.at(picture % Theme::kTileColours.size());
    const int symbol = picture / int(Theme::kTileColours.size());
    const bool full = layers >= 4;
    const QColor body = full ? Dulled(colour) : colour;

    // Every layer below the top shows as a step of `step` pixels to the lower
    // right, so the stack's edge can be counted; the face keeps its size so
    // a picture reads as the same tile at every height.
    constexpr int face = 17;
    const int step = full ? 2 : 3;
    const int extent = face + step * (layers - 1);
    const int origin = (25 - extent) / 2;

    EmptyCell(painter, false);
    painter.fillRect(QRect(origin + 1, origin + 1, extent, extent), QColor(0, 0, 0, 110));
    for (int below = layers - 1; below >= 1; --below) {
        const int at = origin + below * step;
        Slab(painter, QRect(at, at, face, face), Shade(body, 0.78 - 0.1 * below), Shade(body, 0.22));
    }
    const QRect top(origin, origin, face, face);
    Face(painter, top, body);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = QRectF(top).center();
    if (full) {
        // A heavy cross over the top: nothing more goes on, nothing passes.
        // The symbol stays on it, dimmed, so the picture is still known.
        painter.setClipRect(top);
        const QRectF box = QRectF(top).adjusted(0.5, 0.5, -0.5, -0.5);
        for (const QPen& pen : {QPen(QColor(0x06, 0x06, 0x0c), 3.6), QPen(QColor(0x9c, 0x9e, 0xac), 1.1)}) {
            painter.setPen(pen);
            painter.drawLine(box.topLeft(), box.bottomRight());
            painter.drawLine(box.topRight(), box.bottomLeft());
        }
        painter.setClipping(false);
        painter.setPen(QPen(QColor(0x06, 0x06, 0x0c), 1.4));
        painter.setBrush(Shade(body, 1.5));
        painter.drawPath(SymbolPath(symbol, centre, face * 0.27));
        painter.restore();
        return;
    }
    const QPainterPath path = SymbolPath(symbol, centre, face * 0.3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Shade(body, 0.4));
    painter.drawPath(path.translated(0.8, 0.8));
    painter.setBrush(Mix(QColor(Qt::white), body, 0.12));
    painter.drawPath(path);
    painter.restore();

    // Pips on the face count the layers once more, for a glance at one cell.
    for (int pip = 0; pip < layers; ++pip)
        painter.fillRect(QRect(origin + 2 + pip * 3, origin + 2, 2, 2), Shade(body, 0.25));
}

void BombCell(QPainter& painter)
{
    painter.fillRect(QRect(0, 0, 25, 25), Theme::kCellGroove);
    QRadialGradient warning(QPointF(10.5, 14.5), 16);
    warning.setColorAt(0, QColor(0xff, 0xfa, 0xc8));
    warning.setColorAt(0.5, QColor(0xff, 0xe4, 0x5a));
    warning.setColorAt(1, QColor(0xff, 0xb0, 0x1c));
    painter.fillRect(QRect(1, 1, 23, 23), QColor(0xb8, 0x5a, 0x00));
    painter.fillRect(QRect(2, 2, 21, 21), warning);
    Bomb(painter, QPointF(10.5, 14.5), 7.0);
}

void Bomb(QPainter& painter, QPointF centre, double radius)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double r = radius;

    // Fuse: from the nozzle up and to the right, ending in the spark.
    const QPointF nozzle = centre + QPointF(0.62, -0.62) * r;
    const QPointF tip = centre + QPointF(1.3, -1.35) * r;
    QPainterPath fuse(nozzle);
    fuse.cubicTo(nozzle + QPointF(0.1, -0.6) * r, tip + QPointF(-0.55, 0.05) * r, tip);
    painter.setPen(QPen(QColor(0x2a, 0x18, 0x08), std::max(1.3, r * 0.2), Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(fuse);
    painter.setPen(QPen(QColor(0xb0, 0x84, 0x4a), std::max(0.5, r * 0.07), Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(fuse);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x3c, 0x3c, 0x48));
    painter.save();
    painter.translate(nozzle);
    painter.rotate(45);
    painter.drawRect(QRectF(-0.3 * r, -0.28 * r, 0.6 * r, 0.42 * r));
    painter.restore();

    QRadialGradient ball(centre, r, centre - QPointF(0.4, 0.45) * r);
    ball.setColorAt(0, QColor(0x8c, 0x8c, 0xa0));
    ball.setColorAt(0.35, QColor(0x2a, 0x2a, 0x34));
    ball.setColorAt(1, QColor(0x02, 0x02, 0x04));
    painter.setBrush(ball);
    painter.drawEllipse(centre, r, r);
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawEllipse(centre - QPointF(0.38, 0.42) * r, r * 0.16, r * 0.12);

    // The spark: red-hot points around a white core.
    painter.setBrush(QColor(0xf0, 0x2c, 0x0c));
    painter.drawPath(StarPath(tip, r * 0.52, r * 0.2, 7, 0.2));
    painter.setBrush(QColor(0xff, 0xd2, 0x20));
    painter.drawPath(StarPath(tip, r * 0.33, r * 0.15, 7, 0.65));
    painter.setBrush(Qt::white);
    painter.drawEllipse(tip, r * 0.12, r * 0.12);
    painter.restore();
}

void ComicFace(QPainter& painter, const QRectF& box)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double r = std::min(box.width(), box.height() * 1.05) * 0.46;
    const QPointF c = box.center() + QPointF(0, r * 0.04);
    const double line = std::max(0.9, r * 0.06);
    const QColor ink(0x2a, 0x16, 0x10);
    const bool detailed = r > 14;

    // Ears, then the head over them.
    painter.setPen(QPen(ink, line));
    painter.setBrush(QColor(0xf4, 0xb0, 0x6a));
    for (const double side : {-1.0, 1.0})
        painter.drawEllipse(c + QPointF(side * r * 0.95, r * 0.05), r * 0.2, r * 0.26);
    QRadialGradient skin(c - QPointF(0.3, 0.35) * r, r * 1.3);
    skin.setColorAt(0, QColor(0xff, 0xe6, 0xb8));
    skin.setColorAt(1, QColor(0xf2, 0xa4, 0x5c));
    painter.setBrush(skin);
    painter.drawEllipse(c, r, r * 0.95);

    // Three unruly hairs.
    if (detailed) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(ink, line * 1.3, Qt::SolidLine, Qt::RoundCap));
        for (const double dx : {-0.22, 0.0, 0.22}) {
            QPainterPath hair(c + QPointF(dx, -0.93) * r);
            hair.cubicTo(c + QPointF(dx - 0.1, -1.2) * r, c + QPointF(dx + 0.25, -1.25) * r,
                         c + QPointF(dx + 0.15, -1.08) * r);
            painter.drawPath(hair);
        }
    }

    // Big eyes glancing to the right.
    painter.setPen(QPen(ink, line));
    for (const double side : {-1.0, 1.0}) {
        const QPointF eye = c + QPointF(side * 0.32, -0.25) * r;
        painter.setBrush(Qt::white);
        painter.drawEllipse(eye, r * 0.21, r * 0.27);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawEllipse(eye + QPointF(0.07, 0.05) * r, r * 0.1, r * 0.12);
        painter.setPen(QPen(ink, line));
    }

    // Wide grin with teeth.
    QPainterPath mouth;
    mouth.moveTo(c + QPointF(-0.6, 0.22) * r);
    mouth.cubicTo(c + QPointF(-0.45, 0.95) * r, c + QPointF(0.45, 0.95) * r, c + QPointF(0.6, 0.22) * r);
    mouth.cubicTo(c + QPointF(0.3, 0.36) * r, c + QPointF(-0.3, 0.36) * r, c + QPointF(-0.6, 0.22) * r);
    painter.setBrush(QColor(0x8a, 0x12, 0x16));
    painter.drawPath(mouth);
    if (detailed) {
        painter.save();
        painter.setClipPath(mouth);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(c.x() - 0.6 * r, c.y() + 0.2 * r, 1.2 * r, 0.2 * r));
        painter.setBrush(QColor(0xf0, 0x6a, 0x7a));
        painter.drawEllipse(c + QPointF(0.05, 0.72) * r, r * 0.26, r * 0.14);
        painter.restore();
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(mouth);
    }

    // A round red nose over everything.
    QRadialGradient nose(c + QPointF(-0.05, 0.0) * r, r * 0.22);
    nose.setColorAt(0, QColor(0xff, 0x8a, 0x80));
    nose.setColorAt(1, QColor(0xd0, 0x18, 0x18));
    painter.setBrush(nose);
    painter.drawEllipse(c + QPointF(0.02, 0.06) * r, r * 0.18, r * 0.16);
    painter.restore();
}

}  // namespace Drawing
