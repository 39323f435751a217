#pragma once

#include "PlayfieldView.h"

class TMainForm;

// The engine's outlets in the main window: drawing and the sprite on the
// playfield, everything else (sound, the pause text, dialogs) by the window.
class TFormView final : public TPlayfieldView {
public:
    TFormView(TMainForm& form, TSurface& surface, const TSheets& sheets, const TGameEngine& engine);

    void PlayEffect(bool wait, TEffect effect) override;
    void ShowPauseText(bool visible) override;
    void ShowGameOverDlg() override;
    bool ShowGiveUpDlg() override;
    void ShowHighscoreDlg(int32_t score, THighscoreMode mode) override;
    void GameEnded(bool timedOut) override;

private:
    TMainForm& form_;
};
