#include "shell/TongueDlg.h"

#include <QKeyEvent>
#include <QPushButton>

#include "assets/Texts.h"

TTongueDlg::TTongueDlg(QWidget& mainForm) : TModalDialog(mainForm, {320, 91}, QStringLiteral("TongueDlg"))
{
    setWindowTitle(FixedTexts::kCaption);
    AddBevel({8, 8, 305, 77}, true);
    AddIcon({28, 28, 37, 37});
    englishButton_ = AddButton("EnglishBtn", {84, 16, 221, 27}, QStringLiteral("flags_en"), Ok);
    englishButton_->setText(FixedTexts::kSpeakEnglish);
    englishButton_->setIconSize({40, 20});
    germanButton_ = AddButton("GermanBtn", {84, 48, 221, 27}, QStringLiteral("flags_de"), Ok);
    germanButton_->setText(FixedTexts::kSpeakGerman);
    germanButton_->setIconSize({60, 20});
    // Both run within the click that closes the dialog, before its modal show returns.
    connect(englishButton_, &QPushButton::clicked, this, &TTongueDlg::SpeakEnglish);
    connect(germanButton_, &QPushButton::clicked, this, &TTongueDlg::SpeakGerman);
    setTabOrder(englishButton_, germanButton_);
}

void TTongueDlg::ApplyTexts()
{
    englishButton_->setFocus();
}

void TTongueDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    TModalDialog::keyPressEvent(event);
}

void TTongueDlg::SpeakEnglish()
{
    tongue = TTongue::English;
}

void TTongueDlg::SpeakGerman()
{
    tongue = TTongue::German;
}
