#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <chrono>
#include <cstring>
#include <functional>
#include <future>
#include <thread>

#include "engine/GameEngine.h"
#include "records/GameSettings.h"
#include "records/LifetimeRecord.h"
#include "tests/store/EmptyConfig.h"

// What a hostile disk may hold where the store keeps its files.
namespace {

const QString kCommon = QStringLiteral("common");

enum class TThing { Fifo, Socket, Device, Folder, FolderWithFile, LinkToFifo, LinkToFolder, LinkToDevice };

const char* Named(TThing thing)
{
    switch (thing) {
        case TThing::Fifo:
            return "a FIFO";
        case TThing::Socket:
            return "a socket";
        case TThing::Device:
            return "a device";
        case TThing::Folder:
            return "a folder";
        case TThing::FolderWithFile:
            return "a folder with a file in it";
        case TThing::LinkToFifo:
            return "a link to a FIFO";
        case TThing::LinkToFolder:
            return "a link to a folder";
        case TThing::LinkToDevice:
            return "a link to a device";
    }
    return "";
}

class StoreFiles : public TEmptyConfigTest {
protected:
    void SetUp() override
    {
        TEmptyConfigTest::SetUp();
        ASSERT_TRUE(QDir(config.path()).mkpath(QStringLiteral("BlumoGames/Novagrid")));
        ASSERT_TRUE(QDir(config.path()).mkpath(QStringLiteral("elsewhere")));
    }

    QString StorePath() const { return config.path() + QStringLiteral("/BlumoGames/Novagrid/V2.ini"); }
    QString Elsewhere(const char* name) const { return config.path() + QStringLiteral("/elsewhere/") + name; }

    // Puts `thing` at `path`; false where this system lets no test make it.
    bool Make(TThing thing, const QString& path) const
    {
        const QByteArray at = QFile::encodeName(path);
        switch (thing) {
            case TThing::Fifo:
                return ::mkfifo(at.constData(), 0600) == 0;
            case TThing::Socket: {
                const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
                sockaddr_un address = {};
                address.sun_family = AF_UNIX;
                std::strncpy(address.sun_path, at.constData(), sizeof address.sun_path - 1);
                const bool bound = ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
                ::close(socket);
                return bound;
            }
            case TThing::Device:  // the null device's numbers, in the test's own folder
                return ::mknod(at.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
            case TThing::Folder:
                return QDir().mkpath(path);
            case TThing::FolderWithFile:
                return QDir().mkpath(path) && QFile(path + QStringLiteral("/mine")).open(QIODevice::WriteOnly);
            case TThing::LinkToFifo:
                return Make(TThing::Fifo, Elsewhere("fifo")) && QFile::link(Elsewhere("fifo"), path);
            case TThing::LinkToFolder:
                return Make(TThing::Folder, Elsewhere("folder")) && QFile::link(Elsewhere("folder"), path);
            case TThing::LinkToDevice:
                return Make(TThing::Device, Elsewhere("device")) && QFile::link(Elsewhere("device"), path);
        }
        return false;
    }

    // The type of what stands at `path`, the link itself for a link.
    static mode_t TypeAt(const QString& path)
    {
        struct stat status = {};
        return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & S_IFMT : 0;
    }

    // Runs `work` and says whether it ended within seconds. Work that blocks
    // opening a FIFO at `fifo` is let go by opening the other end.
    static bool EndsSoon(const std::function<void()>& work, const QString& fifo)
    {
        std::packaged_task<void()> task(work);
        std::future<void> done = task.get_future();
        std::thread worker(std::move(task));
        const bool soon = done.wait_for(std::chrono::seconds(3)) == std::future_status::ready;
        while (done.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
            const int end = ::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK);
            if (end >= 0)
                ::close(end);
        }
        worker.join();
        return soon;
    }
};

}  // namespace

TEST_F(StoreFiles, AStoreThatIsNoRegularFileReadsAsEmptyIsNeverWrittenAndSaysWhy)
{
    for (const TThing thing : {TThing::Fifo, TThing::Socket, TThing::Device, TThing::Folder, TThing::LinkToFifo,
                               TThing::LinkToFolder, TThing::LinkToDevice}) {
        if (!Make(thing, StorePath())) {
            std::printf("%s cannot be made here; not tried\n", Named(thing));
            continue;
        }
        const mode_t before = TypeAt(StorePath());
        const QString target = QFileInfo(StorePath()).canonicalFilePath();
        const mode_t targetBefore = TypeAt(target);
        int tongue = 0;
        EStoreError::TCause cause = EStoreError::TCause::Refused;
        const bool soon = EndsSoon(
            [&] {
                tongue = TGameSettings().Tongue();
                try {
                    TGameSettings().SetTongue(1);
                } catch (const EStoreError& error) {
                    cause = error.Cause;
                }
            },
            target);
        EXPECT_TRUE(soon) << Named(thing);
        EXPECT_EQ(tongue, -1) << Named(thing);
        EXPECT_EQ(cause, EStoreError::TCause::NotAFile) << Named(thing);
        EXPECT_EQ(TypeAt(StorePath()), before) << Named(thing);
        EXPECT_EQ(TypeAt(target), targetBefore) << Named(thing);
        EXPECT_EQ(QDir(QFileInfo(StorePath()).path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System),
                  QStringList{QStringLiteral("V2.ini")})
            << Named(thing) << ": nothing made beside it";
        QDir(StorePath()).removeRecursively();
        QFile::remove(StorePath());
        QDir(config.path() + QStringLiteral("/elsewhere")).removeRecursively();
        QDir(config.path()).mkpath(QStringLiteral("elsewhere"));
    }
}

TEST_F(StoreFiles, AStoreThatLinksToAFileIsReadAndWrittenThereAndStaysALink)
{
    // Players keep their settings in a folder of dotfiles, linked into place.
    QFile kept(Elsewhere("novagrid.ini"));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("[common]\nsound=0\n");
    kept.close();
    ASSERT_TRUE(QFile::link(Elsewhere("novagrid.ini"), StorePath()));
    TGameSettings settings;
    EXPECT_FALSE(settings.Sound());
    settings.SetTongue(1);
    settings.SetPlacement(QStringLiteral("200,0,1,5,6,7,8"));
    EXPECT_EQ(TypeAt(StorePath()), S_IFLNK);
    EXPECT_EQ(QFileInfo(StorePath()).symLinkTarget(), Elsewhere("novagrid.ini"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("[common]\nMainForm=\"200,0,1,5,6,7,8\"\nsound=0\ntongue=1\n"));
}

TEST_F(StoreFiles, AStoreLargerThanAnyTheGameWritesReadsAsEmptyAndIsNeverRewritten)
{
    QFile file(StorePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[common]\ntongue=1\n[other]\n");
    for (int line = 0; file.size() <= 100 * 1024; ++line)
        file.write(QStringLiteral("key%1=%2\n").arg(line).arg(QString(60, QLatin1Char('x'))).toLatin1());
    file.close();
    const QByteArray before = [&] {
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    file.close();
    TGameSettings settings;
    EXPECT_EQ(settings.Tongue(), -1);
    try {
        settings.SetSound(false);
        ADD_FAILURE() << "the write went through";
    } catch (const EStoreError& error) {
        EXPECT_EQ(error.Cause, EStoreError::TCause::TooLarge);
        EXPECT_EQ(error.Names, QStringList{QStringLiteral("sound")});
        EXPECT_EQ(error.File, StorePath());
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

TEST_F(StoreFiles, OnlyALockOfALiveProcessOfThisHostHoldsAnUpdateBack)
{
    const QString lock = StorePath() + QStringLiteral(".update.lock");
    const auto writeLock = [&](const QByteArray& content) {
        QFile file(lock);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        // Left long ago, not in the moment of being taken.
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        file.setFileTime(QDateTime::currentDateTime().addSecs(-5), QFileDevice::FileModificationTime);
    };
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    const pid_t dead = [] {
        const pid_t child = fork();
        if (child == 0)
            _exit(0);
        waitpid(child, nullptr, 0);
        return child;
    }();
    const struct {
        const char* left;
        std::function<void()> make;
    } cases[] = {
        {"an empty file", [&] { writeLock(""); }},
        {"garbage", [&] { writeLock("no lock at all\n\x01\x02"); }},
        {"another host's lock", [&] { writeLock("1\nnovagrid\nsomewhere-else\n"); }},
        {"a dead process's lock", [&] { writeLock(QByteArray::number(dead) + "\nnovagrid\n" + host + "\n"); }},
        {"a folder", [&] { Make(TThing::Folder, lock); }},
        {"a FIFO", [&] { Make(TThing::Fifo, lock); }},
        {"a link to the player's file",
         [&] {
             QFile(Elsewhere("mine")).open(QIODevice::WriteOnly);
             QFile::link(Elsewhere("mine"), lock);
         }},
    };
    for (const auto& each : cases) {
        each.make();
        bool ran = false;
        const bool soon = EndsSoon(
            [&] {
                try {
                    TSettingsStore().Update(QStringLiteral("played"), [&ran] { ran = true; });
                } catch (const EStoreError&) {
                }
            },
            lock);
        EXPECT_TRUE(soon) << each.left;
        EXPECT_TRUE(ran) << each.left;
        EXPECT_FALSE(QFileInfo(lock).exists() || QFileInfo(lock).isSymLink()) << each.left;
        QFile::remove(lock);
        QDir().rmdir(lock);
    }
    EXPECT_TRUE(QFile::exists(Elsewhere("mine")));
    TSettingsStore::FinishPending();
}

TEST_F(StoreFiles, WhatStandsAtTheStoresOwnLockNeverBlocksAWrite)
{
    const QString lock = StorePath() + QStringLiteral(".lock");
    for (const TThing thing : {TThing::Fifo, TThing::Folder}) {
        ASSERT_TRUE(Make(thing, lock)) << Named(thing);
        const bool soon = EndsSoon([] { TGameSettings().SetTongue(0); }, lock);
        EXPECT_TRUE(soon) << Named(thing);
        EXPECT_EQ(TGameSettings().Tongue(), 0) << Named(thing);
        QFile::remove(lock);
        QDir().rmdir(lock);
        QFile::remove(StorePath());
    }
}

TEST_F(StoreFiles, AnUpdateRefusedWhileAnotherCopyHoldsTheLockIsKeptAndCountedLater)
{
    TGameTally tally;
    tally.GroupsCleared = 2;
    {
        QLockFile otherCopy(StorePath() + QStringLiteral(".update.lock"));
        ASSERT_TRUE(otherCopy.tryLock(0));
        try {
            TLifetimeRecord::CountGame(store, tally, 300, 2, false);
            ADD_FAILURE() << "the update went through";
        } catch (const EStoreError& error) {
            EXPECT_TRUE(error.Kept);
            EXPECT_EQ(error.Cause, EStoreError::TCause::Locked);
        }
        EXPECT_EQ(TLifetimeRecord::Read(store).GamesPlayed, 0);
    }
    // The next write counts it; the one at quit finds nothing left.
    TGameSettings().SetSound(true);
    EXPECT_EQ(TLifetimeRecord::Read(store).GamesPlayed, 1);
    EXPECT_EQ(TLifetimeRecord::Read(store).GroupsCleared, 2);
    EXPECT_EQ(TSettingsStore::FinishPending(), std::nullopt);
}

TEST_F(StoreFiles, AtQuitAKeptUpdateStillRefusedIsNamedAndForgotten)
{
    ASSERT_TRUE(Make(TThing::Folder, StorePath()));
    EXPECT_THROW(TLifetimeRecord::CountGame(store, TGameTally{}, 10, 1, false), EStoreError);
    const std::optional<EStoreError> lost = TSettingsStore::FinishPending();
    ASSERT_TRUE(lost.has_value());
    EXPECT_EQ(lost->Cause, EStoreError::TCause::NotAFile);
    EXPECT_EQ(lost->Names, QStringList{QStringLiteral("played")});
    QDir().rmdir(StorePath());
    TGameSettings().SetSound(true);
    EXPECT_EQ(TLifetimeRecord::Read(store).GamesPlayed, 0);
}
