#include "shell/StoreErrorReport.h"

#include <QMessageBox>

#include "assets/Texts.h"
#include "shell/StoreErrorText.h"

TStoreErrorReport::TStoreErrorReport(QWidget& window) : window_(window) {}

void TStoreErrorReport::Show(const EStoreError& error)
{
    if (silenced_)
        return;
    if (!quitting_) {
        Tell(window_, StoreErrorText(error));
        return;
    }
    // A kept update is tried once more at the end of the quit, which tells what became of it.
    if (error.Kept)
        return;
    if (!refusedAtQuit_)
        refusedAtQuit_ = error;
    unwrittenAtQuit_.append(error.Names);
}

void TStoreErrorReport::ShowGathered()
{
    if (!refusedAtQuit_ || silenced_)
        return;
    unwrittenAtQuit_.removeDuplicates();
    Tell(window_, StoreErrorText(*refusedAtQuit_, unwrittenAtQuit_));
}

void TStoreErrorReport::Tell(QWidget& window, const QString& text)
{
    QMessageBox::critical(&window, FixedTexts::kProgramName, text);
}
