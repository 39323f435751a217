#include "KeyboardPlay.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>
#include <algorithm>

#include "MainForm.h"
#include "PlayfieldBox.h"
#include "PlayfieldGeometry.h"

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

TKeyboardPlay::TKeyboardPlay(TMainForm& form)
    : QObject(&form), form_(form), box_(form.findChild<TPlayfieldBox*>())
{
    form.installEventFilter(this);
}

bool TKeyboardPlay::eventFilter(QObject* watched, QEvent* event)
{
    // Keys that reach the window past an open dialog (sent, not typed) are not for the game either.
    if (watched != &form_ || event->type() != QEvent::KeyPress || QApplication::activeModalWidget() != nullptr)
        return QObject::eventFilter(watched, event);
    return KeyPressed(*static_cast<QKeyEvent*>(event));
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
    constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
    static const TBinding kBindings[] = {
        {kCtrl, Qt::Key_N, false, [](TKeyboardPlay& keys) { keys.ClickToolButton("StartBtn"); }},
        {kPlain, Qt::Key_P, false, [](TKeyboardPlay& keys) { keys.PauseOrResume(); }},
        {kPlain, Qt::Key_Pause, false, [](TKeyboardPlay& keys) { keys.PauseOrResume(); }},
        {kCtrl, Qt::Key_H, false, [](TKeyboardPlay& keys) { keys.ClickToolButton("HighScoreBtn"); }},
        {kPlain, Qt::Key_F1, false, [](TKeyboardPlay& keys) { keys.ClickToolButton("RulesBtn"); }},
        {kPlain, Qt::Key_M, false, [](TKeyboardPlay& keys) { keys.ClickToolButton("Soundbtn"); }},
        {kCtrl, Qt::Key_Q, false, [](TKeyboardPlay& keys) { keys.ClickToolButton("ExitBtn"); }},
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
    // The keypad's Enter and arrows count as the others.
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

void TKeyboardPlay::ClickToolButton(const char* name)
{
    form_.findChild<QToolButton*>(QLatin1String(name))->click();
}

void TKeyboardPlay::PauseOrResume()
{
    // A paused game goes on at a click on the board; the press is not played.
    if (form_.Engine().Paused)
        ClickMouse(Qt::LeftButton, CarryingPointer());
    else
        ClickToolButton("PauseBtn");
}

void TKeyboardPlay::PickUpOrDrop()
{
    const TGameEngine& engine = form_.Engine();
    if (engine.GameOver || engine.Paused)
        return;
    if (engine.Holding) {
        ClickMouse(Qt::LeftButton, CarryingPointer());
        return;
    }
    // The waiting piece stands in the preview box, under the point a mouse grabs it by.
    ClickMouse(Qt::LeftButton, {Geometry::kGrabX, Geometry::kGrabY});
    if (engine.Holding)
        CarryTo(kMiddleCell, kMiddleCell);
}

void TKeyboardPlay::MoveByCell(int columns, int rows)
{
    if (!Carrying())
        return;
    const QPoint at = form_.PiecePosition();
    const auto& piece = form_.Engine().Piece;
    CarryTo(OnBoard(Geometry::TargetColumn(at.x()) + columns, OccupiedSpan(piece, true)),
            OnBoard(Geometry::TargetRow(at.y()) + rows, OccupiedSpan(piece, false)));
}

void TKeyboardPlay::Turn()
{
    if (!Carrying())
        return;
    ClickMouse(Qt::RightButton, CarryingPointer());
}

void TKeyboardPlay::ThrowAway()
{
    if (!Carrying())
        return;
    // Back onto its box, where a drop throws it away.
    const QPoint home(Geometry::kGrabX, Geometry::kGrabY);
    MoveMouse(home);
    ClickMouse(Qt::LeftButton, home);
}

bool TKeyboardPlay::Carrying() const
{
    const TGameEngine& engine = form_.Engine();
    return !engine.GameOver && !engine.Paused && engine.Holding;
}

QPoint TKeyboardPlay::CarryingPointer() const
{
    return form_.PiecePosition() + QPoint(Geometry::kGrabOffsetX, Geometry::kGrabOffsetY);
}

void TKeyboardPlay::CarryTo(int column, int row)
{
    MoveMouse({Geometry::CellLeft(column) + Geometry::kGrabOffsetX, Geometry::CellTop(row) + Geometry::kGrabOffsetY});
}

void TKeyboardPlay::MoveMouse(QPoint at)
{
    SendMouse(QEvent::MouseMove, Qt::NoButton, at);
}

void TKeyboardPlay::ClickMouse(Qt::MouseButton button, QPoint at)
{
    SendMouse(QEvent::MouseButtonPress, button, at);
    SendMouse(QEvent::MouseButtonRelease, button, at);
}

void TKeyboardPlay::SendMouse(QEvent::Type type, Qt::MouseButton button, QPoint at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, at, box_->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(box_, &event);
}
