#pragma once

#include "engine/PlayfieldGeometry.h"

// The main window's own layout around the playfield, in its pixels at zoom 1.
namespace WindowGeometry {

// The tool bar across the top; the playfield fills the rest.
constexpr int kToolBarHeight = 33;
constexpr int kClientWidth = Geometry::kPlayfieldWidth;
constexpr int kClientHeight = kToolBarHeight + Geometry::kPlayfieldHeight;

}  // namespace WindowGeometry
