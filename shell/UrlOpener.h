#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>

// Opens a web address with the desktop's handler for it (the user's
// browser) and tells what really happened. On X11 desktops the handler is
// `xdg-open`, which Qt reports as a success as soon as it starts, even when
// it then finds no browser; here its exit status decides.
class TUrlOpener : public QObject {
    Q_OBJECT
public:
    // While the handler runs, it is a QProcess child of this object.
    explicit TUrlOpener(QObject* parent);

    // Hands `url` on; `done` runs once with the outcome, at once where the
    // platform answers at once, else when the handler has finished.
    void Open(const QUrl& url, std::function<void(bool opened)> done);
};
