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
    // Catches the signals from now on, before the application exists: one
    // that comes before the event loop runs waits for it. main() calls this
    // first, so no signal cuts the start short.
    static void CatchSignals();
    // Before the program starts itself again: the signals wait, blocked,
    // and one caught already is raised again, so that the new program,
    // whose CatchSignals lets them in, gets them. CatchSignals also lets
    // them in when the new start fails.
    static void HoldForRestart();

    explicit TSessionEnd(QObject* parent = nullptr);
    // The signals stay caught to the end of the process: a quit under way
    // is never cut short by another one.
    ~TSessionEnd() override;

signals:
    void Requested();

private:
    void Drain();

    QSocketNotifier* notifier_ = nullptr;
};
