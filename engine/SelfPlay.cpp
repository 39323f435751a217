#include "SelfPlay.h"

TSelfPlay::TSelfPlay(uint32_t seed) : engine_(view_, seed), input_(seed ^ 0x9E3779B9u) {}

void TSelfPlay::MoveOverBoard()
{
    // Somewhere that puts the piece over the board, now and then past its edges.
    pointerX_ = 20 + input_.Below(300);
    pointerY_ = 40 + input_.Below(290);
    engine_.boxMouseMove(pointerX_, pointerY_);
}

void TSelfPlay::Step()
{
    if (engine_.GameOver) {
        ++gamesStarted_;
        engine_.Restart();
        return;
    }
    const int32_t roll = input_.Below(100);
    if (roll < 30) {
        engine_.Timer();
    } else if (roll < 55) {
        MoveOverBoard();
    } else if (roll < 75) {
        if (!engine_.Holding) {
            pointerX_ = TGameEngine::kHomeX + input_.Below(75);
            pointerY_ = TGameEngine::kHomeY + input_.Below(75);
        }
        engine_.boxMouseDown(TMouseButton::Left, pointerX_, pointerY_);
    } else if (roll < 85) {
        engine_.boxMouseDown(TMouseButton::Right, pointerX_, pointerY_);
    } else if (roll < 87) {
        engine_.boxMouseDown(TMouseButton::Other, pointerX_, pointerY_);
    } else if (roll < 90) {
        // Back over the preview box: the next left click throws the piece away.
        pointerX_ = TGameEngine::kGrabX + input_.Below(9) - 4;
        pointerY_ = TGameEngine::kGrabY + input_.Below(9) - 4;
        engine_.boxMouseMove(pointerX_, pointerY_);
    } else if (roll < 94) {
        engine_.Pause();
    } else if (roll < 99) {
        engine_.boxClick();
    } else {
        view_.GiveUpAnswer = input_.Below(2) == 0;
        if (view_.GiveUpAnswer)
            ++gamesStarted_;
        engine_.Restart();
    }
}
