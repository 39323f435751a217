#pragma once

#include <functional>

#include "ModalDialog.h"

// About the game. Its language button opens the language dialog and relabels
// this dialog and the main window at once.
class TInfoDialog : public TModalDialog {
    Q_OBJECT
public:
    // `showTongueDlg` shows the language dialog; `applyMainTexts` is the
    // main window's ApplyTexts.
    TInfoDialog(QWidget& mainForm, std::function<void()> showTongueDlg, std::function<void()> applyMainTexts);

protected:
    void ApplyTexts() override;

private:
    void TongBtnClick();

    std::function<void()> showTongueDlg_;
    std::function<void()> applyMainTexts_;
    QLabel* codedlabel;
    QPushButton* TongBtn;
    QPushButton* OKBtn;
};
