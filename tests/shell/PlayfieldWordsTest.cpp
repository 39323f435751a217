#include <gtest/gtest.h>

#include "assets/Texts.h"
#include "engine/GameEngine.h"
#include "engine/HeadlessView.h"
#include "engine/PlayfieldGeometry.h"
#include "shell/PlayfieldReading.h"
#include "tests/shell/TongueGuard.h"

TEST(PlayfieldWords, TheCellUnderTheCarriedPieceSaysWhetherItFitsAndThePieceItsShape)
{
    const TTongueGuard guard;
    THeadlessView view;
    TGameEngine engine{view, 7};
    TPlayfieldReading reading{engine};
    engine.NewGame();
    engine.Piece.fill(CellCode::kEmpty);
    engine.Piece[PieceIndex(0, 0)] = 32 + 1;  // two layers, top left
    engine.Piece[PieceIndex(1, 1)] = 1;
    engine.Piece[PieceIndex(2, 1)] = CellCode::kBomb;
    engine.Holding = true;
    view.Place.X = Geometry::CellLeft(2);  // the frame's middle over column 4, row 5
    view.Place.Y = Geometry::CellTop(3);
    engine.Board[BoardIndex(2, 3)] = 32 * 3;  // four layers under the top left tile
    struct Case {
        TTongue language;
        int column;
        int row;
        const char* cell;
        const char* shape;
    };
    const Case cases[] = {
        {TTongue::English, 3, 4, "row 5, column 4, empty, does not fit", "top left with 2 layers, middle, right bomb"},
        {TTongue::German, 3, 4, "Reihe 5, Spalte 4, leer, passt nicht",
         "oben links mit 2 Schichten, Mitte, rechts Bombe"},
        {TTongue::English, 2, 3, "row 4, column 3, 4 layers", "top left with 2 layers, middle, right bomb"},
    };
    for (const Case& each : cases) {
        tongue = each.language;
        EXPECT_EQ(reading.Cell(each.column, each.row), QString::fromUtf8(each.cell));
        EXPECT_EQ(reading.Shape(), QString::fromUtf8(each.shape));
    }
    engine.Board[BoardIndex(2, 3)] = CellCode::kEmpty;
    tongue = TTongue::German;
    EXPECT_EQ(reading.Cell(3, 4), QStringLiteral("Reihe 5, Spalte 4, leer, passt"));
}
