#pragma once

#include <algorithm>

// Where the tool bar's menu opens, in the window's own pixels, where the
// window system keeps popups from knowing the screen (Wayland) and may not
// flip them back (weston): as near the click as lets the menu and its widest
// submenu, opening to its right, both lie over the window, which the window
// system keeps on screen. A window narrower than both puts the menu at its
// left edge.
inline int MenuLeftWithinWindow(int clickX, int menuWidth, int submenuWidth, int windowWidth)
{
    return std::max(0, std::min(clickX, windowWidth - menuWidth - submenuWidth));
}
