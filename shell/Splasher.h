#pragma once

#include <QDialog>
#include <QTimer>

class TDialogVeil;

// The title picture shown at the first start-up. A click closes it, and so
// does its timer, which runs from the splash's creation: the splash is gone
// at the first tick after it was shown, at most three seconds later. Where
// dialogs show inside the game's window (TDialogVeil), so does the splash,
// in the middle of the game.
class TSplash : public QDialog {
    Q_OBJECT
public:
    // `mainForm` is the window the splash belongs to: window systems that
    // place windows themselves (Wayland) show it over the game.
    explicit TSplash(QWidget& mainForm);
    // Shows the splash centred on the screen until a click or the timer closes it.
    int ShowModal();
    void setVisible(bool visible) override;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Dismiss();

    QTimer closeTimer_;
    TDialogVeil* veil_ = nullptr;  // while the splash shows inside the game's window
};
