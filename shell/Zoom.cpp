#include "shell/Zoom.h"

#include <algorithm>

#include "shell/WindowGeometry.h"

namespace Zoom {

namespace {

int zoomInForce = 1;

bool Fits(int zoom, const QSize& available)
{
    const QSize size = SeedSize() * zoom;
    return size.width() <= available.width() && size.height() <= available.height();
}

}  // namespace

QSize SeedSize()
{
    return {WindowGeometry::kClientWidth, WindowGeometry::kClientHeight};
}

int Fitted(int wanted, const QSize& available)
{
    int zoom = std::clamp(wanted, 1, kLargest);
    while (zoom > 1 && !Fits(zoom, available))
        --zoom;
    return zoom;
}

int Automatic(const QSize& available)
{
    // A game beside other windows: at most 60 % of the screen's height.
    const int byHeight = available.height() * 60 / 100 / SeedSize().height();
    return Fitted(std::max(byHeight, 1), available);
}

int ForScreen(int choice, const QSize& available)
{
    return choice == kAutomatic ? Automatic(available) : Fitted(choice, available);
}

int InForce()
{
    return zoomInForce;
}

void SetInForce(int zoom)
{
    zoomInForce = zoom;
}

}  // namespace Zoom
