#include "FormView.h"

#include "MainForm.h"
#include "Texts.h"

TFormView::TFormView(TMainForm& form, TSurface& surface, const TSheets& sheets, const TGameEngine& engine)
    : TPlayfieldView(surface, sheets, engine, &German), form_(form)
{
}

void TFormView::PlayEffect(bool wait, TEffect effect)
{
    form_.PlayEffect(wait, effect);
}

void TFormView::ShowPauseText(bool visible)
{
    form_.ShowPauseText(visible);
}

void TFormView::ShowGameOverDlg()
{
    form_.ShowGameOverDlg();
}

bool TFormView::ShowGiveUpDlg()
{
    return form_.ShowGiveUpDlg();
}

void TFormView::ShowHighscoreDlg(int32_t score, THighscoreMode mode)
{
    form_.ShowHighscoreDlg(score, mode);
}

void TFormView::GameEnded(bool timedOut)
{
    form_.GameEnded(timedOut);
}
