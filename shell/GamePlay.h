#pragma once

#include <functional>

class TGameEngine;

// The running game as the keys play it: the engine, and its entries run
// the way the window's own events run them. The keys need no more of the
// window that holds the game.
class TGamePlay {
public:
    virtual TGameEngine& Engine() = 0;
    // Runs one engine entry and sends what it drew to the screen.
    virtual void Run(const std::function<void()>& entry) = 0;

protected:
    ~TGamePlay() = default;
};
