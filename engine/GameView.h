#pragma once

#include <concepts>
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

// The engine's outlets, one interface per role. The engine calls them in the
// exact order the player is to see and hear them; each call returns when its
// work is done (animations and waiting sounds block).

// Drawing the playfield.
class TDrawingOutlet {
public:
    virtual ~TDrawingOutlet() = default;
    virtual void Paint() = 0;  // whole playfield; board empty while paused
    virtual void DrawCell(int column, int row) = 0;
    virtual void DrawNumbers() = 0;  // level, score and their labels
    virtual void DrawTimeBar() = 0;
    virtual void RenderPiece() = 0;                    // piece into the sprite's picture and mask
    virtual void InvertCell(int column, int row) = 0;  // a second call restores the cell
    virtual void ErasePreviewSlot(int column, int row) = 0;
    virtual void ExplodeCell(int32_t x, int32_t y) = 0;  // over the 25 x 25 cell at (x, y)
    virtual void ExplodePiece() = 0;                     // every occupied slot; leaves the sprite hidden
    virtual void Delay(int milliseconds) = 0;            // returns after more than that many ms
};

// The floating sprite that shows the piece.
class TSpriteOutlet {
public:
    virtual ~TSpriteOutlet() = default;
    virtual void SetPosition(int32_t x, int32_t y) = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool HitTest(int32_t x, int32_t y) const = 0;
    virtual void Grab(int32_t x, int32_t y) = 0;
    virtual void DragTo(int32_t x, int32_t y) = 0;
    virtual void Release() = 0;
    virtual int32_t GetX() const = 0;
    virtual int32_t GetY() const = 0;
};

class TSoundOutlet {
public:
    virtual ~TSoundOutlet() = default;
    // With `wait` the call returns when the effect has sounded.
    virtual void PlayEffect(bool wait, TEffect effect) = 0;
};

// The window around the playfield: the pause text and the modal dialogs.
class TWindowOutlet {
public:
    virtual ~TWindowOutlet() = default;
    virtual void ShowPauseText(bool visible) = 0;
    virtual void ShowGameOverDlg() = 0;
    virtual bool ShowGiveUpDlg() = 0;  // true: give up the running game
    virtual void ShowHighscoreDlg(int32_t score, THighscoreMode mode) = 0;
    // The running game has ended, lost when its time ran out or given up;
    // its tally (TGameEngine::Tally) is still there to read.
    virtual void GameEnded(bool timedOut) = 0;
};

// Everything the engine draws, moves, sounds and asks through.
struct TGameView {
    TDrawingOutlet& Drawing;
    TSpriteOutlet& Sprite;
    TSoundOutlet& Sound;
    TWindowOutlet& Window;

    TGameView(TDrawingOutlet& drawing, TSpriteOutlet& sprite, TSoundOutlet& sound, TWindowOutlet& window)
        : Drawing(drawing), Sprite(sprite), Sound(sound), Window(window)
    {
    }
    // One object that plays every role, as the headless and recording views do.
    template <typename AllRoles>
    requires std::derived_from<AllRoles, TDrawingOutlet> && std::derived_from<AllRoles, TSpriteOutlet> &&
        std::derived_from<AllRoles, TSoundOutlet> && std::derived_from<AllRoles, TWindowOutlet>
        TGameView(AllRoles& all) : TGameView(all, all, all, all)
    {
    }
};
