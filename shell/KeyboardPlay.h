#pragma once

#include <QEvent>
#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;
class TGamePlay;

// The whole game from the keyboard of the main window. The tool bar's
// commands are actions with keys of their own (TToolBar), which a key sent
// to the window reaches here too; the piece keys play the engine's entries
// by cell, which are the mouse's own press, move and click at those cells,
// so every rule stays the engine's.
// Whichever moved the piece last, mouse or key, the next key starts from
// where the piece is. No key acts while a modal dialog is open.
//
//   Enter picks the waiting piece up onto the middle of the board or drops
//   the carried one; the arrows move it by one cell; Space turns it; Delete
//   or Backspace throws it away. The keypad's keys do the same only while no
//   screen reader listens.
class TKeyboardPlay : public QObject {
    Q_OBJECT
public:
    // Installs itself on `window`, which owns it, and plays `play`.
    TKeyboardPlay(QWidget& window, TGamePlay& play);

    // Asks whether an assistive technology listens, which decides who owns
    // the keypad; by default Qt's own answer.
    void SetAssistiveTechnologyActive(std::function<bool()> active);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // False for keys that are not the game's, which then go on as before.
    bool ToolBarKey(const QKeyEvent& key);
    bool KeyPressed(const QKeyEvent& key);
    void PickUpOrDrop();
    void MoveByCell(int columns, int rows);
    void Turn();
    void ThrowAway();

    QWidget& window_;
    TGamePlay& play_;
    std::function<bool()> assistiveTechnologyActive_;
};
