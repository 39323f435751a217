#include "tests/view/Fixtures.h"

#include <random>

#include <QString>

QRgb RawPixel(const QImage& image, int x, int y)
{
    return reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
}

void SetRawPixel(QImage& image, int x, int y, QRgb value)
{
    reinterpret_cast<QRgb*>(image.scanLine(y))[x] = value;
}

QImage NoiseBitmap(int width, int height, uint32_t seed, bool anyAlpha)
{
    std::mt19937 random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetRawPixel(image, x, y, anyAlpha ? random() : random() | 0xFF000000u);
    return image;
}

QImage SolidBitmap(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour | 0xFF000000u);
    return image;
}

namespace {

QString Hex(QRgb value)
{
    return QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0'));
}

}  // namespace

testing::AssertionResult SameImage(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size())
        return testing::AssertionFailure() << "size " << actual.width() << "x" << actual.height() << ", expected "
                                           << expected.width() << "x" << expected.height();
    return SameArea(actual, actual.rect(), expected, QPoint(0, 0));
}

testing::AssertionResult SameArea(const QImage& actual, const QRect& at, const QImage& expected, QPoint from)
{
    int differences = 0;
    QString first;
    for (int y = 0; y < at.height(); ++y) {
        for (int x = 0; x < at.width(); ++x) {
            const QRgb a = RawPixel(actual, at.x() + x, at.y() + y);
            const QRgb e = RawPixel(expected, from.x() + x, from.y() + y);
            if (a != e && differences++ == 0)
                first =
                    QStringLiteral("(%1, %2) is %3, expected %4").arg(at.x() + x).arg(at.y() + y).arg(Hex(a), Hex(e));
        }
    }
    if (differences == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << differences << " pixels differ, first " << first.toStdString();
}

QRgb Composed(QRgb below, QRgb mask, QRgb picture)
{
    return (below & mask) | picture | 0xFF000000u;
}

TSheets NoiseSheets()
{
    return TSheets(NoiseBitmap(500, 333, 1), NoiseBitmap(425, 200, 2), NoiseBitmap(342, 114, 3),
                   NoiseBitmap(110, 40, 4));
}

PlayfieldTest::PlayfieldTest()
{
    Surface.Transfer(0, 0, TSurface::kWidth, TSurface::kHeight, Ground, 0, 0, TRasterOp::Copy);
    Surface.TakeDirty();
}

void PlayfieldTest::SetPieceOf(int code, int i, int j)
{
    Engine.Piece.fill(CellCode::kEmpty);
    Engine.Piece[PieceIndex(i, j)] = code;
}

QImage PlayfieldTest::WithPieceAt(const QImage& below, int x, int y) const
{
    QImage result = below.copy();
    const QImage& picture = Field.PiecePicture();
    const QImage& mask = Field.PieceMask();
    for (int py = 0; py < Geometry::kPiecePixels; ++py)
        for (int px = 0; px < Geometry::kPiecePixels; ++px)
            if (result.rect().contains(x + px, y + py))
                SetRawPixel(
                    result, x + px, y + py,
                    Composed(RawPixel(below, x + px, y + py), RawPixel(mask, px, py), RawPixel(picture, px, py)));
    return result;
}
