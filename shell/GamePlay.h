#pragma once

#include <QPoint>
#include <functional>

class TGameEngine;

// The running game as the keys play it: the engine's state, its entries
// run the way the window's own events run them, and where the floating
// piece stands. The keys need no more of the window that holds the game.
class TGamePlay {
public:
    virtual TGameEngine& Engine() = 0;
    // Runs one engine entry and sends what it drew to the screen.
    virtual void Run(const std::function<void()>& entry) = 0;
    // Top left of the floating piece on the playfield, where it stands now.
    virtual QPoint PiecePosition() = 0;

protected:
    ~TGamePlay() = default;
};
