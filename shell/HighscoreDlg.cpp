#include "shell/HighscoreDlg.h"

#include <QAccessible>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QValidator>
#include <utility>

#include "assets/Assets.h"
#include "assets/Texts.h"
#include "records/PlayerRecords.h"
#include "records/Windows1252.h"
#include "shell/StoreErrorReport.h"
#include "shell/StoreErrorText.h"

namespace {

const QString kClearedPlayer = QStringLiteral("Mr. Brain");

// Names are stored as single-byte text: the edit box takes only characters
// that have a byte in the store's code page.
class TSingleByteValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override { return Windows1252::CanEncode(input) ? Acceptable : Invalid; }
};

void AddEdge(QWidget* parent, const QRect& place)
{
    auto* edge = new QFrame(parent);
    edge->setFrameStyle(QFrame::Box | QFrame::Plain);
    edge->setGeometry(place);
}

}  // namespace

THighscoreDlg::THighscoreDlg(QWidget& mainForm, const TPlayerRecords& records, std::function<THighscoreTexts()> texts,
                             std::function<void(const EStoreError&)> refused)
    : TModalDialog(mainForm, {360, 329}, QStringLiteral("HighscoreDlg")), records_(records), texts_(std::move(texts)),
      refused_(std::move(refused)), assistiveTechnologyActive_(&QAccessible::isActive)
{
    AddEdge(this, {4, 4, 353, 229});
    AddEdge(this, {4, 236, 117, 89});
    AddEdge(this, {124, 236, 233, 21});
    auto* brain = new QLabel(this);
    brain->setGeometry(12, 244, 101, 77);
    brain->setPixmap(Assets::PicturePixmap(QStringLiteral("brain")));
    clearBox_ = new QCheckBox(this);
    clearBox_->setGeometry(128, 240, 14, 13);
    clearLabel_ = new QLabel(this);
    clearLabel_->setGeometry(148, 240, 201, 13);
    clearLabel_->setBuddy(clearBox_);

    cancelButton_ = AddButton("CancelBtn", {192, 296, 78, 27}, QStringLiteral("cancel"), Cancel);
    okButton_ = AddButton("OKBtn", {276, 296, 77, 27}, QStringLiteral("ok"), std::nullopt);
    okButton_->setText(QStringLiteral("OK"));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &THighscoreDlg::AcceptEntry);

    for (int row = 0; row < THighscoreTable::kRowCount; ++row) {
        AddRowLabel(QStringLiteral("num%1").arg(row), 20, 40, Qt::AlignRight, row)
            ->setText(QStringLiteral("%1.   ").arg(row + 1));
        AddRowLabel(QStringLiteral("pla%1").arg(row), 60, 190, Qt::AlignLeft, row);
        AddRowLabel(QStringLiteral("sco%1").arg(row), 250, 90, Qt::AlignRight, row);
    }

    nameEdit_ = new QLineEdit(this);
    nameEdit_->setFrame(false);
    nameEdit_->setFocusPolicy(Qt::ClickFocus);  // Tab passes it by
    nameEdit_->setValidator(new TSingleByteValidator(nameEdit_));
    QFont editFont(QStringLiteral("Arial"));
    editFont.setPixelSize(13);
    editFont.setBold(true);
    nameEdit_->setFont(editFont);
    nameEdit_->setStyleSheet(QStringLiteral("QLineEdit { background: silver; color: red; }"));
    nameEdit_->hide();

    // A name edited into the store by hand may hold characters the code page
    // lacks; cleaned here, the edit box accepts it and the row agrees with it.
    playerName_ = Windows1252::ToUnicode(Windows1252::FromUnicode(records_.Player()));
    nameEdit_->setText(playerName_);
}

QLabel* THighscoreDlg::AddRowLabel(const QString& name, int left, int width, Qt::Alignment alignment, int row)
{
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setGeometry(left, 15 + 21 * row, width, 21);
    label->setAlignment(alignment | Qt::AlignVCenter);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(10);
    font.setBold(true);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: black; background: transparent;"));
    return label;
}

void THighscoreDlg::ShowRow(int row)
{
    findChild<QLabel*>(QStringLiteral("pla%1").arg(row))->setText(Windows1252::ToUnicode(table_.Names[row]));
    findChild<QLabel*>(QStringLiteral("sco%1").arg(row))->setText(QString::number(table_.Scores[row]));
}

void THighscoreDlg::SetAssistiveTechnologyActive(std::function<bool()> active)
{
    assistiveTechnologyActive_ = std::move(active);
}

int THighscoreDlg::ShowModal(int32_t score, THighscoreMode mode)
{
    clearBox_->setChecked(false);
    nameEdit_->hide();
    nameEdit_->setEnabled(false);
    okButton_->setFocus();

    ReadTable();
    score_ = score;
    editRow_ = mode == THighscoreMode::Enter ? table_.Insert(score, Windows1252::FromUnicode(playerName_)) : -1;
    for (int row = 0; row < THighscoreTable::kRowCount; ++row)
        ShowRow(row);

    if (editRow_ >= 0) {
        nameEdit_->setGeometry(60, 15 + 21 * editRow_, 190, 15);
        nameEdit_->show();
        nameEdit_->raise();
        nameEdit_->setEnabled(true);
        nameEdit_->setText(playerName_);
        nameEdit_->setAccessibleName(Texts().HighscoreEntry.arg(editRow_ + 1).arg(score));
        // A screen reader's user finds the name again with Tab.
        nameEdit_->setFocusPolicy(assistiveTechnologyActive_() ? Qt::StrongFocus : Qt::ClickFocus);
        nameEdit_->setFocus();
    }
    return exec();
}

void THighscoreDlg::ReadTable()
{
    table_ = records_.Highscores();
}

void THighscoreDlg::AcceptEntry()
{
    const bool clearing = clearBox_->isChecked();
    if (clearing) {
        playerName_ = kClearedPlayer;
        nameEdit_->setText(playerName_);
    } else if (editRow_ >= 0) {
        playerName_ = nameEdit_->text();
        table_.Names[editRow_] = Windows1252::FromUnicode(playerName_);
    }
    nameEdit_->hide();
    if (clearing || editRow_ >= 0) {
        try {
            editRow_ = records_.EnterHighscore(score_, playerName_, clearing);
            ReadTable();
        } catch (const EStoreError& error) {
            if (clearing)
                table_.Clear();
            if (refused_)
                refused_(error);
            else
                TStoreErrorReport::Tell(*this, StoreErrorText(error));
        }
        for (int row = 0; row < THighscoreTable::kRowCount; ++row)
            ShowRow(row);
    }
    done(Ok);
}

void THighscoreDlg::ApplyTexts()
{
    const THighscoreTexts texts = texts_();
    setWindowTitle(texts.Caption);
    clearLabel_->setText(texts.ClearAll);
    cancelButton_->setText(texts.Cancel);
}
