#include "shell/help/HelpPlacement.h"

#include <algorithm>

namespace hh {

namespace {

// `place`, which fits on `available`, moved as little as needed to lie on it.
QRect KeptOn(QRect place, const QRect& available)
{
    place.moveTo(std::clamp(place.left(), available.left(), available.right() - place.width() + 1),
                 std::clamp(place.top(), available.top(), available.bottom() - place.height() + 1));
    return place;
}

}  // namespace

QRect BesideOrOver(const QRect& gameFrame, const QSize& viewerFrame, const QRect& available, int minimumWidth)
{
    // The free columns of the screen on either side of the game.
    const int roomRight = available.right() - std::max(gameFrame.right(), available.left() - 1);
    const int roomLeft = std::min(gameFrame.left(), available.right() + 1) - available.left();
    const int height = std::min(viewerFrame.height(), available.height());
    const auto rightOfGame = [&](int width) {
        return KeptOn(QRect(gameFrame.right() + 1, gameFrame.top(), width, height), available);
    };
    const auto leftOfGame = [&](int width) {
        return KeptOn(QRect(gameFrame.left() - width, gameFrame.top(), width, height), available);
    };

    const int width = viewerFrame.width();
    if (roomRight >= width)
        return rightOfGame(width);
    if (roomLeft >= width)
        return leftOfGame(width);
    if (std::max(roomRight, roomLeft) >= minimumWidth)
        return roomRight >= roomLeft ? rightOfGame(roomRight) : leftOfGame(roomLeft);
    return Over(gameFrame, viewerFrame, available);
}

QRect Over(const QRect& target, const QSize& viewerFrame, const QRect& available)
{
    QRect place(QPoint(), viewerFrame.boundedTo(available.size()));
    place.moveCenter(target.center());
    return KeptOn(place, available);
}

}  // namespace hh
