#pragma once

class QWidget;
class TPreferences;

// The game window's place on the desktop, kept in the store as "MainForm".
// Where the window system does not tell clients where their windows are
// (Wayland), the stored placement is kept as it was.
namespace WindowPlacement {

// Moves `window` to its stored place, or centres it on the primary screen.
void Restore(QWidget& window, const TPreferences& preferences);
// Throws EStoreError when the store refuses.
void Save(const QWidget& window, const TPreferences& preferences);

}  // namespace WindowPlacement
