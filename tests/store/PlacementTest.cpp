#include <gtest/gtest.h>

#include <optional>

#include "Placement.h"

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

INSTANTIATE_TEST_SUITE_P(
    Records, RestoredPlacement,
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

TEST(Placement, AWindowWithoutARecordIsCentredOnThePrimaryScreen)
{
    EXPECT_EQ(Placement::Centred(kWindow, kDesktop), QPoint(707, 342));
    EXPECT_EQ(Placement::Centred(QSize(501, 100), QRect(0, 0, 1000, 600)), QPoint(249, 250));
}
