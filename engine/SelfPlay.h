#pragma once

#include <cstdint>
#include <deque>

#include "engine/GameEngine.h"
#include "engine/HeadlessView.h"
#include "engine/Random.h"

// Plays Novagrid headless through the engine's entries, one event per Step,
// repeatable for a seed. Two players:
//   Restless  picks the piece up, carries it over the board, turns it, drops
//             it, throws it away, lets the clock tick, pauses, resumes and
//             starts new games, all at random but plausibly.
//   Greedy    plays to last: it puts each piece where the most layers clear
//             and the fewest cells fill to four layers, throws a piece away
//             only when it fits nowhere, and so reaches the high levels
//             (thick tiles, many bombs, the shortest turns, big scores).
// Where the greedy player puts the waiting piece: after `turns` quarter
// turns, its top-left slot over board cell (column, row). `fits` is false
// when the piece fits nowhere in any turn; it is then thrown away.
struct TPlacement {
    bool fits = false;
    int turns = 0;
    int column = 0;
    int row = 0;
};
TPlacement GreedyPlacement(const TGameEngine& engine);

class TSelfPlay {
public:
    enum class TPlayer { Restless, Greedy };

    explicit TSelfPlay(uint32_t seed, TPlayer player = TPlayer::Restless);

    // Sends one event to the engine.
    void Step();

    TGameEngine& Engine() { return engine_; }
    THeadlessView& View() { return view_; }
    int64_t GamesStarted() const { return gamesStarted_; }

private:
    struct TEvent {
        enum class TKind { Tick, Press, TurnClick, Move, DropClick, Pause, Resume } kind;
        int32_t x = 0;
        int32_t y = 0;
    };

    void RestlessStep();
    void MoveOverBoard();
    void GreedyStep();
    void PlanTurn();

    THeadlessView view_;
    TGameEngine engine_;
    TRandom input_;
    TPlayer player_;
    std::deque<TEvent> plan_;
    int32_t pointerX_ = 0;
    int32_t pointerY_ = 0;
    int64_t gamesStarted_ = 0;
};
