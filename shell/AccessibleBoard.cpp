#include "shell/AccessibleBoard.h"

namespace AccessiblePlayfield {

QAccessible::State TCell::state() const
{
    QAccessible::State state;
    state.focusable = true;
    state.focused = !box_.isNull() && box_->hasFocus() && board_.current == BoardIndex(column_, row_);
    return state;
}

QAccessibleInterface* TCell::parent() const
{
    return &board_;
}

QAccessibleInterface* TCell::table() const
{
    return &board_;
}

}  // namespace AccessiblePlayfield
