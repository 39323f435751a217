#include "shell/Tongdlg.h"

#include <QKeyEvent>
#include <QPushButton>

#include "assets/Texts.h"

TTongueDlg::TTongueDlg(QWidget& mainForm) : TModalDialog(mainForm, {320, 91}, QStringLiteral("TongueDlg"))
{
    setWindowTitle(FixedTexts::kCaption);
    AddBevel({8, 8, 305, 77}, true);
    AddIcon({28, 28, 37, 37});
    EnglishBtn = AddButton("EnglishBtn", {84, 16, 221, 27}, QStringLiteral("flags_en"), kOk);
    EnglishBtn->setText(FixedTexts::kSpeakEnglish);
    EnglishBtn->setIconSize({40, 20});
    GermanBtn = AddButton("GermanBtn", {84, 48, 221, 27}, QStringLiteral("flags_de"), kOk);
    GermanBtn->setText(FixedTexts::kSpeakGerman);
    GermanBtn->setIconSize({60, 20});
    // Both run within the click that closes the dialog, before its modal show returns.
    connect(EnglishBtn, &QPushButton::clicked, this, &TTongueDlg::EnglishBtnClick);
    connect(GermanBtn, &QPushButton::clicked, this, &TTongueDlg::GermanBtnClick);
    setTabOrder(EnglishBtn, GermanBtn);
}

void TTongueDlg::ApplyTexts()
{
    EnglishBtn->setFocus();
}

void TTongueDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    TModalDialog::keyPressEvent(event);
}

void TTongueDlg::EnglishBtnClick()
{
    tongue = TTongue::English;
}

void TTongueDlg::GermanBtnClick()
{
    tongue = TTongue::German;
}
