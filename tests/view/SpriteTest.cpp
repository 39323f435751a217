#include <climits>
#include <memory>

#include <gtest/gtest.h>

#include "tests/view/Fixtures.h"
#include "view/Sprites.h"
#include "view/Surface.h"

namespace {

constexpr int kW = 8;
constexpr int kH = 6;

// A small surface covered with noise and an 8 x 6 sprite whose picture and
// mask, also noise, are taken from inside larger bitmaps.
class SpriteTest : public testing::Test {
protected:
    SpriteTest()
    {
        Surface.Transfer(0, 0, Ground.width(), Ground.height(), Ground, 0, 0, TRasterOp::Copy);
        Surface.TakeDirty();
        Sprite.SetPicture(Picture, kPictureX, kPictureY);
        Sprite.SetMask(Mask, kMaskX, kMaskY);
    }

    // `below` with the sprite drawn at (x, y), worked out pixel by pixel.
    QImage WithSpriteAt(const QImage& below, int x, int y) const
    {
        QImage result = below.copy();
        for (int py = 0; py < kH; ++py)
            for (int px = 0; px < kW; ++px)
                if (result.rect().contains(x + px, y + py))
                    SetRawPixel(result, x + px, y + py,
                                Composed(RawPixel(below, x + px, y + py), RawPixel(Mask, kMaskX + px, kMaskY + py),
                                         RawPixel(Picture, kPictureX + px, kPictureY + py)));
        return result;
    }

    static constexpr int kPictureX = 3, kPictureY = 2, kMaskX = 1, kMaskY = 4;
    const QImage Ground = NoiseBitmap(40, 30, 21);
    QImage Picture = NoiseBitmap(12, 10, 22);
    const QImage Mask = NoiseBitmap(10, 10, 23);
    TSurface Surface{QSize(40, 30)};
    tSprite Sprite{Surface, kW, kH};
};

TEST_F(SpriteTest, ShowDrawsTheBelowAndedWithTheMaskOredWithThePicture)
{
    Sprite.SetPosition(5, 7);
    Sprite.Show();

    EXPECT_TRUE(SameImage(Surface.Image(), WithSpriteAt(Ground, 5, 7)));
    EXPECT_EQ(Surface.TakeDirty(), QRegion(5, 7, kW, kH));
}

TEST_F(SpriteTest, FarAndUnionMovesLeaveTheSpriteOnlyAtItsNewPlace)
{
    struct Case {
        const char* name;
        int dx, dy;
        bool far;
    };
    const Case cases[] = {
        {"a width right and a height down", kW, kH, true},
        {"a width right and a height less one down", kW, kH - 1, false},
        {"a width left and a height up", -kW, -kH, true},
        {"a width less one left and a height up", -(kW - 1), -kH, false},
        {"far on one axis only", kW + 5, 0, false},
        {"three pixels right", 3, 0, false},
        {"two pixels up", 0, -2, false},
        {"far on both axes", 2 * kW, 2 * kH, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Surface.Transfer(0, 0, Ground.width(), Ground.height(), Ground, 0, 0, TRasterOp::Copy);
        Sprite.SetPosition(12, 10);
        Sprite.Show();
        Surface.TakeDirty();

        Sprite.SetPosition(12 + c.dx, 10 + c.dy);

        EXPECT_TRUE(SameImage(Surface.Image(), WithSpriteAt(Ground, 12 + c.dx, 10 + c.dy)));
        const QRect before(12, 10, kW, kH);
        const QRect after(12 + c.dx, 10 + c.dy, kW, kH);
        // A far move restores and draws afresh; a near one writes its union
        // rectangle in one go.
        EXPECT_EQ(Surface.TakeDirty(), c.far ? QRegion(before) + QRegion(after) : QRegion(before.united(after)));
        Sprite.Hide();
        EXPECT_TRUE(SameImage(Surface.Image(), Ground));
    }
}

TEST_F(SpriteTest, SetPositionToItsOwnPlaceChangesNothingNotEvenADrag)
{
    Sprite.SetPosition(10, 10);
    Sprite.Show();
    Sprite.Grab(12, 13);
    Surface.TakeDirty();

    Sprite.SetPosition(10, 10);
    EXPECT_TRUE(Surface.TakeDirty().isEmpty());

    Sprite.DragTo(15, 14);
    EXPECT_EQ(Sprite.GetX(), 13);
    EXPECT_EQ(Sprite.GetY(), 11);
    EXPECT_TRUE(SameImage(Surface.Image(), WithSpriteAt(Ground, 13, 11)));
}

TEST_F(SpriteTest, SetPositionToANewPlaceEndsTheDrag)
{
    Sprite.SetPosition(10, 10);
    Sprite.Show();
    Sprite.Grab(12, 13);

    Sprite.SetPosition(11, 10);
    Sprite.DragTo(30, 20);

    EXPECT_EQ(Sprite.GetX(), 11);
    EXPECT_EQ(Sprite.GetY(), 10);
}

TEST_F(SpriteTest, DraggedSpriteKeepsTheGrabbedPointUnderThePointer)
{
    Sprite.SetPosition(10, 10);
    Sprite.Show();
    Sprite.Grab(13, 12);

    Sprite.DragTo(20, 9);

    EXPECT_EQ(Sprite.GetX(), 17);
    EXPECT_EQ(Sprite.GetY(), 7);
    EXPECT_TRUE(SameImage(Surface.Image(), WithSpriteAt(Ground, 17, 7)));
}

TEST_F(SpriteTest, HiddenAndShownAgainTheSpriteStillFollowsThePointer)
{
    Sprite.SetPosition(10, 10);
    Sprite.Show();
    Sprite.Grab(11, 12);
    Sprite.Hide();
    Sprite.Show();

    Sprite.DragTo(20, 20);

    EXPECT_EQ(Sprite.GetX(), 19);
    EXPECT_EQ(Sprite.GetY(), 18);
}

TEST_F(SpriteTest, GrabAndDragDoNothingUnlessTheVisibleSpriteWasHit)
{
    struct Case {
        const char* name;
        bool showFirst;
        int grabX, grabY;  // INT_MIN: no grab
        bool release;
    };
    const Case cases[] = {
        {"grabbed while hidden", false, 12, 12, false},      {"grabbed just right of it", true, 10 + kW, 12, false},
        {"grabbed just below it", true, 12, 10 + kH, false}, {"never grabbed", true, INT_MIN, INT_MIN, false},
        {"grabbed and released", true, 12, 12, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tSprite sprite(Surface, kW, kH);
        sprite.SetPicture(Picture, kPictureX, kPictureY);
        sprite.SetMask(Mask, kMaskX, kMaskY);
        sprite.SetPosition(10, 10);
        if (c.showFirst)
            sprite.Show();
        if (c.grabX != INT_MIN)
            sprite.Grab(c.grabX, c.grabY);
        if (c.release)
            sprite.Release();
        sprite.Show();
        const QImage before = Surface.Image().copy();

        sprite.DragTo(25, 20);

        EXPECT_EQ(sprite.GetX(), 10);
        EXPECT_EQ(sprite.GetY(), 10);
        EXPECT_TRUE(SameImage(Surface.Image(), before));
        sprite.Hide();
    }
}

TEST_F(SpriteTest, SecondShowDoesNotSaveTheSpritesOwnImage)
{
    Sprite.SetPosition(10, 10);
    Sprite.Show();
    Sprite.Show();
    Sprite.Hide();

    EXPECT_TRUE(SameImage(Surface.Image(), Ground));
}

TEST_F(SpriteTest, HideOfAHiddenSpriteLeavesTheSurfaceAlone)
{
    Sprite.SetPosition(10, 10);
    Sprite.Show();
    Sprite.Hide();
    Surface.Fill(QRect(10, 10, kW, kH), qRgb(200, 0, 0));
    const QImage drawn = Surface.Image().copy();

    Sprite.Hide();

    EXPECT_TRUE(SameImage(Surface.Image(), drawn));
}

TEST_F(SpriteTest, HideRestoresTheSavedPixelsEvenWhereTheSurfaceWasDrawnOnMeanwhile)
{
    Sprite.SetPosition(10, 10);
    Sprite.Show();
    const QRect paint(7, 8, 6, 5);  // half under the sprite
    Surface.Fill(paint, qRgb(200, 0, 0));

    Sprite.Hide();

    QImage expected = Ground.copy();
    for (const QRect& outside : QRegion(paint).subtracted(QRegion(10, 10, kW, kH)))
        FillRect(expected, outside, qRgb(200, 0, 0));
    EXPECT_TRUE(SameImage(Surface.Image(), expected));
}

TEST_F(SpriteTest, RefreshDrawsOverThePixelsSavedWhenItWasLastDrawnFresh)
{
    Sprite.SetPosition(10, 10);
    Sprite.Show();
    Surface.Fill(QRect(10, 10, kW, kH), qRgb(0, 200, 0));

    Sprite.Refresh();

    EXPECT_TRUE(SameImage(Surface.Image(), WithSpriteAt(Ground, 10, 10)));
}

TEST_F(SpriteTest, NewPictureContentsShowAtTheNextRefresh)
{
    Sprite.SetPosition(10, 10);
    Sprite.Show();

    Picture = NoiseBitmap(12, 10, 99);
    Sprite.Refresh();

    EXPECT_TRUE(SameImage(Surface.Image(), WithSpriteAt(Ground, 10, 10)));
}

TEST_F(SpriteTest, WhiteMaskAndBlackPictureLeaveTheSurfaceUnchanged)
{
    const QImage white = SolidBitmap(kW, kH, qRgb(255, 255, 255));
    const QImage black = SolidBitmap(kW, kH, qRgb(0, 0, 0));
    tSprite sprite(Surface, kW, kH);
    sprite.SetPicture(black, 0, 0);
    sprite.SetMask(white, 0, 0);

    sprite.SetPosition(4, 4);
    sprite.Show();
    EXPECT_TRUE(SameImage(Surface.Image(), Ground));
    sprite.SetPosition(6, 5);
    EXPECT_TRUE(SameImage(Surface.Image(), Ground));
    sprite.SetPosition(30, 20);
    EXPECT_TRUE(SameImage(Surface.Image(), Ground));
    sprite.Grab(31, 21);
    sprite.DragTo(10, 11);
    EXPECT_TRUE(SameImage(Surface.Image(), Ground));
    sprite.Hide();
    EXPECT_TRUE(SameImage(Surface.Image(), Ground));
}

TEST_F(SpriteTest, SpritePartlyOrWhollyOffTheSurfaceDrawsOnlyWhatIsOnIt)
{
    struct Case {
        const char* name;
        int x, y;
    };
    const Case cases[] = {
        {"over the left edge", -3, 10},
        {"over the right edge", 36, 10},
        {"over the top edge", 10, -2},
        {"over the bottom edge", 10, 27},
        {"over the top left corner", -5, -4},
        {"over the bottom right corner", 37, 27},
        {"just off the left", -kW, 10},
        {"off the bottom right", 40, 30},
        {"far off", -1000, 5000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sprite.SetPosition(c.x, c.y);
        Sprite.Show();
        EXPECT_TRUE(SameImage(Surface.Image(), WithSpriteAt(Ground, c.x, c.y)));

        Sprite.SetPosition(c.x + 2, c.y - 1);
        EXPECT_TRUE(SameImage(Surface.Image(), WithSpriteAt(Ground, c.x + 2, c.y - 1)));

        Sprite.SetPosition(15, 12);
        EXPECT_TRUE(SameImage(Surface.Image(), WithSpriteAt(Ground, 15, 12)));

        Sprite.SetPosition(c.x, c.y);
        EXPECT_TRUE(SameImage(Surface.Image(), WithSpriteAt(Ground, c.x, c.y)));

        Sprite.Hide();
        EXPECT_TRUE(SameImage(Surface.Image(), Ground));
        EXPECT_TRUE(QRect(0, 0, 40, 30).contains(Surface.TakeDirty().boundingRect()));
    }
}

TEST_F(SpriteTest, HitTestCoversTheWholeRectangleAndNothingBeyond)
{
    struct Case {
        int x, y;
        bool hit;
    };
    const Case cases[] = {
        {10, 10, true}, {10 + kW - 1, 10 + kH - 1, true}, {10 + kW, 10, false}, {10, 10 + kH, false}, {9, 10, false},
        {10, 9, false},
    };
    tSprite unready(Surface, kW, kH);
    unready.SetPicture(Picture, 0, 0);
    Sprite.SetPosition(10, 10);
    for (bool shown : {false, true}) {
        if (shown)
            Sprite.Show();
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << (shown ? "shown" : "hidden") << " at " << c.x << ", " << c.y);
            EXPECT_EQ(Sprite.HitTest(c.x, c.y), c.hit);
            EXPECT_EQ(unready.HitTest(c.x - 10, c.y - 10), c.hit);
        }
    }
}

TEST_F(SpriteTest, NegativeSizesAreTakenAsTheirAbsoluteValues)
{
    const QSize sizes[] = {{-kW, -kH}, {kW, -kH}, {-kW, kH}};
    for (const QSize& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width() << " x " << size.height());
        tSprite sprite(Surface, size.width(), size.height());
        sprite.SetPicture(Picture, kPictureX, kPictureY);
        sprite.SetMask(Mask, kMaskX, kMaskY);
        sprite.SetPosition(5, 5);
        sprite.Show();

        EXPECT_TRUE(SameImage(Surface.Image(), WithSpriteAt(Ground, 5, 5)));
        EXPECT_TRUE(sprite.HitTest(5 + kW - 1, 5 + kH - 1));
        EXPECT_FALSE(sprite.HitTest(5 + kW, 5));
        EXPECT_FALSE(sprite.HitTest(5, 5 + kH));
        sprite.Hide();
    }
}

TEST_F(SpriteTest, SpriteThatIsNotReadyNeitherMovesNorDraws)
{
    struct Case {
        const char* name;
        int width;
        bool picture, mask;
    };
    const Case cases[] = {
        {"no picture", kW, false, true},
        {"no mask", kW, true, false},
        {"no save-under: too wide a bitmap", 100'000'000, true, true},
        {"no save-under: the most negative width", INT_MIN, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tSprite sprite(Surface, c.width, kH);
        if (c.picture)
            sprite.SetPicture(Picture, 0, 0);
        if (c.mask)
            sprite.SetMask(Mask, 0, 0);
        EXPECT_FALSE(sprite.IsReady());

        sprite.SetPosition(5, 5);
        sprite.Show();
        sprite.Grab(0, 0);
        sprite.DragTo(7, 7);
        sprite.Refresh();
        sprite.Hide();

        EXPECT_EQ(sprite.GetX(), 0);
        EXPECT_EQ(sprite.GetY(), 0);
        EXPECT_TRUE(SameImage(Surface.Image(), Ground));
        EXPECT_TRUE(Surface.TakeDirty().isEmpty());
    }
}

}  // namespace
