#pragma once

#include "engine/GameView.h"
#include "engine/PlayfieldGeometry.h"
#include "engine/SpritePlace.h"

// A view without a window that plays every role: drawing and sound do
// nothing, and a substitute sprite keeps only what the engine reads back
// (position, visibility, drag state) by the floating sprite's own rules.
// Runs whole games headless.
class THeadlessView : public TDrawingOutlet, public TSpriteOutlet, public TSoundOutlet, public TWindowOutlet {
public:
    THeadlessView() { Place.Width = Place.Height = Geometry::kPiecePixels; }

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
    void Show() override { Place.Visible = true; }
    void Hide() override { Place.Visible = false; }
    bool HitTest(int32_t x, int32_t y) const override { return Place.HitTest(x, y); }
    void Grab(int32_t x, int32_t y) override { Place.Grab(x, y); }
    void DragTo(int32_t x, int32_t y) override;
    void Release() override { Place.Dragging = false; }
    int32_t GetX() const override { return Place.X; }
    int32_t GetY() const override { return Place.Y; }

    void PlayEffect(bool, TEffect) override {}
    void ShowPauseText(bool visible) override { PauseTextVisible = visible; }
    void ShowGameOverDlg() override {}
    bool ShowGiveUpDlg() override { return GiveUpAnswer; }
    void ShowHighscoreDlg(int32_t, THighscoreMode) override {}
    void GameEnded(bool) override {}

    TSpritePlace Place;
    bool PauseTextVisible = false;
    bool GiveUpAnswer = true;  // what the give-up question answers
};
