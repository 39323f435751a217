#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>

// The main window's place on the desktop, kept as the record "MainForm":
// seven decimal integers joined by commas — the format tag 200, the
// placement flags, the show state (1 normal, 2 minimised, 3 maximised) and
// the left, top, right and bottom edges of the window's normal rectangle.
namespace Placement {

struct TRecord {
    int Flags = 0;
    int ShowState = 1;
    QRect Normal;  // the window's outer rectangle
};

QString Format(const TRecord& record);

// The fields of a stored record: every comma ends a field, the text after the
// last comma is a field only when not empty, and an empty text has none.
QStringList SplitFields(const QString& text);

// Where the window of size `size` goes for the stored text: the record's
// left and top edges pulled onto `desktop`, or nothing when the record is
// not valid (not seven fields, a first field other than "200", or edges that
// are not integers) and the caller centres the window instead.
std::optional<QPoint> RestoredTopLeft(const QString& stored, const QSize& size, const QRect& desktop);

// Whether windows on the Qt platform `platformName` learn where they are on
// the desktop. Wayland keeps that from its clients: what they read there is
// no place to come back to.
bool WindowSystemReportsPosition(const QString& platformName);

// The top left that centres a window of `size` on `screen`.
QPoint Centred(const QSize& size, const QRect& screen);

// Where a dialog goes over the main window: centred across it and on its
// client area, with outer rectangles and truncating halves,
//   left = main left + (main width - dialog width) / 2
//   top  = main top + main height - (main client height + dialog height) / 2
// and not pulled onto the screen.
QPoint DialogTopLeft(const QRect& mainFrame, int mainClientHeight, const QSize& dialogFrame);

}  // namespace Placement
