// novagrid-render FOLDER
//
// Draws the playfield without a window, from the sheets embedded in the game,
// and writes what a player would see as PNG files into FOLDER:
//   empty.png                 the playfield as the game starts
//   alltiles-1.png, -2.png    every tile code 0..127 on the board, in order
//                             column by column (0..80, then 81..127)
//   piece.png                 a piece with a bomb carried over a filled board
//   explosion-0.png .. -5.png each frame of a cell exploding on the board
//   digits.png, digits-2.png  level 1234 and score 56789; level 0 and score
//                             99999 with the German labels
#include <cstdio>
#include <functional>

#include <QDir>
#include <QGuiApplication>
#include <QString>

#include "assets/Assets.h"
#include "tools/common/FolderArgument.h"
#include "tools/render/Stage.h"

namespace {

bool Fail(const QString& message)
{
    std::fprintf(stderr, "novagrid-render: %s\n", qPrintable(message));
    return false;
}

bool Render(const QDir& out)
{
    const TSheets sheets;
    for (int i = 0; i < 4; ++i)
        if (sheets.Bitmaps(i).isNull())
            return Fail(QStringLiteral("cannot read the sheet %1").arg(Assets::SheetName(i)));

    TStage stage(sheets);
    TSurface& surface = stage.surface;
    TPlayfield& view = stage.view;
    TGameEngine& engine = stage.engine;
    bool saved = true;
    const auto save = [&](const QString& name) {
        if (!surface.Image().save(out.filePath(name)))
            saved = Fail(QStringLiteral("cannot write %1").arg(out.filePath(name)));
    };

    view.Paint();
    save(QStringLiteral("empty.png"));

    engine.TimeLeft = engine.TimeLimit;
    for (int i = 0; i < kBoardCells; ++i)
        engine.Board[i] = i;
    view.Paint();
    save(QStringLiteral("alltiles-1.png"));
    for (int i = 0; i < kBoardCells; ++i)
        engine.Board[i] = kBoardCells + i < CellCode::kBomb ? kBoardCells + i : CellCode::kEmpty;
    view.Paint();
    save(QStringLiteral("alltiles-2.png"));

    // A board in mid-game: stacks of one to four layers, a few holes.
    for (int i = 0; i < kBoardCells; ++i)
        engine.Board[i] = i % 7 == 3 ? CellCode::kEmpty : (i * 53) % 128;
    engine.Piece = {CellCode::kEmpty, 12, CellCode::kEmpty, 44, CellCode::kBomb, 5,
                    CellCode::kEmpty, 70, CellCode::kEmpty};
    engine.TimeLeft = engine.TimeLimit * 2 / 3;
    engine.Score = 1850;
    engine.Level = 23;
    view.Paint();
    view.RenderPiece();
    view.Sprite().SetPosition(Geometry::kPreviewLeft, Geometry::kPreviewTop);
    view.Sprite().Show();
    view.Sprite().Grab(Geometry::kGrabX, Geometry::kGrabY);
    view.Sprite().DragTo(170, 160);
    save(QStringLiteral("piece.png"));
    view.Sprite().Hide();

    // The engine empties a bomb's target cell and draws it before the blast.
    engine.Board[BoardIndex(4, 4)] = CellCode::kEmpty;
    view.DrawCell(4, 4);
    int frame = 0;
    surface.SetFlushHook([&] { save(QStringLiteral("explosion-%1.png").arg(frame++)); });
    view.ExplodeCell(Geometry::CellLeft(4), Geometry::CellTop(4));
    surface.SetFlushHook({});

    engine.Level = 1234;
    engine.Score = 56789;
    view.Paint();
    save(QStringLiteral("digits.png"));
    engine.Level = 0;
    engine.Score = 99999;
    stage.german = true;
    view.Paint();
    save(QStringLiteral("digits-2.png"));
    return saved;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QDir out(FolderArgument(app, QStringLiteral("Draws the playfield from the game's own sheets into PNG files."),
                            QStringLiteral("Where the pictures go.")));
    if (!out.mkpath(QStringLiteral("."))) {
        Fail(QStringLiteral("cannot make the folder %1").arg(out.path()));
        return 1;
    }
    return Render(out) ? 0 : 1;
}
