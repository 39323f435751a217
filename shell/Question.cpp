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
    questionLabel_ = new QLabel(this);
    questionLabel_->setGeometry(labelPlace);
    questionLabel_->setAlignment(Qt::AlignCenter);
    questionLabel_->setWordWrap(true);
    QFont bold = font();
    bold.setBold(true);
    questionLabel_->setFont(bold);
    yesButton_ = AddButton("OKBtn", {40, 68, 77, 27}, QStringLiteral("ok"), Yes);
    yesButton_->setDefault(true);
    noButton_ = AddButton("CancelBtn", {136, 68, 77, 27}, QStringLiteral("cancel"), Cancel);
}

void TQuestionDlg::ApplyTexts()
{
    const TTexts& texts = Texts();
    questionLabel_->setText(question_(texts));
    yesButton_->setText(texts.Yes);
    noButton_->setText(texts.No);
    yesButton_->setFocus();
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
