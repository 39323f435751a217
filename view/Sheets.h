#pragma once

#include <array>

#include <QImage>

// The four image sheets everything on the playfield is drawn from, as
// bitmaps (Format_RGB32), fetched by index:
//   0 background  500 x 333  the empty playfield; every erase copies from it
//   1 tiles       425 x 200  25 x 25 cells: code c at (c / 8 * 25, c % 8 * 25),
//                            the bomb at (400, 0), the flash pattern at (400, 50)
//   2 explosion   342 x 114  six 57 x 57 frames: pictures at y 0, masks at y 57
//   3 digits      110 x 40   ten 11 x 20 digits: pictures at y 0, masks at y 20
class TSheets {
public:
    static constexpr int kBackground = 0;
    static constexpr int kTiles = 1;
    static constexpr int kExplosion = 2;
    static constexpr int kDigits = 3;

    // The sheets the game carries in its resources. One that cannot be read
    // is a null image, from which nothing is drawn.
    TSheets();
    TSheets(const QImage& background, const QImage& tiles, const QImage& explosion, const QImage& digits);

    const QImage& Bitmaps(int index) const { return bitmaps_.at(index); }

private:
    std::array<QImage, 4> bitmaps_;
};
