#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#include "tests/shell/OffscreenScreen.h"

// The game as a process of its own, on Qt's offscreen platform with a
// 1280 x 1024 screen and an empty settings store.
namespace {

class Program : public ::testing::Test {
protected:
    Program() { game.setProcessEnvironment(OffscreenGameEnvironment(folder, runtime)); }

    ~Program() override
    {
        if (game.state() != QProcess::NotRunning) {
            game.kill();
            game.waitForFinished();
        }
    }

    QString Stored(const QString& key) const
    {
        return QSettings(folder.filePath(QStringLiteral("BlumoGames/Novagrid/V2.ini")), QSettings::IniFormat)
            .value(key)
            .toString();
    }

    void Store(const QString& key, const QString& value) const
    {
        QSettings(folder.filePath(QStringLiteral("BlumoGames/Novagrid/V2.ini")), QSettings::IniFormat)
            .setValue(key, value);
    }

    // Starts the game and waits until it handles `signal` itself.
    void Start(const QStringList& arguments, int signal)
    {
        game.start(QStringLiteral(NOVAGRID_PROGRAM), arguments);
        ASSERT_TRUE(game.waitForStarted());
        const QString status = QStringLiteral("/proc/%1/status").arg(game.processId());
        const auto handles = [&] {
            QFile file(status);
            if (!file.open(QIODevice::ReadOnly))
                return false;
            for (const QByteArray& line : file.readAll().split('\n')) {
                if (line.startsWith("SigCgt:"))
                    return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1) & 1) != 0;
            }
            return false;
        };
        ASSERT_TRUE(QTest::qWaitFor(handles, 20000)) << "the game never took over signal " << signal;
    }

    QTemporaryDir folder;
    QTemporaryDir runtime;  // made for this user alone, as the session's is
    QProcess game;
};

}  // namespace

TEST_F(Program, LogoutOrAClosedTerminalQuitsInOrderAndWritesTheSettings)
{
    for (const int signal : {SIGTERM, SIGHUP}) {
        Start({QStringLiteral("--seed"), QStringLiteral("5")}, signal);
        ::kill(static_cast<pid_t>(game.processId()), signal);
        ASSERT_TRUE(game.waitForFinished(20000)) << signal;
        EXPECT_EQ(game.exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(game.exitCode(), 0) << signal;
        EXPECT_EQ(QString::fromUtf8(game.readAllStandardError()), QString()) << signal;
        EXPECT_EQ(Stored(QStringLiteral("common/sound")), QStringLiteral("1")) << signal;
        EXPECT_EQ(Stored(QStringLiteral("common/tongue")), QStringLiteral("-1")) << signal;
        EXPECT_TRUE(Stored(QStringLiteral("common/MainForm")).startsWith(QStringLiteral("200,"))) << signal;
        QFile::remove(folder.filePath(QStringLiteral("BlumoGames/Novagrid/V2.ini")));
    }
}

TEST_F(Program, AZoomFromTheCommandLineShrinksToFitTheScreenAndSaysSo)
{
    struct Case {
        const char* tongue;
        QByteArray note;
    };
    const Case cases[] = {
        {"0", "novagrid: zoom 3 does not fit this screen; the game shows at zoom 2.\n"},
        {"1", "novagrid: Zoom 3 passt nicht auf diesen Bildschirm, das Spiel zeigt sich mit Zoom 2.\n"},
    };
    for (const Case& each : cases) {
        Store(QStringLiteral("common/tongue"), QLatin1String(each.tongue));
        Start({QStringLiteral("--zoom"), QStringLiteral("3")}, SIGTERM);
        ::kill(static_cast<pid_t>(game.processId()), SIGTERM);
        ASSERT_TRUE(game.waitForFinished(20000));
        EXPECT_EQ(game.exitCode(), 0);
        EXPECT_EQ(QString::fromUtf8(game.readAllStandardError()), QString::fromUtf8(each.note)) << each.tongue;
    }
}
