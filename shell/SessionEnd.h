#pragma once

#include <QObject>

class QSocketNotifier;

// The desktop session ending under the game: SIGTERM and SIGHUP (logout,
// shutdown, a closed terminal) and the session manager's request to save.
// Each becomes one Requested() on the user-interface thread, where the game
// can quit in order. One instance per process.
class TSessionEnd : public QObject {
    Q_OBJECT
public:
    explicit TSessionEnd(QObject* parent = nullptr);
    // Puts the signals' default handling back.
    ~TSessionEnd() override;

signals:
    void Requested();

private:
    void Drain();

    QSocketNotifier* notifier_ = nullptr;
};
