#include "shell/Question.h"

#include <QLabel>
#include <QPushButton>

#include "assets/Texts.h"

TQuestionDlg::TQuestionDlg(QWidget& mainForm, const QString& objectName, const QRect& labelPlace,
                           std::function<QString(const TTexts&)> question)
    : TModalDialog(mainForm, {261, 103}, objectName), question_(std::move(question))
{
    setWindowTitle(FixedTexts::kDialogCaption);
    AddBevel({8, 8, 245, 49}, false);
    AddIcon({16, 16, 32, 32});
    Label1 = new QLabel(this);
    Label1->setGeometry(labelPlace);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    QFont bold = font();
    bold.setBold(true);
    Label1->setFont(bold);
    OKBtn = AddButton("OKBtn", {40, 68, 77, 27}, QStringLiteral("ok"), kYes);
    OKBtn->setDefault(true);
    CancelBtn = AddButton("CancelBtn", {136, 68, 77, 27}, QStringLiteral("cancel"), kCancel);
}

void TQuestionDlg::ApplyTexts()
{
    const TTexts& texts = Texts();
    Label1->setText(question_(texts));
    OKBtn->setText(texts.Yes);
    CancelBtn->setText(texts.No);
    OKBtn->setFocus();
}

TGiveUpDlg::TGiveUpDlg(QWidget& mainForm)
    : TQuestionDlg(mainForm, QStringLiteral("GiveUpDlg"), {56, 20, 189, 26},
                   [](const TTexts& texts) { return texts.GiveUpQuestion; })
{
}

TQuitGameDlg::TQuitGameDlg(QWidget& mainForm)
    : TQuestionDlg(mainForm, QStringLiteral("QuitGameDlg"), {56, 20, 189, 26},
                   [](const TTexts& texts) { return texts.QuitGameQuestion; })
{
}

TEndGameDlg::TEndGameDlg(QWidget& mainForm)
    : TQuestionDlg(mainForm, QStringLiteral("EndGameDlg"), {72, 20, 153, 29},
                   [](const TTexts& texts) { return texts.EndGameQuestion; })
{
}
