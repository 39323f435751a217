#include "Infodlg.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "Assets.h"
#include "Texts.h"

TInfoDialog::TInfoDialog(QWidget& mainForm, std::function<void()> showTongueDlg,
                         std::function<void()> applyMainTexts)
    : TModalDialog(mainForm, {309, 322}, QStringLiteral("InfoDialog")),
      showTongueDlg_(std::move(showTongueDlg)),
      applyMainTexts_(std::move(applyMainTexts))
{
    AddBevel({4, 4, 301, 197}, true);
    auto* image1 = new QLabel(this);
    image1->setGeometry(8, 8, 101, 77);
    image1->setPixmap(QPixmap(Assets::PicturePath(QStringLiteral("face"))));

    auto* progname = new QLabel(FixedTexts::kProgramName, this);
    progname->setGeometry(112, 8, 189, 25);
    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(19);
    title.setBold(true);
    progname->setFont(title);

    auto* version = new QLabel(FixedTexts::kVersion, this);
    version->setGeometry(112, 32, 189, 13);
    codedlabel = new QLabel(this);
    codedlabel->setGeometry(112, 48, 181, 13);

    auto* image4 = AddIcon({36, 96, 37, 37});
    image4->setPixmap(mainForm.windowIcon().pixmap(37, 37));

    TongBtn = AddButton("TongBtn", {120, 290, 89, 27}, QStringLiteral("lips"), 0);
    connect(TongBtn, &QPushButton::clicked, this, &TInfoDialog::TongBtnClick);
    OKBtn = AddButton("OKBtn", {216, 290, 89, 27}, QStringLiteral("ok"), kOk);
    OKBtn->setText(FixedTexts::kOk);
    OKBtn->setDefault(true);
}

void TInfoDialog::ApplyTexts()
{
    const TTexts& texts = Texts();
    setWindowTitle(texts.InfoCaption);
    codedlabel->setText(texts.CodedIn);
    TongBtn->setText(texts.TongueButton);
    OKBtn->setFocus();
}

void TInfoDialog::TongBtnClick()
{
    showTongueDlg_();
    ApplyTexts();
    applyMainTexts_();
}
