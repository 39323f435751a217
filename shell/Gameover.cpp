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
    Label1 = new QLabel(this);
    Label1->move(88, 28);
    OKBtn = AddButton("OKBtn", {92, 68, 77, 27}, QStringLiteral("ok"), kOk);
    OKBtn->setText(FixedTexts::kOk);
    OKBtn->setDefault(true);
    OKBtn->setFocus();
}

void TGameOverDlg::SayScore(int32_t score)
{
    Label1->setAccessibleName(Texts().GameOverMessage + QLatin1Char(' ') + Texts().GameOverScore.arg(score));
}

void TGameOverDlg::ApplyTexts()
{
    Label1->setText(Texts().GameOverMessage);
    Label1->adjustSize();
    OKBtn->setFocus();
}
