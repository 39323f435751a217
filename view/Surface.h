#pragma once

#include <functional>

#include <QImage>
#include <QRegion>

#include "engine/PlayfieldGeometry.h"
#include "view/Raster.h"

class QFont;
class QString;

// The playfield's pixels, 500 x 333, and the record of what changed on them.
// Every write goes through the surface, which clips it to its own rectangle
// and adds the clipped rectangle to the dirty region; whoever shows the
// surface takes that region and copies just those pixels to the screen.
class TSurface {
public:
    static constexpr int kWidth = Geometry::kPlayfieldWidth;
    static constexpr int kHeight = Geometry::kPlayfieldHeight;

    // Black, with nothing dirty. Text on it is sized at 96 dots per inch,
    // whatever the screen.
    explicit TSurface(QSize size = {kWidth, kHeight});

    const QImage& Image() const { return image_; }

    // BlockTransfer onto the surface.
    void Transfer(int x, int y, int w, int h, const QImage& src, int sx, int sy, TRasterOp op);
    void Fill(const QRect& rect, QRgb color);
    // Lets `draw` write the pixels of `area` straight on the surface, for
    // drawing that reads what it overwrites; the area counts as written.
    template <typename Draw>
    void DrawInPlace(const QRect& area, Draw&& draw)
    {
        draw(image_);
        MarkDirty(area.intersected(image_.rect()));
    }
    // One line of text whose character cell has its top left at (x, y),
    // over the pixels already there.
    void DrawText(int x, int y, const QString& text, const QFont& font, QRgb color);

    // The region written since the last call; the record starts empty again.
    QRegion TakeDirty();

    // Called by the waits of the animations, which block the event loop, so
    // that what they drew reaches the screen; the window's hook repaints the
    // dirty region at once. Without a hook a flush does nothing.
    void SetFlushHook(std::function<void()> hook);
    void Flush() const;

private:
    void MarkDirty(const QRect& rect);

    QImage image_;
    QRegion dirty_;
    std::function<void()> flush_;
};
