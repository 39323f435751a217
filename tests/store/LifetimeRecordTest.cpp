#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <limits>

#include "engine/GameEngine.h"
#include "records/LifetimeRecord.h"
#include "tests/store/EmptyConfig.h"

namespace {

const QString kStats = QStringLiteral("stats");

// The engine's tally of a game: groups cleared, the most at once and the
// 300 ms ticks that ran.
TGameTally Tally(int64_t groups, int32_t mostAtOnce, int64_t ticks)
{
    TGameTally tally;
    tally.GroupsCleared = groups;
    tally.MostGroupsAtOnce = mostAtOnce;
    tally.RunningTicks = ticks;
    return tally;
}

using LifetimeRecord = TEmptyConfigTest;

}  // namespace

TEST_F(LifetimeRecord, GamesAddUpBestsStayBestAndTheRecordComesBackFromTheStore)
{
    TLifetimeRecord record = TLifetimeRecord::Read(store);
    EXPECT_EQ(record, TLifetimeRecord{});
    record.AddGame(Tally(9, 3, 150), 120, 7, true);  // 45 s
    record.AddGame(Tally(2, 1, 51), 80, 11, false);  // 15.3 s
    record.Write(store);

    const TLifetimeRecord read = TLifetimeRecord::Read(store);
    EXPECT_EQ(read.GamesPlayed, 2);
    EXPECT_EQ(read.GamesTimedOut, 1);
    EXPECT_EQ(read.BestScore, 120);
    EXPECT_EQ(read.BestLevel, 11);
    EXPECT_EQ(read.GroupsCleared, 11);
    EXPECT_EQ(read.MostGroupsAtOnce, 3);
    EXPECT_EQ(read.MillisecondsPlayed, 60'300);
    // A section of its own: the game's settings stay as they were.
    EXPECT_EQ(store.ReadString(QStringLiteral("common"), QStringLiteral("played"), QStringLiteral("none")),
              QStringLiteral("none"));
    EXPECT_EQ(store.ReadString(kStats, QStringLiteral("played"), {}), QStringLiteral("2"));
}

TEST_F(LifetimeRecord, DamagedOrForeignValuesReadAsZero)
{
    for (const char* stored : {"abc", "-5", "1.5", "", "99999999999999999999", "0x10"}) {
        store.WriteString(kStats, QStringLiteral("played"), QString::fromLatin1(stored));
        store.WriteString(kStats, QStringLiteral("bestscore"), QString::fromLatin1(stored));
        const TLifetimeRecord read = TLifetimeRecord::Read(store);
        EXPECT_EQ(read.GamesPlayed, 0) << stored;
        EXPECT_EQ(read.BestScore, 0) << stored;
    }
    store.WriteString(kStats, QStringLiteral("bestscore"), QStringLiteral("2147483648"));  // past 32 bits
    EXPECT_EQ(TLifetimeRecord::Read(store).BestScore, 0);
}

TEST_F(LifetimeRecord, CountsAtTheirLargestStayThereInsteadOfWrapping)
{
    TLifetimeRecord record;
    record.GamesPlayed = std::numeric_limits<int64_t>::max();
    record.MillisecondsPlayed = std::numeric_limits<int64_t>::max() - 5;
    record.AddGame(Tally(1, 1, 4), 1, 1, false);
    EXPECT_EQ(record.GamesPlayed, std::numeric_limits<int64_t>::max());
    EXPECT_EQ(record.MillisecondsPlayed, std::numeric_limits<int64_t>::max());
}

TEST_F(LifetimeRecord, ARefusedWriteIsReportedAndLeavesNothingBehind)
{
    QDir().mkpath(TSettingsStore::Location());  // nothing can replace a folder
    TLifetimeRecord record;
    record.AddGame(Tally(9, 9, 1), 500, 9, false);
    EXPECT_THROW(record.Write(store), EStoreError);
    QDir().rmdir(TSettingsStore::Location());
    EXPECT_EQ(TLifetimeRecord::Read(store), TLifetimeRecord{});
}

namespace {

// A second copy of the game, as a child process sharing the store. In turns,
// each copy ends a game right after the other's: a pipe each way passes the turn.
class TOtherCopy {
public:
    static constexpr int kGames = 150;

    explicit TOtherCopy(bool inTurns) : inTurns_(inTurns)
    {
        if (inTurns_ && (pipe(toOther_) != 0 || pipe(toThis_) != 0))
            return;
        pid_ = fork();
        if (pid_ != 0)
            return;
        try {
            for (int game = 0; game < kGames; ++game) {
                if (inTurns_)
                    Take(toOther_[0]);
                PlayGame(700, game);
                if (inTurns_)
                    Give(toThis_[1]);
            }
        } catch (const EStoreError&) {
            _exit(1);
        }
        _exit(TSettingsStore::FinishPending() ? 1 : 0);
    }

    ~TOtherCopy()
    {
        for (int end : {toOther_[0], toOther_[1], toThis_[0], toThis_[1]})
            if (end >= 0)
                close(end);
    }

    bool Started() const { return pid_ > 0; }

    void PlayGames()
    {
        for (int game = 0; game < kGames; ++game) {
            PlayGame(500, game);
            if (inTurns_) {
                Give(toOther_[1]);
                Take(toThis_[0]);
            }
        }
    }

    // Whether the other copy counted every game of its own.
    bool Finished()
    {
        int status = 0;
        return waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

private:
    // A count the other copy's updates held back for seconds is kept and
    // counted with the next one, or at the end as the game does at quit.
    static void PlayGame(int32_t score, int game)
    {
        try {
            TLifetimeRecord::CountGame(TSettingsStore(), Tally(2, 1, 3), score, 1, game % 2 == 0);
        } catch (const EStoreError& error) {
            if (!error.Kept)
                throw;
        }
    }

    static void Give(int pipeEnd)
    {
        if (write(pipeEnd, "t", 1) != 1)
            throw EStoreError(QStringLiteral("turn not given"));
    }

    static void Take(int pipeEnd)
    {
        char turn = 0;
        if (read(pipeEnd, &turn, 1) != 1)
            throw EStoreError(QStringLiteral("turn not taken"));
    }

    bool inTurns_;
    int toOther_[2] = {-1, -1};
    int toThis_[2] = {-1, -1};
    pid_t pid_ = -1;
};

}  // namespace

TEST_F(LifetimeRecord, TwoCopiesEndingGamesAtTheSameTimeOrInTurnsCountEveryGame)
{
    for (const bool inTurns : {false, true}) {
        TLifetimeRecord{}.Write(store);
        TOtherCopy otherCopy(inTurns);
        ASSERT_TRUE(otherCopy.Started());
        EXPECT_NO_THROW(otherCopy.PlayGames()) << "in turns " << inTurns;
        EXPECT_FALSE(TSettingsStore::FinishPending().has_value()) << "in turns " << inTurns;
        EXPECT_TRUE(otherCopy.Finished()) << "in turns " << inTurns;

        constexpr int kGames = TOtherCopy::kGames;
        const TLifetimeRecord read = TLifetimeRecord::Read(store);
        EXPECT_EQ(read.GamesPlayed, 2 * kGames) << "in turns " << inTurns;
        EXPECT_EQ(read.GamesTimedOut, kGames) << "in turns " << inTurns;
        EXPECT_EQ(read.GroupsCleared, 4 * kGames) << "in turns " << inTurns;
        EXPECT_EQ(read.MillisecondsPlayed, 2 * 900 * kGames) << "in turns " << inTurns;
        EXPECT_EQ(read.BestScore, 700) << "in turns " << inTurns;
    }
}

TEST_F(LifetimeRecord, ARefusedCountIsReportedKeptAndCountedWithTheNextCount)
{
    QDir().mkpath(TSettingsStore::Location());  // nothing can replace a folder
    EXPECT_THROW(TLifetimeRecord::CountGame(store, Tally(9, 9, 1), 500, 9, true), EStoreError);
    QDir().rmdir(TSettingsStore::Location());
    EXPECT_EQ(TLifetimeRecord::Read(store), TLifetimeRecord{});

    TLifetimeRecord::CountGame(store, Tally(2, 1, 1), 60, 3, true);
    TLifetimeRecord expected;
    expected.AddGame(Tally(9, 9, 1), 500, 9, true);
    expected.AddGame(Tally(2, 1, 1), 60, 3, true);
    EXPECT_EQ(TLifetimeRecord::Read(store), expected);
}
