#pragma once

class TPlayfieldReading;
class QWidget;

// The game for assistive technology (AT-SPI on Linux): the main window as
// a window, and the playfield as a panel that holds the board as a 9 x 9
// table of cells, the piece, level and score as labels, the time left as a
// progress bar and a status line that says what happens. Qt builds these
// only when something asks for them.
namespace AccessiblePlayfield {

// Makes Qt describe the game's windows this way; once per process.
void Install();

// Describes `window` as the game's window, which lists the widgets it shows.
void DescribeAsGameWindow(QWidget& window);

// The reading that `box` (the playfield widget) is described by.
void SetReading(QWidget& box, TPlayfieldReading& reading);

// Tells the listening assistive technology what changed since the last
// call, and says what happened on the status line.
void Announce(QWidget& box);

// With the keys on `box`, tells a screen reader that they stand on the
// board's current cell.
void FocusCurrentCell(QWidget& box);

}  // namespace AccessiblePlayfield
