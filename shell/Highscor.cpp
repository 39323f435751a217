#include "shell/Highscor.h"

#include <QAccessible>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QValidator>
#include <utility>

#include "assets/Assets.h"
#include "assets/Texts.h"
#include "records/Chiffre.h"
#include "records/HighscoreStore.h"
#include "records/Windows1252.h"
#include "shell/StoreErrorText.h"

namespace {

const QString kClearedPlayer = QStringLiteral("Mr. Brain");

// Names are stored as single-byte text: the edit box takes only characters
// that have a byte in the store's code page.
class TSingleByteValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        return Windows1252::CanEncode(input) ? Acceptable : Invalid;
    }
};

void AddEdge(QWidget* parent, const QRect& place)
{
    auto* edge = new QFrame(parent);
    edge->setFrameStyle(QFrame::Box | QFrame::Plain);
    edge->setGeometry(place);
}

}  // namespace

THighscoreDlg::THighscoreDlg(QWidget& mainForm, const TChiffre& chiffre, std::function<THighscoreTexts()> texts,
                             std::function<void(const EStoreError&)> refused)
    : TModalDialog(mainForm, {360, 329}, QStringLiteral("HighscoreDlg")),
      chiffre_(chiffre),
      texts_(std::move(texts)),
      refused_(std::move(refused)),
      assistiveTechnologyActive_(&QAccessible::isActive)
{
    AddEdge(this, {4, 4, 353, 229});
    AddEdge(this, {4, 236, 117, 89});
    AddEdge(this, {124, 236, 233, 21});
    auto* image1 = new QLabel(this);
    image1->setGeometry(12, 244, 101, 77);
    image1->setPixmap(Assets::PicturePixmap(QStringLiteral("brain")));
    ClearBox = new QCheckBox(this);
    ClearBox->setGeometry(128, 240, 14, 13);
    clearlabel = new QLabel(this);
    clearlabel->setGeometry(148, 240, 201, 13);
    clearlabel->setBuddy(ClearBox);

    CancelBtn = AddButton("CancelBtn", {192, 296, 78, 27}, QStringLiteral("cancel"), kCancel);
    OKBtn = AddButton("OKBtn", {276, 296, 77, 27}, QStringLiteral("ok"), 0);
    OKBtn->setText(QStringLiteral("OK"));
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &THighscoreDlg::okClick);

    for (int row = 0; row < THighscoreTable::kRowCount; ++row) {
        AddRowLabel(QStringLiteral("num%1").arg(row), 20, 40, Qt::AlignRight, row)
            ->setText(QStringLiteral("%1.   ").arg(row + 1));
        AddRowLabel(QStringLiteral("pla%1").arg(row), 60, 190, Qt::AlignLeft, row);
        AddRowLabel(QStringLiteral("sco%1").arg(row), 250, 90, Qt::AlignRight, row);
    }

    Edit1 = new QLineEdit(this);
    Edit1->setFrame(false);
    Edit1->setFocusPolicy(Qt::ClickFocus);  // Tab passes it by
    Edit1->setValidator(new TSingleByteValidator(Edit1));
    QFont editFont(QStringLiteral("Arial"));
    editFont.setPixelSize(13);
    editFont.setBold(true);
    Edit1->setFont(editFont);
    Edit1->setStyleSheet(QStringLiteral("QLineEdit { background: silver; color: red; }"));
    Edit1->hide();

    // A name edited into the store by hand may hold characters the code page
    // lacks; cleaned here, the edit box accepts it and the row agrees with it.
    PlayerName_ = Windows1252::ToUnicode(Windows1252::FromUnicode(settings_.Player()));
    Edit1->setText(PlayerName_);
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
    ClearBox->setChecked(false);
    Edit1->hide();
    Edit1->setEnabled(false);
    OKBtn->setFocus();

    ReadTable();
    score_ = score;
    EditRow_ = mode == THighscoreMode::Enter ? table_.Insert(score, Windows1252::FromUnicode(PlayerName_)) : -1;
    for (int row = 0; row < THighscoreTable::kRowCount; ++row)
        ShowRow(row);

    if (EditRow_ >= 0) {
        Edit1->setGeometry(60, 15 + 21 * EditRow_, 190, 15);
        Edit1->show();
        Edit1->raise();
        Edit1->setEnabled(true);
        Edit1->setText(PlayerName_);
        Edit1->setAccessibleName(Texts().HighscoreEntry.arg(EditRow_ + 1).arg(score));
        // A screen reader's user finds the name again with Tab.
        Edit1->setFocusPolicy(assistiveTechnologyActive_() ? Qt::StrongFocus : Qt::ClickFocus);
        Edit1->setFocus();
    }
    return exec();
}

void THighscoreDlg::ReadTable()
{
    table_ = HighscoreStore::Read(chiffre_);
}

void THighscoreDlg::okClick()
{
    const bool clearing = ClearBox->isChecked();
    if (clearing) {
        PlayerName_ = kClearedPlayer;
        Edit1->setText(PlayerName_);
    } else if (EditRow_ >= 0) {
        PlayerName_ = Edit1->text();
        table_.Names[EditRow_] = Windows1252::FromUnicode(PlayerName_);
    }
    Edit1->hide();
    if (clearing || EditRow_ >= 0) {
        try {
            EditRow_ = HighscoreStore::Enter(chiffre_, score_, PlayerName_, clearing);
            ReadTable();
        } catch (const EStoreError& error) {
            if (clearing)
                table_.Clear();
            if (refused_)
                refused_(error);
            else
                QMessageBox::critical(this, windowTitle(), StoreErrorText(error));
        }
        for (int row = 0; row < THighscoreTable::kRowCount; ++row)
            ShowRow(row);
    }
    done(kOk);
}

void THighscoreDlg::ApplyTexts()
{
    const THighscoreTexts texts = texts_();
    setWindowTitle(texts.Caption);
    clearlabel->setText(texts.ClearAll);
    CancelBtn->setText(texts.Cancel);
}
