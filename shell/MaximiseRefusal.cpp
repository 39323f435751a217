#include "shell/MaximiseRefusal.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

TMaximiseRefusal::TMaximiseRefusal(QWidget& window) : QObject(&window), window_(window)
{
    window.installEventFilter(this);
}

bool TMaximiseRefusal::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &window_)
        return false;
    // The window's handle exists from its first show on; a maximise asked
    // through it is seen there at once, before the compositor answers.
    if (event->type() == QEvent::Show && !watching_ && window_.windowHandle() != nullptr) {
        watching_ = true;
        connect(window_.windowHandle(), &QWindow::windowStateChanged, this, &TMaximiseRefusal::StateRequested);
    }
    // A maximise that the window system has not asked the window to take
    // (the window not shown yet, or a window manager that asks nothing) is
    // taken back at once.
    if (event->type() == QEvent::WindowStateChange && window_.isMaximized() && fixed_.isEmpty())
        window_.setWindowState(window_.windowState() & ~Qt::WindowMaximized);
    // Fixed again once the compositor has given the normal size back.
    if (event->type() == QEvent::Resize && !window_.isMaximized() && !fixed_.isEmpty() && window_.size() == fixed_) {
        window_.setFixedSize(fixed_);
        fixed_ = QSize();
    }
    // The compositor hears the way back only once the window has shown itself
    // maximised: asked earlier, it would still count the window as normal and
    // answer nothing.
    if (event->type() == QEvent::Paint && window_.isMaximized() && window_.size() != fixed_)
        QTimer::singleShot(0, this, [this] { window_.setWindowState(window_.windowState() & ~Qt::WindowMaximized); });
    return false;
}

void TMaximiseRefusal::StateRequested(Qt::WindowState state)
{
    if (state != Qt::WindowMaximized || !fixed_.isEmpty() || window_.minimumSize() != window_.maximumSize())
        return;
    fixed_ = window_.maximumSize();
    window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}
