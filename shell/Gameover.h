#pragma once

#include "shell/ModalDialog.h"

// The notice that the game is over; its one button closes it with OK.
class TGameOverDlg : public TModalDialog {
    Q_OBJECT
public:
    explicit TGameOverDlg(QWidget& mainForm);

protected:
    void ApplyTexts() override;

private:
    QLabel* Label1;
    QPushButton* OKBtn;
};
