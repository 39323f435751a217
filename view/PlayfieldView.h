#pragma once

#include <functional>

#include "GameView.h"
#include "Playfield.h"

// The engine's drawing and sprite outlets, done on a playfield surface.
// Sound, the pause text and the dialogs are left to the window that derives
// from this (or to a small headless class with nothing to show).
class TPlayfieldView : public TGameView {
public:
    // `engine` is only stored, so a window may construct its engine after
    // this view and hand the view to it.
    TPlayfieldView(TSurface& surface, const TSheets& sheets, const TGameEngine& engine,
                   std::function<bool()> german, TTickCounter ticks = SteadyTicks);

    TPlayfield& Playfield() { return playfield_; }
    const TPlayfield& Playfield() const { return playfield_; }
    // Run by Paint after the board; see TPlayfield::SetApplyTexts.
    void SetApplyTexts(std::function<void()> hook);

    void Paint() override;
    void DrawCell(int column, int row) override;
    void DrawNumbers() override;
    void DrawTimeBar() override;
    void RenderPiece() override;
    void InvertCell(int column, int row) override;
    void ErasePreviewSlot(int column, int row) override;
    void ExplodeCell(int32_t x, int32_t y) override;
    void ExplodePiece() override;
    void Delay(int milliseconds) override;

    void SetPosition(int32_t x, int32_t y) override;
    void Show() override;
    void Hide() override;
    bool HitTest(int32_t x, int32_t y) override;
    void Grab(int32_t x, int32_t y) override;
    void DragTo(int32_t x, int32_t y) override;
    void Release() override;
    int32_t GetX() override;
    int32_t GetY() override;

private:
    TPlayfield playfield_;
};
