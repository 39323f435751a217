#pragma once

#include <QString>
#include <array>
#include <functional>

#include "records/SettingsStore.h"

// Every value the game keeps in the section "common" of its settings store,
// with its name, default and range: the one place that knows them. Each call
// reads or writes the store at once (nothing is kept here), and writes throw
// EStoreError as the store does.
class TGameSettings {
public:
    static constexpr int kRows = 10;
    using TRows = std::array<QString, kRows>;

    // "sound": sound effects on; default on, any non-zero number is on.
    bool Sound() const;
    void SetSound(bool on) const;

    // "tongue": -1 not chosen yet (the default), 1 German, anything else English.
    int Tongue() const;
    void SetTongue(int tongue) const;

    // "autopause": pause the game when its window loses focus; default off.
    bool AutoPause() const;
    void SetAutoPause(bool on) const;

    // "keeponquit": a quit by the player during a game keeps it for the next
    // start instead of asking whether to give it up; default off.
    bool KeepOnQuit() const;
    void SetKeepOnQuit(bool on) const;

    // The zoom choices, for the store, the menu and the command line alike:
    // automatic lets the screen decide; 1 to kLargestZoom draw the window that
    // many times its size.
    static constexpr int kZoomAutomatic = 0;
    static constexpr int kLargestZoom = 4;
    // "zoom": automatic (the default, also for anything out of range) or 1 to 4.
    int Zoom() const;
    void SetZoom(int zoom) const;

    // "player": the name offered for the next highscore entry; default "Tindrel".
    QString Player() const;
    // "player0" .. "player9": the enciphered highscore rows, "player0" the best;
    // empty when missing.
    QString Row(int row) const;
    // The player's name and the ten rows in one replace of the store file.
    void SetPlayerAndRows(const QString& player, const TRows& rows) const;
    // Runs `update`, which reads the rows and writes them back changed with
    // SetPlayerAndRows, as one update of the store (TSettingsStore::Update),
    // so that a row another copy of the game stores meanwhile is not lost.
    void UpdateRows(const std::function<void()>& update) const;

    // "MainForm": the main window's placement record; empty when missing.
    QString Placement() const;
    // Also removes "MainFormColor" and "MainFormFont": the window keeps
    // neither its colour nor its font, and older versions may have left them.
    void SetPlacement(const QString& record) const;

    // The section "stats" and its values: the player's lifetime record
    // (TLifetimeRecord), one count each.
    struct TStatsKeys {
        static inline const QString Section = QStringLiteral("stats");
        static inline const QString GamesPlayed = QStringLiteral("played");
        static inline const QString GamesTimedOut = QStringLiteral("timedout");
        static inline const QString BestScore = QStringLiteral("bestscore");
        static inline const QString BestLevel = QStringLiteral("bestlevel");
        static inline const QString GroupsCleared = QStringLiteral("groups");
        static inline const QString MostGroupsAtOnce = QStringLiteral("mostgroups");
        static inline const QString MillisecondsPlayed = QStringLiteral("milliseconds");
    };

private:
    TSettingsStore store_;
};
