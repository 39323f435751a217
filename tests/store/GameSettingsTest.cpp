#include <gtest/gtest.h>

#include "records/GameSettings.h"
#include "tests/store/EmptyConfig.h"

namespace {

class GameSettings : public TEmptyConfigTest {
protected:
    TGameSettings settings;
};

}  // namespace

TEST_F(GameSettings, AnEmptyStoreGivesEveryDefault)
{
    EXPECT_TRUE(settings.Sound());
    EXPECT_EQ(settings.Tongue(), -1);
    EXPECT_FALSE(settings.AutoPause());
    EXPECT_EQ(settings.Player(), QStringLiteral("Tindrel"));
    EXPECT_EQ(settings.Row(0), QString());
    EXPECT_EQ(settings.Placement(), QString());
}

TEST_F(GameSettings, EachValueLivesUnderItsOwnNameInTheCommonSection)
{
    settings.SetSound(false);
    settings.SetTongue(1);
    settings.SetAutoPause(true);
    TGameSettings::TRows rows;
    rows[9] = QStringLiteral("last row");
    settings.SetPlayerAndRows(QStringLiteral("Ada"), rows);
    const QString common = QStringLiteral("common");
    EXPECT_EQ(store.ReadString(common, QStringLiteral("sound"), {}), QStringLiteral("0"));
    EXPECT_EQ(store.ReadString(common, QStringLiteral("tongue"), {}), QStringLiteral("1"));
    EXPECT_EQ(store.ReadString(common, QStringLiteral("autopause"), {}), QStringLiteral("1"));
    EXPECT_EQ(store.ReadString(common, QStringLiteral("player"), {}), QStringLiteral("Ada"));
    EXPECT_EQ(store.ReadString(common, QStringLiteral("player9"), {}), QStringLiteral("last row"));
    EXPECT_EQ(store.ReadString(common, QStringLiteral("player0"), QStringLiteral("none")), QString());
    EXPECT_EQ(settings.Row(9), QStringLiteral("last row"));
}

TEST_F(GameSettings, SavingThePlacementRemovesTheColourAndFontValues)
{
    const QString common = QStringLiteral("common");
    store.WriteString(common, QStringLiteral("MainFormColor"), QStringLiteral("red"));
    store.WriteString(common, QStringLiteral("MainFormFont"), QStringLiteral("Arial"));
    settings.SetPlacement(QStringLiteral("200,0,1,1,2,3,4"));
    EXPECT_EQ(settings.Placement(), QStringLiteral("200,0,1,1,2,3,4"));
    EXPECT_EQ(store.ReadString(common, QStringLiteral("MainFormColor"), QStringLiteral("gone")),
              QStringLiteral("gone"));
    EXPECT_EQ(store.ReadString(common, QStringLiteral("MainFormFont"), QStringLiteral("gone")), QStringLiteral("gone"));
}

TEST_F(GameSettings, TheZoomIsAutomaticUnlessOneToFourIsStored)
{
    const QString common = QStringLiteral("common");
    EXPECT_EQ(settings.Zoom(), 0);
    struct Case {
        const char* stored;
        int zoom;
    };
    for (const Case& each : {Case{"1", 1}, Case{"4", 4}, Case{"0", 0}, Case{"5", 0}, Case{"-1", 0}, Case{"2.5", 0},
                             Case{"two", 0}, Case{"", 0}}) {
        store.WriteString(common, QStringLiteral("zoom"), QString::fromLatin1(each.stored));
        EXPECT_EQ(settings.Zoom(), each.zoom) << each.stored;
    }
    settings.SetZoom(3);
    EXPECT_EQ(store.ReadString(common, QStringLiteral("zoom"), {}), QStringLiteral("3"));
}
