#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcessEnvironment>
#include <QSize>
#include <QTemporaryDir>

// The value of QT_QPA_PLATFORM that gives Qt's offscreen platform one
// screen of `size` at 96 dpi, described in a file written into `folder`;
// empty when the file cannot be written.
inline QByteArray OffscreenScreen(const QTemporaryDir& folder, QSize size)
{
    QFile screen(folder.filePath(QStringLiteral("screen.json")));
    if (!screen.open(QIODevice::WriteOnly))
        return {};
    screen.write(QStringLiteral(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": %1, "height": %2,
                                                 "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                     .arg(size.width())
                     .arg(size.height())
                     .toUtf8());
    return "offscreen:configfile=" + screen.fileName().toLocal8Bit();
}

// The environment of the game run as a process of its own: this one's, with
// the offscreen platform's 1280 x 1024 screen, the settings under `folder`
// and the session's runtime folder `runtime`, and no scale forced on it.
inline QProcessEnvironment OffscreenGameEnvironment(const QTemporaryDir& folder, const QTemporaryDir& runtime)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"),
                       QString::fromLocal8Bit(OffscreenScreen(folder, {1280, 1024})));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    environment.remove(QStringLiteral("QT_SCALE_FACTOR"));
    return environment;
}
