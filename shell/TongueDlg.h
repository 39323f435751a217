#pragma once

#include "shell/ModalDialog.h"

// The language choice. Either button sets `tongue` and closes with OK; the
// close box leaves it as it was; Esc does nothing.
class TTongueDlg : public TModalDialog {
    Q_OBJECT
public:
    explicit TTongueDlg(QWidget& mainForm);

protected:
    void ApplyTexts() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SpeakEnglish();
    void SpeakGerman();

    QPushButton* englishButton_;
    QPushButton* germanButton_;
};
