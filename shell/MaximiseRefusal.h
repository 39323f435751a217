#pragma once

#include <QObject>
#include <QSize>

class QWidget;

// Keeps a window of fixed size at its size when the window system maximises
// it anyway. The window decorations that the toolkit draws itself (Wayland)
// offer a maximise box on every window, and the compositor answers a click on
// it with a maximised size that the client must take at once, before it can
// ask to be restored: a fixed size kept there breaks the protocol and the
// compositor drops the game. So the window takes the maximised size for that
// moment, asks back to normal, and is fixed again when it is.
class TMaximiseRefusal : public QObject {
    Q_OBJECT
public:
    // Watches `window`, which owns the refusal.
    explicit TMaximiseRefusal(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StateRequested(Qt::WindowState state);

    QWidget& window_;
    QSize fixed_;
    bool watching_ = false;
};
