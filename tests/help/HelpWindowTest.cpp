#include <QImage>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <functional>

#include "Assets.h"
#include "HelpTestSupport.h"

namespace {

// The size of the game's main window.
const QSize kGameSize(500, 373);

hh::THelpViewer& ShowRules()
{
    EXPECT_EQ(hh::ShowContext(BuiltHelpFile(), 2, 0), 0);
    return *OpenViewers().at(0);
}

QRect Available()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

TEST_F(HelpTest, TheViewerShowsTheGameIconInEverySize)
{
    const QIcon icon = ShowRules().windowIcon();

    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QImage art = Assets::Picture(QStringLiteral("icon_%1").arg(size));
        ASSERT_FALSE(art.isNull()) << size;
        EXPECT_EQ(icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32),
                  art.convertToFormat(QImage::Format_ARGB32))
            << size;
    }
}

enum class TPlace { CentredOnTheGame, InTheTopLeftCorner, InTheBottomRightCorner };

struct TPlacement {
    const char* Name;
    std::function<QPoint(const QRect& available)> GameAt;
    TPlace Expected;
};

void PrintTo(const TPlacement& placement, std::ostream* out)
{
    *out << placement.Name;
}

class HelpViewerPlacement : public HelpTest, public ::testing::WithParamInterface<TPlacement> {};

// The player asks for the rules in the game's window: they open over it,
// whole on the screen.
TEST_P(HelpViewerPlacement, OpensOverTheGameWindowOnTheScreen)
{
    const TPlacement& placement = GetParam();
    QWidget game;
    game.setGeometry(QRect(placement.GameAt(Available()), kGameSize));
    game.show();
    game.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&game));

    const QRect viewer = ShowRules().frameGeometry();

    EXPECT_TRUE(Available().contains(viewer)) << viewer.x() << "," << viewer.y() << " " << viewer.width() << "x"
                                              << viewer.height();
    switch (placement.Expected) {
    case TPlace::CentredOnTheGame: {
        const QPoint offset = viewer.center() - game.frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 1) << offset.x() << "," << offset.y();
        break;
    }
    case TPlace::InTheTopLeftCorner:
        EXPECT_EQ(viewer.topLeft(), Available().topLeft());
        break;
    case TPlace::InTheBottomRightCorner:
        EXPECT_EQ(viewer.bottomRight(), Available().bottomRight());
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    GameWindows, HelpViewerPlacement,
    ::testing::Values(
        TPlacement{"in the middle of the screen",
                   [](const QRect& available) {
                       return available.center() - QPoint(kGameSize.width(), kGameSize.height()) / 2;
                   },
                   TPlace::CentredOnTheGame},
        TPlacement{"partly off the top left",
                   [](const QRect& available) { return available.topLeft() - QPoint(200, 150); },
                   TPlace::InTheTopLeftCorner},
        TPlacement{"at the bottom right",
                   [](const QRect& available) {
                       return available.bottomRight() - QPoint(kGameSize.width(), kGameSize.height()) / 2;
                   },
                   TPlace::InTheBottomRightCorner}));

TEST_F(HelpTest, WithoutAnActiveWindowTheViewerOpensInTheMiddleOfTheScreen)
{
    ASSERT_EQ(QApplication::activeWindow(), nullptr);

    const QRect viewer = ShowRules().frameGeometry();

    EXPECT_TRUE(Available().contains(viewer));
    EXPECT_LE((viewer.center() - Available().center()).manhattanLength(), 1);
}

TEST_F(HelpTest, TheViewerStaysWhereThePlayerMovedItWhenAskedAgain)
{
    hh::THelpViewer& viewer = ShowRules();
    const QPoint moved = Available().topLeft() + QPoint(40, 30);
    viewer.move(moved);
    viewer.close();

    ShowRules();

    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.pos(), moved);
}

}  // namespace
