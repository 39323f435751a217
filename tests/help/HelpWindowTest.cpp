#include <QImage>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <functional>

#include "assets/Assets.h"
#include "tests/help/HelpTestSupport.h"

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

enum class TPlace { RightOfTheGame, LeftOfTheGame, CentredOnTheGame };

struct TPlacement {
    const char* Name;
    std::function<QRect(const QRect& available)> Game;
    TPlace Expected;
};

void PrintTo(const TPlacement& placement, std::ostream* out)
{
    *out << placement.Name;
}

class HelpViewerPlacement : public HelpTest, public ::testing::WithParamInterface<TPlacement> {};

// The player asks for the rules in the game's window: they open beside it
// where the screen has room, else over it, whole on the screen.
TEST_P(HelpViewerPlacement, OpensBesideTheGameWindowOrElseOverItOnTheScreen)
{
    const TPlacement& placement = GetParam();
    QWidget game;
    game.setGeometry(placement.Game(Available()));
    game.show();
    game.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&game));

    const QRect viewer = ShowRules().frameGeometry();

    EXPECT_TRUE(Available().contains(viewer))
        << viewer.x() << "," << viewer.y() << " " << viewer.width() << "x" << viewer.height();
    const QRect gameFrame = game.frameGeometry();
    switch (placement.Expected) {
        case TPlace::RightOfTheGame:
            EXPECT_EQ(viewer.topLeft(), QPoint(gameFrame.right() + 1, Available().top()));
            EXPECT_FALSE(viewer.intersects(gameFrame));
            break;
        case TPlace::LeftOfTheGame:
            EXPECT_EQ(viewer.right(), gameFrame.left() - 1);
            EXPECT_EQ(viewer.bottom(), Available().bottom());
            EXPECT_FALSE(viewer.intersects(gameFrame));
            break;
        case TPlace::CentredOnTheGame: {
            const QPoint offset = viewer.center() - gameFrame.center();
            EXPECT_LE(offset.manhattanLength(), 1) << offset.x() << "," << offset.y();
            break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    GameWindows, HelpViewerPlacement,
    ::testing::Values(
        TPlacement{"partly off the top left",
                   [](const QRect& available) { return QRect(available.topLeft() - QPoint(200, 150), kGameSize); },
                   TPlace::RightOfTheGame},
        TPlacement{"at the bottom right",
                   [](const QRect& available) {
                       return QRect(available.bottomRight() - QPoint(kGameSize.width(), kGameSize.height()) / 2,
                                    kGameSize);
                   },
                   TPlace::LeftOfTheGame},
        TPlacement{"in the middle, leaving too little room on either side",
                   [](const QRect& available) {
                       QRect game(QPoint(), QSize(std::max(kGameSize.width(),
                                                           available.width() - 2 * hh::THelpViewer::kNarrowestWidth),
                                                  kGameSize.height()));
                       game.moveCenter(available.center());
                       return game;
                   },
                   TPlace::CentredOnTheGame}));

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

struct TCloseKey {
    const char* Name;
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    bool Closes;
};

void PrintTo(const TCloseKey& key, std::ostream* out)
{
    *out << key.Name;
}

class HelpViewerKeys : public HelpTest, public ::testing::WithParamInterface<TCloseKey> {};

// Esc and the Close key put the rules away, as the close box does, and
// leave the game as it was; other keys do not.
TEST_P(HelpViewerKeys, EscAndTheCloseKeyHideTheRulesAndLeaveTheGame)
{
    const TCloseKey& key = GetParam();
    QWidget game;
    game.show();
    game.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&game));
    hh::THelpViewer& viewer = ShowRules();
    ASSERT_TRUE(viewer.isVisible());

    QTest::keyClick(&viewer, key.Key, key.Modifiers);

    EXPECT_EQ(viewer.isVisible(), !key.Closes);
    EXPECT_EQ(OpenViewers().size(), 1u);
    EXPECT_TRUE(game.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Keys, HelpViewerKeys,
                         ::testing::Values(TCloseKey{"Esc", Qt::Key_Escape, Qt::NoModifier, true},
                                           TCloseKey{"Ctrl+W", Qt::Key_W, Qt::ControlModifier, true},
                                           TCloseKey{"W alone", Qt::Key_W, Qt::NoModifier, false}));

}  // namespace
