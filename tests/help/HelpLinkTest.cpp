#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include "tests/help/HelpTestSupport.h"

namespace {

struct TRequest {
    int Command;
    int Data;
    bool CallsDefault;
    QString ShownTitle;  // empty: no viewer comes up
};

void PrintTo(const TRequest& request, std::ostream* out)
{
    *out << "command " << request.Command << ", data " << request.Data;
}

class HelpHookRouting : public HelpTest, public ::testing::WithParamInterface<TRequest> {};

TEST_P(HelpHookRouting, ShowsTopicsForContextRequestsAndPassesForeignCommandsOn)
{
    const TRequest& request = GetParam();
    hh::THookHelpSystem link(BuiltHelpFile(), QString(), 0);
    bool callDefault = !request.CallsDefault;

    link.HelpHook(request.Command, request.Data, callDefault);

    EXPECT_EQ(callDefault, request.CallsDefault);
    const auto viewers = OpenViewers();
    if (request.ShownTitle.isEmpty()) {
        EXPECT_TRUE(viewers.empty());
    } else {
        ASSERT_EQ(viewers.size(), 1u);
        EXPECT_TRUE(viewers[0]->isVisible());
        EXPECT_EQ(viewers[0]->windowTitle(), request.ShownTitle);
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, HelpHookRouting,
                         ::testing::Values(TRequest{1, 1, false, kGermanTitle}, TRequest{1, 2, false, kEnglishTitle},
                                           TRequest{8, 2, false, kEnglishTitle}, TRequest{13, 2, false, {}},
                                           TRequest{2, 1, true, {}}, TRequest{3, 1, true, {}}, TRequest{9, 1, true, {}},
                                           TRequest{257, 1, true, {}}, TRequest{0, 1, true, {}}));

TEST_F(HelpTest, ASecondRequestBringsTheSameViewerToTheFrontWithTheNewTopic)
{
    hh::THookHelpSystem link(BuiltHelpFile(), QString(), 0);
    bool callDefault = true;
    link.HelpHook(hh::HELP_CONTEXT, 1, callDefault);
    ASSERT_EQ(OpenViewers().size(), 1u);
    hh::THelpViewer* first = OpenViewers()[0];

    // The player minimises the rules and goes back to the game.
    QWidget game;
    game.show();
    first->showMinimized();
    game.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&game));

    link.HelpHook(hh::HELP_CONTEXT, 2, callDefault);

    ASSERT_EQ(OpenViewers().size(), 1u);
    EXPECT_EQ(OpenViewers()[0], first);
    EXPECT_EQ(first->windowTitle(), kEnglishTitle);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isMinimized());
    EXPECT_TRUE(QTest::qWaitForWindowActive(first));
}

TEST_F(HelpTest, AViewerClosedByThePlayerComesBackAtTheNextRequest)
{
    hh::THookHelpSystem link(BuiltHelpFile(), QString(), 0);
    bool callDefault = true;
    link.HelpHook(hh::HELP_CONTEXT, 2, callDefault);
    hh::THelpViewer* first = OpenViewers().at(0);
    first->close();
    ASSERT_FALSE(first->isVisible());

    link.HelpHook(hh::HELP_CONTEXT, 2, callDefault);

    ASSERT_EQ(OpenViewers().size(), 1u);
    EXPECT_EQ(OpenViewers()[0], first);
    EXPECT_TRUE(first->isVisible());
}

TEST_F(HelpTest, TheViewerIsAnIndependentWindowAndTheGameGoesOn)
{
    int ticks = 0;
    QTimer turnTimer;
    QObject::connect(&turnTimer, &QTimer::timeout, [&ticks] { ++ticks; });
    turnTimer.start(10);

    EXPECT_EQ(hh::ShowContext(BuiltHelpFile(), 2, 0), 0);

    hh::THelpViewer* viewer = OpenViewers().at(0);
    EXPECT_TRUE(viewer->isWindow());
    EXPECT_EQ(viewer->parentWidget(), nullptr);
    EXPECT_EQ(viewer->windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // However busy the machine, the turn timer keeps ticking.
    EXPECT_TRUE(QTest::qWaitFor([&ticks] { return ticks > 2; }, 10000)) << ticks;
}

TEST_F(HelpTest, CloseAllClosesEveryViewerAndFreesItsHelpFile)
{
    const QString copy = Folder() + QStringLiteral("copy.rcc");
    ASSERT_TRUE(QFile::copy(BuiltHelpFile(), copy));
    ASSERT_EQ(hh::ShowContext(BuiltHelpFile(), 1, 0), 0);
    ASSERT_EQ(hh::ShowContext(copy, 2, 0), 0);
    ASSERT_EQ(OpenViewers().size(), 2u);
    ASSERT_TRUE(QDir(QStringLiteral(":/nvgd")).exists());

    hh::HHCloseAll();

    EXPECT_TRUE(OpenViewers().empty());
    EXPECT_FALSE(QDir(QStringLiteral(":/nvgd")).exists());
}

TEST_F(HelpTest, FreeingTheLinkInModeZeroClosesItsViewers)
{
    for (const int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        {
            hh::THookHelpSystem link(BuiltHelpFile(), QString(), mode);
            bool callDefault = true;
            link.HelpHook(hh::HELP_CONTEXT, 1, callDefault);
            ASSERT_EQ(OpenViewers().size(), 1u);
        }
        EXPECT_EQ(OpenViewers().empty(), mode == 0);
        hh::HHCloseAll();
    }
}

TEST_F(HelpTest, PercentTwentyInThePathStandsForABlank)
{
    ASSERT_TRUE(QDir(Folder()).mkdir(QStringLiteral("my help")));
    ASSERT_TRUE(QFile::copy(BuiltHelpFile(), Folder() + QStringLiteral("my help/nvgd.rcc")));
    hh::THookHelpSystem link(QStringLiteral("  ") + Folder() + QStringLiteral("my%20help/nvgd.rcc  "), QString(), 0);
    bool callDefault = true;

    link.HelpHook(hh::HELP_CONTEXT, 1, callDefault);

    ASSERT_EQ(OpenViewers().size(), 1u);
    EXPECT_EQ(OpenViewers()[0]->HelpFile(), Folder() + QStringLiteral("my help/nvgd.rcc"));
    EXPECT_EQ(OpenViewers()[0]->windowTitle(), kGermanTitle);
}

TEST_F(HelpTest, WithoutAViewerTheRulesButtonSaysSoInAWarning)
{
    hh::HelpInstalled = false;
    EXPECT_EQ(hh::ShowContext(BuiltHelpFile(), 1, 0), 1);

    hh::THookHelpSystem link(BuiltHelpFile(), QString(), 0);
    bool callDefault = true;
    TMessageBoxWatcher watcher;
    link.HelpHook(hh::HELP_CONTEXT, 2, callDefault);

    EXPECT_FALSE(callDefault);
    EXPECT_TRUE(OpenViewers().empty());
    ASSERT_EQ(watcher.Seen().size(), 1u);
    const TSeenMessage& message = watcher.Seen()[0];
    EXPECT_EQ(message.Text, QStringLiteral("MS Html Help is not installed on this PC."));
    EXPECT_EQ(message.Title, QStringLiteral("help_tests"));
    EXPECT_EQ(message.Icon, QMessageBox::Warning);
    EXPECT_EQ(message.Buttons, QMessageBox::Ok);
}

}  // namespace
