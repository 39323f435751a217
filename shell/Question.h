#pragma once

#include <functional>

#include "shell/ModalDialog.h"

struct TTexts;

// A yes/no question: Yes (the default, Enter) gives Yes, No (Esc, the close
// box) gives Cancel.
class TQuestionDlg : public TModalDialog {
    Q_OBJECT
protected:
    TQuestionDlg(QWidget& mainForm, const QString& objectName, const QRect& labelPlace,
                 std::function<QString(const TTexts&)> question);
    void ApplyTexts() override;

private:
    std::function<QString(const TTexts&)> question_;
    QLabel* questionLabel_;
    QPushButton* yesButton_;
    QPushButton* noButton_;
};

// Whether to give up the running game for a new one.
class TGiveUpDlg : public TQuestionDlg {
    Q_OBJECT
public:
    explicit TGiveUpDlg(QWidget& mainForm);
};

// Whether to give up the running game and quit.
class TQuitGameDlg : public TQuestionDlg {
    Q_OBJECT
public:
    explicit TQuitGameDlg(QWidget& mainForm);
};

// Whether to quit when no game runs.
class TEndGameDlg : public TQuestionDlg {
    Q_OBJECT
public:
    explicit TEndGameDlg(QWidget& mainForm);
};
