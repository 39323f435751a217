#pragma once

#include <cstdint>
#include <functional>

#include <QImage>

#include "assets/Texts.h"
#include "engine/GameView.h"
#include "view/Sprites.h"

class TGameEngine;
class TSheets;
class TSurface;

// A millisecond tick counter that wraps around at 2^32.
using TTickCounter = std::function<uint32_t()>;

// std::chrono::steady_clock in milliseconds, truncated to 32 bits.
uint32_t SteadyTicks();

// Everything drawn inside the playfield: background, board, the piece in its
// sprite, level and score, the time bar and the short animations. All
// pictures come from the sheets; the state comes from the engine, read at
// each call and never changed.
//
// The animations and Delay block the caller, dispatching no events; before
// each wait they flush the surface so their frames still reach the screen.
class TPlayfield final : public TDrawingOutlet {
public:
    // `engine` is only stored here, so it may be constructed after the
    // playfield. `language` tells the language of the labels at each draw.
    TPlayfield(TSurface& surface, const TSheets& sheets, const TGameEngine& engine, std::function<TTongue()> language,
               TTickCounter ticks = SteadyTicks);
    TPlayfield(const TPlayfield&) = delete;
    TPlayfield& operator=(const TPlayfield&) = delete;

    // Run by Paint after the board: the window applies its texts there, and
    // that step ends with DrawNumbers.
    void SetApplyTexts(std::function<void()> hook);

    // The sprite that carries the piece: 75 x 75, drawn from PiecePicture
    // and PieceMask.
    tSprite& Sprite() { return sprite_; }
    const QImage& PiecePicture() const { return piecePicture_; }
    const QImage& PieceMask() const { return pieceMask_; }

    // The whole playfield from the sheets and the engine state; the board
    // shows empty while the game is paused.
    void Paint() override;
    void DrawCell(int column, int row) override;
    // Five digits of `value`, clamped to 99999, in the digit row at height y.
    void DrawNumber(int32_t value, int y);
    void DrawNumbers() override;
    // Refreshes the sprite when it stands where the bar may have painted over it.
    void DrawTimeBar() override;
    // The piece into PiecePicture and PieceMask; nothing on the surface.
    void RenderPiece() override;
    void ErasePreviewSlot(int column, int row) override;
    // Six frames over the 25 x 25 cell at (x, y); the area ends as it was.
    void ExplodeCell(int32_t x, int32_t y) override;
    // Hides the sprite, then six frames over every occupied slot at its
    // place; the area ends as it was with the sprite hidden.
    void ExplodePiece() override;
    // Flashes the cell; a second call restores it exactly.
    void InvertCell(int column, int row) override;
    // Returns once the tick counter has advanced by more than `milliseconds`.
    void Delay(int milliseconds) override;

private:
    void ShowFrame();

    TSurface& surface_;
    const TSheets& sheets_;
    const TGameEngine& engine_;
    std::function<TTongue()> language_;
    std::function<void()> applyTexts_;
    TTickCounter ticks_;
    QImage piecePicture_;
    QImage pieceMask_;
    tSprite sprite_;
};
