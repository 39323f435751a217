#include <gtest/gtest.h>

#include <QApplication>
#include <QBackingStore>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include "shell/GameSession.h"
#include "shell/MainForm.h"
#include "shell/WindowGeometry.h"
#include "tests/shell/OffscreenScreen.h"
#include "tests/shell/TongueGuard.h"

// The window on a screen scaled by 1.25, as desktops offer: 366 lines of the
// window come to 457.5 of the screen's, and the last one, half inside the
// playfield, must still show it.
TEST(ScreenScale, TheWindowsEdgesShowThePlayfieldToTheirLastScreenPixel)
{
    const TTongueGuard guard;
    TMainForm form(7);
    tongue = TTongue::English;  // no language dialog after the splash
    form.show();
    // The splash comes and goes at the first activation.
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() == nullptr; }));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.PaintPlayfield();
    form.repaint();
    ASSERT_EQ(form.devicePixelRatio(), 1.25);
    // What the window system is given to show: the window's backing store,
    // an image in screen pixels on this platform.
    QPaintDevice* device = form.backingStore()->paintDevice();
    ASSERT_EQ(device->devType(), QInternal::Image);
    const QImage shot = static_cast<QImage*>(device)->convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(625, 458));
    const QImage& surface = form.Session().PlayfieldImage();
    for (int x = 0; x < shot.width(); x += 25) {
        const QRgb below = surface.pixel(std::min(qFloor(x / 1.25), surface.width() - 1), surface.height() - 1);
        EXPECT_EQ(shot.pixel(x, shot.height() - 1), below) << "bottom line at " << x;
    }
    for (int y = qCeil(WindowGeometry::kToolBarHeight * 1.25); y < shot.height(); y += 25) {
        const QRgb beside = surface.pixel(
            surface.width() - 1, std::min(qFloor(y / 1.25) - WindowGeometry::kToolBarHeight, surface.height() - 1));
        EXPECT_EQ(shot.pixel(shot.width() - 1, y), beside) << "right line at " << y;
    }
}

int main(int argc, char* argv[])
{
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    const QByteArray platform = OffscreenScreen(folder, {2560, 1440});
    if (platform.isEmpty())
        return 1;
    qputenv("QT_QPA_PLATFORM", platform);
    qputenv("QT_SCALE_FACTOR", "1.25");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
