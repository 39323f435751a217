#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "shell/Zoom.h"

// The zoom tests run at the Qt scale factor that ctest gives the program:
// that factor is their zoom in force, as the game's start-up would set it.
// Their screen is a 4K one, where the game fits at every zoom.
int main(int argc, char* argv[])
{
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    QFile screen(folder.filePath(QStringLiteral("screen.json")));
    if (!screen.open(QIODevice::WriteOnly))
        return 1;
    screen.write(R"({"screens": [{"name": "4K", "x": 0, "y": 0, "width": 3840, "height": 2160,
                                  "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    screen.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    Zoom::SetInForce(qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR") ? 1 : qEnvironmentVariableIntValue("QT_SCALE_FACTOR"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
