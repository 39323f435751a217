#pragma once

#include <QByteArray>
#include <QFile>
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
