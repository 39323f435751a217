#pragma once

#include <optional>

#include "engine/KeptGame.h"

class TGameEngine;
class TPlayerRecords;

// The window's side of an unfinished game kept between runs. At start a
// kept game is taken up, paused, but stays in the store until the player
// decides on it: goes on, starts anew or gives it up. Only then does this
// copy take it out of the store, so that a second copy started meanwhile
// cannot play the same game too. Store errors pass through as EStoreError.
class TKeptGameKeeper {
public:
    // What the first screen says of a kept game.
    enum class TNews { None, Waiting, Dropped, GoneElsewhere };

    TKeptGameKeeper(TGameEngine& engine, const TPlayerRecords& records);

    // At start, with no game running: takes up the kept game, if any, paused.
    // Dropped: there was one, but it could not be taken up whole.
    TNews TakeUp();

    // Before the player decides on the game taken up at start: takes it out
    // of the store for this copy. When another copy took it first, the game
    // here stops without being counted and GoneElsewhere is the news. Does
    // nothing once the game is this copy's.
    TNews Claim();

    // Whether a game taken up at start still waits in the store for the
    // player's decision.
    bool Waiting() const { return waiting_.has_value(); }

    // The player or the session leaves a running game to come back to: it is
    // kept in the store (one still waiting there stays as it is) and stops
    // uncounted. When the store refuses, the game goes on as it was.
    void Keep();

private:
    TGameEngine& engine_;
    const TPlayerRecords& records_;
    std::optional<TKeptGame> waiting_;
};
