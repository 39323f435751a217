#include "tools/art/Sheets.h"

#include "tools/art/Drawing.h"
#include "tools/art/Theme.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <string_view>
#include <vector>

namespace Sheets {

namespace {

using Drawing::Hash01;
using Drawing::Mix;
using Drawing::Shade;

constexpr double kPi = std::numbers::pi;

// --- Digits -----------------------------------------------------------------

constexpr int kDigitWidth = 11;
constexpr int kDigitHeight = 20;

// Seven segments, a (top) clockwise to f (upper left) and g (middle), each
// pixel of an 11 x 20 digit named by the segment it belongs to.
constexpr std::array<const char*, kDigitHeight> kSegmentMap{
    "...........", "..aaaaaaa..", ".f.aaaaa.b.", ".ff.....bb.", ".ff.....bb.", ".ff.....bb.", ".ff.....bb.",
    ".ff.....bb.", ".f.ggggg.b.", "..ggggggg..", ".e.ggggg.c.", ".ee.....cc.", ".ee.....cc.", ".ee.....cc.",
    ".ee.....cc.", ".ee.....cc.", ".ee.....cc.", ".e.ddddd.c.", "..ddddddd..", "...........",
};

constexpr std::array<const char*, 10> kLitSegments{
    "abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg", "abcdfg",
};

bool Lit(int digit, int x, int y)
{
    const char segment = kSegmentMap.at(y)[x];
    return segment != '.' && std::string_view(kLitSegments.at(digit)).find(segment) != std::string_view::npos;
}

// Lit segments glow brighter towards the top, like light behind glass.
QColor SegmentColour(int y)
{
    return Mix(Theme::kSegmentCore, Theme::kSegmentLit, 0.35 + 0.65 * y / (kDigitHeight - 1));
}

// --- Background -------------------------------------------------------------

const QRect kBoard(48, 53, 225, 225);
const QRect kPreview(321, 53, 75, 75);
const QRect kTimeBar(307, 156, 103, 18);
const QRect kPanel(314, 194, 90, 90);
constexpr int kFrame = 7;

void Sky(QPainter& painter)
{
    QLinearGradient sky(0, 0, 0, 333);
    sky.setColorAt(0, Theme::kSkyTop);
    sky.setColorAt(1, Theme::kSkyBottom);
    painter.fillRect(QRect(0, 0, 500, 333), sky);

    // Two faint nebulae give the dark a little depth.
    const auto haze = [&painter](QPointF centre, double radius, QColor colour) {
        QRadialGradient glow(centre, radius);
        glow.setColorAt(0, colour);
        colour.setAlpha(0);
        glow.setColorAt(1, colour);
        painter.fillRect(QRect(0, 0, 500, 333), glow);
    };
    haze(QPointF(470, 300), 190, QColor(0x7a, 0x2a, 0xa8, 70));
    haze(QPointF(20, 30), 160, QColor(0x1a, 0x4a, 0xa8, 60));

    // Stars, kept off everything the game draws over.
    const QRect keepClear[] = {kBoard.adjusted(-kFrame - 2, -kFrame - 2, kFrame + 2, kFrame + 2),
                               kPreview.adjusted(-kFrame - 2, -kFrame - 2, kFrame + 2, kFrame + 2),
                               kTimeBar.adjusted(-6, -6, 6, 6), kPanel.adjusted(-3, -3, 3, 3)};
    QRandomGenerator random(0x5eed);
    for (int star = 0; star < 190; ++star) {
        const QPointF at(random.bounded(500) + 0.5, random.bounded(333) + 0.5);
        if (std::any_of(std::begin(keepClear), std::end(keepClear),
                        [&at](const QRect& rect) { return rect.contains(at.toPoint()); }))
            continue;
        const int brightness = random.bounded(256);
        const QColor tint = Mix(QColor(0xa8, 0xc0, 0xff), QColor(0xff, 0xf0, 0xd8), random.bounded(1.0));
        if (brightness > 246) {
            // A few bright ones glint.
            painter.setPen(QPen(QColor(tint.red(), tint.green(), tint.blue(), 90), 1));
            painter.drawLine(at - QPointF(3, 0), at + QPointF(3, 0));
            painter.drawLine(at - QPointF(0, 3), at + QPointF(0, 3));
            painter.fillRect(QRectF(at - QPointF(1, 1), QSizeF(2, 2)), tint);
        } else {
            QColor dot = tint;
            dot.setAlpha(40 + brightness * 150 / 256);
            painter.fillRect(QRectF(at - QPointF(0.5, 0.5), QSizeF(1, 1)), dot);
        }
    }
}

void Moon(QPainter& painter)
{
    const QPointF centre(457, 96);
    constexpr double radius = 19;
    QRadialGradient glow(centre, radius * 2.2);
    glow.setColorAt(0, QColor(0xd8, 0xd0, 0xff, 60));
    glow.setColorAt(1, QColor(0xd8, 0xd0, 0xff, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, radius * 2.2, radius * 2.2);

    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);
    QPainterPath bite;
    bite.addEllipse(centre + QPointF(8.5, -5.5), radius * 0.9, radius * 0.9);
    QRadialGradient light(centre - QPointF(8, 4), radius * 1.4);
    light.setColorAt(0, QColor(0xff, 0xfa, 0xe0));
    light.setColorAt(1, QColor(0xd8, 0xc8, 0x90));
    painter.setBrush(light);
    painter.drawPath(disc.subtracted(bite));
}

void Title(QPainter& painter)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(30);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    QPainterPath text;
    text.addText(0, 0, font, QStringLiteral("NOVAGRID"));
    const QRectF bounds = text.boundingRect();
    text.translate(250 - bounds.center().x(), 24 - bounds.center().y());

    for (int ring = 5; ring >= 1; --ring) {
        painter.setPen(QPen(QColor(0x6a, 0x8a, 0xff, 16), ring * 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(text);
    }
    painter.setPen(QPen(Theme::kCellGroove, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(text);
    QLinearGradient fill(0, text.boundingRect().top(), 0, text.boundingRect().bottom());
    fill.setColorAt(0, Theme::kTitleTop);
    fill.setColorAt(1, Theme::kTitleBottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(text);
}

// A raised, bevelled frame `width` pixels wide around `inner`, with a dark
// groove where it meets what it holds.
void Frame(QPainter& painter, const QRect& inner, int width)
{
    const QRectF outer = QRectF(inner).adjusted(-width + 0.5, -width + 0.5, width - 0.5, width - 0.5);
    QLinearGradient bevel(outer.topLeft(), outer.bottomRight());
    bevel.setColorAt(0, Theme::kFrameLight);
    bevel.setColorAt(0.45, Theme::kFrameMid);
    bevel.setColorAt(1, Theme::kFrameDark);
    painter.setPen(QPen(QColor(0x04, 0x05, 0x14), 1));
    painter.setBrush(bevel);
    painter.drawRoundedRect(outer, 5, 5);
    painter.fillRect(inner.adjusted(-2, -2, 2, 2), Shade(Theme::kFrameDark, 0.8));
    painter.fillRect(inner.adjusted(-1, -1, 1, 1), Theme::kCellGroove);
}

void Cells(QPainter& painter, const QRect& area, bool chequered)
{
    for (int c = 0; c < area.width() / 25; ++c) {
        for (int r = 0; r < area.height() / 25; ++r) {
            painter.save();
            painter.translate(area.left() + c * 25, area.top() + r * 25);
            Drawing::EmptyCell(painter, chequered && (c / 3 + r / 3) % 2 == 1);
            painter.restore();
        }
    }
}

void TimeBar(QPainter& painter)
{
    Frame(painter, kTimeBar, 4);
    // The game cuts the bar anywhere from the right, so it runs from calm
    // green at its far end to alarm red where the last moments are.
    QLinearGradient heat(kTimeBar.left(), 0, kTimeBar.right(), 0);
    heat.setColorAt(0, QColor(0xf0, 0x26, 0x1e));
    heat.setColorAt(0.3, QColor(0xff, 0x8c, 0x1a));
    heat.setColorAt(0.55, QColor(0xff, 0xe0, 0x30));
    heat.setColorAt(1, QColor(0x36, 0xd8, 0x4a));
    painter.fillRect(kTimeBar, heat);
    QLinearGradient gloss(0, kTimeBar.top(), 0, kTimeBar.bottom() + 1);
    gloss.setColorAt(0, QColor(255, 255, 255, 150));
    gloss.setColorAt(0.45, QColor(255, 255, 255, 30));
    gloss.setColorAt(0.5, QColor(0, 0, 0, 0));
    gloss.setColorAt(1, QColor(0, 0, 0, 90));
    painter.fillRect(kTimeBar, gloss);
}

void Counters(QPainter& painter)
{
    QLinearGradient fill(0, kPanel.top(), 0, kPanel.bottom());
    fill.setColorAt(0, Shade(Theme::kPanel, 1.06));
    fill.setColorAt(1, Theme::kPanel);
    painter.setPen(QPen(Theme::kFrameMid, 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(kPanel).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);

    for (const int y : {218, 253}) {
        for (int k = 0; k < 5; ++k) {
            const QRect well(327 + 13 * k, y, kDigitWidth, kDigitHeight);
            painter.fillRect(well.adjusted(-1, -1, 1, 1), Theme::kFrameMid);
            painter.fillRect(well.adjusted(-1, -1, 0, 0), QColor(Qt::black));
            painter.fillRect(well, Theme::kWell);
            // Unlit segments, faintly visible as on a real display.
            for (int py = 0; py < kDigitHeight; ++py)
                for (int px = 0; px < kDigitWidth; ++px)
                    if (Lit(8, px, py))
                        painter.fillRect(QRect(well.left() + px, y + py, 1, 1), Theme::kSegmentGhost);
        }
    }
}

// --- Explosion --------------------------------------------------------------

constexpr int kBlast = 57;

// The overlapping blasts of a piece are ORed together. Every colour of the
// explosion has channels of the form 2^n − 1, which nest bitwise, and along
// each ramp no channel ever grows: ORing two of them gives the brighter one,
// never a stray bit pattern.
struct Step {
    double at;
    QRgb colour;
};
using Ramp = std::vector<Step>;

const Ramp kFire{
    {0.0, qRgb(255, 255, 255)}, {0.18, qRgb(255, 255, 127)}, {0.38, qRgb(255, 255, 63)}, {0.6, qRgb(255, 127, 15)},
    {0.75, qRgb(255, 63, 0)},   {0.86, qRgb(255, 31, 0)},    {0.95, qRgb(127, 15, 0)},   {1.0, qRgb(63, 7, 0)},
};
const Ramp kSmoke{{0.0, qRgb(127, 127, 127)}, {0.5, qRgb(63, 63, 63)}, {1.0, qRgb(31, 31, 31)}};
const Ramp kEmberSmoke{{0.0, qRgb(255, 127, 31)}, {0.5, qRgb(127, 63, 31)}, {1.0, qRgb(63, 31, 15)}};

constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

double Threshold(QPoint pixel)
{
    return (kBayer[pixel.y() % 4][pixel.x() % 4] + 0.5) / 16.0;
}

// The ramp's colour at t (0..1). Between two steps the pixel takes one of the
// pair in an ordered dither, only in the middle of the way, so bands stay
// clean and their borders soft.
QRgb Pick(const Ramp& ramp, double t, QPoint pixel)
{
    t = std::clamp(t, 0.0, 1.0);
    size_t i = 0;
    while (i + 2 < ramp.size() && ramp[i + 1].at < t)
        ++i;
    const double way = (t - ramp[i].at) / (ramp[i + 1].at - ramp[i].at);
    const double dithered = std::clamp((way - 0.5) * 2.5 + 0.5, 0.0, 1.0);
    return dithered > Threshold(pixel) ? ramp[i + 1].colour : ramp[i].colour;
}

// A smooth, periodic wobble of the blast's outline, in −1..1.
double Wobble(double angle, int seed)
{
    double sum = 0;
    for (const int k : {3, 5, 7, 11})
        sum += std::sin(k * angle + 2 * kPi * Hash01(k, seed, 1)) / std::sqrt(double(k));
    return sum / 2.0;
}

// Narrow flames shooting out of the fireball at `count` uneven angles.
double Spikes(double angle, int count, double shortest, double longest, int seed)
{
    double reach = 0;
    for (int i = 0; i < count; ++i) {
        const double direction = 2 * kPi * (i + 0.6 * (Hash01(i, seed, 2) - 0.5)) / count;
        const double length = shortest + (longest - shortest) * Hash01(i, seed, 3);
        reach = std::max(reach, length * std::pow(std::max(0.0, std::cos(angle - direction)), 90));
    }
    return reach;
}

struct Puff {
    QPointF centre;
    double radius;
};

// `count` round puffs on a ring about the centre, some of them left out.
std::vector<Puff> Ring(int count, double ringRadius, double spread, double smallest, double largest, double keep,
                       int seed)
{
    std::vector<Puff> puffs;
    for (int i = 0; i < count; ++i) {
        if (Hash01(i, seed, 4) > keep)
            continue;
        const double angle = 2 * kPi * (i + 0.5 * Hash01(i, seed, 5)) / count;
        const double distance = ringRadius + spread * (Hash01(i, seed, 6) - 0.5);
        puffs.push_back({QPointF(std::cos(angle), std::sin(angle)) * distance,
                         smallest + (largest - smallest) * Hash01(i, seed, 7)});
    }
    return puffs;
}

const Puff* Inside(const std::vector<Puff>& puffs, QPointF p)
{
    for (const Puff& puff : puffs)
        if (std::hypot(p.x() - puff.centre.x(), p.y() - puff.centre.y()) <= puff.radius)
            return &puff;
    return nullptr;
}

// How dark a puff is at p: lit from the top left, 0 (light) to 1 (dark).
double PuffShade(const Puff& puff, QPointF p)
{
    const QPointF d = (p - puff.centre) / puff.radius;
    return std::clamp(0.5 + 0.4 * (d.x() + d.y()), 0.0, 1.0);
}

// Sparks and debris: single pixels or 2 x 2 flecks flying out.
struct Spark {
    QPoint at;
    int size;
    QRgb colour;
};

std::vector<Spark> Sparks(int count, double nearest, double farthest, double hottest, double coolest, int seed)
{
    std::vector<Spark> sparks;
    for (int i = 0; i < count; ++i) {
        const double angle = 2 * kPi * Hash01(i, seed, 8);
        const double distance = nearest + (farthest - nearest) * Hash01(i, seed, 9);
        const QPointF at = QPointF(28.5, 28.5) + QPointF(std::cos(angle), std::sin(angle)) * distance;
        const double heat = hottest + (coolest - hottest) * Hash01(i, seed, 11);
        sparks.push_back(
            {QPoint(int(at.x()), int(at.y())), Hash01(i, seed, 10) < 0.35 ? 2 : 1, Pick(kFire, heat, QPoint(0, 0))});
    }
    return sparks;
}

// Frame f's colour at `pixel`, or nothing where the surface shows through.
std::optional<QRgb> BlastPixel(int frame, QPoint pixel)
{
    const QPointF p(pixel.x() + 0.5 - 28.5, pixel.y() + 0.5 - 28.5);
    const double r = std::hypot(p.x(), p.y());
    const double angle = std::atan2(p.y(), p.x());
    switch (frame) {
        case 0: {
            // A white-hot flash with a glint of rays.
            const double c = std::cos(2 * angle);
            const double reach =
                5.5 + 7.5 * std::pow(std::abs(c), 40) + 3.5 * std::pow(std::abs(std::sin(2 * angle)), 40);
            if (r > reach)
                return std::nullopt;
            return Pick(kFire, 0.5 * r / 5.5, pixel);
        }
        case 1: {
            const double core = 10.5 + 1.2 * Wobble(angle, 1);
            const double reach = core + Spikes(angle, 9, 3, 7, 1);
            if (r > reach)
                return std::nullopt;
            return Pick(kFire, r <= core ? 0.62 * r / core : 0.62 + 0.2 * (r - core) / (reach - core), pixel);
        }
        case 2: {
            const double core = 16.5 + 2.0 * Wobble(angle, 2);
            const double reach = core + Spikes(angle, 11, 4, 9, 2);
            if (r > reach)
                return std::nullopt;
            return Pick(kFire, r <= core ? 0.1 + 0.72 * r / core : 0.82 + 0.12 * (r - core) / (reach - core), pixel);
        }
        case 3: {
            // Biggest: a red rim, soot gathering in the cooler outer half.
            const double core = 21.5 + 2.2 * Wobble(angle, 3);
            const double reach = std::min(27.5, core + Spikes(angle, 13, 2, 5, 3));
            if (r > reach)
                return std::nullopt;
            double t = 0.3 + 0.7 * std::pow(r / reach, 1.4);
            static const std::vector<Puff> soot = Ring(7, 17, 6, 3.5, 6.5, 0.7, 33);
            if (const Puff* blot = Inside(soot, p)) {
                const double d = std::hypot(p.x() - blot->centre.x(), p.y() - blot->centre.y()) / blot->radius;
                t += 0.2 * (1 - d * d);
            }
            return Pick(kFire, t, pixel);
        }
        case 4: {
            // Breaking up: a ring of smoke lit by the embers inside it.
            static const std::vector<Puff> puffs = Ring(11, 16.5, 6, 4.5, 7.5, 0.95, 4);
            if (const Puff* puff = Inside(puffs, p)) {
                const double glow = std::clamp((16.0 - r) / 6.0, 0.0, 1.0);
                return Pick(glow > Threshold(pixel) ? kEmberSmoke : kSmoke, 0.8 * PuffShade(*puff, p), pixel);
            }
            if (r < 6.0 + 1.5 * Wobble(angle, 5))
                return Pick(kFire, 0.7 + 0.25 * r / 7.0, pixel);
            return std::nullopt;
        }
        default: {
            // The last wisps of smoke drifting apart.
            static const std::vector<Puff> puffs = Ring(14, 23, 3, 2.2, 3.6, 0.7, 6);
            if (const Puff* puff = Inside(puffs, p))
                return Pick(kSmoke, 0.35 + 0.6 * PuffShade(*puff, p), pixel);
            return std::nullopt;
        }
    }
}

}  // namespace

QImage Background()
{
    QImage image(500, 333, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    Sky(painter);
    Moon(painter);
    Title(painter);
    Frame(painter, kBoard, kFrame);
    Cells(painter, kBoard, true);
    Frame(painter, kPreview, kFrame);
    Cells(painter, kPreview, false);
    TimeBar(painter);
    Counters(painter);
    return image;
}

QImage Tiles()
{
    QImage image(425, 200, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    for (int code = 0; code < 128; ++code) {
        painter.save();
        painter.translate(code / 8 * 25, code % 8 * 25);
        Drawing::TileStack(painter, code % 32, code / 32 + 1);
        painter.restore();
    }
    painter.save();
    painter.translate(400, 0);
    Drawing::BombCell(painter);
    painter.restore();
    // The flash: XORed onto a cell it turns every colour of the cell into its
    // opposite, and leaves the black groove around the cell alone.
    painter.fillRect(QRect(401, 51, 23, 23), Qt::white);
    return image;
}

QImage Explosion()
{
    QImage image(6 * kBlast, 2 * kBlast, QImage::Format_RGB32);
    for (int frame = 0; frame < 6; ++frame) {
        for (int y = 0; y < kBlast; ++y) {
            for (int x = 0; x < kBlast; ++x) {
                const std::optional<QRgb> colour = BlastPixel(frame, QPoint(x, y));
                image.setPixel(frame * kBlast + x, y, colour.value_or(qRgb(0, 0, 0)));
                image.setPixel(frame * kBlast + x, kBlast + y, colour ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
            }
        }
    }
    // Debris and sparks fly from the biggest frame on.
    const struct {
        int frame;
        std::vector<Spark> sparks;
    } flying[] = {
        {3, Sparks(16, 23, 27.5, 0.3, 1.0, 30)},
        {4, Sparks(16, 19, 27.5, 0.15, 0.75, 40)},
        {5, Sparks(9, 24, 27.5, 0.6, 0.95, 50)},
    };
    for (const auto& [frame, sparks] : flying) {
        for (const Spark& spark : sparks) {
            for (int dy = 0; dy < spark.size; ++dy) {
                for (int dx = 0; dx < spark.size; ++dx) {
                    const QPoint at = spark.at + QPoint(dx, dy);
                    if (at.x() < 0 || at.y() < 0 || at.x() >= kBlast || at.y() >= kBlast)
                        continue;
                    image.setPixel(frame * kBlast + at.x(), at.y(), spark.colour);
                    image.setPixel(frame * kBlast + at.x(), kBlast + at.y(), qRgb(0, 0, 0));
                }
            }
        }
    }
    return image;
}

QImage Digits()
{
    QImage image(10 * kDigitWidth, 2 * kDigitHeight, QImage::Format_RGB32);
    for (int digit = 0; digit < 10; ++digit) {
        for (int y = 0; y < kDigitHeight; ++y) {
            for (int x = 0; x < kDigitWidth; ++x) {
                const bool lit = Lit(digit, x, y);
                image.setPixel(digit * kDigitWidth + x, y, lit ? SegmentColour(y).rgb() : qRgb(0, 0, 0));
                image.setPixel(digit * kDigitWidth + x, kDigitHeight + y, lit ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
            }
        }
    }
    return image;
}

}  // namespace Sheets
