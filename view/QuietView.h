#pragma once

#include "PlayfieldView.h"

// The playfield outlets with nothing for sound, the pause text or dialogs:
// for drawing headless (the render command, benchmarks and tests).
class TQuietView final : public TPlayfieldView {
public:
    using TPlayfieldView::TPlayfieldView;
    void PlayEffect(bool, int) override {}
    void ShowPauseText(bool) override {}
    void GameOverDlg() override {}
    bool GiveUpDlg() override { return false; }
    void HighscoreDlg(int32_t, int) override {}
};
