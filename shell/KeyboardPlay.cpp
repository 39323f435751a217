#include "shell/KeyboardPlay.h"

#include <QApplication>
#include <QKeyEvent>
#include <QAccessible>
#include <QAction>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "engine/PlayfieldGeometry.h"
#include "shell/GamePlay.h"

namespace {

// The frame's top left on the board cell that puts the piece in the middle.
constexpr int kMiddleCell = (kBoardSize - kPieceSize) / 2;

// The first and last column (or row) of the piece's frame that hold a tile.
struct TSpan {
    int first = kPieceSize;
    int last = -1;
};

TSpan OccupiedSpan(const std::array<int32_t, kPieceSlots>& piece, bool columns)
{
    TSpan span;
    for (int i = 0; i < kPieceSize; ++i) {
        for (int j = 0; j < kPieceSize; ++j) {
            if (!CellCode::IsOccupied(piece[columns ? PieceIndex(i, j) : PieceIndex(j, i)]))
                continue;
            span.first = std::min(span.first, i);
            span.last = std::max(span.last, i);
        }
    }
    return span;
}

// The frame may hang over the board's edge by its empty columns or rows only.
int OnBoard(int cell, TSpan span)
{
    return std::clamp(cell, -span.first, kBoardSize - 1 - span.last);
}

}  // namespace

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
    const TGameEngine& engine = play_.Engine();
    if (engine.GameOver || engine.Paused)
        return;
    if (engine.Holding) {
        ClickMouse(TMouseButton::Left, CarryingPointer());
        return;
    }
    // The waiting piece stands in the preview box, under the point a mouse grabs it by.
    ClickMouse(TMouseButton::Left, {Geometry::kGrabX, Geometry::kGrabY});
    if (engine.Holding)
        CarryTo(kMiddleCell, kMiddleCell);
}

void TKeyboardPlay::MoveByCell(int columns, int rows)
{
    if (!Carrying())
        return;
    const QPoint at = play_.PiecePosition();
    const auto& piece = play_.Engine().Piece;
    CarryTo(OnBoard(Geometry::TargetColumn(at.x()) + columns, OccupiedSpan(piece, true)),
            OnBoard(Geometry::TargetRow(at.y()) + rows, OccupiedSpan(piece, false)));
}

void TKeyboardPlay::Turn()
{
    if (!Carrying())
        return;
    ClickMouse(TMouseButton::Right, CarryingPointer());
}

void TKeyboardPlay::ThrowAway()
{
    if (!Carrying())
        return;
    // Back onto its box, where a drop throws it away.
    const QPoint home(Geometry::kGrabX, Geometry::kGrabY);
    MoveMouse(home);
    ClickMouse(TMouseButton::Left, home);
}

bool TKeyboardPlay::Carrying() const
{
    const TGameEngine& engine = play_.Engine();
    return !engine.GameOver && !engine.Paused && engine.Holding;
}

QPoint TKeyboardPlay::CarryingPointer() const
{
    return play_.PiecePosition() + QPoint(Geometry::kGrabOffsetX, Geometry::kGrabOffsetY);
}

void TKeyboardPlay::CarryTo(int column, int row)
{
    MoveMouse({Geometry::CellLeft(column) + Geometry::kGrabOffsetX, Geometry::CellTop(row) + Geometry::kGrabOffsetY});
}

void TKeyboardPlay::MoveMouse(QPoint at)
{
    play_.Run([&] { play_.Engine().boxMouseMove(at.x(), at.y()); });
}

void TKeyboardPlay::ClickMouse(TMouseButton button, QPoint at)
{
    // What a click on the playfield does: the press, and for the left button the click.
    TGameEngine& engine = play_.Engine();
    play_.Run([&] { engine.boxMouseDown(button, at.x(), at.y()); });
    if (button == TMouseButton::Left)
        play_.Run([&] { engine.boxClick(); });
}
