#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/view/Fixtures.h"

namespace {

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kYellow = 0xFFFFFF00u;
const QRect kBar(307, 156, 103, 18);
const QRect kLevelLabel(323, 204, 80, 14);
const QRect kScoreLabel(323, 238, 80, 15);

QRect CellRect(int column, int row)
{
    return QRect(column * 25 + 48, row * 25 + 53, 25, 25);
}

// The five digits of `shown` in the digit row at height y, worked out from
// the digit sheet pixel by pixel over the background.
void ExpectDigits(const QImage& surface, const TSheets& sheets, const std::string& shown, int y)
{
    const QImage& background = sheets.Bitmaps(TSheets::kBackground);
    const QImage& digits = sheets.Bitmaps(TSheets::kDigits);
    QImage expected = surface.copy();
    for (int k = 0; k < 5; ++k) {
        const int d = shown.at(k) - '0';
        for (int py = 0; py < 20; ++py)
            for (int px = 0; px < 11; ++px) {
                const int x = 327 + 13 * k + px;
                SetRawPixel(expected, x, y + py,
                            Composed(RawPixel(background, x, y + py), RawPixel(digits, d * 11 + px, 20 + py),
                                     RawPixel(digits, d * 11 + px, py)));
            }
    }
    EXPECT_TRUE(SameArea(surface, QRect(327, y, 63, 20), expected, QPoint(327, y))) << "showing " << shown;
}

// `expected` with the explosion frame f over each blast (the top left of a
// 57 x 57 square): all masks first, then all pictures.
QImage WithBlasts(const QImage& below, const TSheets& sheets, int f, const std::vector<QPoint>& blasts)
{
    const QImage& sheet = sheets.Bitmaps(TSheets::kExplosion);
    QImage result = below.copy();
    for (const bool pictures : {false, true})
        for (const QPoint& at : blasts)
            for (int py = 0; py < 57; ++py)
                for (int px = 0; px < 57; ++px) {
                    if (!result.rect().contains(at.x() + px, at.y() + py))
                        continue;
                    const QRgb pixel = RawPixel(result, at.x() + px, at.y() + py);
                    const QRgb source = RawPixel(sheet, f * 57 + px, (pictures ? 0 : 57) + py);
                    SetRawPixel(result, at.x() + px, at.y() + py, pictures ? pixel | source : pixel & source);
                }
    return result;
}

TEST_F(PlayfieldTest, DrawCellShowsTheTileOfItsCodeOrTheEmptyBackground)
{
    struct Case {
        int code;
        int column, row;
        QPoint tile;  // on the tile sheet
    };
    const Case cases[] = {
        {0, 0, 0, {0, 0}},    {7, 8, 0, {0, 175}},    {8, 0, 8, {25, 0}},      {31, 8, 8, {75, 175}},
        {32, 4, 4, {100, 0}}, {95, 1, 7, {275, 175}}, {127, 7, 1, {375, 175}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code);
        Engine.Board[BoardIndex(c.column, c.row)] = c.code;
        Playfield().DrawCell(c.column, c.row);
        EXPECT_TRUE(SameArea(Surface.Image(), CellRect(c.column, c.row), Sheet(TSheets::kTiles), c.tile));

        Engine.Board[BoardIndex(c.column, c.row)] = CellCode::kEmpty;
        Playfield().DrawCell(c.column, c.row);
        const QRect cell = CellRect(c.column, c.row);
        EXPECT_TRUE(SameArea(Surface.Image(), cell, Sheet(TSheets::kBackground), cell.topLeft()));
    }
    EXPECT_EQ(Surface.TakeDirty(), QRegion(CellRect(0, 0)) + CellRect(8, 0) + CellRect(0, 8) + CellRect(8, 8) +
                                       CellRect(4, 4) + CellRect(1, 7) + CellRect(7, 1));
}

TEST_F(PlayfieldTest, TimeBarFillsTheTruncatedShareFromTheBackgroundAndTheRestBlack)
{
    struct Case {
        int left, limit, filled;
    };
    const Case cases[] = {
        {585, 600, 100}, {0, 600, 0}, {600, 600, 103}, {1, 600, 0}, {300, 600, 51}, {19, 20, 97}, {20, 20, 103},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << " of " << c.limit);
        Surface.Transfer(0, 0, TSurface::kWidth, TSurface::kHeight, Ground, 0, 0, TRasterOp::Copy);
        Engine.TimeLeft = c.left;
        Engine.TimeLimit = c.limit;

        Playfield().DrawTimeBar();

        QImage expected = Ground.copy();
        BlockTransfer(expected, 307, 156, c.filled, 18, Sheet(TSheets::kBackground), 307, 156, TRasterOp::Copy);
        for (int y = 156; y < 174; ++y)
            for (int x = 307 + c.filled; x < 410; ++x)
                SetRawPixel(expected, x, y, kBlack);
        EXPECT_TRUE(SameImage(Surface.Image(), expected));
    }
}

TEST_F(PlayfieldTest, TimeBarRefreshesTheSpriteOnlyWhereItMayHaveCoveredIt)
{
    struct Case {
        int x, y;
        bool refreshed;
    };
    const Case cases[] = {
        {233, 82, true},  {232, 82, false},  {440, 100, false}, {439, 173, true},
        {300, 81, false}, {300, 174, false}, {300, 173, true},
    };
    SetPieceOf(5, 0, 0);
    Playfield().RenderPiece();
    Engine.TimeLeft = 300;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "sprite at " << c.x << ", " << c.y);
        Sprite().SetPosition(c.x, c.y);
        Sprite().Show();
        // Painted over behind the sprite's back; only a refresh brings it back.
        Surface.Fill(QRect(c.x, c.y, 75, 75), qRgb(1, 2, 3));

        Playfield().DrawTimeBar();

        const QRgb tileCorner = RawPixel(Sheet(TSheets::kTiles), 0, 125);
        EXPECT_EQ(RawPixel(Surface.Image(), c.x, c.y), c.refreshed ? tileCorner : qRgb(1, 2, 3));
        Sprite().Hide();
    }
}

TEST_F(PlayfieldTest, NumbersShowFiveDigitsClampedAt99999)
{
    struct Case {
        int score, level;
        const char* scoreShown;
        const char* levelShown;
    };
    const Case cases[] = {
        {0, 0, "00000", "00000"},
        {234567, 1234, "99999", "01234"},
        {42, 99999, "00042", "99999"},
        {100000, 7, "99999", "00007"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scoreShown);
        Engine.Score = c.score;
        Engine.Level = c.level;

        Playfield().DrawNumbers();

        ExpectDigits(Surface.Image(), Sheets, c.scoreShown, 253);
        ExpectDigits(Surface.Image(), Sheets, c.levelShown, 218);
        EXPECT_EQ(Engine.Score, c.score);
    }
}

TEST_F(PlayfieldTest, LabelsAreYellowTextInTheCurrentLanguageDrawnWithoutErasing)
{
    QImage labels[2];
    for (const bool german : {false, true}) {
        SCOPED_TRACE(german ? "German" : "English");
        Surface.Transfer(0, 0, TSurface::kWidth, TSurface::kHeight, Ground, 0, 0, TRasterOp::Copy);
        German = german;

        Playfield().DrawNumbers();

        int yellow[2] = {0, 0};
        for (int y = 0; y < TSurface::kHeight; ++y)
            for (int x = 0; x < TSurface::kWidth; ++x) {
                const bool digit = QRect(327, 218, 63, 20).contains(x, y) || QRect(327, 253, 63, 20).contains(x, y);
                const QRgb pixel = RawPixel(Surface.Image(), x, y);
                if (digit || pixel == RawPixel(Ground, x, y))
                    continue;
                ASSERT_EQ(pixel, kYellow) << "at " << x << ", " << y;
                ASSERT_TRUE(kLevelLabel.contains(x, y) || kScoreLabel.contains(x, y)) << "at " << x << ", " << y;
                ++yellow[kScoreLabel.contains(x, y)];
            }
        EXPECT_GT(yellow[0], 20);
        EXPECT_GT(yellow[1], 20);
        labels[german] = Surface.Image().copy();

        Playfield().DrawNumbers();
        EXPECT_TRUE(SameImage(Surface.Image(), labels[german])) << "the labels thickened when drawn again";
    }
    EXPECT_FALSE(SameArea(labels[0], kLevelLabel, labels[1], kLevelLabel.topLeft()));
    EXPECT_FALSE(SameArea(labels[0], kScoreLabel, labels[1], kScoreLabel.topLeft()));
}

TEST_F(PlayfieldTest, InvertCellFlashesWithThePatternAndASecondCallRestores)
{
    for (const QPoint cell : {QPoint(0, 0), QPoint(8, 8), QPoint(3, 5)}) {
        SCOPED_TRACE(testing::Message() << cell.x() << ", " << cell.y());
        const QRect area = CellRect(cell.x(), cell.y());

        Playfield().InvertCell(cell.x(), cell.y());

        QImage expected = Ground.copy();
        for (int y = 0; y < 25; ++y)
            for (int x = 0; x < 25; ++x)
                SetRawPixel(
                    expected, area.x() + x, area.y() + y,
                    (RawPixel(Ground, area.x() + x, area.y() + y) ^ RawPixel(Sheet(TSheets::kTiles), 400 + x, 50 + y)) |
                        kBlack);
        EXPECT_TRUE(SameImage(Surface.Image(), expected));

        Playfield().InvertCell(cell.x(), cell.y());
        EXPECT_TRUE(SameImage(Surface.Image(), Ground));
    }
}

TEST_F(PlayfieldTest, RenderPieceCopiesEachTileIntoThePictureAndBlackensItsMask)
{
    struct Case {
        int code;
        int i, j;
        QPoint tile;
    };
    const Case cases[] = {
        {128, 1, 2, {400, 0}},
        {0, 0, 0, {0, 0}},
        {127, 2, 1, {375, 175}},
        {40, 2, 2, {125, 0}},
    };
    const QImage tint = SolidBitmap(75, 75, qRgb(31, 31, 31));
    const QImage white = SolidBitmap(75, 75, qRgb(255, 255, 255));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code);
        SetPieceOf(c.code, c.i, c.j);

        Playfield().RenderPiece();

        const QRect slot(c.i * 25, c.j * 25, 25, 25);
        QImage picture = tint.copy();
        BlockTransfer(picture, slot.x(), slot.y(), 25, 25, Sheet(TSheets::kTiles), c.tile.x(), c.tile.y(),
                      TRasterOp::Copy);
        QImage mask = white.copy();
        FillRect(mask, slot, qRgb(0, 0, 0));
        EXPECT_TRUE(SameImage(Playfield().PiecePicture(), picture));
        EXPECT_TRUE(SameImage(Playfield().PieceMask(), mask));
        EXPECT_TRUE(Surface.TakeDirty().isEmpty());
    }
}

TEST_F(PlayfieldTest, EmptySlotsOfTheShownPieceOrThirtyOneOntoTheBoard)
{
    SetPieceOf(9, 0, 0);
    Playfield().RenderPiece();
    Sprite().SetPosition(100, 120);

    Sprite().Show();

    QImage expected = Ground.copy();
    BlockTransfer(expected, 100, 120, 25, 25, Sheet(TSheets::kTiles), 25, 25, TRasterOp::Copy);
    for (int y = 120; y < 195; ++y)
        for (int x = 100; x < 175; ++x)
            if (x >= 125 || y >= 145)
                SetRawPixel(expected, x, y, RawPixel(Ground, x, y) | 0x1F1F1Fu);
    EXPECT_TRUE(SameImage(Surface.Image(), expected));
}

TEST_F(PlayfieldTest, ErasePreviewSlotShowsTheEmptyBoxOverTheSprite)
{
    Engine.Piece.fill(3);
    Playfield().RenderPiece();
    Sprite().SetPosition(321, 53);
    Sprite().Show();
    const QImage shown = Surface.Image().copy();

    Playfield().ErasePreviewSlot(2, 1);

    QImage expected = shown.copy();
    BlockTransfer(expected, 371, 78, 25, 25, Sheet(TSheets::kBackground), 371, 78, TRasterOp::Copy);
    EXPECT_TRUE(SameImage(Surface.Image(), expected));
    EXPECT_EQ(Surface.TakeDirty(), QRegion(321, 53, 75, 75));
}

TEST_F(PlayfieldTest, ExplodeCellShowsSixFramesOverItsAreaAndRestoresIt)
{
    for (const QPoint cell : {QPoint(48, 53), QPoint(4, 300)}) {
        SCOPED_TRACE(testing::Message() << "cell at " << cell.x() << ", " << cell.y());
        std::vector<QImage> frames;
        std::vector<uint32_t> shownAt;
        Surface.SetFlushHook([&] {
            frames.push_back(Surface.Image());
            shownAt.push_back(Clock.Now);
        });

        Playfield().ExplodeCell(cell.x(), cell.y());

        ASSERT_EQ(frames.size(), 6u);
        for (int f = 0; f < 6; ++f) {
            SCOPED_TRACE(testing::Message() << "frame " << f);
            EXPECT_TRUE(SameImage(frames[f], WithBlasts(Ground, Sheets, f, {cell - QPoint(16, 16)})));
            if (f > 0) {
                EXPECT_GE(shownAt[f] - shownAt[f - 1], 30u);
            }
        }
        EXPECT_GE(Clock.Now - shownAt[5], 30u);
        EXPECT_TRUE(SameImage(Surface.Image(), Ground));
    }
}

TEST_F(PlayfieldTest, ExplodePieceHidesTheSpriteAndBlastsEveryTileInEveryFrame)
{
    struct Case {
        const char* name;
        std::vector<QPoint> tiles;
    };
    // One tile must leave the rest of the 107 x 107 area as it was; tiles
    // side by side must add up where their blasts overlap.
    const Case cases[] = {
        {"one tile in the middle", {{1, 1}}},
        {"one tile in a corner", {{0, 2}}},
        {"two tiles side by side", {{0, 0}, {1, 0}}},
        {"a full piece", {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {2, 0}, {2, 1}, {2, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Engine.Piece.fill(CellCode::kEmpty);
        std::vector<QPoint> blasts;
        for (const QPoint& slot : c.tiles) {
            Engine.Piece[PieceIndex(slot.x(), slot.y())] = 128;
            blasts.push_back(QPoint(150 - 16 + slot.x() * 25, 120 - 16 + slot.y() * 25));
        }
        Playfield().RenderPiece();
        Sprite().SetPosition(150, 120);
        Sprite().Show();
        std::vector<QImage> frames;
        Surface.SetFlushHook([&] { frames.push_back(Surface.Image()); });

        Playfield().ExplodePiece();

        ASSERT_EQ(frames.size(), 6u);
        for (int f = 0; f < 6; ++f) {
            SCOPED_TRACE(testing::Message() << "frame " << f);
            EXPECT_TRUE(SameImage(frames[f], WithBlasts(Ground, Sheets, f, blasts)));
        }
        EXPECT_TRUE(SameImage(Surface.Image(), Ground));
    }
}

TEST_F(PlayfieldTest, DelayWaitsUntilTheCounterHasPassedTheTimeEvenAcrossItsWrap)
{
    struct Case {
        uint32_t start, step;
        int milliseconds;
        uint32_t waited;  // counter at the reading that ends the wait, less the start
    };
    const Case cases[] = {
        {0xFFFFFFF0u, 1, 100, 101}, {0xFFFFFFFFu, 1, 0, 1},     {0x7FFFFFF0u, 1, 300, 301},
        {5, 1, 200, 201},           {0xFFFFFF00u, 7, 300, 301},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.milliseconds << " ms from " << c.start);
        Clock.Now = c.start;
        Clock.Step = c.step;
        uint32_t flushedAt = 0;
        Surface.SetFlushHook([&] { flushedAt = Clock.Now; });

        Playfield().Delay(c.milliseconds);

        EXPECT_EQ(Clock.LastRead - c.start, c.waited);
        EXPECT_EQ(flushedAt - c.start, c.step) << "flushed after waiting";
    }
}

TEST_F(PlayfieldTest, PaintDrawsEverythingAndWhilePausedHidesTheBoardOnly)
{
    for (int i = 0; i < kBoardCells; ++i)
        Engine.Board[i] = (i * 37) % 128;
    Engine.TimeLimit = 600;
    Engine.TimeLeft = 300;
    Engine.Score = 4711;
    Engine.Level = 12;
    SetPieceOf(128, 1, 0);
    Engine.Piece[PieceIndex(2, 2)] = 64;
    int applied = 0;
    Field.SetApplyTexts([&] { ++applied; });
    Playfield().Paint();
    Playfield().RenderPiece();
    Sprite().SetPosition(321, 53);
    Sprite().Show();

    for (const bool paused : {true, false}) {
        SCOPED_TRACE(paused ? "paused" : "running");
        Engine.Paused = paused;
        applied = 0;
        Surface.Transfer(0, 0, TSurface::kWidth, TSurface::kHeight, Ground, 0, 0, TRasterOp::Copy);

        Playfield().Paint();

        EXPECT_EQ(applied, 1);
        QImage expected = Sheet(TSheets::kBackground).copy();
        for (int column = 0; column < 9 && !paused; ++column)
            for (int row = 0; row < 9; ++row) {
                const int code = Engine.Cell(column, row);
                BlockTransfer(expected, column * 25 + 48, row * 25 + 53, 25, 25, Sheet(TSheets::kTiles), code / 8 * 25,
                              code % 8 * 25, TRasterOp::Copy);
            }
        FillRect(expected, QRect(307 + 51, 156, 103 - 51, 18), qRgb(0, 0, 0));
        expected = WithPieceAt(expected, 321, 53);
        ExpectDigits(Surface.Image(), Sheets, "04711", 253);
        ExpectDigits(Surface.Image(), Sheets, "00012", 218);
        for (int y = 0; y < TSurface::kHeight; ++y)
            for (int x = 0; x < TSurface::kWidth; ++x) {
                const bool digit = QRect(327, 218, 63, 20).contains(x, y) || QRect(327, 253, 63, 20).contains(x, y);
                const QRgb pixel = RawPixel(Surface.Image(), x, y);
                if (digit || pixel == RawPixel(expected, x, y))
                    continue;
                ASSERT_TRUE(pixel == kYellow && (kLevelLabel.contains(x, y) || kScoreLabel.contains(x, y)))
                    << "at " << x << ", " << y;
            }
    }
}

TEST_F(PlayfieldTest, DealtPieceWaitsInThePreviewBoxWithAFullTimeBar)
{
    Playfield().Paint();

    Engine.DealPiece();

    EXPECT_EQ(Field.Sprite().GetX(), 321);
    EXPECT_EQ(Field.Sprite().GetY(), 53);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const int code = Engine.Piece[PieceIndex(i, j)];
            if (code >= 0) {
                EXPECT_TRUE(SameArea(Surface.Image(), QRect(321 + i * 25, 53 + j * 25, 25, 25), Sheet(TSheets::kTiles),
                                     QPoint(code / 8 * 25, code % 8 * 25)));
            }
        }
    EXPECT_TRUE(SameArea(Surface.Image(), kBar, Sheet(TSheets::kBackground), kBar.topLeft()));
}

}  // namespace
