#pragma once

#include <cstdint>

#include <QImage>

#include "engine/GameView.h"
#include "engine/SpritePlace.h"

class TSurface;

// A rectangular, masked picture floating over a surface. It keeps the surface
// pixels it covers in a save-under buffer and puts them back when it goes
// away or moves, so the surface below is never redrawn for it.
//
// A sprite pixel on the surface is (pixel below AND mask) OR picture: the mask
// is black where the picture is opaque and white where the surface shows
// through, and a picture that is not black under a white mask tints the
// surface there. Picture and mask belong to the caller and are read at every
// drawing operation, so new contents show at the next show, move or refresh.
//
// The sprite is ready once it has a picture, a mask and its save-under buffer;
// until then (for good if the buffer could not be made) every operation that
// places, draws, moves, shows, hides, grabs or drags does nothing. It does no
// clipping of its own: it may stand partly or wholly off the surface, which
// clips every write.
class tSprite final : public TSpriteOutlet {
public:
    // `width` and `height` are taken as absolute values.
    tSprite(TSurface& canvas, int32_t width, int32_t height);
    tSprite(const tSprite&) = delete;
    tSprite& operator=(const tSprite&) = delete;

    void SetPicture(const QImage& picture, int32_t x, int32_t y);
    void SetMask(const QImage& mask, int32_t x, int32_t y);

    // Places the top left at (x, y), drawing there if visible. Moving to a new
    // place ends a drag; the place the sprite already has changes nothing.
    void SetPosition(int32_t x, int32_t y) override;
    void Show() override;
    // Restores the saved pixels. A drag goes on: a sprite hidden and shown
    // again still follows the pointer.
    void Hide() override;
    // Whether (x, y) lies in the sprite's rectangle, transparent parts
    // included, visible, hidden or not ready.
    bool HitTest(int32_t x, int32_t y) const override;
    // Starts a drag when the visible sprite is hit at (x, y); the sprite then
    // keeps that point under the pointer.
    void Grab(int32_t x, int32_t y) override;
    void DragTo(int32_t x, int32_t y) override;
    void Release() override;
    // Draws the visible sprite again over the pixels it saved, for after the
    // surface was painted over; what was drawn under it since it last saved
    // them does not show through.
    void Refresh();

    int32_t GetX() const override { return Place.X; }
    int32_t GetY() const override { return Place.Y; }
    bool IsReady() const { return HasPicture && HasMask && HasSaveUnder; }

private:
    void DrawFresh();
    void RestoreUnder();
    void Recompose();
    void MoveSprite(int32_t nx, int32_t ny);
    // Draws the sprite standing at `spriteAt` over the pixels of `under`
    // inside `part`, into `dst`; with `saved`, also copies those pixels below
    // into it. All of them in surface coordinates: each bitmap holds the
    // surface's pixels from its origin on, `saved` from `spriteAt` on.
    void Compose(QImage& dst, QPoint dstOrigin, const QImage& under, QPoint underOrigin, QPoint spriteAt,
                 const QRect& part, QImage* saved) const;

    TSpritePlace Place;
    const QImage* Picture = nullptr;
    int32_t PictureX = 0;
    int32_t PictureY = 0;
    bool HasPicture = false;
    const QImage* Mask = nullptr;
    int32_t MaskX = 0;
    int32_t MaskY = 0;
    bool HasMask = false;
    QImage SaveUnder;
    bool HasSaveUnder = false;
    // Made on the first move and kept: a near move builds the new save-under
    // here from the old one and the surface, then the two change places.
    QImage SpareUnder;
    TSurface& Canvas;
};
