#pragma once

#include <array>
#include <string_view>

#include "engine/PlayfieldGeometry.h"

// The main window's own layout around the playfield, in its pixels at zoom 1.
namespace WindowGeometry {

// The tool bar across the top; the playfield fills the rest.
constexpr int kToolBarHeight = 33;
constexpr int kClientWidth = Geometry::kPlayfieldWidth;
constexpr int kClientHeight = kToolBarHeight + Geometry::kPlayfieldHeight;

// The tool bar's buttons, left to right: the button's object name, its
// picture, its left edge and width. All stand kButtonTop below the window's
// top and are kButtonHeight high. The rules' pictures draw the bar from here.
struct TToolButton {
    std::string_view name;
    std::string_view picture;
    int left;
    int width;
};
constexpr int kButtonTop = 4;
constexpr int kButtonHeight = 25;
constexpr std::array<TToolButton, 9> kToolButtons{{{"StartBtn", "bomb", 4, 25},
                                                   {"PauseBtn", "cup", 32, 25},
                                                   {"Soundbtn", "sound", 60, 25},
                                                   {"HighScoreBtn", "podium", 88, 25},
                                                   {"ExitBtn", "door", 116, 25},
                                                   {"TongueBtn", "lips", 379, 25},
                                                   {"RulesBtn", "rules", 408, 25},
                                                   {"InfoBtn", "info", 436, 25},
                                                   {"BlumoBtn", "face_small", 464, 29}}};

// The button named `name`; a name that is not there does not compile.
consteval const TToolButton& ToolButton(std::string_view name)
{
    for (const TToolButton& button : kToolButtons) {
        if (button.name == name)
            return button;
    }
    throw "no such tool button";
}

}  // namespace WindowGeometry
