#include "shell/KeyboardPlay.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <utility>

#include "engine/GameEngine.h"
#include "shell/GamePlay.h"

TKeyboardPlay::TKeyboardPlay(QWidget& window, TGamePlay& play)
    : QObject(&window), window_(window), play_(play), assistiveTechnologyActive_(&QAccessible::isActive)
{
    window.installEventFilter(this);
}

void TKeyboardPlay::SetAssistiveTechnologyActive(std::function<bool()> active)
{
    assistiveTechnologyActive_ = std::move(active);
}

bool TKeyboardPlay::eventFilter(QObject* watched, QEvent* event)
{
    // Keys that reach the window past an open dialog (sent, not typed) are not for the game either.
    if (watched != &window_ || event->type() != QEvent::KeyPress || QApplication::activeModalWidget() != nullptr)
        return QObject::eventFilter(watched, event);
    const auto& key = *static_cast<QKeyEvent*>(event);
    return ToolBarKey(key) || KeyPressed(key);
}

bool TKeyboardPlay::ToolBarKey(const QKeyEvent& key)
{
    // The window system hands a command's keys to its action before the
    // window sees them; a key that comes here all the same (the window not
    // active, a key sent by a program) goes the same way.
    const QKeySequence pressed(key.keyCombination());
    for (QAction* command : window_.actions()) {
        if (command->isEnabled() && !key.isAutoRepeat() && command->shortcuts().contains(pressed)) {
            command->trigger();
            return true;
        }
    }
    return false;
}

bool TKeyboardPlay::KeyPressed(const QKeyEvent& key)
{
    using TAction = void (*)(TKeyboardPlay&);
    struct TBinding {
        Qt::KeyboardModifiers modifiers;
        int key;
        bool repeats;  // held down, only moving and turning repeat, as a mouse could
        TAction action;
    };
    constexpr Qt::KeyboardModifiers kPlain = Qt::NoModifier;
    static const TBinding kBindings[] = {
        {kPlain, Qt::Key_Return, false, [](TKeyboardPlay& keys) { keys.PickUpOrDrop(); }},
        {kPlain, Qt::Key_Enter, false, [](TKeyboardPlay& keys) { keys.PickUpOrDrop(); }},
        {kPlain, Qt::Key_Left, true, [](TKeyboardPlay& keys) { keys.MoveByCell(-1, 0); }},
        {kPlain, Qt::Key_Right, true, [](TKeyboardPlay& keys) { keys.MoveByCell(1, 0); }},
        {kPlain, Qt::Key_Up, true, [](TKeyboardPlay& keys) { keys.MoveByCell(0, -1); }},
        {kPlain, Qt::Key_Down, true, [](TKeyboardPlay& keys) { keys.MoveByCell(0, 1); }},
        {kPlain, Qt::Key_Space, true, [](TKeyboardPlay& keys) { keys.Turn(); }},
        {kPlain, Qt::Key_Delete, false, [](TKeyboardPlay& keys) { keys.ThrowAway(); }},
        {kPlain, Qt::Key_Backspace, false, [](TKeyboardPlay& keys) { keys.ThrowAway(); }},
    };
    // The keypad's Enter and arrows count as the others, unless a screen
    // reader listens: then they are its own commands.
    if (key.modifiers().testFlag(Qt::KeypadModifier) && assistiveTechnologyActive_())
        return false;
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    for (const TBinding& binding : kBindings) {
        if (binding.key != key.key() || binding.modifiers != modifiers)
            continue;
        if (binding.repeats || !key.isAutoRepeat())
            binding.action(*this);
        return true;
    }
    return false;
}

void TKeyboardPlay::PickUpOrDrop()
{
    TGameEngine& engine = play_.Engine();
    play_.Run([&] {
        if (engine.Holding)
            engine.Drop();
        else
            engine.PickUp();
    });
}

void TKeyboardPlay::MoveByCell(int columns, int rows)
{
    play_.Run([&] { play_.Engine().CarryBy(columns, rows); });
}

void TKeyboardPlay::Turn()
{
    play_.Run([&] { play_.Engine().Turn(); });
}

void TKeyboardPlay::ThrowAway()
{
    play_.Run([&] { play_.Engine().ThrowAway(); });
}
