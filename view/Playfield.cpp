#include "view/Playfield.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include <QFont>
#include <QString>

#include "assets/Texts.h"
#include "engine/GameEngine.h"
#include "engine/PlayfieldGeometry.h"
#include "view/Sheets.h"
#include "view/Surface.h"

// The playfield's places, named where the rules read them too.
using namespace Geometry;

namespace {

constexpr int kDigitCount = 5;
constexpr int32_t kLargestNumber = 99999;
constexpr QRgb kLabelColour = 0xFFFF00;

constexpr QRgb kEmptySlotTint = qRgb(31, 31, 31);  // ORed over the board by the frame's empty slots
constexpr QPoint kFlash{400, 50};

constexpr int kFrames = 6;
constexpr int kBlast = 57;        // one explosion frame, centred on its 25 x 25 cell
constexpr int kBlastMargin = 16;  // (kBlast - kCellSize) / 2
constexpr uint32_t kFrameMilliseconds = 30;

// Where the tile sheet holds the picture of an occupied cell code; the bomb,
// 128, lands in column 16, row 0.
QPoint TileOf(int32_t code)
{
    return {code / 8 * kCellSize, code % 8 * kCellSize};
}

QFont LabelFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    // The labels are drawn over themselves on every change of the numbers,
    // without an erase; antialiased edges would turn more yellow each time
    // and the text would thicken.
    font.setStyleHint(QFont::SansSerif, QFont::NoAntialias);
    // Without antialiasing, glyphs placed at fractional positions round to
    // uneven gaps ("Sc ore"); full hinting keeps them on whole pixels.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

}  // namespace

uint32_t SteadyTicks()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

TPlayfield::TPlayfield(TSurface& surface, const TSheets& sheets, const TGameEngine& engine,
                       std::function<TTongue()> language, TTickCounter ticks)
    : surface_(surface), sheets_(sheets), engine_(engine), language_(std::move(language)), ticks_(std::move(ticks)),
      piecePicture_(NewBitmap(kPiecePixels, kPiecePixels)), pieceMask_(NewBitmap(kPiecePixels, kPiecePixels)),
      sprite_(surface, kPiecePixels, kPiecePixels)
{
    sprite_.SetPicture(piecePicture_, 0, 0);
    sprite_.SetMask(pieceMask_, 0, 0);
}

void TPlayfield::SetApplyTexts(std::function<void()> hook)
{
    applyTexts_ = std::move(hook);
}

void TPlayfield::Paint()
{
    surface_.Transfer(0, 0, TSurface::kWidth, TSurface::kHeight, sheets_.Bitmaps(TSheets::kBackground), 0, 0,
                      TRasterOp::Copy);
    if (!engine_.Paused) {
        for (int column = 0; column < kBoardSize; ++column)
            for (int row = 0; row < kBoardSize; ++row)
                DrawCell(column, row);
    }
    if (applyTexts_)
        applyTexts_();
    DrawNumbers();
    DrawTimeBar();
    sprite_.Refresh();
}

void TPlayfield::DrawCell(int column, int row)
{
    const int x = CellLeft(column);
    const int y = CellTop(row);
    const int32_t code = engine_.Cell(column, row);
    if (code < 0) {
        surface_.Transfer(x, y, kCellSize, kCellSize, sheets_.Bitmaps(TSheets::kBackground), x, y, TRasterOp::Copy);
    } else {
        const QPoint tile = TileOf(code);
        surface_.Transfer(x, y, kCellSize, kCellSize, sheets_.Bitmaps(TSheets::kTiles), tile.x(), tile.y(),
                          TRasterOp::Copy);
    }
}

void TPlayfield::DrawNumber(int32_t value, int y)
{
    const QImage& digits = sheets_.Bitmaps(TSheets::kDigits);
    int32_t rest = std::clamp(value, 0, kLargestNumber);
    for (int k = kDigitCount - 1; k >= 0; --k, rest /= 10) {
        const int x = kDigitLeft + kDigitStep * k;
        const int sheetX = rest % 10 * kDigitWidth;
        surface_.Transfer(x, y, kDigitWidth, kDigitHeight, sheets_.Bitmaps(TSheets::kBackground), x, y,
                          TRasterOp::Copy);
        surface_.Transfer(x, y, kDigitWidth, kDigitHeight, digits, sheetX, kDigitHeight, TRasterOp::And);
        surface_.Transfer(x, y, kDigitWidth, kDigitHeight, digits, sheetX, 0, TRasterOp::Or);
    }
}

void TPlayfield::DrawNumbers()
{
    DrawNumber(engine_.Score, kScoreTop);
    DrawNumber(engine_.Level, kLevelTop);
    const TTexts& texts = Texts(language_ ? language_() : TTongue::English);
    const QFont font = LabelFont();
    // Over what is there, without erasing: as drawn since the first version,
    // so a change of language needs the whole Paint.
    surface_.DrawText(kLabelLeft, kLevelLabelTop, texts.LevelLabel, font, kLabelColour);
    surface_.DrawText(kLabelLeft, kScoreLabelTop, texts.ScoreLabel, font, kLabelColour);
}

void TPlayfield::DrawTimeBar()
{
    const int32_t left = engine_.TimeLeft;
    const int32_t limit = engine_.TimeLimit;
    const int32_t filled = left * kBarWidth / limit;
    if (left > 0)
        surface_.Transfer(kBarLeft, kBarTop, filled, kBarHeight, sheets_.Bitmaps(TSheets::kBackground), kBarLeft,
                          kBarTop, TRasterOp::Copy);
    if (left < limit)
        surface_.Fill(QRect(kBarLeft + filled, kBarTop, kBarWidth - filled, kBarHeight), qRgb(0, 0, 0));
    // Every top left from which the 75 x 75 sprite overlaps the bar lies in
    // these bounds (which reach further right than needed).
    const int32_t x = sprite_.GetX();
    const int32_t y = sprite_.GetY();
    if (Geometry::MayCoverTimeBar(x, y))
        sprite_.Refresh();
}

void TPlayfield::RenderPiece()
{
    piecePicture_.fill(kEmptySlotTint);
    pieceMask_.fill(Qt::white);
    const QImage& tiles = sheets_.Bitmaps(TSheets::kTiles);
    for (int i = 0; i < kPieceSize; ++i) {
        for (int j = 0; j < kPieceSize; ++j) {
            const int32_t code = engine_.Piece[PieceIndex(i, j)];
            if (!CellCode::IsOccupied(code))
                continue;
            const QPoint tile = TileOf(code);
            BlockTransfer(piecePicture_, i * kCellSize, j * kCellSize, kCellSize, kCellSize, tiles, tile.x(), tile.y(),
                          TRasterOp::Copy);
            FillRect(pieceMask_, QRect(i * kCellSize, j * kCellSize, kCellSize, kCellSize), qRgb(0, 0, 0));
        }
    }
}

void TPlayfield::ErasePreviewSlot(int column, int row)
{
    const int x = column * kCellSize + kPreviewLeft;
    const int y = row * kCellSize + kPreviewTop;
    surface_.Transfer(x, y, kCellSize, kCellSize, sheets_.Bitmaps(TSheets::kBackground), x, y, TRasterOp::Copy);
}

void TPlayfield::ExplodeCell(int32_t x, int32_t y)
{
    const QImage& sheet = sheets_.Bitmaps(TSheets::kExplosion);
    const int left = x - kBlastMargin;
    const int top = y - kBlastMargin;
    QImage saved = NewBitmap(kBlast, kBlast);
    BlockTransfer(saved, 0, 0, kBlast, kBlast, surface_.Image(), left, top, TRasterOp::Copy);
    for (int f = 0; f < kFrames; ++f) {
        QImage work = NewBitmap(kBlast, kBlast);
        BlockTransfer(work, 0, 0, kBlast, kBlast, saved, 0, 0, TRasterOp::Copy);
        BlockTransfer(work, 0, 0, kBlast, kBlast, sheet, f * kBlast, kBlast, TRasterOp::And);
        BlockTransfer(work, 0, 0, kBlast, kBlast, sheet, f * kBlast, 0, TRasterOp::Or);
        surface_.Transfer(left, top, kBlast, kBlast, work, 0, 0, TRasterOp::Copy);
        ShowFrame();
        surface_.Transfer(left, top, kBlast, kBlast, saved, 0, 0, TRasterOp::Copy);
    }
}

void TPlayfield::ExplodePiece()
{
    const QImage& sheet = sheets_.Bitmaps(TSheets::kExplosion);
    const int left = sprite_.GetX() - kBlastMargin;
    const int top = sprite_.GetY() - kBlastMargin;
    sprite_.Hide();
    constexpr int kArea = kPiecePixels + 2 * kBlastMargin;
    QImage saved = NewBitmap(kArea, kArea);
    BlockTransfer(saved, 0, 0, kArea, kArea, surface_.Image(), left, top, TRasterOp::Copy);

    std::vector<QPoint> blasts;  // top left of each occupied slot's blast in the area
    for (int i = 0; i < kPieceSize; ++i)
        for (int j = 0; j < kPieceSize; ++j)
            if (CellCode::IsOccupied(engine_.Piece[PieceIndex(i, j)]))
                blasts.emplace_back(i * kCellSize, j * kCellSize);

    for (int f = 0; f < kFrames; ++f) {
        QImage work = NewBitmap(kArea, kArea);
        BlockTransfer(work, 0, 0, kArea, kArea, saved, 0, 0, TRasterOp::Copy);
        // Every mask before any picture, so overlapping blasts add up
        // instead of covering each other.
        for (const QPoint& at : blasts)
            BlockTransfer(work, at.x(), at.y(), kBlast, kBlast, sheet, f * kBlast, kBlast, TRasterOp::And);
        for (const QPoint& at : blasts)
            BlockTransfer(work, at.x(), at.y(), kBlast, kBlast, sheet, f * kBlast, 0, TRasterOp::Or);
        surface_.Transfer(left, top, kArea, kArea, work, 0, 0, TRasterOp::Copy);
        ShowFrame();
    }
    surface_.Transfer(left, top, kArea, kArea, saved, 0, 0, TRasterOp::Copy);
}

void TPlayfield::InvertCell(int column, int row)
{
    surface_.Transfer(CellLeft(column), CellTop(row), kCellSize, kCellSize, sheets_.Bitmaps(TSheets::kTiles),
                      kFlash.x(), kFlash.y(), TRasterOp::Xor);
}

void TPlayfield::Delay(int milliseconds)
{
    const uint32_t start = ticks_();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(int64_t{milliseconds} + 1);
    surface_.Flush();
    // The thread sleeps until the steady clock, which the game's counter
    // follows, reaches the end; the counter still has the last word. The
    // unsigned difference stays right when the counter wraps around.
    while (int64_t{ticks_() - start} <= milliseconds)
        std::this_thread::sleep_until(deadline);
}

// Shows the frame just drawn for at least 30 ms.
void TPlayfield::ShowFrame()
{
    const uint32_t start = ticks_();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kFrameMilliseconds);
    surface_.Flush();
    while (ticks_() - start < kFrameMilliseconds)
        std::this_thread::sleep_until(deadline);
}
