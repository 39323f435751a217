#pragma once

#include <QPointer>
#include <QWidget>

class QDialog;

// The game's modal dialogs inside the game's window, where a window of their
// own would cost the keyboard: Wayland compositors hand the keyboard back to
// the game only when the closed window has played its closing animation, and
// some only at the next click, so keys typed at once after a dialog got
// lost. Inside, the game's one surface keeps the keyboard throughout.
//
// While its dialog is open the veil covers the whole game: it takes every
// click and key meant for the game, refuses the game's close, keeps Tab
// inside the dialog and draws the dialog's frame and caption strip with its
// title and close box, as the window system draws them around a window.
class TDialogVeil : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBorder = 3;
    static constexpr int kCaption = 18;

    // Whether dialogs show inside the game's window: on Wayland. Tests may
    // choose either way (SetInsideGameWindow).
    static bool InsideGameWindow();
    static void SetInsideGameWindow(bool inside);

    // Takes `dialog` in as its child. `framed` draws frame and caption around
    // it; the splash has neither.
    TDialogVeil(QWidget& game, QDialog& dialog, bool framed);
    ~TDialogVeil() override;

    // Covers the game and puts the dialog where the placement rule puts a
    // dialog over the game's client area; before the dialog shows.
    void Cover();
    // Uncovers the game once the dialog has gone.
    void Uncover();

    // The dialog with its frame and the close box in it, in the veil's pixels.
    QRect FrameRect() const;
    QRect CloseBoxRect() const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QWidget& game_;
    QDialog& dialog_;
    bool framed_;
    bool closeBoxDown_ = false;
    QPointer<QWidget> focusBefore_;  // where the keys went before the dialog
    QMetaObject::Connection dialogGoes_;
};
