#pragma once

class QWidget;

namespace Placement {

// Moves `dialog` to its place over `mainForm` (see DialogTopLeft).
void PlaceOver(QWidget& dialog, const QWidget& mainForm);

// Takes back a maximise of a window of fixed size. Window decorations that
// the toolkit draws itself (Wayland) offer one anyway, and it would only
// change their icon.
void UndoMaximise(QWidget& window);

}  // namespace Placement
