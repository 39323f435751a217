#include "shell/InfoDialog.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "assets/Assets.h"
#include "assets/Texts.h"
#include "records/PlayerRecords.h"

namespace {

// Hours, minutes and seconds, as a clock shows them.
QString Duration(int64_t milliseconds)
{
    const int64_t seconds = milliseconds / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

TInfoDialog::TInfoDialog(QWidget& mainForm, const TPlayerRecords& records, std::function<void()> showTongueDlg,
                         std::function<void()> repaintMainForm)
    : TModalDialog(mainForm, {309, 322}, QStringLiteral("InfoDialog")), records_(records),
      showTongueDlg_(std::move(showTongueDlg)), repaintMainForm_(std::move(repaintMainForm))
{
    AddBevel({4, 4, 301, 197}, true);
    auto* face = new QLabel(this);
    face->setGeometry(8, 8, 101, 77);
    face->setPixmap(Assets::PicturePixmap(QStringLiteral("face")));

    auto* programName = new QLabel(FixedTexts::kProgramName, this);
    programName->setGeometry(112, 8, 189, 25);
    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(19);
    title.setBold(true);
    programName->setFont(title);

    auto* version = new QLabel(FixedTexts::kVersion, this);
    version->setGeometry(112, 32, 189, 13);
    codedLabel_ = new QLabel(this);
    codedLabel_->setGeometry(112, 48, 181, 13);

    auto* icon = AddIcon({36, 96, 37, 37});
    icon->setPixmap(mainForm.windowIcon().pixmap(37, 37));

    tongueButton_ = AddButton("TongBtn", {120, 290, 89, 27}, QStringLiteral("lips"), std::nullopt);
    connect(tongueButton_, &QPushButton::clicked, this, &TInfoDialog::ChooseTongue);
    okButton_ = AddButton("OKBtn", {216, 290, 89, 27}, QStringLiteral("ok"), Ok);
    okButton_->setText(FixedTexts::kOk);
    okButton_->setDefault(true);

    // The record fills the lower half: two columns of name and value.
    AddBevel({4, 205, 301, 80}, true);
    recordTitle_ = new QLabel(this);
    recordTitle_->setGeometry(12, 209, 285, 13);
    QFont bold = font();
    bold.setBold(true);
    recordTitle_->setFont(bold);
    for (size_t n = 0; n < recordNames_.size(); ++n) {
        const int column = n < 4 ? 0 : 1;
        const int top = 226 + 14 * static_cast<int>(column == 0 ? n : n - 4);
        recordNames_[n] = new QLabel(this);
        recordNames_[n]->setGeometry(column == 0 ? 12 : 160, top, 96, 13);
        recordValues_[n] = new QLabel(this);
        recordValues_[n]->setGeometry(column == 0 ? 96 : 248, top, column == 0 ? 52 : 49, 13);
        recordValues_[n]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        recordValues_[n]->setObjectName(QStringLiteral("RecordValue%1").arg(n));
    }
}

void TInfoDialog::ShowRecord(const TLifetimeRecord& record)
{
    const TTexts& texts = Texts();
    recordTitle_->setText(texts.RecordTitle);
    const std::array<std::pair<QString, QString>, 7> rows{{
        {texts.GamesPlayed, QString::number(record.GamesPlayed)},
        {texts.GamesTimedOut, QString::number(record.GamesTimedOut)},
        {texts.GroupsCleared, QString::number(record.GroupsCleared)},
        {texts.TimePlayed, Duration(record.MillisecondsPlayed)},
        {texts.BestScore, QString::number(record.BestScore)},
        {texts.BestLevel, QString::number(record.BestLevel)},
        {texts.MostGroupsAtOnce, QString::number(record.MostGroupsAtOnce)},
    }};
    for (size_t n = 0; n < rows.size(); ++n) {
        recordNames_[n]->setText(rows[n].first);
        recordValues_[n]->setText(rows[n].second);
    }
}

void TInfoDialog::ApplyTexts()
{
    const TTexts& texts = Texts();
    setWindowTitle(texts.InfoCaption);
    codedLabel_->setText(texts.CodedIn);
    tongueButton_->setText(texts.TongueButton);
    ShowRecord(records_.Lifetime());
    okButton_->setFocus();
}

void TInfoDialog::ChooseTongue()
{
    showTongueDlg_();
    ApplyTexts();
    repaintMainForm_();
}
