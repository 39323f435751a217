#include "shell/PlayfieldReading.h"

#include <QStringList>
#include <algorithm>

#include "assets/Texts.h"
#include "engine/GameEngine.h"

TPlayfieldReading::TPlayfieldReading(const TGameEngine& engine) : engine_(engine), seen_(Now()) {}

int32_t TPlayfieldReading::ShownCell(int index) const
{
    return engine_.Paused ? CellCode::kEmpty : engine_.Board[index];
}

QString TPlayfieldReading::Cell(int column, int row) const
{
    const TTexts& texts = Texts();
    const int32_t layers = CellCode::Layers(ShownCell(BoardIndex(column, row)));
    const QString& format = layers == 0 ? texts.CellEmpty : layers == 1 ? texts.CellOneLayer : texts.CellLayers;
    QString said = format.arg(row + 1).arg(column + 1);
    if (layers > 1)
        said = said.arg(layers);
    if (BoardIndex(column, row) == CarriedCell()) {
        const bool fits = engine_.FitsAt(engine_.TargetColumn(), engine_.TargetRow());
        said += fits ? texts.CellFits : texts.CellNoFit;
    }
    return said;
}

int TPlayfieldReading::CarriedCell() const
{
    if (!engine_.Holding || engine_.GameOver || engine_.Paused)
        return -1;
    const int column = engine_.TargetColumn() + 1;
    const int row = engine_.TargetRow() + 1;
    return column >= 0 && column < kBoardSize && row >= 0 && row < kBoardSize ? BoardIndex(column, row) : -1;
}

QString TPlayfieldReading::Shape() const
{
    const TTexts& texts = Texts();
    QStringList places;
    for (int row = 0; row < kPieceSize; ++row) {
        for (int column = 0; column < kPieceSize; ++column) {
            const int32_t code = engine_.Piece[PieceIndex(column, row)];
            const QString& slot = texts.ShapeSlots[row * kPieceSize + column];
            if (code == CellCode::kBomb)
                places << texts.SlotBomb.arg(slot);
            else if (CellCode::IsTile(code))
                places << (CellCode::Layers(code) > 1 ? texts.SlotLayers.arg(slot).arg(CellCode::Layers(code)) : slot);
        }
    }
    return places.join(QStringLiteral(", "));
}

QString TPlayfieldReading::Piece() const
{
    const TTexts& texts = Texts();
    const auto& piece = engine_.Piece;
    const auto tiles = std::count_if(piece.begin(), piece.end(), CellCode::IsOccupied);
    QString holds = tiles == 0 ? texts.NoPiece : tiles == 1 ? texts.OneTile : texts.Tiles.arg(tiles);
    int32_t layers = 0;
    for (const int32_t code : piece)
        layers += CellCode::IsTile(code) ? CellCode::Layers(code) : 0;
    const auto bombs = std::count(piece.begin(), piece.end(), CellCode::kBomb);
    if (layers > tiles - bombs)
        holds += texts.WithLayers.arg(layers);
    if (bombs > 0)
        holds += texts.WithBomb;
    if (tiles > 0)
        holds += QStringLiteral(": ") + Shape();
    if (!engine_.Holding || engine_.GameOver)
        return texts.WaitingPiece.arg(holds);
    // The cell under the frame's middle slot.
    const int column = engine_.TargetColumn() + 1;
    const int row = engine_.TargetRow() + 1;
    return texts.CarriedPiece.arg(row + 1).arg(column + 1).arg(holds);
}

QString TPlayfieldReading::Level() const
{
    return Texts().LevelValue.arg(engine_.Level);
}

QString TPlayfieldReading::Score() const
{
    return Texts().ScoreValue.arg(engine_.Score);
}

int32_t TPlayfieldReading::TimeLeft() const
{
    return engine_.TimeLeft;
}

int32_t TPlayfieldReading::TimeLimit() const
{
    return engine_.TimeLimit;
}

TPlayfieldReading::TSeen TPlayfieldReading::Now() const
{
    TSeen now;
    for (int index = 0; index < kBoardCells; ++index)
        now.Cells[index] = ShownCell(index);
    now.Piece = Piece();
    now.Shape = Shape();
    now.PieceCodes = engine_.Piece;
    now.Holding = engine_.Holding;
    now.Carried = CarriedCell();
    now.Level = engine_.Level;
    now.Score = engine_.Score;
    now.TimeLeft = engine_.TimeLeft;
    now.TimeLimit = engine_.TimeLimit;
    now.PiecesPlaced = engine_.Tally.PiecesPlaced;
    now.GroupsCleared = engine_.Tally.GroupsCleared;
    now.Paused = engine_.Paused;
    now.GameOver = engine_.GameOver;
    return now;
}

TPlayfieldReading::TChanges TPlayfieldReading::Look()
{
    const TSeen now = Now();
    const TSeen& was = seen_;
    const TTexts& texts = Texts();
    TChanges changes;
    for (int index = 0; index < kBoardCells; ++index)
        changes.Cells[index] = now.Cells[index] != was.Cells[index];
    changes.Piece = now.Piece != was.Piece;
    changes.Level = now.Level != was.Level;
    changes.Score = now.Score != was.Score;

    // A new game starts its tally afresh: only growth within a game is news.
    const bool sameGame = now.PiecesPlaced >= was.PiecesPlaced && !(was.GameOver && !now.GameOver);
    QStringList said;
    if (sameGame && now.PiecesPlaced > was.PiecesPlaced) {
        said << texts.SaidPiecePlaced;
        const int64_t groups = now.GroupsCleared - was.GroupsCleared;
        if (groups == 1)
            said << texts.SaidOneGroup;
        else if (groups > 1)
            said << texts.SaidGroups.arg(groups);
        const int64_t points = int64_t{now.Score} - was.Score;
        if (points == 1)
            said << texts.SaidOnePoint;
        else if (points > 1)
            said << texts.SaidPoints.arg(points);
        if (now.Level > was.Level)
            said << texts.SaidLevel.arg(now.Level);
    }
    // The piece as it comes, as it is taken and as it turns.
    const bool running = !now.GameOver && !now.Paused && !was.Paused;
    if (running && !now.Holding && (was.Holding || was.GameOver || now.PieceCodes != was.PieceCodes))
        said << texts.SaidNextPiece.arg(now.Shape);
    // Taken up onto the cell where the focus already was, or turned on the
    // spot, the piece gets no new cell to be heard by: its cell comes along.
    const QString where = now.Carried < 0 ? QString() : Cell(now.Carried / kBoardSize, now.Carried % kBoardSize);
    if (running && now.Carried >= 0 && was.Carried < 0)
        said << texts.SaidPickedUp.arg(now.Shape) << where;
    if (running && now.Carried >= 0 && was.Carried >= 0 && now.PieceCodes != was.PieceCodes)
        said << texts.SaidTurned.arg(now.Shape) << where;
    if (!now.GameOver && now.Paused != was.Paused)
        said << (now.Paused ? texts.SaidPaused : texts.SaidResumed);
    if (sameGame && !now.GameOver && !now.Paused && now.TimeLeft > 0 && now.TimeLeft * 4 <= now.TimeLimit &&
        was.TimeLeft * 4 > was.TimeLimit)
        said << texts.SaidTimeLow;
    if (now.GameOver && !was.GameOver)
        said << texts.SaidGameOver.arg(now.Score);
    changes.Said = said.join(QStringLiteral(", "));
    seen_ = now;
    return changes;
}
