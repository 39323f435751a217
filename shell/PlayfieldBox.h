#pragma once

#include <QWidget>

#include "engine/GameEngine.h"

class TSurface;

// The paint box `box`: shows the playfield surface and hands the mouse to the
// engine. Painting only copies the surface; on screens with more than one
// device pixel per pixel it is scaled up without smoothing, so it stays crisp.
// It takes the window's keys (passing them on to the window), so that a
// screen reader follows the board.
class TPlayfieldBox : public QWidget {
    Q_OBJECT
public:
    TPlayfieldBox(QWidget* parent, const TSurface& surface);

signals:
    void MouseDown(TMouseButton button, int x, int y);
    void MouseMove(int x, int y);
    // The left button released over the box after it went down there.
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const TSurface& surface_;
    bool leftDown_ = false;
};
