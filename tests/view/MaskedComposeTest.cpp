#include <climits>
#include <cstdint>

#include <gtest/gtest.h>

#include "tests/view/Fixtures.h"
#include "view/Raster.h"
#include "view/Sprites.h"
#include "view/Surface.h"

namespace {

// Where a compose reads and writes: the rectangle in the destination and the
// top left read in each source (and written in the saved bitmap).
struct TPlaces {
    int x, y, w, h;
    QPoint underAt, maskAt, pictureAt, savedAt;
};

bool Inside(const QImage& image, int64_t x, int64_t y)
{
    return x >= 0 && y >= 0 && x < image.width() && y < image.height();
}

// What a compose should leave in `dst` and, if given, in `saved`, worked out
// pixel by pixel: a pixel is written only where it lies in the rectangle and
// every bitmap involved has a pixel for it.
QRect ExpectedCompose(QImage& dst, const QImage& under, const QImage& mask, const QImage& picture, QImage* saved,
                      const TPlaces& p)
{
    const QImage before = dst.copy();
    QRect written;
    for (int py = 0; py < dst.height(); ++py) {
        for (int px = 0; px < dst.width(); ++px) {
            const int64_t ox = int64_t{px} - p.x;
            const int64_t oy = int64_t{py} - p.y;
            if (ox < 0 || oy < 0 || ox >= p.w || oy >= p.h)
                continue;
            const auto at = [&](QPoint origin) { return QPoint(int(origin.x() + ox), int(origin.y() + oy)); };
            if (!Inside(under, p.underAt.x() + ox, p.underAt.y() + oy) ||
                !Inside(mask, p.maskAt.x() + ox, p.maskAt.y() + oy) ||
                !Inside(picture, p.pictureAt.x() + ox, p.pictureAt.y() + oy) ||
                (saved && !Inside(*saved, p.savedAt.x() + ox, p.savedAt.y() + oy)))
                continue;
            const QRgb below = RawPixel(under, at(p.underAt).x(), at(p.underAt).y());
            SetRawPixel(dst, px, py,
                        Composed(below, RawPixel(mask, at(p.maskAt).x(), at(p.maskAt).y()),
                                 RawPixel(picture, at(p.pictureAt).x(), at(p.pictureAt).y())));
            if (saved)
                SetRawPixel(*saved, at(p.savedAt).x(), at(p.savedAt).y(), below | 0xFF000000u);
            written |= QRect(px, py, 1, 1);
        }
    }
    return written;
}

// Destination 30 x 20; under 16 x 12, mask 14 x 13, picture 15 x 11, saved
// 12 x 10, so that clipping to each of them shows on its own.
struct TComposeFixture {
    QImage dst = NoiseBitmap(30, 20, 41, true);
    const QImage under = NoiseBitmap(16, 12, 42, true);
    const QImage mask = NoiseBitmap(14, 13, 43, true);
    const QImage picture = NoiseBitmap(15, 11, 44, true);
    QImage saved = NoiseBitmap(12, 10, 45, true);
};

struct TClipCase {
    const char* name;
    TPlaces places;
};

const TClipCase kClipCases[] = {
    {"inside all", {2, 3, 9, 8, {1, 2}, {3, 1}, {0, 2}, {2, 1}}},
    {"off the destination's left and top", {-4, -3, 12, 10, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
    {"off the destination's right and bottom", {25, 15, 12, 10, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
    {"off the under's left and top", {5, 5, 10, 9, {-3, -2}, {0, 0}, {0, 0}, {0, 0}}},
    {"off the under's right and bottom", {5, 5, 10, 9, {9, 6}, {0, 0}, {0, 0}, {0, 0}}},
    {"off the mask's left and top", {5, 5, 10, 9, {0, 0}, {-2, -4}, {0, 0}, {0, 0}}},
    {"off the mask's right and bottom", {5, 5, 10, 9, {0, 0}, {7, 8}, {0, 0}, {0, 0}}},
    {"off the picture's left and top", {5, 5, 10, 9, {0, 0}, {0, 0}, {-5, -1}, {0, 0}}},
    {"off the picture's right and bottom", {5, 5, 10, 9, {0, 0}, {0, 0}, {8, 5}, {0, 0}}},
    {"off the saved's left and top", {5, 5, 10, 9, {0, 0}, {0, 0}, {0, 0}, {-3, -3}}},
    {"off the saved's right and bottom", {5, 5, 10, 9, {0, 0}, {0, 0}, {0, 0}, {5, 4}}},
    {"off all sides of all", {-6, -7, 60, 50, {-2, -1}, {-1, -3}, {-4, -2}, {-3, -5}}},
    {"entirely outside the destination", {30, 0, 10, 10, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
    {"entirely outside the mask", {0, 0, 10, 10, {0, 0}, {14, 0}, {0, 0}, {0, 0}}},
    {"largest size", {1, 1, INT_MAX, INT_MAX, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
    {"most negative place", {INT_MIN, INT_MIN, INT_MAX, INT_MAX, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
    {"sources at the largest offsets", {0, 0, 10, 10, {INT_MAX, 0}, {0, INT_MAX}, {INT_MIN, INT_MIN}, {0, 0}}},
    {"negative size", {10, 10, -5, -5, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
};

}  // namespace

TEST(MaskedCompose, AndsTheUnderWithTheMaskOrsThePictureOnEveryBitAndLeavesAlphaOpaque)
{
    for (uint32_t seed = 0; seed < 4; ++seed) {
        SCOPED_TRACE(seed);
        QImage dst = NoiseBitmap(37, 29, seed * 4 + 1, true);
        const QImage under = NoiseBitmap(41, 23, seed * 4 + 2, true);
        const QImage mask = NoiseBitmap(20, 20, seed * 4 + 3, true);
        const QImage picture = NoiseBitmap(25, 17, seed * 4 + 4, true);
        const TPlaces places{3, 4, 18, 15, {7, 2}, {1, 3}, {5, 1}, {}};
        QImage expected = dst.copy();
        const QRect written = ExpectedCompose(expected, under, mask, picture, nullptr, places);
        ASSERT_EQ(written, QRect(3, 4, 18, 15));

        EXPECT_EQ(
            MaskedCompose(dst, 3, 4, 18, 15, under, places.underAt, mask, places.maskAt, picture, places.pictureAt),
            written);
        EXPECT_TRUE(SameImage(dst, expected));
    }
}

// The saving form also copies the pixels below into `saved`, and clips to it.
TEST(MaskedCompose, ClipsToEveryBitmapShiftingTheOtherRectanglesWithOrWithoutSaving)
{
    for (const TClipCase& c : kClipCases) {
        for (bool saving : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.name << (saving ? ", saving" : ""));
            const TPlaces& p = c.places;
            TComposeFixture f;
            QImage expected = f.dst.copy();
            QImage expectedSaved = f.saved.copy();
            const QRect written =
                ExpectedCompose(expected, f.under, f.mask, f.picture, saving ? &expectedSaved : nullptr, p);

            const QRect result = saving ? MaskedComposeSaving(f.dst, p.x, p.y, p.w, p.h, f.under, p.underAt, f.mask,
                                                              p.maskAt, f.picture, p.pictureAt, f.saved, p.savedAt)
                                        : MaskedCompose(f.dst, p.x, p.y, p.w, p.h, f.under, p.underAt, f.mask, p.maskAt,
                                                        f.picture, p.pictureAt);

            EXPECT_EQ(result, written);
            EXPECT_TRUE(SameImage(f.dst, expected));
            EXPECT_TRUE(SameImage(f.saved, expectedSaved));
        }
    }
}

TEST(MaskedCompose, OntoOneOfItsSourcesReadsThePixelsFromBefore)
{
    const QImage original = NoiseBitmap(20, 20, 46);
    const QImage other = NoiseBitmap(20, 20, 47);
    const TPlaces places{3, 2, 12, 12, {0, 0}, {1, 1}, {2, 0}, {}};
    for (int role = 0; role < 3; ++role) {
        SCOPED_TRACE(role == 0 ? "under" : role == 1 ? "mask" : "picture");
        QImage image = original.copy();
        const QImage& under = role == 0 ? image : other;
        const QImage& mask = role == 1 ? image : other;
        const QImage& picture = role == 2 ? image : other;
        QImage expected = original.copy();
        ExpectedCompose(expected, role == 0 ? original : other, role == 1 ? original : other,
                        role == 2 ? original : other, nullptr, places);

        MaskedCompose(image, places.x, places.y, places.w, places.h, under, places.underAt, mask, places.maskAt,
                      picture, places.pictureAt);

        EXPECT_TRUE(SameImage(image, expected));
    }
}

// A mask or picture that does not reach over the whole sprite: where one is
// missing, its step leaves the pixels below as they are, on every way the
// sprite draws.
TEST(MaskedCompose, SpriteWithAMaskOrPictureTooSmallDrawsOnlyWhereEachReaches)
{
    constexpr int kW = 8, kH = 6;
    const QImage ground = NoiseBitmap(40, 30, 48);
    const QImage mask = NoiseBitmap(6, 6, 49);     // two columns short from (0, 0)
    const QImage picture = NoiseBitmap(9, 9, 50);  // from (2, 4): one column and one row short
    const auto withSpriteAt = [&](int x, int y) {
        QImage result = ground.copy();
        for (int py = 0; py < kH; ++py) {
            for (int px = 0; px < kW; ++px) {
                if (!Inside(result, x + px, y + py))
                    continue;
                QRgb pixel = RawPixel(ground, x + px, y + py);
                if (Inside(mask, px, py))
                    pixel &= RawPixel(mask, px, py);
                if (Inside(picture, 2 + px, 4 + py))
                    pixel |= RawPixel(picture, 2 + px, 4 + py);
                SetRawPixel(result, x + px, y + py, pixel | 0xFF000000u);
            }
        }
        return result;
    };
    TSurface surface{QSize(40, 30)};
    surface.Transfer(0, 0, 40, 30, ground, 0, 0, TRasterOp::Copy);
    tSprite sprite(surface, kW, kH);
    sprite.SetPicture(picture, 2, 4);
    sprite.SetMask(mask, 0, 0);

    const QPoint places[] = {{10, 10}, {13, 8}, {-3, 26}, {30, 5}, {34, 3}};
    sprite.SetPosition(places[0].x(), places[0].y());
    sprite.Show();
    EXPECT_TRUE(SameImage(surface.Image(), withSpriteAt(places[0].x(), places[0].y())));
    for (const QPoint& place : places) {
        SCOPED_TRACE(testing::Message() << "at " << place.x() << ", " << place.y());
        sprite.SetPosition(place.x(), place.y());
        EXPECT_TRUE(SameImage(surface.Image(), withSpriteAt(place.x(), place.y())));
        sprite.Refresh();
        EXPECT_TRUE(SameImage(surface.Image(), withSpriteAt(place.x(), place.y())));
    }
    sprite.Hide();
    EXPECT_TRUE(SameImage(surface.Image(), ground));
}
