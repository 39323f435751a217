#include "tools/render/HelpPictures.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <span>

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRegion>
#include <QString>

#include "assets/Assets.h"
#include "shell/WindowGeometry.h"
#include "tools/render/Stage.h"

namespace {

// The rules show their close-ups at twice the size, each pixel a square block.
constexpr int kZoom = 2;
constexpr int kZoomedCell = kZoom * Geometry::kCellSize;

// The main window: its tool bar above the playfield, in the window's colour,
// with the buttons where the window puts them (WindowGeometry). Each button
// shows its picture centred.
constexpr QRgb kWindowColour = qRgb(0xef, 0xef, 0xef);
using WindowGeometry::kToolBarHeight;

QString Picture(const WindowGeometry::TToolButton& button)
{
    return QString::fromLatin1(button.picture.data(), static_cast<qsizetype>(button.picture.size()));
}

// Centres of the numbered markers the rules' text refers to, in window
// pixels: 1 the board, 2 the preview box, 3 the time bar, 4 level and
// score, 5 the tool bar.
constexpr std::array<QPoint, 5> kMarkers{{{36, 78}, {412, 90}, {426, 198}, {300, 262}, {160, 16}}};
constexpr int kMarkerRadius = 9;
constexpr int kMarkerPixels = 14;
constexpr QRgb kMarkerRed = qRgb(0xc0, 0x39, 0x2b);
constexpr int kMarkerFill = 0xee;  // the opacity of the disc, so the playfield still shows a little

// The frame that marks a complete group in a close-up.
constexpr QRgb kFrameYellow = qRgb(0xff, 0xd5, 0x4a);
constexpr int kFrameWidth = 3;

// Parts of the playfield that the close-ups show.
constexpr QRect kPreviewBox(Geometry::kPreviewLeft - 8, Geometry::kPreviewTop - 8, 91, 91);  // with its frame
constexpr QRect kTimeBar(303, 151, 111, 27);                                                 // with its frame
constexpr int kBlastFrame = 3;  // of the explosion's six: the blast at its fullest

// Rows of a board or a piece, top to bottom as the player sees them: cell
// codes separated by blanks, "-" for an empty cell.
using TRows = std::initializer_list<const char*>;

using TSave = std::function<void(const QImage&, const QString&)>;

bool Fail(const QString& message)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(message));
    return false;
}

// Empties `cells`, then fills them from `rows`; `index` gives a cell's place
// from its column and row.
void Arrange(std::span<int32_t> cells, TRows rows, int (*index)(int, int))
{
    std::fill(cells.begin(), cells.end(), CellCode::kEmpty);
    int row = 0;
    for (const char* text : rows) {
        int column = 0;
        for (const QString& code : QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts)) {
            cells[index(column, row)] = code == u"-" ? CellCode::kEmpty : code.toInt();
            ++column;
        }
        ++row;
    }
}

void SetBoard(TStage& stage, TRows rows)
{
    Arrange(stage.engine.Board, rows, BoardIndex);
}

void SetPiece(TStage& stage, TRows rows)
{
    Arrange(stage.engine.Piece, rows, PieceIndex);
}

// The piece waits in the preview box, as when the engine deals it.
void ShowWaitingPiece(TStage& stage)
{
    stage.view.RenderPiece();
    stage.view.Sprite().SetPosition(Geometry::kPreviewLeft, Geometry::kPreviewTop);
    stage.view.Sprite().Show();
}

// The whole playfield drawn afresh, without the piece.
void PaintWithoutPiece(TStage& stage)
{
    stage.view.Sprite().Hide();
    stage.view.Paint();
}

// `columns` x `rows` board cells from cell (column, row) on, in playfield pixels.
QRect Cells(int column, int row, int columns, int rows)
{
    return {Geometry::CellLeft(column), Geometry::CellTop(row), columns * Geometry::kCellSize,
            rows * Geometry::kCellSize};
}

QImage Enlarged(const QImage& image)
{
    return image.scaled(image.size() * kZoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage CloseUp(const TStage& stage, const QRect& part)
{
    return Enlarged(stage.surface.Image().copy(part));
}

// A yellow frame just inside `area` of a close-up.
void Frame(QImage& image, const QRect& area)
{
    QPainter painter(&image);
    const QRect inside = area.adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth);
    painter.setClipRegion(QRegion(area).subtracted(QRegion(inside)));
    painter.fillRect(area, QColor(kFrameYellow));
}

void DrawMarkers(QImage& window)
{
    QPainter painter(&window);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kMarkerPixels);
    font.setBold(true);
    painter.setFont(font);
    const QColor red(kMarkerRed);
    for (size_t i = 0; i < kMarkers.size(); ++i) {
        const QPointF centre = QPointF(kMarkers[i]) + QPointF(0.5, 0.5);  // the middle of that pixel
        painter.setPen(QPen(red, 2));
        painter.setBrush(QColor(255, 255, 255, kMarkerFill));
        painter.drawEllipse(centre, kMarkerRadius, kMarkerRadius);
        painter.setPen(red);
        const QRectF disc(centre.x() - kMarkerRadius, centre.y() - kMarkerRadius, 2 * kMarkerRadius, 2 * kMarkerRadius);
        painter.drawText(disc, Qt::AlignCenter, QString::number(i + 1));
    }
}

// The window as the player sees it: the tool bar, the playfield below it,
// and the markers.
QImage Window(const TStage& stage)
{
    QImage window(TSurface::kWidth, kToolBarHeight + TSurface::kHeight, QImage::Format_RGB32);
    window.fill(kWindowColour);
    QPainter painter(&window);
    for (const WindowGeometry::TToolButton& button : WindowGeometry::kToolButtons)
        Assets::PictureIcon(Picture(button))
            .paint(&painter,
                   QRect(button.left, WindowGeometry::kButtonTop, button.width, WindowGeometry::kButtonHeight));
    painter.drawImage(0, kToolBarHeight, stage.surface.Image());
    painter.end();
    DrawMarkers(window);
    return window;
}

void DrawWindows(TStage& stage, const TSave& save)
{
    SetBoard(stage, {"-   -   -   -   -   -   -   -   -", "-   0   33  -   -   -   -   -   -",
                     "-   12  44  3   -   -   -   69  -", "-   -   -   21  -   -   -   -   -",
                     "-   -   -   -   -   101 -   -   -", "-   -   7   -   -   -   -   -   -",
                     "54  -   -   -   -   -   -   -   18", "-   -   -   -   -   -   -   -   29",
                     "-   -   -   -   -   -   -   -   -"});
    SetPiece(stage, {"-   -   -", "5   37  5", "-   5   -"});
    TGameEngine& engine = stage.engine;
    engine.TimeLimit = TGameEngine::kLongestTurn;
    engine.TimeLeft = engine.TimeLimit * 3 / 5;  // two fifths of the time gone
    engine.Level = 12;
    engine.Score = 345;
    for (const bool german : {false, true}) {
        stage.german = german;
        PaintWithoutPiece(stage);
        ShowWaitingPiece(stage);
        save(Window(stage), german ? QStringLiteral("window-de.png") : QStringLiteral("window-en.png"));
    }
}

void DrawButtons(const TSave& save)
{
    for (const WindowGeometry::TToolButton& button : WindowGeometry::kToolButtons) {
        const QString picture = Picture(button);
        save(Enlarged(Assets::Picture(picture)), QStringLiteral("button-%1.png").arg(picture));
    }
    // The sound button's picture while the sound is off.
    save(Enlarged(Assets::Picture(QStringLiteral("sound_off"))), QStringLiteral("button-sound_off.png"));
}

void DrawLayers(TStage& stage, const TSave& save)
{
    SetBoard(stage, {"4   36  68  100"});  // one picture with one to four layers
    PaintWithoutPiece(stage);
    for (int column = 0; column < 4; ++column)
        save(CloseUp(stage, Cells(column, 0, 1, 1)), QStringLiteral("layer%1.png").arg(column + 1));

    // A bomb only ever comes in a piece.
    SetPiece(stage, {"128 -   -"});
    ShowWaitingPiece(stage);
    save(CloseUp(stage, {Geometry::kPreviewLeft, Geometry::kPreviewTop, Geometry::kCellSize, Geometry::kCellSize}),
         QStringLiteral("bomb.png"));
}

void DrawPieces(TStage& stage, const TSave& save)
{
    SetBoard(stage, {});
    SetPiece(stage, {"0   -   -", "35  -   -", "2   5   -"});
    PaintWithoutPiece(stage);
    ShowWaitingPiece(stage);
    save(CloseUp(stage, kPreviewBox), QStringLiteral("piece.png"));
    stage.engine.RotatePiece();
    save(CloseUp(stage, kPreviewBox), QStringLiteral("piece-turned.png"));
}

void DrawSquare(TStage& stage, const TSave& save)
{
    // The square of columns 2 to 4, rows 1 to 3 is the only complete group.
    SetBoard(stage, {"-   -   -   -   -   -", "-   -   0   35  66  -", "-   9   43  4   19  12",
                     "-   -   70  13  38  -", "-   -   -   103 -   -"});
    PaintWithoutPiece(stage);
    const QRect shown = Cells(1, 0, 5, 5);
    QImage before = CloseUp(stage, shown);
    // On the square's edge: one pixel outside its cells, two inside.
    Frame(before, QRect(kZoomedCell, kZoomedCell, 3 * kZoomedCell, 3 * kZoomedCell).adjusted(-1, -1, 1, 1));
    save(before, QStringLiteral("square-before.png"));
    stage.engine.ClearGroups();
    save(CloseUp(stage, shown), QStringLiteral("square-after.png"));
}

void DrawRows(TStage& stage, const TSave& save)
{
    SetBoard(stage, {"1   40  2   67  28  13  44  6   23"});
    PaintWithoutPiece(stage);
    QImage complete = CloseUp(stage, Cells(0, 0, 9, 1));
    Frame(complete, complete.rect());
    save(complete, QStringLiteral("row-complete.png"));

    SetBoard(stage, {"1   40  2   67  124 13  44  6   23"});
    PaintWithoutPiece(stage);
    save(CloseUp(stage, Cells(0, 0, 9, 1)), QStringLiteral("row-blocked.png"));
}

void DrawBomb(TStage& stage, const TSave& save)
{
    SetBoard(stage, {"-   20  -", "3   101 58", "-   97  -"});
    PaintWithoutPiece(stage);
    const QRect shown = Cells(0, 0, 3, 3);
    save(CloseUp(stage, shown), QStringLiteral("bomb-before.png"));

    // Dropped as the player drops it: the hidden sprite stands with the
    // bomb's slot over the middle cell. Each frame of the blast is flushed
    // to the screen; one of them is kept.
    SetPiece(stage, {"128 -   -"});
    stage.view.Sprite().SetPosition(Geometry::CellLeft(1), Geometry::CellTop(1));
    QImage blast;
    int frame = 0;
    stage.surface.SetFlushHook([&] {
        if (frame++ == kBlastFrame)
            blast = CloseUp(stage, shown);
    });
    stage.engine.PlacePiece();
    stage.surface.SetFlushHook({});
    save(blast, QStringLiteral("bomb-blast.png"));
    save(CloseUp(stage, shown), QStringLiteral("bomb-after.png"));
}

void DrawTimeBars(TStage& stage, const TSave& save)
{
    TGameEngine& engine = stage.engine;
    engine.TimeLimit = TGameEngine::kLongestTurn;
    engine.TimeLeft = engine.TimeLimit;
    PaintWithoutPiece(stage);
    save(CloseUp(stage, kTimeBar), QStringLiteral("timebar-full.png"));
    engine.TimeLeft = engine.TimeLimit / 3;
    stage.view.DrawTimeBar();
    save(CloseUp(stage, kTimeBar), QStringLiteral("timebar-low.png"));
}

}  // namespace

bool WriteHelpPictures(const QDir& out)
{
    const TSheets sheets;
    for (int i = 0; i < 4; ++i)
        if (sheets.Bitmaps(i).isNull())
            return Fail(QStringLiteral("cannot read the sheet %1").arg(Assets::SheetName(i)));

    bool written = true;
    const TSave save = [&](const QImage& image, const QString& name) {
        if (image.isNull())
            written = Fail(QStringLiteral("nothing drawn for %1").arg(name));
        else if (!image.save(out.filePath(name), "PNG"))
            written = Fail(QStringLiteral("cannot write %1").arg(out.filePath(name)));
    };

    TStage stage(sheets);
    DrawWindows(stage, save);
    DrawButtons(save);
    DrawLayers(stage, save);
    DrawPieces(stage, save);
    DrawSquare(stage, save);
    DrawRows(stage, save);
    DrawBomb(stage, save);
    DrawTimeBars(stage, save);
    return written;
}
