#pragma once

#include <QEvent>
#include <QObject>
#include <QPoint>
#include <functional>

#include "engine/GameEngine.h"

class QKeyEvent;
class TMainForm;

// The whole game from the keyboard of the main window. The tool bar's
// commands are actions with keys of their own; the piece keys are a second
// pointer: they run the engine entries a mouse runs on the playfield (press,
// move, click) for the same cells, so every rule stays the engine's.
// Whichever moved the piece last, mouse or key, the next key starts from
// where the piece is. No key acts while a modal dialog is open.
//
//   Ctrl+N new game, P or Pause pause (again: resume), Ctrl+H highscores,
//   F1 rules, M sound, Ctrl+Q exit, Ctrl+L language, Ctrl+I info, Ctrl+B the
//   maker's web site; Enter picks the waiting piece up onto the middle of the
//   board or drops the carried one; the arrows move it by one cell; Space
//   turns it; Delete or Backspace throws it away. The keypad's keys do the
//   same only while no screen reader listens.
class TKeyboardPlay : public QObject {
    Q_OBJECT
public:
    // Installs itself on `form`, which owns it.
    explicit TKeyboardPlay(TMainForm& form);

    // Asks whether an assistive technology listens, which decides who owns
    // the keypad; by default Qt's own answer.
    void SetAssistiveTechnologyActive(std::function<bool()> active);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // False for keys that are not the game's, which then go on as before.
    bool ToolBarKey(const QKeyEvent& key);
    bool KeyPressed(const QKeyEvent& key);
    void PauseOrResume();
    void PickUpOrDrop();
    void MoveByCell(int columns, int rows);
    void Turn();
    void ThrowAway();
    // A game runs, not paused, with the piece carried.
    bool Carrying() const;
    // Where a mouse carrying the piece as it stands now would point.
    QPoint CarryingPointer() const;
    void CarryTo(int column, int row);

    void MoveMouse(QPoint at);
    void ClickMouse(TMouseButton button, QPoint at);

    TMainForm& form_;
    std::function<bool()> assistiveTechnologyActive_;
};
