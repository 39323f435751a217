#include <gtest/gtest.h>

#include "CommandLine.h"

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
    struct Case { QStringList arguments; const char* error; };
    for (const Case& each : {Case{{"--frobnicate"}, "unknown option '--frobnicate'"},
                             Case{{"--seed"}, "--seed needs a number"},
                             Case{{"--seed", "-3"}, "--seed needs a number from 0 to 4294967295, not '-3'"},
                             Case{{"--seed=x"}, "--seed needs a number from 0 to 4294967295, not 'x'"},
                             Case{{"debug"}, "unknown option 'debug'"}}) {
        const TCommandLine line = Parse(each.arguments);
        EXPECT_EQ(line.Action, TCommandLine::TAction::Fail);
        EXPECT_EQ(line.Error, QString::fromLatin1(each.error));
    }
}
