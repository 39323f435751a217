#include "Sheets.h"

#include "Assets.h"
#include "Raster.h"

TSheets::TSheets()
    : TSheets(QImage(Assets::SheetPath(kBackground)), QImage(Assets::SheetPath(kTiles)),
              QImage(Assets::SheetPath(kExplosion)), QImage(Assets::SheetPath(kDigits)))
{
}

TSheets::TSheets(const QImage& background, const QImage& tiles, const QImage& explosion, const QImage& digits)
    : bitmaps_{ToBitmap(background), ToBitmap(tiles), ToBitmap(explosion), ToBitmap(digits)}
{
}
