#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#include "tests/shell/OffscreenScreen.h"

// The game as a process of its own, as a session that ends and a disk that
// holds odd things meet it: on Qt's offscreen platform, with a settings
// folder of its own.
namespace {

class HostileSession : public ::testing::Test {
protected:
    HostileSession()
    {
        game.setProcessEnvironment(OffscreenGameEnvironment(folder, runtime));
        QDir(folder.path()).mkpath(QStringLiteral("BlumoGames/Novagrid"));
    }

    ~HostileSession() override
    {
        if (game.state() != QProcess::NotRunning) {
            game.kill();
            game.waitForFinished();
        }
    }

    QString StoreFolder() const { return folder.filePath(QStringLiteral("BlumoGames/Novagrid")); }
    QString StorePath() const { return StoreFolder() + QStringLiteral("/V2.ini"); }

    // Whether the game handles `signal` itself by now.
    bool Handles(int signal) const
    {
        QFile file(QStringLiteral("/proc/%1/status").arg(game.processId()));
        if (!file.open(QIODevice::ReadOnly))
            return false;
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (line.startsWith("SigCgt:"))
                return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1) & 1) != 0;
        }
        return false;
    }

    void Start()
    {
        game.start(QStringLiteral(NOVAGRID_PROGRAM), {QStringLiteral("--seed"), QStringLiteral("5")});
        ASSERT_TRUE(game.waitForStarted());
    }

    void Send(int signal) const { ::kill(static_cast<pid_t>(game.processId()), signal); }

    // The game ended by itself, in order, and said nothing.
    void ExpectQuitInOrder(const std::string& how)
    {
        ASSERT_TRUE(game.state() == QProcess::NotRunning || game.waitForFinished(20000)) << how;
        EXPECT_EQ(game.exitStatus(), QProcess::NormalExit) << how;
        EXPECT_EQ(game.exitCode(), 0) << how;
        EXPECT_EQ(QString::fromUtf8(game.readAllStandardError()), QString()) << how;
    }

    QTemporaryDir folder;
    QTemporaryDir runtime;
    QProcess game;
};

}  // namespace

TEST_F(HostileSession, SigtermThenSighupAFewMillisecondsApartOnlyHurryTheQuit)
{
    // What logind sends when it stops a session, a few milliseconds apart.
    for (const int gap : {0, 2, 5, 10, 20}) {
        Start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return Handles(SIGTERM); }, 20000));
        Send(SIGTERM);
        QTest::qSleep(gap);
        Send(SIGHUP);
        ExpectQuitInOrder("gap " + std::to_string(gap) + " ms");
        QFile::remove(StorePath());
    }
}

TEST_F(HostileSession, ASignalStormDuringTheQuitNeverCutsItShort)
{
    // SIGHUP after SIGTERM, again and again, until the game has ended: one
    // lands at every moment of the quit, the process's very end included.
    for (int run = 0; run < 5; ++run) {
        Start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return Handles(SIGTERM); }, 20000));
        Send(SIGTERM);
        for (int sent = 0; sent < 20000 && !game.waitForFinished(0); ++sent) {
            Send(SIGHUP);
            QTest::qSleep(0);
        }
        ExpectQuitInOrder("run " + std::to_string(run));
    }
}

TEST_F(HostileSession, ASignalInTheFirstMomentsQuitsInOrder)
{
    // The game catches the session's signals as its main() begins, before
    // it reads anything (a FIFO at the store shows that order, below): a
    // signal in the moment it is caught quits the game in order.
    for (int run = 0; run < 5; ++run) {
        Start();
        while (game.state() == QProcess::Running && !Handles(SIGTERM)) {
        }
        Send(SIGTERM);
        ExpectQuitInOrder("run " + std::to_string(run));
    }
}

TEST_F(HostileSession, StartingLeavesThePlayersFilesBesideTheStoreAlone)
{
    const QStringList players = {QStringLiteral("V2.ini.backUp"), QStringLiteral("V2.ini.myCopy"),
                                 QStringLiteral("V2.ini.oldIni"), QStringLiteral("V2.ini.SaveMe")};
    for (const QString& name : players) {
        QFile file(StoreFolder() + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[common]\nsound=0\n");
    }
    Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Handles(SIGTERM); }, 20000));
    Send(SIGTERM);
    ExpectQuitInOrder("a signal");
    for (const QString& name : players)
        EXPECT_TRUE(QFile::exists(StoreFolder() + QLatin1Char('/') + name)) << name.toStdString();
}

TEST_F(HostileSession, AFifoAtTheStoreNeitherHoldsTheStartNorIsWritten)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(StorePath()).constData(), 0600), 0);
    Start();
    // Up and running: it takes the signal as the player's quit, with no one
    // to read the message about the store.
    ASSERT_TRUE(QTest::qWaitFor([&] { return Handles(SIGTERM); }, 20000));
    QTest::qWait(1500);
    Send(SIGTERM);
    ExpectQuitInOrder("a FIFO at the store");
    struct stat status = {};
    ASSERT_EQ(::lstat(QFile::encodeName(StorePath()).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
}
