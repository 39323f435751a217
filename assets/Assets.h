#pragma once

#include <QString>

// Paths of the resources the game carries with it.
namespace Assets {

// The image sheet at `index` of the playfield's list: 0 background,
// 1 tiles, 2 explosion, 3 digits.
QString SheetPath(int index);

// Clip of sound effect `effect` (1..6).
QString ClipPath(int effect);

// A named picture of the tool bar or a dialog, such as "bomb" or "lips".
QString PicturePath(const QString& name);

}  // namespace Assets
