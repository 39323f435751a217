#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "SettingsStore.h"

namespace {

const QString kCommon = QStringLiteral("common");

// Each test gets its own empty config folder.
class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(config.isValid());
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    }

    QTemporaryDir config;
    TSettingsStore ini;
};

}  // namespace

TEST_F(SettingsStore, AnEmptyStoreGivesTheDefaultsAndCreatesNothing)
{
    EXPECT_TRUE(ini.ReadBool(kCommon, QStringLiteral("sound"), true));
    EXPECT_EQ(ini.ReadInteger(kCommon, QStringLiteral("tongue"), -1), -1);
    EXPECT_EQ(ini.ReadString(kCommon, QStringLiteral("player"), QStringLiteral("Tindrel")), QStringLiteral("Tindrel"));
    EXPECT_TRUE(QDir(config.path()).isEmpty());
}

TEST_F(SettingsStore, TheStoreLivesUnderTheMakersNameAsOneIniFile)
{
    ini.WriteString(kCommon, QStringLiteral("player"), QStringLiteral("Brain, Mr."));
    QFile file(config.path() + QStringLiteral("/BlumoGames/Novagrid/V2.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("[common]"))) << text.toStdString();
    EXPECT_EQ(ini.ReadString(kCommon, QStringLiteral("player"), {}), QStringLiteral("Brain, Mr."));
}

TEST_F(SettingsStore, SwitchesReadAnyNonZeroIntegerAsOnAndOtherTextAsTheDefault)
{
    struct Case { const char* stored; bool fallback; bool expected; };
    for (const Case& each : {Case{"0", true, false}, Case{"1", false, true}, Case{"2", false, true},
                             Case{"-1", false, true}, Case{"yes", true, true}, Case{"yes", false, false},
                             Case{"", true, true}}) {
        ini.WriteString(kCommon, QStringLiteral("sound"), QString::fromLatin1(each.stored));
        EXPECT_EQ(ini.ReadBool(kCommon, QStringLiteral("sound"), each.fallback), each.expected)
            << "stored \"" << each.stored << "\"";
    }
}

TEST_F(SettingsStore, IntegersAreWrittenAsDecimalTextAndNonNumbersReadAsTheDefault)
{
    ini.WriteInteger(kCommon, QStringLiteral("tongue"), -1);
    EXPECT_EQ(ini.ReadString(kCommon, QStringLiteral("tongue"), {}), QStringLiteral("-1"));
    ini.WriteBool(kCommon, QStringLiteral("sound"), false);
    EXPECT_EQ(ini.ReadString(kCommon, QStringLiteral("sound"), {}), QStringLiteral("0"));
    ini.WriteString(kCommon, QStringLiteral("tongue"), QStringLiteral("abc"));
    EXPECT_EQ(ini.ReadInteger(kCommon, QStringLiteral("tongue"), -1), -1);
}

TEST_F(SettingsStore, AValueWrittenIsSeenByTheNextReadAndDeletingRemovesIt)
{
    ini.WriteString(kCommon, QStringLiteral("MainFormColor"), QStringLiteral("x"));
    EXPECT_EQ(TSettingsStore().ReadString(kCommon, QStringLiteral("MainFormColor"), {}), QStringLiteral("x"));
    ini.DeleteValue(kCommon, QStringLiteral("MainFormColor"));
    EXPECT_EQ(ini.ReadString(kCommon, QStringLiteral("MainFormColor"), QStringLiteral("gone")), QStringLiteral("gone"));
    ini.DeleteValue(kCommon, QStringLiteral("never there"));
}

TEST_F(SettingsStore, TextWithCommasEditedByHandReadsBackWhole)
{
    QDir(config.path()).mkpath(QStringLiteral("BlumoGames/Novagrid"));
    QFile file(config.path() + QStringLiteral("/BlumoGames/Novagrid/V2.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[common]\nMainForm=200,0,1,100,50,600,400\n");
    file.close();
    EXPECT_EQ(ini.ReadString(kCommon, QStringLiteral("MainForm"), {}), QStringLiteral("200,0,1,100,50,600,400"));
}

TEST_F(SettingsStore, AStoreThatCannotBeCreatedRefusesWithTheKeyMessage)
{
    // A file where the maker's folder should be.
    QFile blocker(config.path() + QStringLiteral("/BlumoGames"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        ini.WriteBool(kCommon, QStringLiteral("sound"), true);
        FAIL() << "the write went through";
    } catch (const EStoreError& error) {
        EXPECT_EQ(error.Message, QStringLiteral("Erzeugung von Schlüssel common misslungen"));
    }
}

TEST_F(SettingsStore, AValueThatCannotBeSetRefusesWithTheValueMessageAndKeepsTheFile)
{
    ini.WriteString(kCommon, QStringLiteral("player"), QStringLiteral("Ada"));
    // The store file cannot be replaced while a folder of that name stands in the way.
    const QString path = config.path() + QStringLiteral("/BlumoGames/Novagrid/V2.ini");
    QFile::rename(path, path + QStringLiteral(".saved"));
    QDir().mkpath(path);
    try {
        ini.WriteInteger(kCommon, QStringLiteral("tongue"), 1);
        FAIL() << "the write went through";
    } catch (const EStoreError& error) {
        EXPECT_EQ(error.Message, QStringLiteral("Fehler beim Setzen der Daten für 'tongue'"));
    }
    QDir().rmdir(path);
    QFile saved(path + QStringLiteral(".saved"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("[common]\nplayer=Ada\n"));
}
