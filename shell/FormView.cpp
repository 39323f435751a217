#include "FormView.h"

#include "MainForm.h"
#include "Texts.h"

TFormView::TFormView(TMainForm& form, TSurface& surface, const TSheets& sheets, const TGameEngine& engine)
    : TPlayfieldView(surface, sheets, engine, &German), form_(form)
{
}

void TFormView::PlayEffect(bool wait, int effect)
{
    form_.PlayEffect(wait, effect);
}

void TFormView::ShowPauseText(bool visible)
{
    form_.ShowPauseText(visible);
}

void TFormView::GameOverDlg()
{
    form_.ShowGameOver();
}

bool TFormView::GiveUpDlg()
{
    return form_.AskGiveUp();
}

void TFormView::HighscoreDlg(int32_t score, int mode)
{
    form_.ShowHighscore(score, mode);
}
