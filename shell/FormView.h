#pragma once

#include "PlayfieldView.h"

class TMainForm;

// The engine's outlets in the main window: drawing and the sprite on the
// playfield, everything else (sound, the pause text, dialogs) by the window.
class TFormView final : public TPlayfieldView {
public:
    TFormView(TMainForm& form, TSurface& surface, const TSheets& sheets, const TGameEngine& engine);

    void PlayEffect(bool wait, int effect) override;
    void ShowPauseText(bool visible) override;
    void GameOverDlg() override;
    bool GiveUpDlg() override;
    void HighscoreDlg(int32_t score, int mode) override;

private:
    TMainForm& form_;
};
