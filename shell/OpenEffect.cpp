#include "shell/OpenEffect.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <set>
#include <thread>
#include <tuple>

namespace {

constexpr auto kPause = std::chrono::milliseconds(1);
// A window manager that takes longer to map a window holds the effect back
// no further: it then plays unseen.
constexpr int kLongestShow = 50;  // milliseconds

// Lets the window system put a shown window on the screen: only a window
// known to be there gets painted, and no event loop runs while the effect
// plays. Input waits.
void WaitUntilOnScreen(const QWidget& window)
{
    const QDeadlineTimer limit(kLongestShow);
    while (window.windowHandle() != nullptr && !window.windowHandle()->isExposed() && !limit.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        std::this_thread::sleep_for(kPause);
    }
}

// The pixels of a rectangle's one-pixel outline.
QRegion Outline(const QRect& rect)
{
    return QRegion(rect).subtracted(QRegion(rect.adjusted(1, 1, -1, -1)));
}

// A window over the whole desktop whose shape is the outlines of the
// rectangles drawn so far: only those pixels cover the desktop, whether or
// not a compositor blends windows, and none of them takes a click.
class TOverlay : public QWidget {
public:
    explicit TOverlay(const QRect& desktop)
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool |
                               Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_NoSystemBackground);
        setGeometry(desktop);
    }

    void Toggle(const QRect& rect)
    {
        const QRect local = rect.translated(-geometry().topLeft());
        const auto key = std::make_tuple(local.x(), local.y(), local.width(), local.height());
        if (!drawn_.erase(key))
            drawn_.insert(key);
        // An empty mask would unshape the window and cover the desktop.
        if (drawn_.empty()) {
            hide();
            return;
        }
        QRegion shape;
        for (const auto& [x, y, w, h] : drawn_)
            shape += Outline(QRect(x, y, w, h));
        setMask(shape);
        if (isHidden()) {
            show();
            WaitUntilOnScreen(*this);
        }
        // The pixels of a rectangle that goes stay behind, cut off by the
        // shape; only a new one needs painting.
        if (drawn_.contains(key))
            repaint(Outline(local));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        // White dots on black read over any background.
        QPainter painter(this);
        for (const auto& [x, y, w, h] : drawn_) {
            const QRect rect = QRect(x, y, w, h).adjusted(0, 0, -1, -1);
            painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
            painter.drawRect(rect);
            painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
            painter.drawRect(rect);
        }
    }

private:
    std::set<std::tuple<int, int, int, int>> drawn_;
};

}  // namespace

namespace OpenEffect {

QRect Step(const QPoint& cursor, const QRect& window, int step)
{
    return QRect(cursor.x() + step * (window.left() - cursor.x()) / kSteps,
                 cursor.y() + step * (window.top() - cursor.y()) / kSteps, step * window.width() / kSteps,
                 step * window.height() / kSteps);
}

std::vector<QRect> Sequence(const QPoint& cursor, const QRect& window)
{
    std::vector<QRect> rects;
    for (int pass = 0; pass < 2; ++pass)
        for (int step = 1; step <= kSteps; ++step)
            rects.push_back(Step(cursor, window, step));
    return rects;
}

bool Supported()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform == QLatin1String("windows") ||
           platform == QLatin1String("cocoa");
}

void Play(const QWidget& shown)
{
    if (!Supported())
        return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    // Mapped, the window has its frame, and the last rectangle outlines it.
    WaitUntilOnScreen(shown);
    const QRect window = shown.frameGeometry();
    TOverlay overlay(screen->virtualGeometry());
    // One step a pause, the drawing's own time included, so the effect
    // holds the game's window back no longer than its pauses add up to.
    auto next = std::chrono::steady_clock::now();
    for (const QRect& rect : Sequence(QCursor::pos(), window)) {
        overlay.Toggle(rect);
        next += kPause;
        std::this_thread::sleep_until(next);
    }
}

}  // namespace OpenEffect
