#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <vector>

// Pictures of the window and the dialogs: tool bar glyphs, dialog pictures,
// flags, the splash and the program icon.
namespace Pictures {

struct Picture {
    QString name;  // file name without ".png"
    QImage image;
    bool alpha;  // kept as RGBA; otherwise written as opaque RGB
};

// 19 x 19 glyphs of the tool bar (face_small: 23 x 19), transparent around
// the subject so the button face shows through.
std::vector<Picture> ToolBar();

// face, brain, splash, the two flag pictures, ok and cancel.
std::vector<Picture> Dialogs();

// The program icon at 16, 32, 48, 64, 128 and 256 pixels.
std::vector<Picture> Icons();

// The same icon as a scalable SVG document.
QByteArray IconSvg();

}  // namespace Pictures
