#include "view/Sheets.h"

#include "assets/Assets.h"
#include "view/Raster.h"

TSheets::TSheets()
    : TSheets(Assets::Picture(Assets::SheetName(kBackground)), Assets::Picture(Assets::SheetName(kTiles)),
              Assets::Picture(Assets::SheetName(kExplosion)), Assets::Picture(Assets::SheetName(kDigits)))
{
}

TSheets::TSheets(const QImage& background, const QImage& tiles, const QImage& explosion, const QImage& digits)
    : bitmaps_{ToBitmap(background), ToBitmap(tiles), ToBitmap(explosion), ToBitmap(digits)}
{
}
