#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

#include "tests/store/EmptyConfig.h"

namespace {

const QString kCommon = QStringLiteral("common");

class SettingsStore : public TEmptyConfigTest {
protected:
    QString StorePath() const { return config.path() + QStringLiteral("/BlumoGames/Novagrid/V2.ini"); }

    void WriteStoreFile(const QByteArray& content) const
    {
        QDir(config.path()).mkpath(QStringLiteral("BlumoGames/Novagrid"));
        QFile file(StorePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QByteArray StoreFile() const
    {
        QFile file(StorePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Puts a folder where the store file is, so that no replace can succeed;
    // the returned guard puts the file back.
    struct TRefusal {
        QString path;
        ~TRefusal()
        {
            QDir().rmdir(path);
            QFile::rename(path + QStringLiteral(".saved"), path);
        }
    };
    TRefusal RefuseWrites() const
    {
        QFile::rename(StorePath(), StorePath() + QStringLiteral(".saved"));
        QDir().mkpath(StorePath());
        return TRefusal{StorePath()};
    }
};

}  // namespace

TEST_F(SettingsStore, AnEmptyStoreGivesTheDefaultsAndCreatesNothing)
{
    EXPECT_TRUE(store.ReadBool(kCommon, QStringLiteral("sound"), true));
    EXPECT_EQ(store.ReadInteger(kCommon, QStringLiteral("tongue"), -1), -1);
    EXPECT_EQ(store.ReadString(kCommon, QStringLiteral("player"), QStringLiteral("Tindrel")),
              QStringLiteral("Tindrel"));
    EXPECT_TRUE(QDir(config.path()).isEmpty());
}

TEST_F(SettingsStore, TheStoreLivesUnderTheMakersNameAsOneIniFile)
{
    store.WriteString(kCommon, QStringLiteral("player"), QStringLiteral("Brain, Mr."));
    QFile file(config.path() + QStringLiteral("/BlumoGames/Novagrid/V2.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("[common]"))) << text.toStdString();
    EXPECT_EQ(store.ReadString(kCommon, QStringLiteral("player"), {}), QStringLiteral("Brain, Mr."));
}

TEST_F(SettingsStore, SwitchesReadAnyNonZeroIntegerAsOnAndOtherTextAsTheDefault)
{
    struct Case {
        const char* stored;
        bool fallback;
        bool expected;
    };
    for (const Case& each :
         {Case{"0", true, false}, Case{"1", false, true}, Case{"2", false, true}, Case{"-1", false, true},
          Case{"yes", true, true}, Case{"yes", false, false}, Case{"", true, true}}) {
        store.WriteString(kCommon, QStringLiteral("sound"), QString::fromLatin1(each.stored));
        EXPECT_EQ(store.ReadBool(kCommon, QStringLiteral("sound"), each.fallback), each.expected)
            << "stored \"" << each.stored << "\"";
    }
}

TEST_F(SettingsStore, IntegersAreWrittenAsDecimalTextAndNonNumbersReadAsTheDefault)
{
    store.WriteInteger(kCommon, QStringLiteral("tongue"), -1);
    EXPECT_EQ(store.ReadString(kCommon, QStringLiteral("tongue"), {}), QStringLiteral("-1"));
    store.WriteBool(kCommon, QStringLiteral("sound"), false);
    EXPECT_EQ(store.ReadString(kCommon, QStringLiteral("sound"), {}), QStringLiteral("0"));
    store.WriteString(kCommon, QStringLiteral("tongue"), QStringLiteral("abc"));
    EXPECT_EQ(store.ReadInteger(kCommon, QStringLiteral("tongue"), -1), -1);
}

TEST_F(SettingsStore, AValueWrittenIsSeenByTheNextReadAndDeletingRemovesIt)
{
    store.WriteString(kCommon, QStringLiteral("MainFormColor"), QStringLiteral("x"));
    EXPECT_EQ(TSettingsStore().ReadString(kCommon, QStringLiteral("MainFormColor"), {}), QStringLiteral("x"));
    store.DeleteValue(kCommon, QStringLiteral("MainFormColor"));
    EXPECT_EQ(store.ReadString(kCommon, QStringLiteral("MainFormColor"), QStringLiteral("gone")),
              QStringLiteral("gone"));
    store.DeleteValue(kCommon, QStringLiteral("never there"));
}

TEST_F(SettingsStore, TextWithCommasEditedByHandReadsBackWhole)
{
    WriteStoreFile("[common]\nMainForm=200,0,1,100,50,600,400\n");
    EXPECT_EQ(store.ReadString(kCommon, QStringLiteral("MainForm"), {}), QStringLiteral("200,0,1,100,50,600,400"));
}

TEST_F(SettingsStore, AStoreThatCannotBeCreatedRefusesWithTheKeyMessage)
{
    // A file where the maker's folder should be.
    QFile blocker(config.path() + QStringLiteral("/BlumoGames"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        store.WriteBool(kCommon, QStringLiteral("sound"), true);
        FAIL() << "the write went through";
    } catch (const EStoreError& error) {
        EXPECT_EQ(error.Message, QStringLiteral("Erzeugung von Schlüssel common misslungen"));
    }
}

TEST_F(SettingsStore, AValueThatCannotBeSetRefusesWithTheValueMessageAndKeepsTheFile)
{
    store.WriteString(kCommon, QStringLiteral("player"), QStringLiteral("Ada"));
    // The store file cannot be replaced while a folder of that name stands in the way.
    const QString path = config.path() + QStringLiteral("/BlumoGames/Novagrid/V2.ini");
    QFile::rename(path, path + QStringLiteral(".saved"));
    QDir().mkpath(path);
    try {
        store.WriteInteger(kCommon, QStringLiteral("tongue"), 1);
        FAIL() << "the write went through";
    } catch (const EStoreError& error) {
        EXPECT_EQ(error.Message, QStringLiteral("Fehler beim Setzen der Daten für 'tongue'"));
    }
    QDir().rmdir(path);
    QFile saved(path + QStringLiteral(".saved"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("[common]\nplayer=Ada\n"));
}

TEST_F(SettingsStore, AHarmlessFlawInTheFileDoesNotTurnAWriteIntoAnError)
{
    struct Case {
        const char* flaw;
        QByteArray content;
    };
    const Case cases[] = {
        {"a byte-order mark", QByteArray("\xEF\xBB\xBF[common]\nplayer=Ada\n")},
        {"a line without a value in another section", QByteArray("[other]\njust text\n[common]\nplayer=Ada\n")},
        {"an unclosed section header", QByteArray("[broken\n[common]\nplayer=Ada\n")},
    };
    for (const Case& each : cases) {
        WriteStoreFile(each.content);
        EXPECT_NO_THROW(store.WriteInteger(kCommon, QStringLiteral("tongue"), 1)) << each.flaw;
        EXPECT_EQ(TSettingsStore().ReadInteger(kCommon, QStringLiteral("tongue"), -1), 1) << each.flaw;
        EXPECT_EQ(TSettingsStore().ReadString(kCommon, QStringLiteral("player"), {}), QStringLiteral("Ada"))
            << each.flaw;
    }
}

TEST_F(SettingsStore, ARefusedWriteLeavesNoTraceForLaterReadsOrWrites)
{
    store.WriteString(kCommon, QStringLiteral("player"), QStringLiteral("Ada"));
    QFile::remove(StorePath());
    QDir().mkpath(StorePath());  // nothing can replace a folder
    EXPECT_THROW(store.WriteString(kCommon, QStringLiteral("player"), QStringLiteral("Eve")), EStoreError);
    EXPECT_NE(store.ReadString(kCommon, QStringLiteral("player"), QStringLiteral("none")), QStringLiteral("Eve"));
    QDir().rmdir(StorePath());
    EXPECT_EQ(store.ReadString(kCommon, QStringLiteral("player"), QStringLiteral("none")), QStringLiteral("none"));
    store.WriteInteger(kCommon, QStringLiteral("tongue"), 0);
    EXPECT_EQ(StoreFile(), QByteArray("[common]\ntongue=0\n"));
}

TEST_F(SettingsStore, ValuesWrittenTogetherLandTogetherOrNotAtAll)
{
    store.WriteStrings(kCommon, {{QStringLiteral("player"), QStringLiteral("Ada")},
                                 {QStringLiteral("player0"), QStringLiteral("row 0")}});
    {
        const TRefusal refusal = RefuseWrites();
        try {
            store.WriteStrings(kCommon, {{QStringLiteral("player"), QStringLiteral("Eve")},
                                         {QStringLiteral("player0"), QStringLiteral("row 0 new")},
                                         {QStringLiteral("player1"), QStringLiteral("row 1 new")}});
            FAIL() << "the write went through";
        } catch (const EStoreError& error) {
            EXPECT_EQ(error.Message, QStringLiteral("Fehler beim Setzen der Daten für 'player'"));
        }
    }
    EXPECT_EQ(StoreFile(), QByteArray("[common]\nplayer=Ada\nplayer0=row 0\n"));
    EXPECT_EQ(store.ReadString(kCommon, QStringLiteral("player1"), QStringLiteral("none")), QStringLiteral("none"));
}

TEST_F(SettingsStore, EveryWriteLeavesTheFileALaterTimeThanBeforeEvenWhenTheClockIsBehind)
{
    // Another copy of the game reading the file takes one of the same size
    // and time for the one it read before; a write within the same
    // millisecond, or after the clock was put back, has to show all the same.
    const struct {
        const char* how;
        std::function<void(const TSettingsStore&)> write;
    } cases[] = {
        {"a value", [](const TSettingsStore& ini) { ini.WriteInteger(kCommon, QStringLiteral("tongue"), 2); }},
        {"a deletion", [](const TSettingsStore& ini) { ini.DeleteValue(kCommon, QStringLiteral("tongue")); }},
    };
    for (const auto& each : cases) {
        store.WriteInteger(kCommon, QStringLiteral("tongue"), 1);
        const QDateTime ahead = QDateTime::currentDateTime().addSecs(3600);
        {
            QFile file(StorePath());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            ASSERT_TRUE(file.setFileTime(ahead, QFileDevice::FileModificationTime));
        }
        each.write(store);
        EXPECT_GT(QFileInfo(StorePath()).lastModified(), ahead) << each.how;
    }
}

TEST_F(SettingsStore, AnUpdateWaitsForAnotherCopysAndGivesUpWithTheValueMessage)
{
    store.WriteString(kCommon, QStringLiteral("tongue"), QStringLiteral("0"));
    QLockFile otherCopy(StorePath() + QStringLiteral(".update.lock"));
    ASSERT_TRUE(otherCopy.tryLock(0));
    bool ran = false;
    try {
        store.Update(QStringLiteral("tongue"), [&] { ran = true; });
        FAIL() << "the update went through";
    } catch (const EStoreError& error) {
        EXPECT_EQ(error.Message, QStringLiteral("Fehler beim Setzen der Daten für 'tongue'"));
    }
    EXPECT_FALSE(ran);
    otherCopy.unlock();
    store.Update(QStringLiteral("tongue"), [&] {
        store.WriteInteger(kCommon, QStringLiteral("tongue"),
                           store.ReadInteger(kCommon, QStringLiteral("tongue"), 0) + 1);
    });
    EXPECT_EQ(store.ReadInteger(kCommon, QStringLiteral("tongue"), -1), 1);
    EXPECT_FALSE(QFile::exists(StorePath() + QStringLiteral(".update.lock")));
}

TEST_F(SettingsStore, ValuesStoredAsSomethingOtherThanTextReadAsMissing)
{
    WriteStoreFile("[common]\nplayer=@Rect(1 2 3 4)\nMainForm=@Size(5 6)\ntongue=@Point(1 1)\nsound=0\n");
    EXPECT_EQ(store.ReadString(kCommon, QStringLiteral("player"), QStringLiteral("Tindrel")),
              QStringLiteral("Tindrel"));
    EXPECT_EQ(store.ReadString(kCommon, QStringLiteral("MainForm"), QStringLiteral("none")), QStringLiteral("none"));
    EXPECT_EQ(store.ReadInteger(kCommon, QStringLiteral("tongue"), -1), -1);
    EXPECT_FALSE(store.ReadBool(kCommon, QStringLiteral("sound"), true));
}
