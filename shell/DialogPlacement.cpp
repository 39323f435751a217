#include "shell/DialogPlacement.h"

#include <QWidget>

#include "records/Placement.h"

namespace Placement {

void PlaceOver(QWidget& dialog, const QWidget& mainForm)
{
    // Before the window system has framed the dialog its frame is its client.
    const QSize frame = dialog.frameGeometry().size().expandedTo(dialog.size());
    dialog.move(DialogTopLeft(mainForm.frameGeometry(), mainForm.height(), frame));
}

}  // namespace Placement
