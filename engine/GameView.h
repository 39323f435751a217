#pragma once

#include <cstdint>

// The game's six sound effects, numbered as their clips.
enum class TEffect {
    PiecePlaced = 1,
    CellExplodes = 2,
    GameOver = 3,
    GroupCleared = 4,
    BonusStep = 5,
    BigBonus = 6,
};

// What the highscore dialog is shown for: the table alone, or a score
// offered for entry.
enum class THighscoreMode { View = 0, Enter = 1 };

// What the engine needs from the window: drawing, the floating sprite that
// carries the piece, sound and the modal dialogs. The engine calls these in
// the exact order the player is to see and hear them; each call returns when
// its work is done (animations and waiting sounds block).
class TGameView {
public:
    virtual ~TGameView() = default;

    // Playfield drawing.
    virtual void Paint() = 0;                      // whole playfield; board empty while paused
    virtual void DrawCell(int column, int row) = 0;
    virtual void DrawNumbers() = 0;                // level, score and their labels
    virtual void DrawTimeBar() = 0;
    virtual void RenderPiece() = 0;                // piece into the sprite's picture and mask
    virtual void InvertCell(int column, int row) = 0;  // a second call restores the cell
    virtual void ErasePreviewSlot(int column, int row) = 0;
    virtual void ExplodeCell(int32_t x, int32_t y) = 0;  // over the 25 x 25 cell at (x, y)
    virtual void ExplodePiece() = 0;               // every occupied slot; leaves the sprite hidden
    virtual void Delay(int milliseconds) = 0;      // returns after more than that many ms

    // The floating sprite that shows the piece.
    virtual void SetPosition(int32_t x, int32_t y) = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool HitTest(int32_t x, int32_t y) = 0;
    virtual void Grab(int32_t x, int32_t y) = 0;
    virtual void DragTo(int32_t x, int32_t y) = 0;
    virtual void Release() = 0;
    virtual int32_t GetX() = 0;
    virtual int32_t GetY() = 0;

    // With `wait` the call returns when the effect has sounded.
    virtual void PlayEffect(bool wait, TEffect effect) = 0;

    virtual void ShowPauseText(bool visible) = 0;

    // Modal dialogs.
    virtual void ShowGameOverDlg() = 0;
    virtual bool ShowGiveUpDlg() = 0;  // true: give up the running game
    virtual void ShowHighscoreDlg(int32_t score, THighscoreMode mode) = 0;

    // The running game has ended, lost when its time ran out or given up
    // for a new one; its tally (TGameEngine::Tally) is still there to read.
    virtual void GameEnded(bool timedOut) = 0;
};
