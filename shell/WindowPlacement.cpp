#include "shell/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "records/Placement.h"
#include "records/Preferences.h"
#include "shell/Zoom.h"

namespace WindowPlacement {

void Restore(QWidget& window, const TPreferences& preferences)
{
    const QSize size = window.frameGeometry().size().expandedTo(window.size());
    const QString stored = preferences.Placement();
    QRect desktop;
    QRect primary;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        desktop = screen->virtualGeometry();
        primary = screen->geometry();
    }
    // The record keeps real screen pixels, Zoom::InForce() to each of the window's.
    const int zoom = Zoom::InForce();
    const QRect realDesktop(desktop.topLeft() * zoom, desktop.size() * zoom);
    const auto restored = Placement::RestoredTopLeft(stored, size * zoom, realDesktop);
    window.move(restored ? *restored / zoom : Placement::Centred(size, primary));
}

void Save(const QWidget& window, const TPreferences& preferences)
{
    if (!Placement::WindowSystemReportsPosition(QGuiApplication::platformName()))
        return;
    Placement::TRecord record;
    record.ShowState = window.isMinimized() ? 2 : window.isMaximized() ? 3 : 1;
    const int zoom = Zoom::InForce();
    record.Normal = QRect(window.frameGeometry().topLeft() * zoom, window.frameGeometry().size() * zoom);
    preferences.SetPlacement(Placement::Format(record));
}

}  // namespace WindowPlacement
