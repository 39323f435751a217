#pragma once

#include <QPoint>
#include <QRect>
#include <vector>

class QWidget;

// The "explode" effect as the main window opens: 40 dotted rectangles grow
// from the mouse pointer to the window's outer rectangle, then the same 40
// are drawn again, which erases them (each drawing toggles its rectangle, as
// exclusive-or drawing on the screen does).
namespace OpenEffect {

constexpr int kSteps = 40;

// Step i (1..40): corner at cursor + i/40 of the way to the window's corner,
// size i/40 of the window's size.
QRect Step(const QPoint& cursor, const QRect& window, int step);

// The 80 rectangles in the order they are drawn.
std::vector<QRect> Sequence(const QPoint& cursor, const QRect& window);

// Whether this desktop lets the game place a window of its own over the
// others (not so on Wayland).
bool Supported();

// Plays the effect towards a window just shown, once the window system has
// put it on the screen, on an overlay shaped to the rectangles drawn so far,
// always on top and letting every click through, so it shows with or
// without a compositor; does nothing where windows cannot be placed.
void Play(const QWidget& shown);

}  // namespace OpenEffect
