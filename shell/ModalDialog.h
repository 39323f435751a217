#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QPushButton;
class TDialogVeil;

// The pattern every small window of the game follows: made when first
// opened and reused, a fixed client size, shown modally, placed over the
// main window and labelled in the current language each time it becomes
// active. Closing it by its close box or Esc gives Cancel. Where dialogs
// show inside the game's window (TDialogVeil) it is shown there, centred
// over the game's client area by the same rule.
class TModalDialog : public QDialog {
    Q_OBJECT
public:
    // How the dialog was closed; the values are those the game has always used.
    enum TModalResult : int { Ok = 1, Cancel = 2, Yes = 6 };

    // Shows the dialog modally and returns its modal result.
    int ShowModal();
    void setVisible(bool visible) override;

protected:
    TModalDialog(QWidget& mainForm, const QSize& client, const QString& objectName);

    // The dialog's activation: placement, then the texts of the language.
    void PlaceAndLabel();
    virtual void ApplyTexts() {}

    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

    // Building blocks of the layouts, all in client pixels.
    QLabel* AddBevel(const QRect& place, bool sunken);
    QLabel* AddIcon(const QRect& place);
    // A button that closes the dialog with `closesWith`, if given.
    QPushButton* AddButton(const char* name, const QRect& place, const QString& picture,
                           std::optional<TModalResult> closesWith);

    QWidget& mainForm_;

private:
    void RememberDefaultButton();

    TDialogVeil* veil_ = nullptr;           // while the dialog shows inside the game's window
    QPushButton* defaultButton_ = nullptr;  // the one Enter presses inside the game's window
};
