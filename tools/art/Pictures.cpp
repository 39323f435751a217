#include "tools/art/Pictures.h"

#include "tools/art/Drawing.h"
#include "tools/art/Theme.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <array>
#include <cmath>
#include <numbers>

namespace Pictures {

namespace {

using Drawing::Mix;
using Drawing::Shade;

constexpr double kPi = std::numbers::pi;
const QColor kInk(0x1a, 0x1a, 0x22);
const QColor kButtonFace(0xf0, 0xf0, 0xf0);

QImage Canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QPainterPath TextPath(const QString& text, const QString& family, int pixelSize, QPointF centre)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path.translated(centre - path.boundingRect().center());
}

// A small 3 x 5 numeral for places on the podium.
void Numeral(QPainter& painter, int digit, QPoint topLeft, const QColor& colour)
{
    static const std::array<std::array<const char*, 5>, 3> shapes{{
        {".#.", "##.", ".#.", ".#.", "###"},
        {"##.", "..#", ".#.", "#..", "###"},
        {"##.", "..#", ".#.", "..#", "##."},
    }};
    const auto& shape = shapes.at(digit - 1);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            if (shape[y][x] == '#')
                painter.fillRect(QRect(topLeft.x() + x, topLeft.y() + y, 1, 1), colour);
}

// --- Tool bar -----------------------------------------------------------------

QImage BombGlyph()
{
    QImage image = Canvas(19, 19);
    QPainter painter(&image);
    Drawing::Bomb(painter, QPointF(7.2, 12.2), 5.8);
    return image;
}

QImage CupGlyph()
{
    QImage image = Canvas(19, 19);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPen outline(kInk, 1.0);

    // Steam curls above the cup.
    painter.setPen(QPen(QColor(0x8a, 0x90, 0xa0), 1.1, Qt::SolidLine, Qt::RoundCap));
    for (const double x : {6.5, 10.0}) {
        QPainterPath steam(QPointF(x, 6));
        steam.cubicTo(QPointF(x - 1.6, 4.6), QPointF(x + 1.6, 3.2), QPointF(x, 1.2));
        painter.drawPath(steam);
    }

    QLinearGradient china(0, 0, 19, 0);
    china.setColorAt(0, QColor(0xff, 0xff, 0xff));
    china.setColorAt(1, QColor(0xb8, 0xc0, 0xd0));
    painter.setPen(outline);
    painter.setBrush(china);
    painter.drawEllipse(QRectF(1.5, 14.5, 16, 3.5));  // saucer
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kInk, 2.6));
    painter.drawEllipse(QRectF(12.2, 8.6, 4.6, 4.6));  // handle
    painter.setPen(QPen(QColor(0xe8, 0xea, 0xf0), 1.2));
    painter.drawEllipse(QRectF(12.2, 8.6, 4.6, 4.6));

    QPainterPath body(QPointF(3.5, 7.5));
    body.lineTo(14.5, 7.5);
    body.cubicTo(QPointF(14.5, 12.5), QPointF(12.5, 15.5), QPointF(9.0, 15.5));
    body.cubicTo(QPointF(5.5, 15.5), QPointF(3.5, 12.5), QPointF(3.5, 7.5));
    painter.setPen(outline);
    painter.setBrush(china);
    painter.drawPath(body);
    painter.setBrush(QColor(0x6a, 0x3a, 0x1a));
    painter.drawEllipse(QRectF(3.5, 6.3, 11, 2.4));  // coffee
    return image;
}

void Speaker(QPainter& painter, const QColor& body)
{
    QPolygonF cone;
    cone << QPointF(1.5, 7.0) << QPointF(5.0, 7.0) << QPointF(10.0, 2.5) << QPointF(10.0, 16.5) << QPointF(5.0, 12.0)
         << QPointF(1.5, 12.0);
    QLinearGradient shade(0, 2, 0, 17);
    shade.setColorAt(0, Shade(body, 1.5));
    shade.setColorAt(1, Shade(body, 0.75));
    painter.setPen(QPen(Shade(body, 0.35), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(shade);
    painter.drawPolygon(cone);
    painter.drawLine(QPointF(5.0, 7.0), QPointF(5.0, 12.0));
}

QImage SoundGlyph(bool on)
{
    QImage image = Canvas(19, 19);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (on) {
        Speaker(painter, QColor(0x4a, 0x50, 0x60));
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0x18, 0x5c, 0xe0), 1.5, Qt::SolidLine, Qt::RoundCap));
        for (const double radius : {3.0, 5.5, 8.0}) {
            const QRectF ring(9.5 - radius, 9.5 - radius, 2 * radius, 2 * radius);
            painter.drawArc(ring, -45 * 16, 90 * 16);
        }
    } else {
        Speaker(painter, QColor(0x9a, 0x9c, 0xa2));
        painter.setPen(QPen(QColor(0xb0, 0x40, 0x40), 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(12.5, 6.5), QPointF(17.0, 12.5));
        painter.drawLine(QPointF(17.0, 6.5), QPointF(12.5, 12.5));
    }
    return image;
}

QImage PodiumGlyph()
{
    QImage image = Canvas(19, 19);
    QPainter painter(&image);
    struct Step {
        QRect rect;
        QColor colour;
        int place;
    };
    const Step steps[] = {
        {QRect(1, 9, 6, 9), QColor(0xc4, 0xcc, 0xd8), 2},
        {QRect(6, 6, 7, 12), QColor(0xf4, 0xc4, 0x2c), 1},
        {QRect(12, 11, 6, 7), QColor(0xd4, 0x86, 0x44), 3},
    };
    for (const Step& step : steps) {
        painter.fillRect(step.rect, kInk);
        const QRect inner = step.rect.adjusted(1, 1, -1, 0);
        QLinearGradient shine(inner.topLeft(), inner.topRight());
        shine.setColorAt(0, Shade(step.colour, 1.35));
        shine.setColorAt(1, Shade(step.colour, 0.85));
        painter.fillRect(inner, shine);
        Numeral(painter, step.place, QPoint(inner.center().x() - 1 + (inner.width() + 1) % 2, inner.top() + 1),
                Shade(step.colour, 0.35));
    }
    painter.fillRect(QRect(0, 18, 19, 1), kInk);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Shade(QColor(0xf4, 0xc4, 0x2c), 0.5), 0.8));
    painter.setBrush(QColor(0xff, 0xd8, 0x3a));
    painter.drawPath(Drawing::StarPath(QPointF(9.5, 3.2), 3.0, 1.3, 5, 0));
    return image;
}

QImage DoorGlyph()
{
    QImage image = Canvas(19, 19);
    QPainter painter(&image);
    // The doorway, lit from outside, and the frame around it.
    painter.fillRect(QRect(4, 1, 12, 17), QColor(0x3a, 0x24, 0x14));
    QLinearGradient daylight(5, 0, 15, 0);
    daylight.setColorAt(0, QColor(0xff, 0xf4, 0xb0));
    daylight.setColorAt(1, QColor(0xff, 0xc8, 0x50));
    painter.fillRect(QRect(5, 2, 10, 16), daylight);
    painter.fillRect(QRect(2, 18, 16, 1), QColor(0x5a, 0x5a, 0x60));

    // The door itself, swung open towards us on its left hinges.
    painter.setRenderHint(QPainter::Antialiasing);
    QPolygonF leaf;
    leaf << QPointF(5, 2) << QPointF(11.5, 0.5) << QPointF(11.5, 19.0) << QPointF(5, 18);
    QLinearGradient wood(5, 0, 12, 0);
    wood.setColorAt(0, QColor(0x8a, 0x4e, 0x22));
    wood.setColorAt(1, QColor(0xc0, 0x74, 0x34));
    painter.setPen(QPen(QColor(0x3a, 0x20, 0x0c), 1.0));
    painter.setBrush(wood);
    painter.drawPolygon(leaf);
    painter.setPen(QPen(QColor(0x6a, 0x38, 0x14), 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(QPolygonF() << QPointF(6.5, 4) << QPointF(10, 3.3) << QPointF(10, 8.8) << QPointF(6.5, 9.2));
    painter.drawPolygon(QPolygonF() << QPointF(6.5, 11) << QPointF(10, 10.9) << QPointF(10, 16.6)
                                    << QPointF(6.5, 16.2));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xff, 0xd8, 0x40));
    painter.drawEllipse(QPointF(10.3, 10.0), 1.0, 1.0);
    return image;
}

QPainterPath LipsPath(QPointF centre, double width, double height)
{
    const double w = width / 2;
    const double h = height / 2;
    const double x = centre.x();
    const double y = centre.y();
    QPainterPath lips(QPointF(x - w, y));
    // Upper lip with its bow, then the full lower lip.
    lips.cubicTo(QPointF(x - w * 0.6, y - h * 0.7), QPointF(x - w * 0.35, y - h * 1.15), QPointF(x - w * 0.18, y - h));
    lips.cubicTo(QPointF(x - w * 0.08, y - h * 0.95), QPointF(x, y - h * 0.72), QPointF(x, y - h * 0.62));
    lips.cubicTo(QPointF(x, y - h * 0.72), QPointF(x + w * 0.08, y - h * 0.95), QPointF(x + w * 0.18, y - h));
    lips.cubicTo(QPointF(x + w * 0.35, y - h * 1.15), QPointF(x + w * 0.6, y - h * 0.7), QPointF(x + w, y));
    lips.cubicTo(QPointF(x + w * 0.6, y + h * 1.25), QPointF(x - w * 0.6, y + h * 1.25), QPointF(x - w, y));
    return lips;
}

void Lips(QPainter& painter, QPointF centre, double width, double height)
{
    const double w = width / 2;
    const double h = height / 2;
    QLinearGradient red(0, centre.y() - h, 0, centre.y() + h);
    red.setColorAt(0, QColor(0xf0, 0x3a, 0x4a));
    red.setColorAt(1, QColor(0xb0, 0x0c, 0x1c));
    painter.setPen(QPen(QColor(0x60, 0x04, 0x0c), std::max(0.8, width / 22)));
    painter.setBrush(red);
    painter.drawPath(LipsPath(centre, width, height));
    QPainterPath parting(centre + QPointF(-w * 0.92, 0));
    parting.cubicTo(centre + QPointF(-w * 0.4, h * 0.25), centre + QPointF(w * 0.4, h * 0.25),
                    centre + QPointF(w * 0.92, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(parting);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 170));
    painter.drawEllipse(centre + QPointF(-w * 0.3, h * 0.6), w * 0.2, h * 0.14);
}

QImage LipsGlyph()
{
    QImage image = Canvas(19, 19);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    Lips(painter, QPointF(9.5, 10.0), 17.5, 10.5);
    return image;
}

// A glossy disc with a white sign on it.
QImage DiscGlyph(const QColor& colour, const QPainterPath& sign)
{
    QImage image = Canvas(19, 19);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient disc(QPointF(7.0, 6.0), 11.0);
    disc.setColorAt(0, Shade(colour, 1.45));
    disc.setColorAt(0.6, colour);
    disc.setColorAt(1, Shade(colour, 0.65));
    painter.setPen(QPen(Shade(colour, 0.4), 1.0));
    painter.setBrush(disc);
    painter.drawEllipse(QPointF(9.5, 9.5), 8.7, 8.7);
    painter.setPen(QPen(Shade(colour, 0.45), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::white);
    painter.drawPath(sign);
    painter.setPen(Qt::NoPen);
    painter.drawPath(sign);
    return image;
}

QPainterPath InfoSign()
{
    QPainterPath sign;
    sign.addEllipse(QPointF(9.5, 4.9), 1.6, 1.6);
    sign.addRect(QRectF(8.2, 7.6, 2.6, 6.4));
    sign.addRect(QRectF(7.0, 7.6, 1.6, 1.2));
    sign.addRect(QRectF(7.0, 13.8, 5.0, 1.4));
    return sign.simplified();
}

QImage FaceGlyph(int width, int height)
{
    QImage image = Canvas(width, height);
    QPainter painter(&image);
    Drawing::ComicFace(painter, QRectF(0, 0, width, height));
    return image;
}

// --- Dialog pictures ---------------------------------------------------------

QImage FacePicture()
{
    QImage image(100, 75, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(50, 40);
    painter.fillRect(image.rect(), QColor(0x3c, 0x9c, 0xf0));
    // Comic sunburst behind the face.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x6c, 0xbc, 0xff));
    for (int ray = 0; ray < 16; ++ray) {
        const double from = 2 * kPi * ray / 16;
        const double to = from + kPi / 16;
        QPolygonF wedge;
        wedge << centre << centre + QPointF(std::cos(from), std::sin(from)) * 120
              << centre + QPointF(std::cos(to), std::sin(to)) * 120;
        painter.drawPolygon(wedge);
    }
    Drawing::ComicFace(painter, QRectF(16, 4, 68, 68));
    return image;
}

QImage BrainPicture()
{
    QImage image(100, 75, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient blue(0, 0, 0, 75);
    blue.setColorAt(0, QColor(0x3a, 0x7c, 0xf0));
    blue.setColorAt(1, QColor(0x12, 0x36, 0xa0));
    painter.fillRect(image.rect(), blue);

    // The thinker: a head in profile, facing the puzzle on the right.
    QPainterPath head(QPointF(13, 75));
    head.cubicTo(QPointF(14, 66), QPointF(13, 60), QPointF(10, 52));
    head.cubicTo(QPointF(3, 38), QPointF(6, 12), QPointF(30, 9));
    head.cubicTo(QPointF(46, 7), QPointF(55, 17), QPointF(55, 29));
    head.cubicTo(QPointF(56, 33), QPointF(57, 35), QPointF(61, 41));
    head.cubicTo(QPointF(62, 43), QPointF(59, 44), QPointF(56, 44));
    head.cubicTo(QPointF(57, 46), QPointF(57, 47), QPointF(55.5, 48));
    head.cubicTo(QPointF(57, 49), QPointF(57, 50.5), QPointF(55.5, 51.5));
    head.cubicTo(QPointF(56.5, 54), QPointF(55, 58), QPointF(50, 58));
    head.cubicTo(QPointF(46, 58), QPointF(44, 60), QPointF(43, 63));
    head.lineTo(QPointF(42, 75));
    head.closeSubpath();
    QLinearGradient skin(0, 0, 60, 0);
    skin.setColorAt(0, QColor(0xb8, 0xcc, 0xf4));
    skin.setColorAt(1, QColor(0xf0, 0xf4, 0xff));
    painter.setPen(QPen(QColor(0x08, 0x18, 0x48), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(skin);
    painter.drawPath(head);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x08, 0x18, 0x48), 1.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(20, 34, 8, 11), 60 * 16, 250 * 16);  // ear
    painter.drawLine(QPointF(47, 30), QPointF(52, 29));         // eyebrow
    painter.setBrush(QColor(0x08, 0x18, 0x48));
    painter.drawEllipse(QPointF(50.5, 33.5), 1.2, 1.0);  // eye

    // The question in the head.
    const QPainterPath question = TextPath(QStringLiteral("?"), QStringLiteral("DejaVu Sans"), 26, QPointF(36, 23));
    painter.setPen(QPen(QColor(0x5a, 0x30, 0x00), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(0xff, 0xc8, 0x20));
    painter.drawPath(question);
    painter.setPen(Qt::NoPen);
    painter.drawPath(question);

    // A cube, seen from above.
    const QPointF top(81, 7);
    const double edge = 11;
    const QPointF right(edge * 0.87, edge * 0.5);
    const QPointF left(-edge * 0.87, edge * 0.5);
    const QPointF down(0, edge);
    const QColor cube = Theme::kTileColours[1];
    const auto face = [&](QPointF a, QPointF b, QPointF c, QPointF d, const QColor& colour) {
        painter.setPen(QPen(Shade(cube, 0.3), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(colour);
        painter.drawPolygon(QPolygonF() << a << b << c << d);
    };
    face(top, top + right, top + right + left, top + left, Shade(cube, 1.3));
    face(top + left, top + left + right, top + left + right + down, top + left + down, cube);
    face(top + left + right, top + right, top + right + down, top + left + right + down, Shade(cube, 0.7));

    // A small grid, partly filled.
    const QRect grid(64, 40, 31, 31);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(grid, QColor(0x08, 0x18, 0x48));
    const int filled[3][3] = {{3, -1, 0}, {5, 2, -1}, {-1, 6, 4}};
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 3; ++r) {
            const QRect cell(grid.left() + 1 + c * 10, grid.top() + 1 + r * 10, 9, 9);
            const int colour = filled[r][c];
            if (colour < 0) {
                painter.fillRect(cell, QColor(0x1c, 0x3c, 0x90));
                continue;
            }
            const QColor tile = Theme::kTileColours.at(colour);
            painter.fillRect(cell, Shade(tile, 0.75));
            painter.fillRect(cell.adjusted(0, 0, -1, -1), Shade(tile, 1.25));
            painter.fillRect(cell.adjusted(1, 1, -1, -1), tile);
        }
    }
    return image;
}

QImage SplashPicture()
{
    QImage image(200, 150, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 150);
    sky.setColorAt(0, Theme::kSkyTop);
    sky.setColorAt(1, Theme::kSkyBottom);
    painter.fillRect(image.rect(), sky);
    QRadialGradient haze(QPointF(170, 140), 120);
    haze.setColorAt(0, QColor(0x7a, 0x2a, 0xa8, 90));
    haze.setColorAt(1, QColor(0x7a, 0x2a, 0xa8, 0));
    painter.fillRect(image.rect(), haze);
    QRandomGenerator random(0x5917);
    for (int star = 0; star < 60; ++star) {
        const QPointF at(random.bounded(200) + 0.5, random.bounded(150) + 0.5);
        painter.fillRect(QRectF(at - QPointF(0.5, 0.5), QSizeF(1, 1)),
                         QColor(0xd0, 0xe0, 0xff, 40 + random.bounded(150)));
    }

    // The name, glowing.
    const QPainterPath name =
        TextPath(QStringLiteral("Novagrid"), QStringLiteral("Liberation Sans"), 40, QPointF(100, 28));
    for (int ring = 6; ring >= 1; --ring) {
        painter.setPen(QPen(QColor(0x6a, 0x8a, 0xff, 18), ring * 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(name);
    }
    painter.setPen(QPen(Theme::kCellGroove, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(name);
    QLinearGradient letters(0, name.boundingRect().top(), 0, name.boundingRect().bottom());
    letters.setColorAt(0, Theme::kTitleTop);
    letters.setColorAt(1, Theme::kTitleBottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(letters);
    painter.drawPath(name);

    // A corner of the board with stacks of one to four layers.
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QPoint board(16, 60);
    painter.fillRect(QRect(board - QPoint(3, 3), QSize(81, 81)), Theme::kFrameMid);
    painter.fillRect(QRect(board - QPoint(1, 1), QSize(77, 77)), Theme::kCellGroove);
    const int codes[3][3] = {{26, -1, 0}, {44, 77, 15}, {-1, 106, 51}};
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 3; ++r) {
            painter.save();
            painter.translate(board + QPoint(c * 25, r * 25));
            const int code = codes[r][c];
            if (code < 0)
                Drawing::EmptyCell(painter, false);
            else
                Drawing::TileStack(painter, code % 32, code / 32 + 1);
            painter.restore();
        }
    }

    painter.setRenderHint(QPainter::Antialiasing);
    Drawing::ComicFace(painter, QRectF(112, 62, 70, 58));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xc8, 0xd4, 0xff));
    painter.drawPath(TextPath(QStringLiteral("V2.3"), QStringLiteral("Liberation Sans"), 12, QPointF(176, 138)));
    return image;
}

// Flags are 18 x 13 with a dark outline, on the colour of a button face.
constexpr int kFlagWidth = 18;
constexpr int kFlagHeight = 13;

void UnitedStates(QPainter& painter, QPoint at)
{
    for (int stripe = 0; stripe < kFlagHeight; ++stripe)
        painter.fillRect(QRect(at.x(), at.y() + stripe, kFlagWidth, 1),
                         stripe % 2 == 0 ? QColor(0xb2, 0x22, 0x34) : QColor(Qt::white));
    painter.fillRect(QRect(at.x(), at.y(), 8, 7), QColor(0x3c, 0x3b, 0x6e));
    for (int y = 0; y < 7; ++y)
        for (int x = y % 2; x < 8; x += 2)
            if (x > 0 && y > 0 && x < 7 && y < 6)
                painter.fillRect(QRect(at.x() + x, at.y() + y, 1, 1), QColor(0xd8, 0xdc, 0xf0));
}

void UnitedKingdom(QPainter& painter, QPoint at)
{
    const QRectF flag(at, QSizeF(kFlagWidth, kFlagHeight));
    painter.save();
    painter.setClipRect(flag);
    painter.fillRect(flag, QColor(0x01, 0x21, 0x69));
    const QColor red(0xc8, 0x10, 0x2e);
    painter.setPen(QPen(Qt::white, 3.0));
    painter.drawLine(flag.topLeft(), flag.bottomRight());
    painter.drawLine(flag.topRight(), flag.bottomLeft());
    painter.setPen(QPen(red, 1.0));
    painter.drawLine(flag.topLeft(), flag.bottomRight());
    painter.drawLine(flag.topRight(), flag.bottomLeft());
    painter.fillRect(QRect(at.x() + 7, at.y(), 4, kFlagHeight), Qt::white);
    painter.fillRect(QRect(at.x(), at.y() + 4, kFlagWidth, 5), Qt::white);
    painter.fillRect(QRect(at.x() + 8, at.y(), 2, kFlagHeight), red);
    painter.fillRect(QRect(at.x(), at.y() + 5, kFlagWidth, 3), red);
    painter.restore();
}

void Tricolour(QPainter& painter, QPoint at, const QColor& top, const QColor& middle, const QColor& bottom)
{
    painter.fillRect(QRect(at.x(), at.y(), kFlagWidth, 4), top);
    painter.fillRect(QRect(at.x(), at.y() + 4, kFlagWidth, 5), middle);
    painter.fillRect(QRect(at.x(), at.y() + 9, kFlagWidth, 4), bottom);
}

void Switzerland(QPainter& painter, QPoint at)
{
    painter.fillRect(QRect(at.x(), at.y(), kFlagHeight, kFlagHeight), QColor(0xda, 0x29, 0x1c));
    painter.fillRect(QRect(at.x() + 5, at.y() + 2, 3, 9), Qt::white);
    painter.fillRect(QRect(at.x() + 2, at.y() + 5, 9, 3), Qt::white);
}

void FlagOutline(QPainter& painter, QPoint at, int width)
{
    painter.fillRect(QRect(at - QPoint(1, 1), QSize(width + 2, kFlagHeight + 2)), QColor(0x50, 0x50, 0x58));
}

QImage EnglishFlags()
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(kButtonFace);
    QPainter painter(&image);
    const QPoint us(1, 4);
    const QPoint uk(21, 4);
    FlagOutline(painter, us, kFlagWidth);
    FlagOutline(painter, uk, kFlagWidth);
    UnitedStates(painter, us);
    UnitedKingdom(painter, uk);
    return image;
}

QImage GermanFlags()
{
    QImage image(60, 20, QImage::Format_RGB32);
    image.fill(kButtonFace);
    QPainter painter(&image);
    const QPoint austria(1, 4);
    const QPoint germany(21, 4);
    const QPoint switzerland(43, 4);
    FlagOutline(painter, austria, kFlagWidth);
    FlagOutline(painter, germany, kFlagWidth);
    FlagOutline(painter, switzerland, kFlagHeight);
    const QColor austrianRed(0xc8, 0x10, 0x2e);
    Tricolour(painter, austria, austrianRed, Qt::white, austrianRed);
    Tricolour(painter, germany, QColor(0x10, 0x10, 0x10), QColor(0xdd, 0x00, 0x00), QColor(0xff, 0xce, 0x00));
    Switzerland(painter, switzerland);
    return image;
}

QImage Stroked(const QPainterPath& path, const QColor& colour)
{
    QImage image = Canvas(16, 16);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Shade(colour, 0.45), 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    return image;
}

QImage CheckMark()
{
    QPainterPath tick(QPointF(3.0, 8.5));
    tick.lineTo(6.5, 12.0);
    tick.lineTo(13.0, 3.8);
    return Stroked(tick, QColor(0x2c, 0xb0, 0x2c));
}

QImage Cross()
{
    QPainterPath cross(QPointF(4.0, 4.0));
    cross.lineTo(12.0, 12.0);
    cross.moveTo(12.0, 4.0);
    cross.lineTo(4.0, 12.0);
    return Stroked(cross, QColor(0xe0, 0x24, 0x24));
}

// --- Icon -------------------------------------------------------------------

// The icon is laid out on a 16-unit grid: a plate with a 3 x 3 board of
// four-unit tiles one unit apart, the centre stack three layers high.
struct IconTile {
    int picture;
    int layers;
};
constexpr std::array<std::array<IconTile, 3>, 3> kIconTiles{{
    {{{0, 1}, {10, 1}, {19, 1}}},
    {{{30, 1}, {5, 3}, {25, 1}}},
    {{{12, 1}, {23, 1}, {3, 2}}},
}};
constexpr double kIconCorner = 2.6;

QRectF IconTileRect(int column, int row)
{
    return QRectF(1 + 5 * column, 1 + 5 * row, 4, 4);
}

// Layer `level` (0 the bottom) of a stack: each layer `lift` further up and
// left than the one below it, the stack centred on its cell.
QRectF IconSlab(int column, int row, int layers, int level, double lift)
{
    const double offset = ((layers - 1) / 2.0 - level) * lift;
    return IconTileRect(column, row).translated(offset, offset);
}

QImage Icon(int size)
{
    QImage image = Canvas(size, size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = size / 16.0;
    painter.scale(unit, unit);
    // One pixel, in units; outlines sit on pixel centres so they stay crisp.
    const double pixel = 1.0 / unit;
    const auto inset = [pixel](const QRectF& rect) {
        return rect.adjusted(pixel / 2, pixel / 2, -pixel / 2, -pixel / 2);
    };
    // Half a unit per layer, in whole pixels; below 32 pixels a stack would
    // only blur, so it shows as its top.
    const double lift = size >= 32 ? std::round(0.5 * unit) / unit : 0.0;

    QLinearGradient plate(0, 0, 16, 16);
    plate.setColorAt(0, QColor(0x2e, 0x34, 0x8a));
    plate.setColorAt(1, Theme::kSkyTop);
    painter.setPen(QPen(Theme::kFrameLight, pixel));
    painter.setBrush(plate);
    painter.drawRoundedRect(inset(QRectF(0, 0, 16, 16)), kIconCorner, kIconCorner);

    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const IconTile& tile = kIconTiles[row][column];
            const QColor colour = Theme::kTileColours.at(tile.picture % 8);
            const int levels = lift > 0 ? tile.layers : 1;
            for (int level = 0; level + 1 < levels; ++level) {
                painter.setPen(QPen(Shade(colour, 0.25), pixel));
                painter.setBrush(Shade(colour, 0.45 + 0.12 * level));
                painter.drawRect(inset(IconSlab(column, row, levels, level, lift)));
            }
            const QRectF top = IconSlab(column, row, levels, levels - 1, lift);
            QLinearGradient face(top.topLeft(), top.bottomRight());
            face.setColorAt(0, Shade(colour, 1.35));
            face.setColorAt(1, Shade(colour, 0.85));
            painter.setBrush(face);
            if (size >= 32) {
                painter.setPen(QPen(Shade(colour, 0.3), pixel));
                painter.drawRect(inset(top));
            } else {
                painter.setPen(Qt::NoPen);
                painter.drawRect(top);
            }
            if (size >= 48) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(Mix(QColor(Qt::white), colour, 0.12));
                painter.drawPath(Drawing::SymbolPath(tile.picture / 8, top.center(), 1.2));
            }
        }
    }
    return image;
}

QString Number(double value)
{
    return QString::number(value, 'g', 4);
}

QString SvgColour(const QColor& colour)
{
    return colour.name(QColor::HexRgb);
}

// The path's lines and curves as SVG path data, so circles stay round.
QString SvgPathData(const QPainterPath& path)
{
    QStringList data;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        const QString point = Number(element.x) + QLatin1Char(' ') + Number(element.y);
        switch (element.type) {
            case QPainterPath::MoveToElement:
                data << QStringLiteral("M ") + point;
                break;
            case QPainterPath::LineToElement:
                data << QStringLiteral("L ") + point;
                break;
            case QPainterPath::CurveToElement:
                data << QStringLiteral("C ") + point;
                break;
            case QPainterPath::CurveToDataElement:
                data << point;
                break;
        }
    }
    data << QStringLiteral("Z");
    return data.join(QLatin1Char(' '));
}

}  // namespace

std::vector<Picture> ToolBar()
{
    return {
        {QStringLiteral("bomb"), BombGlyph(), true},
        {QStringLiteral("cup"), CupGlyph(), true},
        {QStringLiteral("sound"), SoundGlyph(true), true},
        {QStringLiteral("sound_off"), SoundGlyph(false), true},
        {QStringLiteral("podium"), PodiumGlyph(), true},
        {QStringLiteral("door"), DoorGlyph(), true},
        {QStringLiteral("lips"), LipsGlyph(), true},
        {QStringLiteral("rules"),
         DiscGlyph(QColor(0xd8, 0x20, 0x20),
                   TextPath(QString(QChar(0xa7)), QStringLiteral("DejaVu Sans"), 14, QPointF(9.5, 9.5))),
         true},
        {QStringLiteral("info"), DiscGlyph(QColor(0x1e, 0x5c, 0xd8), InfoSign()), true},
        {QStringLiteral("face_small"), FaceGlyph(23, 19), true},
    };
}

std::vector<Picture> Dialogs()
{
    return {
        {QStringLiteral("face"), FacePicture(), false},     {QStringLiteral("brain"), BrainPicture(), false},
        {QStringLiteral("splash"), SplashPicture(), false}, {QStringLiteral("flags_en"), EnglishFlags(), false},
        {QStringLiteral("flags_de"), GermanFlags(), false}, {QStringLiteral("ok"), CheckMark(), true},
        {QStringLiteral("cancel"), Cross(), true},
    };
}

std::vector<Picture> Icons()
{
    std::vector<Picture> icons;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icons.push_back({QStringLiteral("icon_%1").arg(size), Icon(size), true});
    return icons;
}

QByteArray IconSvg()
{
    QString svg;
    svg += QStringLiteral(
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 16 16\">\n"
               "  <defs>\n"
               "    <linearGradient id=\"plate\" x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\">\n"
               "      <stop offset=\"0\" stop-color=\"#2e348a\"/>\n"
               "      <stop offset=\"1\" stop-color=\"%1\"/>\n"
               "    </linearGradient>\n")
               .arg(SvgColour(Theme::kSkyTop));
    for (size_t colour = 0; colour < Theme::kTileColours.size(); ++colour) {
        const QColor tile = Theme::kTileColours[colour];
        svg += QStringLiteral(
                   "    <linearGradient id=\"tile%1\" x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\">\n"
                   "      <stop offset=\"0\" stop-color=\"%2\"/>\n"
                   "      <stop offset=\"1\" stop-color=\"%3\"/>\n"
                   "    </linearGradient>\n")
                   .arg(colour)
                   .arg(SvgColour(Shade(tile, 1.35)), SvgColour(Shade(tile, 0.85)));
    }
    svg += QStringLiteral("  </defs>\n");
    svg += QStringLiteral(
               "  <rect x=\"0.25\" y=\"0.25\" width=\"15.5\" height=\"15.5\" rx=\"%1\" fill=\"url(#plate)\" "
               "stroke=\"%2\" stroke-width=\"0.125\"/>\n")
               .arg(Number(kIconCorner), SvgColour(Theme::kFrameLight));
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const IconTile& tile = kIconTiles[row][column];
            const int colourIndex = tile.picture % 8;
            const QColor colour = Theme::kTileColours.at(colourIndex);
            const auto rect = [&svg](const QRectF& r, const QString& fill, const QColor& stroke) {
                svg += QStringLiteral(
                           "  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\" stroke=\"%6\" "
                           "stroke-width=\"0.0625\"/>\n")
                           .arg(Number(r.x()), Number(r.y()), Number(r.width()), Number(r.height()), fill,
                                SvgColour(stroke));
            };
            const auto inset = [](const QRectF& r) { return r.adjusted(0.03125, 0.03125, -0.03125, -0.03125); };
            for (int level = 0; level + 1 < tile.layers; ++level)
                rect(inset(IconSlab(column, row, tile.layers, level, 0.5)),
                     SvgColour(Shade(colour, 0.45 + 0.12 * level)), Shade(colour, 0.25));
            const QRectF top = IconSlab(column, row, tile.layers, tile.layers - 1, 0.5);
            rect(inset(top), QStringLiteral("url(#tile%1)").arg(colourIndex), Shade(colour, 0.3));
            svg += QStringLiteral("  <path d=\"%1\" fill=\"%2\"/>\n")
                       .arg(SvgPathData(Drawing::SymbolPath(tile.picture / 8, top.center(), 1.2)),
                            SvgColour(Mix(QColor(Qt::white), colour, 0.12)));
        }
    }
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}

}  // namespace Pictures
