#include "shell/Gameover.h"

#include <QLabel>
#include <QPushButton>

#include "assets/Texts.h"

TGameOverDlg::TGameOverDlg(QWidget& mainForm) : TModalDialog(mainForm, {261, 103}, QStringLiteral("GameOverDlg"))
{
    setWindowTitle(FixedTexts::kDialogCaption);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    AddBevel({8, 8, 245, 49}, false);
    AddIcon({16, 16, 32, 32});
    messageLabel_ = new QLabel(this);
    messageLabel_->move(88, 28);
    okButton_ = AddButton("OKBtn", {92, 68, 77, 27}, QStringLiteral("ok"), Ok);
    okButton_->setText(FixedTexts::kOk);
    okButton_->setDefault(true);
    okButton_->setFocus();
}

void TGameOverDlg::SayScore(int32_t score)
{
    messageLabel_->setAccessibleName(Texts().GameOverMessage + QLatin1Char(' ') + Texts().GameOverScore.arg(score));
}

void TGameOverDlg::ApplyTexts()
{
    messageLabel_->setText(Texts().GameOverMessage);
    messageLabel_->adjustSize();
    okButton_->setFocus();
}
