#include <gtest/gtest.h>

#include "shell/MenuPlacement.h"

// The tool bar's menu on Wayland: its submenu must not run off a screen
// edge the compositor will not flip it back from.
TEST(MenuPlacement, TheMenuAndItsSubmenuStayOverTheWindowAndNearTheClick)
{
    const struct {
        int clickX, menuWidth, submenuWidth, windowWidth, left;
    } cases[] = {
        {20, 266, 120, 500, 20},     // room to the right: where the click was
        {114, 266, 120, 500, 114},   // just room
        {450, 266, 120, 500, 114},   // near the right edge: moved left
        {450, 266, 120, 1000, 450},  // a zoomed window has room
        {300, 400, 200, 500, 0},     // wider than the window: its left edge
        {0, 266, 120, 500, 0},
    };
    for (const auto& each : cases)
        EXPECT_EQ(MenuLeftWithinWindow(each.clickX, each.menuWidth, each.submenuWidth, each.windowWidth), each.left)
            << each.clickX << " in " << each.windowWidth;
}
