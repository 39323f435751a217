#pragma once

#include "GameView.h"

// A view without a window: drawing and sound do nothing, and a substitute
// sprite keeps only what the engine reads back (position, visibility, drag
// state), following the floating sprite's rules. Runs whole games headless.
class THeadlessView : public TGameView {
public:
    static constexpr int32_t kSpriteSize = 75;

    void Paint() override {}
    void DrawCell(int, int) override {}
    void DrawNumbers() override {}
    void DrawTimeBar() override {}
    void RenderPiece() override {}
    void InvertCell(int, int) override {}
    void ErasePreviewSlot(int, int) override {}
    void ExplodeCell(int32_t, int32_t) override {}
    void ExplodePiece() override { Hide(); }
    void Delay(int) override {}

    void SetPosition(int32_t x, int32_t y) override;
    void Show() override { Visible = true; }
    void Hide() override { Visible = false; }
    bool HitTest(int32_t x, int32_t y) override;
    void Grab(int32_t x, int32_t y) override;
    void DragTo(int32_t x, int32_t y) override;
    void Release() override { Dragging = false; }
    int32_t GetX() override { return X; }
    int32_t GetY() override { return Y; }

    void PlayEffect(bool, TEffect) override {}
    void ShowPauseText(bool visible) override { PauseTextVisible = visible; }
    void ShowGameOverDlg() override {}
    bool ShowGiveUpDlg() override { return GiveUpAnswer; }
    void ShowHighscoreDlg(int32_t, THighscoreMode) override {}
    void GameEnded(bool) override {}

    int32_t X = 0;
    int32_t Y = 0;
    int32_t GrabDX = 0;
    int32_t GrabDY = 0;
    bool Visible = false;
    bool Dragging = false;
    bool PauseTextVisible = false;
    bool GiveUpAnswer = true;  // what the give-up question answers
};
