#pragma once

#include "engine/GameEngine.h"
#include "engine/HeadlessView.h"
#include "view/Playfield.h"
#include "view/Sheets.h"
#include "view/Surface.h"

// The playfield as the window holds it: the drawing made first, then the
// engine that draws through it, with no sound and no window. The render
// commands arrange the engine's state and draw it through `view` (and its
// sprite, view.Sprite()), without a window.
struct TStage {
    explicit TStage(const TSheets& sheets)
        : view(surface, sheets, engine, [this] { return german ? TTongue::German : TTongue::English; }),
          engine(TGameView(view, view.Sprite(), quiet, quiet), 2024)
    {
    }

    TSurface surface;
    bool german = false;
    TPlayfield view;
    THeadlessView quiet;
    TGameEngine engine;
};
