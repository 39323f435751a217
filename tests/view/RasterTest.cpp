#include <climits>
#include <functional>

#include <gtest/gtest.h>

#include "tests/view/Fixtures.h"
#include "view/Raster.h"
#include "view/Sheets.h"

namespace {

struct OpCase {
    const char* name;
    TRasterOp op;
    std::function<QRgb(QRgb, QRgb)> reference;
};

const OpCase kOps[] = {
    {"Copy", TRasterOp::Copy, [](QRgb, QRgb s) { return s; }},
    {"And", TRasterOp::And, [](QRgb d, QRgb s) { return d & s; }},
    {"Or", TRasterOp::Or, [](QRgb d, QRgb s) { return d | s; }},
    {"Xor", TRasterOp::Xor, [](QRgb d, QRgb s) { return d ^ s; }},
};

// What a transfer should leave in `dst`, worked out pixel by pixel: a pixel
// changes only where it lies in the destination rectangle and its source
// pixel lies inside `src`.
QImage ExpectedTransfer(const QImage& dst, int x, int y, int w, int h, const QImage& src, int sx, int sy,
                        const std::function<QRgb(QRgb, QRgb)>& op, QRect* written)
{
    QImage expected = dst.copy();
    *written = QRect();
    for (int py = 0; py < dst.height(); ++py) {
        for (int px = 0; px < dst.width(); ++px) {
            const int64_t qx = int64_t{sx} + px - x;
            const int64_t qy = int64_t{sy} + py - y;
            const bool inRect = px >= x && int64_t{px} < int64_t{x} + w && py >= y && int64_t{py} < int64_t{y} + h;
            if (!inRect || qx < 0 || qy < 0 || qx >= src.width() || qy >= src.height())
                continue;
            const QRgb value = op(RawPixel(dst, px, py), RawPixel(src, int(qx), int(qy))) | 0xFF000000u;
            SetRawPixel(expected, px, py, value);
            *written |= QRect(px, py, 1, 1);
        }
    }
    return expected;
}

}  // namespace

TEST(BlockTransfer, CombinesEveryRgbBitExactlyAndLeavesAlphaOpaqueForEveryOp)
{
    for (const OpCase& c : kOps) {
        SCOPED_TRACE(c.name);
        for (uint32_t seed = 0; seed < 4; ++seed) {
            QImage dst = NoiseBitmap(37, 29, seed * 2 + 1, true);
            const QImage src = NoiseBitmap(41, 23, seed * 2 + 2, true);
            QRect written;
            const QImage expected = ExpectedTransfer(dst, 3, 4, 20, 15, src, 7, 2, c.reference, &written);

            EXPECT_EQ(BlockTransfer(dst, 3, 4, 20, 15, src, 7, 2, c.op), written);
            EXPECT_TRUE(SameImage(dst, expected));
        }
    }
}

TEST(BlockTransfer, ClipsToBothBitmapsShiftingTheOtherRectangle)
{
    struct Case {
        const char* name;
        int x, y, w, h, sx, sy;
    };
    // Destination 30 x 20, source 16 x 12.
    const Case cases[] = {
        {"inside both", 2, 3, 10, 8, 1, 2},
        {"off the destination's left and top", -4, -3, 12, 10, 0, 0},
        {"off the destination's right and bottom", 25, 15, 12, 10, 0, 0},
        {"off the source's left and top", 5, 5, 12, 10, -3, -5},
        {"off the source's right and bottom", 5, 5, 12, 10, 9, 6},
        {"off all sides of both", -6, -7, 60, 50, -2, -1},
        {"the source's left against the destination's right", 20, 2, 10, 8, -5, 0},
        {"entirely outside the destination", 30, 0, 10, 10, 0, 0},
        {"entirely outside the source", 0, 0, 10, 10, 16, 0},
        {"largest size", 1, 1, INT_MAX, INT_MAX, 0, 0},
        {"most negative place", INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0},
        {"negative size", 10, 10, -5, -5, 0, 0},
    };
    const QImage src = NoiseBitmap(16, 12, 7);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const OpCase& op : kOps) {
            SCOPED_TRACE(op.name);
            QImage dst = NoiseBitmap(30, 20, 8);
            QRect written;
            const QImage expected = ExpectedTransfer(dst, c.x, c.y, c.w, c.h, src, c.sx, c.sy, op.reference, &written);

            EXPECT_EQ(BlockTransfer(dst, c.x, c.y, c.w, c.h, src, c.sx, c.sy, op.op), written);
            EXPECT_TRUE(SameImage(dst, expected));
        }
    }
}

TEST(BlockTransfer, WithinOneBitmapReadsThePixelsFromBeforeTheTransfer)
{
    const QImage original = NoiseBitmap(20, 20, 9);
    for (const OpCase& op : kOps) {
        SCOPED_TRACE(op.name);
        QImage image = original.copy();
        QRect written;
        const QImage expected = ExpectedTransfer(original, 3, 2, 12, 12, original, 0, 0, op.reference, &written);

        BlockTransfer(image, 3, 2, 12, 12, image, 0, 0, op.op);

        EXPECT_TRUE(SameImage(image, expected));
    }
}

TEST(BlockTransfer, FromANullBitmapWritesNothing)
{
    QImage dst = NoiseBitmap(10, 10, 10);
    const QImage before = dst.copy();

    EXPECT_TRUE(BlockTransfer(dst, 0, 0, 10, 10, QImage(), 0, 0, TRasterOp::Copy).isEmpty());
    EXPECT_TRUE(SameImage(dst, before));
}

TEST(FillRect, FillsOnlyThePartInsideTheBitmapWithAnOpaqueColour)
{
    QImage image = NoiseBitmap(20, 20, 11);
    QImage expected = image.copy();
    for (int y = 5; y < 20; ++y)
        for (int x = 0; x < 7; ++x)
            SetRawPixel(expected, x, y, 0xFF123456u);

    EXPECT_EQ(FillRect(image, QRect(-3, 5, 10, 100), qRgba(0x12, 0x34, 0x56, 0)), QRect(0, 5, 7, 15));
    EXPECT_TRUE(SameImage(image, expected));
}

TEST(Sheets, PaletteSheetsBecomeBitmapsWithTheirExactColours)
{
    QImage digits(110, 40, QImage::Format_Indexed8);
    digits.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(0x12, 0x9A, 0xFE)});
    for (int y = 0; y < digits.height(); ++y)
        for (int x = 0; x < digits.width(); ++x)
            digits.setPixel(x, y, (x + y) % 3);

    const TSheets sheets(NoiseBitmap(500, 333, 1), NoiseBitmap(425, 200, 2), NoiseBitmap(342, 114, 3), digits);
    const QImage& bitmap = sheets.Bitmaps(TSheets::kDigits);

    ASSERT_EQ(bitmap.format(), QImage::Format_RGB32);
    for (int y = 0; y < digits.height(); ++y)
        for (int x = 0; x < digits.width(); ++x)
            ASSERT_EQ(RawPixel(bitmap, x, y), digits.color((x + y) % 3)) << x << ", " << y;
}
