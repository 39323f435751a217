#pragma once

class QWidget;

namespace Placement {

// Moves `dialog` to its place over `mainForm` (see DialogTopLeft).
void PlaceOver(QWidget& dialog, const QWidget& mainForm);

}  // namespace Placement
