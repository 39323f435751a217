#pragma once

#include <cstdint>
#include <functional>

#include "GameEngine.h"
#include "HeadlessView.h"
#include "Random.h"

// Plays through the engine's entries the way a restless player would: picks
// the piece up, carries it over the board, turns it, drops it, throws it
// away, lets the clock tick, pauses, resumes and starts new games. Input is
// random but plausible, and repeatable for a seed.
class TSelfPlay {
public:
    explicit TSelfPlay(uint32_t seed);

    // Sends one event to the engine.
    void Step();

    TGameEngine& Engine() { return engine_; }
    THeadlessView& View() { return view_; }
    int64_t GamesStarted() const { return gamesStarted_; }

private:
    void MoveOverBoard();

    THeadlessView view_;
    TGameEngine engine_;
    TRandom input_;
    int32_t pointerX_ = 0;
    int32_t pointerY_ = 0;
    int64_t gamesStarted_ = 0;
};
