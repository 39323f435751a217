#pragma once

#include <array>
#include <functional>

#include "shell/ModalDialog.h"

class QLabel;
class TPlayerRecords;
struct TLifetimeRecord;

// About the game, and below it the player's lifetime record, read from the
// store each time the dialog is shown. Its language button opens the
// language dialog and relabels this dialog and the main window at once.
class TInfoDialog : public TModalDialog {
    Q_OBJECT
public:
    // `records` holds the lifetime record; `showTongueDlg` shows the
    // language dialog; `repaintMainForm` draws the main window whole again,
    // in the language now chosen.
    TInfoDialog(QWidget& mainForm, const TPlayerRecords& records, std::function<void()> showTongueDlg,
                std::function<void()> repaintMainForm);

protected:
    void ApplyTexts() override;

private:
    void ChooseTongue();
    void ShowRecord(const TLifetimeRecord& record);

    // Title, then a name and a value for each of the record's seven counts.
    QLabel* recordTitle_ = nullptr;
    std::array<QLabel*, 7> recordNames_{};
    std::array<QLabel*, 7> recordValues_{};

    const TPlayerRecords& records_;
    std::function<void()> showTongueDlg_;
    std::function<void()> repaintMainForm_;
    QLabel* codedLabel_;
    QPushButton* tongueButton_;
    QPushButton* okButton_;
};
