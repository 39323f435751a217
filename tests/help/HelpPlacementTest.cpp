#include "shell/help/HelpPlacement.h"
#include "tests/help/HelpTestSupport.h"

namespace {

// The rules window's frame as it first asks to be, the game's frame, and
// the narrowest frame the rules still read well in.
const QSize kViewer(664, 644);
const QSize kGame(504, 377);
const int kNarrowest = 364;

struct TPlacementCase {
    const char* Name;
    QRect Available;
    QPoint GameAt;
    QRect Expected;
};

void PrintTo(const TPlacementCase& placement, std::ostream* out)
{
    *out << placement.Name;
}

class RulesPlacement : public ::testing::TestWithParam<TPlacementCase> {};

TEST_P(RulesPlacement, GoesBesideTheGameWhereTheScreenHasRoomElseOverIt)
{
    const TPlacementCase& placement = GetParam();
    const QRect game(placement.GameAt, kGame);

    const QRect place = hh::BesideOrOver(game, kViewer, placement.Available, kNarrowest);

    EXPECT_EQ(place, placement.Expected);
    EXPECT_TRUE(placement.Available.contains(place));
}

INSTANTIATE_TEST_SUITE_P(
    Screens, RulesPlacement,
    ::testing::Values(TPlacementCase{"room on the right: right of the game, top to top", QRect(0, 0, 1920, 1040),
                                     QPoint(100, 120), QRect(604, 120, 664, 644)},
                      TPlacementCase{"game at the right edge: left of it", QRect(0, 0, 1920, 1040), QPoint(1416, 120),
                                     QRect(752, 120, 664, 644)},
                      TPlacementCase{"whole room only on the left: left rather than narrowed on the right",
                                     QRect(0, 0, 1920, 1040), QPoint(1000, 120), QRect(336, 120, 664, 644)},
                      TPlacementCase{"some room on both sides: narrowed on the wider side", QRect(0, 0, 1600, 900),
                                     QPoint(560, 120), QRect(0, 120, 560, 644)},
                      TPlacementCase{"game low on the screen: beside it, pulled up onto the screen",
                                     QRect(0, 0, 1920, 1040), QPoint(100, 800), QRect(604, 396, 664, 644)},
                      TPlacementCase{"second screen, game up under its top panel: left of the game, below the panel",
                                     QRect(1920, 30, 1280, 994), QPoint(2690, 10), QRect(2026, 30, 664, 644)},
                      TPlacementCase{"room beside narrower than the rules read well in: over the game, centred",
                                     QRect(0, 0, 1200, 1040), QPoint(350, 200), QRect(270, 67, 664, 644)},
                      TPlacementCase{"a screen too narrow for either side: over the game, shrunk onto the screen",
                                     QRect(0, 0, 800, 600), QPoint(150, 113), QRect(70, 0, 664, 600)}));

}  // namespace
