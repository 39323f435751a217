#include <gtest/gtest.h>

#include "shell/CommandLine.h"

namespace {

TCommandLine Parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("novagrid"));
    return TCommandLine::Parse(arguments);
}

}  // namespace

TEST(CommandLine, NothingMeansPlayWithAClockSeed)
{
    const TCommandLine line = Parse({});
    EXPECT_EQ(line.Action, TCommandLine::TAction::Play);
    EXPECT_FALSE(line.Seed.has_value());
    EXPECT_FALSE(line.Debug);
}

TEST(CommandLine, ASeedMakesTheGameReproducible)
{
    EXPECT_EQ(Parse({"--seed", "42"}).Seed, 42u);
    EXPECT_EQ(Parse({"--seed=4294967295"}).Seed, 4294967295u);
}

TEST(CommandLine, AZoomOrAutomaticHoldsForThisRunAndTheHelpNamesIt)
{
    EXPECT_FALSE(Parse({}).Zoom.has_value()) << "the stored choice then";
    EXPECT_EQ(Parse({"--zoom", "2"}).Zoom, 2);
    EXPECT_EQ(Parse({"--zoom=4"}).Zoom, 4);
    EXPECT_EQ(Parse({"--zoom", "0"}).Zoom, 0);
    EXPECT_EQ(Parse({"--zoom=1", "--seed", "3"}).Seed, 3u);
    EXPECT_TRUE(TCommandLine::Usage(QStringLiteral("novagrid")).contains(QStringLiteral("\n  --zoom N ")));
}

TEST(CommandLine, TheHelpTraceSwitchIgnoresCase)
{
    for (const char* debug : {"/debug", "-debug", "/DEBUG", "-Debug"})
        EXPECT_TRUE(Parse({debug}).Debug) << debug;
}

TEST(CommandLine, QtsOwnOptionsPassBy)
{
    const TCommandLine line = Parse({"-platform", "offscreen", "-reverse", "--seed", "5"});
    EXPECT_EQ(line.Action, TCommandLine::TAction::Play);
    EXPECT_EQ(line.Seed, 5u);
}

TEST(CommandLine, HelpAndVersionAreAnswered)
{
    EXPECT_EQ(Parse({"--help"}).Action, TCommandLine::TAction::ShowHelp);
    EXPECT_EQ(Parse({"-h"}).Action, TCommandLine::TAction::ShowHelp);
    EXPECT_EQ(Parse({"--version"}).Action, TCommandLine::TAction::ShowVersion);
    EXPECT_EQ(TCommandLine::Version(), QStringLiteral("Novagrid V2.3"));
}

TEST(CommandLine, AnythingElseFailsWithAClearMessage)
{
    struct Case {
        QStringList arguments;
        const char* error;
    };
    for (const Case& each :
         {Case{{"--frobnicate"}, "unknown option '--frobnicate'"}, Case{{"--seed"}, "--seed needs a number"},
          Case{{"--seed", "-3"}, "--seed needs a number from 0 to 4294967295, not '-3'"},
          Case{{"--seed=x"}, "--seed needs a number from 0 to 4294967295, not 'x'"},
          Case{{"debug"}, "unknown option 'debug'"}, Case{{"--zoom"}, "--zoom needs a number"},
          Case{{"--zoom", "5"}, "--zoom needs 1, 2, 3, 4 or 0 for automatic, not '5'"},
          Case{{"--zoom=-1"}, "--zoom needs 1, 2, 3, 4 or 0 for automatic, not '-1'"},
          Case{{"--zoom", "2x"}, "--zoom needs 1, 2, 3, 4 or 0 for automatic, not '2x'"},
          Case{{"--zoomed"}, "unknown option '--zoomed'"}}) {
        const TCommandLine line = Parse(each.arguments);
        EXPECT_EQ(line.Action, TCommandLine::TAction::Fail);
        EXPECT_EQ(line.Error, QString::fromLatin1(each.error));
    }
}
