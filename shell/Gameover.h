#pragma once

#include <cstdint>

#include "shell/ModalDialog.h"

// The notice that the game is over; its one button closes it with OK.
class TGameOverDlg : public TModalDialog {
    Q_OBJECT
public:
    explicit TGameOverDlg(QWidget& mainForm);

    // A screen reader hears the score with the notice.
    void SayScore(int32_t score);

protected:
    void ApplyTexts() override;

private:
    QLabel* messageLabel_;
    QPushButton* okButton_;
};
