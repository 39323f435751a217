#pragma once

#include <array>
#include <functional>

#include "engine/GameView.h"
#include "records/HighscoreTable.h"
#include "records/SettingsStore.h"
#include "shell/ModalDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TPlayerRecords;

// The texts of the highscore dialog in the current language.
struct THighscoreTexts {
    QString Caption;
    QString ClearAll;
    QString Cancel;
};

// The table of the ten best, shown and edited only here. In entry mode a score
// is offered: when it enters, the player types a name straight into its new
// row. OK stores the entry with the name, or the clearing of the table;
// otherwise, like Cancel and the close box, it stores nothing. The table is
// read from the store at every show and read again at OK, as another copy of
// the game may have stored a row meanwhile: the store is the only lasting
// copy.
class THighscoreDlg : public TModalDialog {
    Q_OBJECT
public:
    // Reads the player's name from `records` once, now. A refused store goes
    // to `refused`; without one, the dialog shows the message itself.
    THighscoreDlg(QWidget& mainForm, const TPlayerRecords& records, std::function<THighscoreTexts()> texts,
                  std::function<void(const EStoreError&)> refused = {});

    // View only shows the table; Enter offers `score` for entry.
    // Returns the modal result: OK, or Cancel for Cancel and the close box.
    // Takes the place of the plain modal show, which has nothing to offer here.
    int ShowModal(int32_t score, THighscoreMode mode);

    // Asks whether an assistive technology listens, which lets Tab reach the
    // name field; by default Qt's own answer.
    void SetAssistiveTechnologyActive(std::function<bool()> active);

    const THighscoreTable& Table() const { return table_; }
    const QString& PlayerName() const { return playerName_; }
    int EditRow() const { return editRow_; }

protected:
    void ApplyTexts() override;

private:
    void AcceptEntry();
    void ReadTable();
    void ShowRow(int row);
    QLabel* AddRowLabel(const QString& name, int left, int width, Qt::Alignment alignment, int row);

    const TPlayerRecords& records_;
    std::function<THighscoreTexts()> texts_;
    std::function<void(const EStoreError&)> refused_;
    std::function<bool()> assistiveTechnologyActive_;
    THighscoreTable table_;
    int32_t score_ = 0;
    QString playerName_;
    int editRow_ = -1;

    QCheckBox* clearBox_;
    QLabel* clearLabel_;
    QPushButton* cancelButton_;
    QPushButton* okButton_;
    QLineEdit* nameEdit_;
};
