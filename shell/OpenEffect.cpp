#include "OpenEffect.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <chrono>
#include <set>
#include <thread>

#ifdef NOVAGRID_HAS_XCB
#include <xcb/xcb.h>
#endif

namespace {

constexpr auto kPause = std::chrono::milliseconds(4);

#ifdef NOVAGRID_HAS_XCB
// An X11 desktop composites when some client owns the compositing-manager
// selection of the screen.
bool X11CompositorRunning()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr)
        return false;
    xcb_connection_t* connection = x11->connection();
    const QByteArray name = "_NET_WM_CM_S0";
    const xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.constData()), nullptr);
    if (atom == nullptr)
        return false;
    const xcb_atom_t selection = atom->atom;
    free(const_cast<xcb_intern_atom_reply_t*>(atom));
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool running = owner != nullptr && owner->owner != XCB_NONE;
    free(owner);
    return running;
}
#endif

// A window over the whole desktop that shows the rectangles drawn so far.
class TOverlay : public QWidget {
public:
    explicit TOverlay(const QRect& desktop)
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool |
                               Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus)
    {
        setAttribute(Qt::WA_TranslucentBackground);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setGeometry(desktop);
    }

    void Toggle(const QRect& rect)
    {
        const auto key = std::make_tuple(rect.x(), rect.y(), rect.width(), rect.height());
        if (!drawn_.erase(key))
            drawn_.insert(key);
        repaint();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        // White dots on black read over any background.
        QPainter painter(this);
        for (const auto& [x, y, w, h] : drawn_) {
            const QRect rect = QRect(x, y, w, h).translated(-geometry().topLeft()).adjusted(0, 0, -1, -1);
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
#ifdef NOVAGRID_HAS_XCB
    if (platform == QLatin1String("xcb"))
        return X11CompositorRunning();
#endif
    return platform == QLatin1String("windows") || platform == QLatin1String("cocoa");
}

void Play(const QRect& window)
{
    if (!Supported())
        return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    TOverlay overlay(screen->virtualGeometry());
    overlay.show();
    for (const QRect& rect : Sequence(QCursor::pos(), window)) {
        overlay.Toggle(rect);
        std::this_thread::sleep_for(kPause);
    }
}

}  // namespace OpenEffect
