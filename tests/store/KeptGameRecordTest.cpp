#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>

#include "engine/GameEngine.h"
#include "records/GameSettings.h"
#include "records/KeptGameRecord.h"
#include "records/LifetimeRecord.h"
#include "tests/store/EmptyConfig.h"

namespace {

const QString kKept = QStringLiteral("kept");

// A game a few pieces in, as the engine keeps one.
TKeptGame AGameUnderWay()
{
    TKeptGame game;
    game.Board.fill(CellCode::kEmpty);
    game.Board[BoardIndex(0, 8)] = 5;
    game.Board[BoardIndex(4, 4)] = 2 * CellCode::kLayerStep + 17;
    game.Board[BoardIndex(8, 0)] = CellCode::kFullFrom + 31;
    game.Piece.fill(CellCode::kEmpty);
    game.Piece[PieceIndex(1, 1)] = 32;
    game.Piece[PieceIndex(2, 0)] = CellCode::kBomb;
    game.Level = 3;
    game.TimeLeft = TGameEngine::TurnLength(3) - 4 * TGameEngine::kUnitsPerTick;
    game.Score = 2147483000;
    game.Tally = {7, 4, 1234567890123, 19};
    game.Random = {4294967295u, 123456};
    return game;
}

class KeptGameRecord : public TEmptyConfigTest {
protected:
    QString StoredGame() const { return store.ReadString(kKept, QStringLiteral("game"), QString()); }
};

}  // namespace

TEST_F(KeptGameRecord, AKeptGameReadsBackWholeAndEnciphered)
{
    EXPECT_EQ(TKeptGameRecord::Read(store).Found, TKeptGameRecord::TFound::Nothing);
    const TKeptGame game = AGameUnderWay();
    TKeptGameRecord::Write(store, game);

    const TKeptGameRecord::TRead read = TKeptGameRecord::Read(store);
    EXPECT_EQ(read.Found, TKeptGameRecord::TFound::Game);
    EXPECT_EQ(read.Game, game);
    EXPECT_EQ(store.ReadString(kKept, QStringLiteral("version"), QString()), QStringLiteral("1"));
    EXPECT_FALSE(StoredGame().contains(QStringLiteral("2147483000"))) << StoredGame().toStdString();
    EXPECT_EQ(StoredGame().size(), TKeptGameRecord::Format(game).size());
}

TEST_F(KeptGameRecord, TheLineParsesOnlyWhenEveryNumberIsThereAndFits)
{
    const QString line = TKeptGameRecord::Format(AGameUnderWay());
    ASSERT_EQ(TKeptGameRecord::Parse(line), AGameUnderWay());
    const QString bad[] = {
        QString(),
        line.chopped(1),                                                                    // the last blank gone
        line + QStringLiteral("7 "),                                                        // a number too many
        line.section(QLatin1Char(' '), 1),                                                  // a number too few
        QString(line).replace(QStringLiteral("2147483000"), QStringLiteral("2147483648")),  // a score past 32 bits
        QString(line).replace(QStringLiteral("4294967295"), QStringLiteral("4294967296")),
        QString(line).replace(QStringLiteral("4294967295"), QStringLiteral("-1")),
        QString(line).replace(QStringLiteral(" "), QStringLiteral("  ")),
        QString(line).replace(QStringLiteral("123456 "), QStringLiteral("123456x")),
        QStringLiteral("-") + line,
    };
    for (const QString& text : bad)
        EXPECT_FALSE(TKeptGameRecord::Parse(text)) << text.toStdString();
}

// What cannot be taken up whole is dropped; nothing else in the store is touched.
TEST_F(KeptGameRecord, ADamagedOrForeignGameIsDroppedAndTheRestOfTheStoreStays)
{
    const TGameSettings settings;
    settings.SetSound(false);
    settings.SetTongue(1);
    TLifetimeRecord lifetime;
    lifetime.GamesPlayed = 12;
    lifetime.Write(store);

    TKeptGame fiveLayers = AGameUnderWay();
    fiveLayers.Board[BoardIndex(3, 3)] = 4 * CellCode::kLayerStep;
    const auto keptThen = [this](const TKeptGame& game) { TKeptGameRecord::Write(store, game); };
    const std::pair<const char*, std::function<void()>> damages[] = {
        {"another version",
         [&] {
             keptThen(AGameUnderWay());
             store.WriteString(kKept, QStringLiteral("version"), QStringLiteral("2"));
         }},
        {"no version",
         [&] {
             keptThen(AGameUnderWay());
             store.DeleteValue(kKept, QStringLiteral("version"));
         }},
        {"no game",
         [&] {
             keptThen(AGameUnderWay());
             store.DeleteValue(kKept, QStringLiteral("game"));
         }},
        {"a line cut short",
         [&] {
             keptThen(AGameUnderWay());
             store.WriteString(kKept, QStringLiteral("game"), StoredGame().left(40));
         }},
        {"garbage",
         [&] {
             keptThen(AGameUnderWay());
             store.WriteString(kKept, QStringLiteral("game"), QStringLiteral("\x01\xff=;[x]"));
         }},
        {"a game the rules could not reach", [&] { keptThen(fiveLayers); }},
    };
    for (const auto& [what, damage] : damages) {
        damage();
        EXPECT_EQ(TKeptGameRecord::Read(store).Found, TKeptGameRecord::TFound::Dropped) << what;
        EXPECT_EQ(TKeptGameRecord::Read(store).Found, TKeptGameRecord::TFound::Nothing) << what << ": dropped once";
        EXPECT_FALSE(settings.Sound()) << what;
        EXPECT_EQ(settings.Tongue(), 1) << what;
        EXPECT_EQ(TLifetimeRecord::Read(store).GamesPlayed, 12) << what;
    }
}

// Two copies of the game started with the same game kept: the first to go on
// takes it; the second finds it gone and cannot play it a second time.
TEST_F(KeptGameRecord, OnlyOneCopyTakesAKeptGame)
{
    const TKeptGame game = AGameUnderWay();
    TKeptGameRecord::Write(store, game);
    const TSettingsStore first;
    const TSettingsStore second;
    const TKeptGame seenByFirst = TKeptGameRecord::Read(first).Game;
    const TKeptGame seenBySecond = TKeptGameRecord::Read(second).Game;

    EXPECT_TRUE(TKeptGameRecord::Take(first, seenByFirst));
    EXPECT_FALSE(TKeptGameRecord::Take(second, seenBySecond));
    EXPECT_EQ(TKeptGameRecord::Read(store).Found, TKeptGameRecord::TFound::Nothing);

    // The first keeps its game again, further on; the second still cannot
    // take the game it saw, and leaves the new one where it is.
    TKeptGame further = game;
    further.Score += 50;
    TKeptGameRecord::Write(first, further);
    EXPECT_FALSE(TKeptGameRecord::Take(second, seenBySecond));
    EXPECT_EQ(TKeptGameRecord::Read(store).Game, further);
}
