#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "shell/Zoom.h"
#include "tests/shell/OffscreenScreen.h"

// The zoom tests run at the Qt scale factor that ctest gives the program:
// that factor is their zoom in force, as the game's start-up would set it.
// Their screen is a 4K one, where the game fits at every zoom.
int main(int argc, char* argv[])
{
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    const QByteArray platform = OffscreenScreen(folder, {3840, 2160});
    if (platform.isEmpty())
        return 1;
    qputenv("QT_QPA_PLATFORM", platform);
    QApplication app(argc, argv);
    Zoom::SetInForce(qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR") ? 1
                                                                    : qEnvironmentVariableIntValue("QT_SCALE_FACTOR"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
