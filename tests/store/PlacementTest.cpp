#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "records/Placement.h"

namespace {

const QSize kWindow(506, 395);
const QRect kDesktop(0, 0, 1920, 1080);

struct RestoreCase {
    const char* stored;
    std::optional<QPoint> topLeft;
};

void PrintTo(const RestoreCase& each, std::ostream* out)
{
    *out << '"' << each.stored << '"';
}

class RestoredPlacement : public ::testing::TestWithParam<RestoreCase> {};

}  // namespace

TEST_P(RestoredPlacement, TakesLeftAndTopOfAValidRecordPulledOntoTheDesktop)
{
    const RestoreCase& each = GetParam();
    EXPECT_EQ(Placement::RestoredTopLeft(QString::fromLatin1(each.stored), kWindow, kDesktop), each.topLeft)
        << each.stored;
}

INSTANTIATE_TEST_SUITE_P(Records, RestoredPlacement,
                         ::testing::Values(RestoreCase{"200,0,1,100,50,600,400", QPoint(100, 50)},
                                           RestoreCase{"200,0,1,100,50,600,400,", QPoint(100, 50)},
                                           RestoreCase{"200,0,1,100,50,600", std::nullopt},
                                           RestoreCase{"201,0,1,100,50,600,400", std::nullopt},
                                           RestoreCase{"200,0,1,100,50,600,400,,", std::nullopt},
                                           RestoreCase{"", std::nullopt},
                                           RestoreCase{"200,0,1,abc,50,600,400", std::nullopt},
                                           RestoreCase{"200,0,1,5000,50,5500,400", QPoint(1920 - 506, 50)},
                                           RestoreCase{"200,0,1,100,900,600,1300", QPoint(100, 1080 - 395)},
                                           RestoreCase{"200,0,1,-300,-20,200,380", QPoint(0, 0)}));

TEST(Placement, FieldsSplitAtEveryCommaWithoutATrailingEmptyOne)
{
    EXPECT_EQ(Placement::SplitFields(QString()), QStringList());
    EXPECT_EQ(Placement::SplitFields(QStringLiteral("a,,b")), (QStringList{"a", "", "b"}));
    EXPECT_EQ(Placement::SplitFields(QStringLiteral("a,")), QStringList{"a"});
    EXPECT_EQ(Placement::SplitFields(QStringLiteral("a,,")), (QStringList{"a", ""}));
}

TEST(Placement, ASecondMonitorLeftOfThePrimaryKeepsItsNegativePlace)
{
    const QRect twoScreens(-1920, 0, 3840, 1080);
    Placement::TRecord record;
    record.Normal = QRect(-1500, -20, 506, 395);
    const QString stored = Placement::Format(record);
    EXPECT_EQ(stored, QStringLiteral("200,0,1,-1500,-20,-994,375"));
    EXPECT_EQ(Placement::RestoredTopLeft(stored, kWindow, twoScreens), QPoint(-1500, 0));
}

TEST(Placement, OnlyWindowSystemsThatTellClientsWhereTheyAreGiveAPlaceToKeep)
{
    struct Case {
        const char* platform;
        bool reports;
    };
    for (const Case& each : {Case{"xcb", true}, Case{"windows", true}, Case{"offscreen", true}, Case{"wayland", false},
                             Case{"wayland-egl", false}}) {
        EXPECT_EQ(Placement::WindowSystemReportsPosition(QLatin1String(each.platform)), each.reports) << each.platform;
    }
}

TEST(Placement, AWindowWithoutARecordIsCentredOnThePrimaryScreen)
{
    EXPECT_EQ(Placement::Centred(kWindow, kDesktop), QPoint(707, 342));
    EXPECT_EQ(Placement::Centred(QSize(501, 100), QRect(0, 0, 1000, 600)), QPoint(249, 250));
}

TEST(Placement, RecordsAtThe32BitLimitsLandTheWindowOnTheDesktop)
{
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    const QRect desktop(-1920, 0, 3840, 1080);
    const QList<QSize> sizes{{506, 395}, {0, 0}, {0, 395}, {506, 0}, {kMax, 395}, {506, kMax}, {kMax, kMax}};
    for (const int extreme : {kMax, kMin}) {
        for (int field = 0; field < 7; ++field) {
            QStringList fields = QStringLiteral("200,0,1,100,50,606,445").split(QLatin1Char(','));
            fields[field] = QString::number(extreme);
            const QString stored = fields.join(QLatin1Char(','));
            for (const QSize& size : sizes) {
                const auto topLeft = Placement::RestoredTopLeft(stored, size, desktop);
                if (field == 0) {
                    EXPECT_FALSE(topLeft) << stored.toStdString();
                    continue;
                }
                ASSERT_TRUE(topLeft) << stored.toStdString();
                const int64_t room = std::max<int64_t>(int64_t(desktop.right()) + 1 - size.width(), desktop.left());
                EXPECT_GE(topLeft->x(), desktop.left()) << stored.toStdString() << " size " << size.width();
                EXPECT_LE(topLeft->x(), room) << stored.toStdString() << " size " << size.width();
                EXPECT_GE(topLeft->y(), desktop.top()) << stored.toStdString() << " size " << size.height();
                EXPECT_LE(topLeft->y(), std::max<int64_t>(int64_t(desktop.bottom()) + 1 - size.height(), 0))
                    << stored.toStdString() << " size " << size.height();
            }
        }
    }
}

TEST(Placement, AWindowReachingPastThe32BitLimitIsStoredAsARecordThatReadsBack)
{
    Placement::TRecord record;
    // A window whose last pixel column is the largest 32-bit number.
    record.Normal =
        QRect(QPoint(std::numeric_limits<int>::max() - 10, 5), QPoint(std::numeric_limits<int>::max(), 399));
    const QString stored = Placement::Format(record);
    EXPECT_EQ(stored, QStringLiteral("200,0,1,2147483637,5,2147483647,400"));
    EXPECT_EQ(Placement::RestoredTopLeft(stored, QSize(506, 395), kDesktop), QPoint(1920 - 506, 5));
}
