#include "engine/GameEngine.h"

#include <algorithm>
#include <cassert>
#include <limits>

namespace {

// The 67 groups whose completion clears a layer: every 3 x 3 window, every
// row and every column, each listed cell by cell in the order it flashes.
using TGroup = std::array<int, 9>;

TGroup Window(int left, int top)
{
    TGroup cells{};
    int n = 0;
    for (int c = left; c < left + 3; ++c)
        for (int r = top; r < top + 3; ++r)
            cells[n++] = BoardIndex(c, r);
    return cells;
}

TGroup Row(int row)
{
    TGroup cells{};
    for (int c = 0; c < kBoardSize; ++c)
        cells[c] = BoardIndex(c, row);
    return cells;
}

TGroup Column(int column)
{
    TGroup cells{};
    for (int r = 0; r < kBoardSize; ++r)
        cells[r] = BoardIndex(column, r);
    return cells;
}

// Windows first (left to right, each top to bottom), then rows, then columns.
const std::array<TGroup, 67>& AllGroups()
{
    static const auto groups = [] {
        std::array<TGroup, 67> list{};
        int n = 0;
        for (int sc = 0; sc <= 6; ++sc)
            for (int sr = 0; sr <= 6; ++sr)
                list[n++] = Window(sc, sr);
        for (int r = 0; r < kBoardSize; ++r)
            list[n++] = Row(r);
        for (int c = 0; c < kBoardSize; ++c)
            list[n++] = Column(c);
        return list;
    }();
    return groups;
}

}  // namespace

TGameEngine::TGameEngine(TGameView view, uint32_t seed) : view_(view), random_(seed)
{
    Board.fill(CellCode::kEmpty);
    Piece.fill(CellCode::kEmpty);
}

// ---- The piece -------------------------------------------------------------

void TGameEngine::DealPiece()
{
    view_.Sprite.Hide();
    const auto full = static_cast<int32_t>(
        std::count_if(Board.begin(), Board.end(), [](int32_t code) { return code >= CellCode::kFullFrom; }));
    Piece.fill(CellCode::kEmpty);
    const int32_t draws = random_.Below(9) + 1;
    for (int32_t n = 0; n < draws; ++n) {
        if (random_.Below(kBoardCells) < full) {
            const int32_t i = random_.Below(3);
            const int32_t j = random_.Below(3);
            Piece[PieceIndex(i, j)] = CellCode::kBomb;
        } else {
            const int32_t k = std::min(Level / 64, 3);
            const int32_t a = random_.Below(k + 1);
            const int32_t i = random_.Below(3);
            const int32_t j = random_.Below(3);
            Piece[PieceIndex(i, j)] = random_.Below(32 * a + 33);
        }
    }
    view_.Drawing.RenderPiece();
    view_.Sprite.SetPosition(Geometry::kPreviewLeft, Geometry::kPreviewTop);
    view_.Sprite.Show();
    TimeLeft = TimeLimit;
    view_.Drawing.DrawTimeBar();
}

void TGameEngine::RotatePiece()
{
    // A quarter turn clockwise on screen: slot (i, j) moves to (2 - j, i).
    std::array<int32_t, kPieceSlots> turned{};
    for (int i = 0; i < kPieceSize; ++i)
        for (int j = 0; j < kPieceSize; ++j)
            turned[PieceIndex(2 - j, i)] = Piece[PieceIndex(i, j)];
    view_.Sprite.Hide();
    Piece = turned;
    view_.Drawing.RenderPiece();
    view_.Sprite.Show();
}

// ---- Placing, clearing, losing the piece -------------------------------------

bool TGameEngine::PieceFits()
{
    if (!FitsAt(TargetColumn(), TargetRow()))
        return false;
    view_.Sprite.Hide();
    Holding = false;
    return true;
}

bool TGameEngine::FitsAt(int32_t col0, int32_t row0) const
{
    for (int i = 0; i < kPieceSize; ++i) {
        for (int j = 0; j < kPieceSize; ++j) {
            const int32_t code = Piece[PieceIndex(i, j)];
            if (!CellCode::IsOccupied(code))
                continue;
            const int32_t c = col0 + i;
            const int32_t r = row0 + j;
            if (c < 0 || c >= kBoardSize || r < 0 || r >= kBoardSize)
                return false;
            if (CellCode::IsTile(code) && CellCode::Layers(code) + CellCode::Layers(Cell(c, r)) > 4)
                return false;
        }
    }
    return true;
}

void TGameEngine::PlacePiece()
{
    const int32_t col0 = TargetColumn();
    const int32_t row0 = TargetRow();
    assert(FitsAt(col0, row0) && "PlacePiece needs a place where the piece fits");
    const bool hasBomb = std::find(Piece.begin(), Piece.end(), CellCode::kBomb) != Piece.end();
    for (int i = 0; i < kPieceSize; ++i) {
        for (int j = 0; j < kPieceSize; ++j) {
            const int32_t code = Piece[PieceIndex(i, j)];
            if (!CellCode::IsOccupied(code))
                continue;
            const int c = col0 + i;
            const int r = row0 + j;
            int32_t& cell = Board[BoardIndex(c, r)];
            if (code == CellCode::kBomb) {
                cell = CellCode::kEmpty;
                view_.Drawing.DrawCell(c, r);
                view_.Drawing.ExplodeCell(Geometry::CellLeft(c), Geometry::CellTop(r));
                view_.Sound.PlayEffect(true, TEffect::CellExplodes);
                view_.Drawing.DrawNumbers();
            } else if (cell == CellCode::kEmpty) {
                cell = code;
                RaiseScore(1);
                view_.Drawing.DrawNumbers();
                view_.Drawing.DrawCell(c, r);
            } else {
                cell += CellCode::kLayerStep * CellCode::Layers(code);
                view_.Drawing.DrawCell(c, r);
            }
        }
    }
    ++Tally.PiecesPlaced;
    if (!hasBomb)
        view_.Sound.PlayEffect(true, TEffect::PiecePlaced);
}

void TGameEngine::ClearGroups()
{
    std::array<int32_t, kBoardCells> hits{};
    int32_t groups = 0;
    // Every group is judged on the board as it was before this clearing.
    for (const TGroup& group : AllGroups()) {
        const bool complete =
            std::all_of(group.begin(), group.end(), [this](int index) { return CellCode::Qualifies(Board[index]); });
        if (!complete)
            continue;
        ++groups;
        view_.Sound.PlayEffect(false, TEffect::GroupCleared);
        for (int index : group)
            view_.Drawing.InvertCell(index / kBoardSize, index % kBoardSize);
        for (int index : group)
            ++hits[index];
        RaiseScore(Level / 9 + 9);
        view_.Drawing.DrawNumbers();
        view_.Drawing.Delay(300);
        for (int index : group)
            view_.Drawing.InvertCell(index / kBoardSize, index % kBoardSize);
    }

    int32_t removed = 0;
    for (int index = 0; index < kBoardCells; ++index) {
        if (hits[index] == 0)
            continue;
        Board[index] -= CellCode::kLayerStep;
        ++removed;
        if (Board[index] < 0)
            Board[index] = CellCode::kEmpty;
        view_.Drawing.DrawCell(index / kBoardSize, index % kBoardSize);
    }
    Tally.GroupsCleared += groups;
    Tally.MostGroupsAtOnce = std::max(Tally.MostGroupsAtOnce, groups);
    if (removed > 0) {
        ++Level;
        RaiseScore(removed);
        view_.Drawing.DrawNumbers();
    }

    if (groups >= 9) {
        view_.Drawing.Delay(200);
        view_.Sound.PlayEffect(true, TEffect::BigBonus);
        for (int32_t n = 0; n < groups; ++n) {
            RaiseScore(99);
            view_.Drawing.DrawNumbers();
            view_.Sound.PlayEffect(true, TEffect::BonusStep);
        }
    } else if (groups >= 3) {
        view_.Drawing.Delay(200);
        for (int32_t n = 0; n < groups; ++n) {
            RaiseScore(9);
            view_.Drawing.DrawNumbers();
            view_.Sound.PlayEffect(true, TEffect::BonusStep);
        }
    }
    TimeLimit = TurnLength(Level);
}

int32_t TGameEngine::TurnLength(int32_t level)
{
    return static_cast<int32_t>(std::max<int64_t>(kLongestTurn - int64_t{3} * level, kShortestTurn));
}

void TGameEngine::RaiseScore(int32_t points)
{
    // No upper bound, but a very long game must not wrap into the negative.
    Score = points > std::numeric_limits<int32_t>::max() - Score ? std::numeric_limits<int32_t>::max() : Score + points;
}

void TGameEngine::LowerScore(int32_t points)
{
    Score = std::max(Score - points, 0);
}

void TGameEngine::DiscardPiece()
{
    assert(Holding && "only a carried piece is thrown away");
    view_.Sprite.Release();
    view_.Sprite.SetPosition(Geometry::kPreviewLeft, Geometry::kPreviewTop);
    Holding = false;
    for (int j = 0; j < kPieceSize; ++j) {
        for (int i = 0; i < kPieceSize; ++i) {
            if (!CellCode::IsOccupied(Piece[PieceIndex(i, j)]))
                continue;
            view_.Drawing.ErasePreviewSlot(i, j);
            view_.Drawing.ExplodeCell(Geometry::kPreviewLeft + Geometry::kCellSize * i,
                                      Geometry::kPreviewTop + Geometry::kCellSize * j);
            view_.Sound.PlayEffect(true, TEffect::CellExplodes);
            LowerScore(9);
            view_.Drawing.DrawNumbers();
        }
    }
    view_.Sprite.Hide();
    DealPiece();
}

void TGameEngine::ForfeitPiece()
{
    view_.Drawing.ExplodePiece();
    const auto lost = static_cast<int32_t>(std::count_if(Piece.begin(), Piece.end(), CellCode::IsOccupied));
    LowerScore(9 * lost);
    view_.Drawing.DrawNumbers();
    view_.Sprite.Hide();
}

// ---- The course of a game ------------------------------------------------------

void TGameEngine::NewGame()
{
    Tally = {};
    endReported_ = false;
    Level = 0;
    Score = 0;
    TimeLimit = kLongestTurn;
    TimeLeft = 0;
    for (int c = 0; c < kBoardSize; ++c) {
        for (int r = 0; r < kBoardSize; ++r) {
            Board[BoardIndex(c, r)] = CellCode::kEmpty;
            view_.Drawing.DrawCell(c, r);
        }
    }
    DealPiece();
    view_.Drawing.DrawNumbers();
    Paused = false;
    GameOver = false;
    Holding = false;
    view_.Window.ShowPauseText(false);
}

void TGameEngine::Restart()
{
    if (Holding) {
        view_.Sprite.Release();
        view_.Sprite.Hide();
    }
    if (GameOver) {
        NewGame();
        return;
    }
    if (Score <= 0) {
        if (GameUnderWay())
            EndGame(false);
        NewGame();
        return;
    }
    if (!view_.Window.ShowGiveUpDlg()) {
        // The player keeps playing: a carried piece comes back where it was
        // and follows the pointer again, unless the turn ran out behind the
        // question and the piece is lost.
        if (Holding && !GameOver) {
            view_.Sprite.Show();
            view_.Sprite.Grab(view_.Sprite.GetX() + Geometry::kGrabOffsetX,
                              view_.Sprite.GetY() + Geometry::kGrabOffsetY);
        }
        return;
    }
    // The turn may have run out behind the question: then the game has
    // already ended as lost.
    if (!GameOver)
        EndGame(false);
    view_.Window.ShowHighscoreDlg(Score, THighscoreMode::Enter);
    NewGame();
}

void TGameEngine::Abandon()
{
    if (GameOver)
        return;
    if (GameUnderWay())
        EndGame(false);
    if (Holding)
        view_.Sprite.Release();
    Holding = false;
    GameOver = true;
}

// ---- Keeping a game to go on with later ----------------------------------------

TKeptGame TGameEngine::Snapshot() const
{
    TKeptGame kept;
    kept.Board = Board;
    kept.Piece = Piece;
    kept.TimeLeft = TimeLeft;
    kept.Level = Level;
    kept.Score = Score;
    kept.Tally = Tally;
    kept.Random = random_.State();
    return kept;
}

TKeptGame TGameEngine::Keep()
{
    assert(!GameOver && "only a running game is kept");
    const TKeptGame kept = Snapshot();
    if (Holding)
        view_.Sprite.Release();
    view_.Sprite.Hide();
    Board.fill(CellCode::kEmpty);
    Piece.fill(CellCode::kEmpty);
    Level = 1;
    Score = 0;
    TimeLimit = kLongestTurn;
    TimeLeft = 0;
    Tally = {};
    Holding = false;
    Paused = false;
    GameOver = true;
    return kept;
}

bool TGameEngine::CouldBeKept(const TKeptGame& kept)
{
    const auto onBoard = [](int32_t code) { return code == CellCode::kEmpty || CellCode::IsTile(code); };
    if (!std::all_of(kept.Board.begin(), kept.Board.end(), onBoard))
        return false;
    if (kept.Level < 0 || kept.Score < 0)
        return false;
    // DealPiece's tiles: below 32 * a + 33 with a up to the level's thickness.
    const int32_t thickest = 32 * std::min(kept.Level / 64, 3) + 32;
    const auto inPiece = [thickest](int32_t code) {
        return code == CellCode::kEmpty || code == CellCode::kBomb || (code >= 0 && code <= thickest);
    };
    if (!std::all_of(kept.Piece.begin(), kept.Piece.end(), inPiece) ||
        std::none_of(kept.Piece.begin(), kept.Piece.end(), CellCode::IsOccupied))
        return false;
    const int32_t turn = TurnLength(kept.Level);
    if (kept.TimeLeft <= 0 || kept.TimeLeft > turn || (turn - kept.TimeLeft) % kUnitsPerTick != 0)
        return false;
    // Every level was reached by a placement that cleared at least one group.
    const TGameTally& tally = kept.Tally;
    if (tally.RunningTicks < 0 || tally.PiecesPlaced < kept.Level || tally.GroupsCleared < kept.Level ||
        tally.MostGroupsAtOnce < 0 || tally.MostGroupsAtOnce > static_cast<int32_t>(AllGroups().size()) ||
        tally.MostGroupsAtOnce > tally.GroupsCleared)
        return false;
    return kept.Random.Draws <= TRandom::kMostDraws;
}

bool TGameEngine::Restore(const TKeptGame& kept)
{
    assert(GameOver && "a kept game never replaces a running one");
    if (!CouldBeKept(kept))
        return false;
    Board = kept.Board;
    Piece = kept.Piece;
    Level = kept.Level;
    Score = kept.Score;
    TimeLimit = TurnLength(Level);
    TimeLeft = kept.TimeLeft;
    Tally = kept.Tally;
    random_ = TRandom(kept.Random);
    endReported_ = false;
    Holding = false;
    GameOver = false;
    Paused = true;
    view_.Drawing.RenderPiece();
    view_.Sprite.SetPosition(Geometry::kPreviewLeft, Geometry::kPreviewTop);
    // The sprite keeps what lies under it when it shows: the playfield first.
    view_.Drawing.Paint();
    view_.Sprite.Show();
    view_.Window.ShowPauseText(true);
    return true;
}

void TGameEngine::EndGame(bool timedOut)
{
    endReported_ = true;
    view_.Window.GameEnded(timedOut);
}

void TGameEngine::Pause()
{
    if (GameOver || Paused)
        return;
    Paused = true;
    view_.Drawing.Paint();
    view_.Window.ShowPauseText(true);
}

void TGameEngine::boxClick()
{
    if (!Paused)
        return;
    Paused = false;
    view_.Drawing.Paint();
    view_.Window.ShowPauseText(false);
}

void TGameEngine::boxMouseMove(int32_t x, int32_t y)
{
    if (!GameOver && !Paused && Holding)
        view_.Sprite.DragTo(x, y);
}

void TGameEngine::boxMouseDown(TMouseButton button, int32_t x, int32_t y)
{
    if (GameOver || Paused)
        return;
    if (!Holding) {
        if (view_.Sprite.HitTest(x, y)) {
            view_.Sprite.Grab(Geometry::kGrabX, Geometry::kGrabY);
            Holding = true;
        }
        return;
    }
    if (button == TMouseButton::Right) {
        RotatePiece();
    } else if (button == TMouseButton::Left) {
        if (Geometry::InDiscardZone(view_.Sprite.GetX(), view_.Sprite.GetY())) {
            DiscardPiece();
        } else if (PieceFits()) {
            PlacePiece();
            ClearGroups();
            DealPiece();
        }
    }
}

void TGameEngine::Timer()
{
    if (GameOver || Paused || TimeLeft == 0)
        return;
    ++Tally.RunningTicks;
    TimeLeft = std::max(TimeLeft - kUnitsPerTick, 0);
    view_.Drawing.DrawTimeBar();
    if (TimeLeft > 0)
        return;
    if (Holding && PieceFits()) {
        PlacePiece();
        ClearGroups();
    } else {
        ForfeitPiece();
        GameOver = true;
    }
    if (GameOver) {
        EndGame(true);
        view_.Sound.PlayEffect(false, TEffect::GameOver);
        view_.Window.ShowGameOverDlg();
        view_.Window.ShowHighscoreDlg(Score, THighscoreMode::Enter);
    } else {
        DealPiece();
    }
}
