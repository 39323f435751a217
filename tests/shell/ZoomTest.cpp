#include <gtest/gtest.h>

#include "shell/Zoom.h"

TEST(Zoom, TheSeedWindowIsTheToolBarOverThePlayfield)
{
    EXPECT_EQ(Zoom::SeedSize(), QSize(500, 366));
}

TEST(Zoom, AutomaticIsTheLargestThatTakesAtMost60PercentOfTheHeight)
{
    // A 16:9 screen of `lines` device lines at pixel ratio `ratio`: the game
    // sees it `ratio` times smaller, and zooms on top of that.
    struct Case {
        int lines;
        double ratio;
        int zoom;
    };
    for (const Case& each :
         {Case{768, 1, 1}, Case{1080, 1, 1}, Case{1200, 1, 1}, Case{1440, 1, 2}, Case{1600, 1, 2}, Case{2160, 1, 3},
          Case{2880, 1, 4}, Case{4320, 1, 4}, Case{1620, 1.5, 1}, Case{2160, 1.5, 2}, Case{2160, 2, 1},
          Case{2880, 2, 2}, Case{4320, 2, 3}, Case{3240, 3, 1}}) {
        const QSize available(qRound(each.lines * 16 / 9 / each.ratio), qRound(each.lines / each.ratio));
        EXPECT_EQ(Zoom::Automatic(available), each.zoom) << each.lines << " lines at " << each.ratio;
    }
}

TEST(Zoom, AutomaticLeavesRoomForPanelsAndNarrowScreens)
{
    struct Case {
        QSize available;
        int zoom;
    };
    for (const Case& each : {Case{{2560, 1400}, 2},                         // 1440 lines less a panel
                             Case{{1920, 1040}, 1}, Case{{1080, 1880}, 2},  // upright: the width decides
                             Case{{480, 2000}, 1},                          // narrower than the game: never below 1
                             Case{{640, 300}, 1}}) {
        EXPECT_EQ(Zoom::Automatic(each.available), each.zoom)
            << each.available.width() << "x" << each.available.height();
    }
}

TEST(Zoom, AChosenZoomShrinksToTheLargestThatFitsTheScreen)
{
    struct Case {
        int wanted;
        QSize available;
        int zoom;
    };
    for (const Case& each :
         {Case{4, {3840, 2100}, 4}, Case{4, {1920, 1040}, 2}, Case{3, {2560, 1400}, 3}, Case{3, {1400, 1440}, 2},
          Case{2, {1920, 1040}, 2}, Case{2, {1280, 720}, 1}, Case{2, {1000, 732}, 2}, Case{1, {640, 300}, 1}}) {
        EXPECT_EQ(Zoom::Fitted(each.wanted, each.available), each.zoom)
            << each.wanted << " on " << each.available.width() << "x" << each.available.height();
    }
}

TEST(Zoom, TheScreenDecidesOnlyWhenTheChoiceIsAutomatic)
{
    EXPECT_EQ(Zoom::ForScreen(Zoom::kAutomatic, {3840, 2100}), 3);
    EXPECT_EQ(Zoom::ForScreen(2, {3840, 2100}), 2) << "a choice is never raised";
    EXPECT_EQ(Zoom::ForScreen(4, {2560, 1400}), 3);
}
