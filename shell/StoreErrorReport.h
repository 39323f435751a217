#pragma once

#include <QStringList>
#include <optional>

#include "records/SettingsStore.h"

class QWidget;

// Tells the player of values the store refused to write. During play each
// refusal has its message; from the answer to quit on, the refusals wait
// for one message at the end; once the session ends under the game no one
// is there to read any.
class TStoreErrorReport {
public:
    // The messages stand over `window`; the turn runs on behind them.
    explicit TStoreErrorReport(QWidget& window);

    void Show(const EStoreError& error);
    // Runs `write` and reports its refusal.
    template <typename Write>
    void Keep(Write write)
    {
        try {
            write();
        } catch (const EStoreError& error) {
            Show(error);
        }
    }

    // From the answer to quit on: refusals wait for ShowGathered.
    void GatherForQuit() { quitting_ = true; }
    // The session ends under the game: no more messages.
    void Silence() { silenced_ = true; }
    bool Silenced() const { return silenced_; }
    // One message, while the window is still there, on every value the quit
    // did not write.
    void ShowGathered();

    // The message box every refusal of the store is told in, over `window`,
    // titled with the game's name.
    static void Tell(QWidget& window, const QString& text);

private:
    QWidget& window_;
    bool silenced_ = false;
    bool quitting_ = false;
    std::optional<EStoreError> refusedAtQuit_;
    QStringList unwrittenAtQuit_;
};
