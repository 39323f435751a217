#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

namespace hh {

// The help link's optional trace file, for finding out on a player's machine
// why the rules do not open. Decided once at start-up; each line is appended
// and the file closed again, so a trace survives a crash of the game.
class THelpTrace {
public:
    using TClock = std::function<QDateTime()>;

    // Decides for a game in `programFolder` started with `arguments` (the
    // program first, as QCoreApplication::arguments() lists them):
    // - the trace is on when "debug.debug" lies in `programFolder` or an
    //   argument after the program reads "/debug" or "-debug" in any case;
    // - the file is "HHDebug.txt" in `programFolder` when a probe file can be
    //   created there (and is removed at once), otherwise in `tempFolder`.
    // An old trace file there is deleted whether the trace is on or not, so a
    // trace never mixes two runs; with the trace on the header is written.
    void Start(const QString& programFolder, const QStringList& arguments, const QString& tempFolder);

    bool On() const { return on_; }
    const QString& FilePath() const { return path_; }

    // Appends one event, after the local time (hh:mm:ss.zzz) and three
    // blanks. Does nothing while the trace is off.
    void Write(const QString& event) const;

    // Where the date and the time stamps come from: the local clock unless
    // replaced.
    void SetClock(TClock clock) { clock_ = std::move(clock); }

private:
    void Append(const QString& line) const;

    bool on_ = false;
    QString path_;
    TClock clock_ = &QDateTime::currentDateTime;
};

// The game's one trace.
THelpTrace& HelpTrace();

// Whether a command-line argument asks for the trace: "/debug" or "-debug",
// in any case.
bool IsTraceSwitch(const QString& argument);

}  // namespace hh
