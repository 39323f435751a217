#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

// What the game was asked for on its command line. Qt's own options (such as
// -platform offscreen) pass by untouched: QApplication takes them.
struct TCommandLine {
    enum class TAction { Play, ShowHelp, ShowVersion, Fail };

    TAction Action = TAction::Play;
    std::optional<uint32_t> Seed;  // a reproducible game
    std::optional<int> Zoom;       // 0 automatic or 1..4, for this run instead of the stored choice
    bool Debug = false;            // "/debug" or "-debug": the help link's trace
    QString Error;                 // what was wrong, for Fail

    static TCommandLine Parse(const QStringList& arguments);

    static QString Usage(const QString& program);
    static QString Version();
};
