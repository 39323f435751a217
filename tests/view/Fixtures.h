#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>

#include "engine/GameEngine.h"
#include "engine/HeadlessView.h"
#include "view/Playfield.h"
#include "view/Sheets.h"
#include "view/Surface.h"

// The stored 32 bits of a pixel, alpha byte included (QImage::pixel would
// report an RGB32 alpha as 0xFF whatever is stored).
QRgb RawPixel(const QImage& image, int x, int y);
void SetRawPixel(QImage& image, int x, int y, QRgb value);

// A bitmap of pseudo-random pixels, the same for the same seed. With
// `anyAlpha` the alpha bytes are random too, which a valid RGB32 image never
// has but a careless transfer must not pass on.
QImage NoiseBitmap(int width, int height, uint32_t seed, bool anyAlpha = false);
QImage SolidBitmap(int width, int height, QRgb colour);

// Every pixel of `actual` equals `expected`; names the first that does not.
testing::AssertionResult SameImage(const QImage& actual, const QImage& expected);
// The w x h rectangle of `actual` at `at` equals that of `expected` at `from`.
testing::AssertionResult SameArea(const QImage& actual, const QRect& at, const QImage& expected, QPoint from);

// A pixel drawn by mask and picture over `below`, worked out bit by bit.
QRgb Composed(QRgb below, QRgb mask, QRgb picture);

// Sheets of the real sizes, filled with noise: every block transfer from the
// wrong place or with the wrong operation shows.
TSheets NoiseSheets();

// A millisecond counter under the test's control: each reading returns Now
// and then moves it on by Step. A wait that never ends fails the test
// instead of hanging it.
struct TFakeClock {
    uint32_t Now = 0;
    uint32_t Step = 1;
    uint32_t LastRead = 0;
    uint64_t Readings = 0;

    uint32_t Read()
    {
        if (++Readings > 100'000'000)
            throw std::runtime_error("a wait on the fake clock never ended");
        LastRead = Now;
        Now += Step;
        return LastRead;
    }
};

// A playfield drawing from noise sheets onto a surface covered with other
// noise (the "ground"), with an engine at rest and a fake clock.
class PlayfieldTest : public testing::Test {
protected:
    PlayfieldTest();

    TPlayfield& Playfield() { return Field; }
    tSprite& Sprite() { return Field.Sprite(); }
    const QImage& Sheet(int index) const { return Sheets.Bitmaps(index); }
    // Puts one tile of `code` into slot (i, j) of an otherwise empty piece.
    void SetPieceOf(int code, int i, int j);
    // The sprite's pixels over `below` at (x, y), from the rendered piece.
    QImage WithPieceAt(const QImage& below, int x, int y) const;

    const QImage Ground = NoiseBitmap(TSurface::kWidth, TSurface::kHeight, 99);
    TSurface Surface;
    TSheets Sheets = NoiseSheets();
    TFakeClock Clock;
    bool German = false;
    TPlayfield Field{Surface, Sheets, Engine, [this] { return German ? TTongue::German : TTongue::English; },
                     [this] { return Clock.Read(); }};
    THeadlessView Quiet;  // no sound, no window
    TGameEngine Engine{TGameView(Field, Field.Sprite(), Quiet, Quiet), 1};
};
