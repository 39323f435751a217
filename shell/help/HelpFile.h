#pragma once

#include <QByteArray>
#include <QString>

namespace hh {

// The contents of the help file at `path` when they are, byte for byte, the
// help file this program was built with; empty when they are not (missing,
// unreadable, cut off, grown or damaged anywhere). Only a file of the built
// size is read, so a huge file costs nothing.
QByteArray ReadHelpFile(const QString& path);

}  // namespace hh
