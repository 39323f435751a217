#pragma once

#include <QColor>

#include <array>

// The game's look: a deep indigo night sky with bright, candy-coloured tiles.
namespace Theme {

// Sky, from the top of the playfield to its bottom.
inline const QColor kSkyTop{0x0b, 0x0e, 0x2e};
inline const QColor kSkyBottom{0x1c, 0x12, 0x48};

// Frames around the board, the preview box, the time bar and the counters.
inline const QColor kFrameLight{0x8c, 0x9c, 0xe8};
inline const QColor kFrameMid{0x44, 0x4e, 0xa0};
inline const QColor kFrameDark{0x14, 0x16, 0x3c};

// An empty cell: a shallow well with a groove around it.
inline const QColor kCellGroove{0x07, 0x08, 0x1c};
inline const QColor kCellFloor{0x18, 0x1e, 0x4c};
inline const QColor kCellFloorAlt{0x1e, 0x26, 0x5a};  // every other 3 x 3 square
inline const QColor kCellRim{0x2c, 0x36, 0x78};

// Counters: dark panel, black wells, lit and unlit segments.
inline const QColor kPanel{0x0a, 0x0c, 0x26};
inline const QColor kWell{0x02, 0x03, 0x0c};
inline const QColor kSegmentLit{0x3c, 0xf0, 0xff};
inline const QColor kSegmentCore{0xd8, 0xff, 0xff};
inline const QColor kSegmentGhost{0x0a, 0x22, 0x30};

// Title lettering.
inline const QColor kTitleTop{0x9f, 0xf4, 0xff};
inline const QColor kTitleBottom{0xb2, 0x7c, 0xff};

// The eight tile colours. Picture p (0..31) of a tile has colour p % 8 and
// symbol p / 8: circle, diamond, triangle, star.
inline const std::array<QColor, 8> kTileColours{
    QColor{0xe8, 0x3e, 0x3e},  // red
    QColor{0xf3, 0x8a, 0x22},  // orange
    QColor{0xf2, 0xd0, 0x26},  // yellow
    QColor{0x4c, 0xc2, 0x3e},  // green
    QColor{0x22, 0xc8, 0xd6},  // cyan
    QColor{0x3a, 0x74, 0xf0},  // blue
    QColor{0x9c, 0x56, 0xec},  // violet
    QColor{0xec, 0x54, 0xb4},  // pink
};

}  // namespace Theme
