#pragma once

#include <QRect>
#include <QSize>

// Where the rules window opens the first time. All rectangles are window
// frames in screen coordinates; `available` is the free area of the screen.
namespace hh {

// Beside the game, so that the game goes on in view while the rules are
// read: right of `gameFrame` when the whole `viewerFrame` fits there, else
// left of it, top aligned with the game's. Where it fits on neither side,
// the viewer narrows to the room of the wider side, down to `minimumWidth`;
// with even less room it goes over the game (Over). The result always lies
// wholly on `available`.
QRect BesideOrOver(const QRect& gameFrame, const QSize& viewerFrame, const QRect& available, int minimumWidth);

// Centred on `target`, shrunk and moved as far as needed to lie wholly on
// `available`.
QRect Over(const QRect& target, const QSize& viewerFrame, const QRect& available);

}  // namespace hh
