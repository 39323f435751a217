#include <gtest/gtest.h>

#include <QDir>
#include <limits>

#include "LifetimeRecord.h"
#include "EmptyConfig.h"

namespace {

const QString kStats = QStringLiteral("stats");

using LifetimeRecord = TEmptyConfigTest;

}  // namespace

TEST_F(LifetimeRecord, GamesAddUpBestsStayBestAndTheRecordComesBackFromTheStore)
{
    TLifetimeRecord record = TLifetimeRecord::Read(store);
    EXPECT_EQ(record, TLifetimeRecord{});
    record.AddGame(120, 7, 9, 3, 45'000, true);
    record.AddGame(80, 11, 2, 1, 15'300, false);
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
    record.AddGame(1, 1, 1, 1, 1'000, false);
    EXPECT_EQ(record.GamesPlayed, std::numeric_limits<int64_t>::max());
    EXPECT_EQ(record.MillisecondsPlayed, std::numeric_limits<int64_t>::max());
}

TEST_F(LifetimeRecord, ARefusedWriteIsReportedAndLeavesNothingBehind)
{
    QDir().mkpath(TSettingsStore::Location());  // nothing can replace a folder
    TLifetimeRecord record;
    record.AddGame(500, 9, 9, 9, 300, false);
    EXPECT_THROW(record.Write(store), EStoreError);
    QDir().rmdir(TSettingsStore::Location());
    EXPECT_EQ(TLifetimeRecord::Read(store), TLifetimeRecord{});
}
