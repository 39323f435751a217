#pragma once

#include "PlayfieldView.h"

// The playfield outlets with nothing for sound, the pause text or dialogs:
// for drawing headless (the render command, benchmarks and tests).
class TQuietView final : public TPlayfieldView {
public:
    using TPlayfieldView::TPlayfieldView;
    void PlayEffect(bool, TEffect) override {}
    void ShowPauseText(bool) override {}
    void ShowGameOverDlg() override {}
    bool ShowGiveUpDlg() override { return false; }
    void ShowHighscoreDlg(int32_t, THighscoreMode) override {}
    void GameEnded(bool) override {}
};
