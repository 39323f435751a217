#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

// What the game carries with it: its pictures, baked into the program as
// pixels ready to draw, and its sound clips, as resources.
namespace Assets {

// A named picture, such as the sheet "tiles", the tool bar's "bomb" or the
// icon "icon_32": a read-only image over the program's own pixels (null for
// a name the game does not have).
QImage Picture(const QString& name);

// The image sheet at `index` of the playfield's list: 0 background,
// 1 tiles, 2 explosion, 3 digits.
QString SheetName(int index);

// Clip of sound effect `effect` (1..6).
QString ClipPath(int effect);

// The named picture as an icon that stays crisp at every zoom: drawn at the
// largest whole multiple of its size that the button has room for, each
// pixel a square block, never blurred; only a room smaller than the picture
// shrinks it, smoothly.
QIcon PictureIcon(const QString& name);
// The same for a switch: picture `on` when checked, `off` when not.
QIcon ToggleIcon(const QString& on, const QString& off);

// The named picture for a label, its pixels already blocks of the
// application's device pixel ratio (zoom included): a label would otherwise
// blur it up to that ratio itself.
QPixmap PicturePixmap(const QString& name);

// The program's icon in all its drawn sizes.
QIcon ProgramIcon();

// The layouts were measured in Arial and MS Sans Serif. Where those faces
// are missing, text falls back to Liberation Sans, which has Arial's
// metrics, rather than to a wider sans-serif that wraps labels. Runs by
// itself when the application object of any program linking this is made.
void UseMetricCompatibleFaces();

}  // namespace Assets
