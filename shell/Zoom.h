#pragma once

#include <QSize>

#include "records/GameSettings.h"

// The whole game drawn at a whole multiple of its size, on top of the
// screen's own pixel ratio: the rules and the drawing keep their pixels,
// only the presentation grows. The factor is Qt's global scale factor and
// is fixed for a run; main() settles it before the window exists.
namespace Zoom {

constexpr int kAutomatic = TGameSettings::kZoomAutomatic;  // the choice that lets the screen decide
constexpr int kLargest = TGameSettings::kLargestZoom;

// The window's client area at zoom 1.
QSize SeedSize();

// The largest zoom at which the window takes at most 60 % of the height
// and fits the width of `available`, the screen's free area in its own
// pixels at zoom 1; at least 1.
int Automatic(const QSize& available);

// The largest zoom up to `wanted` (1..4) at which the window fits
// `available`; at least 1.
int Fitted(int wanted, const QSize& available);

// What `choice` (kAutomatic or 1..4) comes to on a screen with `available`.
int ForScreen(int choice, const QSize& available);

// The zoom of this run, set once at start-up; 1 until then.
int InForce();
void SetInForce(int zoom);

}  // namespace Zoom
