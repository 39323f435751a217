#include <gtest/gtest.h>

#include <QLabel>
#include <QToolButton>

#include "assets/Texts.h"
#include "records/GameSettings.h"
#include "records/KeptGameRecord.h"
#include "records/LifetimeRecord.h"
#include "records/SettingsStore.h"
#include "shell/GameSession.h"
#include "shell/MainForm.h"
#include "shell/ModalDialog.h"
#include "tests/shell/ModalAnswer.h"
#include "tests/shell/TongueGuard.h"

// A game left unfinished waits for the next start, paused, and is played on
// by one copy of the game only, and counted once, when it ends.

namespace {

using Answers = TModalAnswers;

int64_t GamesPlayed()
{
    return TLifetimeRecord::Read(TSettingsStore()).GamesPlayed;
}

TKeptGameRecord::TFound KeptInStore()
{
    return TKeptGameRecord::Read(TSettingsStore()).Found;
}

// Two pieces dropped in the middle of the board by the engine's own entries.
void PlayTwoPieces(TMainForm& form)
{
    TGameEngine& engine = form.Session().Engine();
    engine.Restart();
    for (int n = 0; n < 2; ++n) {
        engine.boxMouseDown(TMouseButton::Left, Geometry::kGrabX, Geometry::kGrabY);
        const int32_t x = Geometry::CellLeft(3) + Geometry::kGrabOffsetX;
        const int32_t y = Geometry::CellTop(3 + 3 * n) + Geometry::kGrabOffsetY;
        engine.boxMouseMove(x, y);
        engine.boxMouseDown(TMouseButton::Left, x, y);
    }
}

QString KeptLine(TMainForm& form)
{
    const auto* line = form.findChild<QLabel*>(QStringLiteral("KeptHint"));
    return line->isVisibleTo(&form) ? line->text() : QString();
}

bool PauseTextShown(TMainForm& form)
{
    return form.findChild<QLabel*>(QStringLiteral("PauseText"))->isVisibleTo(&form);
}

class KeptGameWindow : public ::testing::Test {
protected:
    void TearDown() override
    {
        const TKeptGameRecord::TRead read = TKeptGameRecord::Read(TSettingsStore());
        if (read.Found == TKeptGameRecord::TFound::Game)
            TKeptGameRecord::Take(TSettingsStore(), read.Game);
        TGameSettings().SetKeepOnQuit(false);
    }

    // A game two pieces in, kept by the session's end; what the engine had.
    TKeptGame KeptBySessionEnd()
    {
        TMainForm form(11);
        PlayTwoPieces(form);
        const TKeptGame kept = form.Session().Engine().Snapshot();
        form.EndSession();
        return kept;
    }

    const TTongueGuard guard_;
};

}  // namespace

TEST_F(KeptGameWindow, TheNextStartShowsTheKeptGamePausedAndGoesOnWithIt)
{
    for (const TTongue language : {TTongue::English, TTongue::German}) {
        tongue = language;
        const int64_t played = GamesPlayed();
        const TKeptGame kept = KeptBySessionEnd();
        EXPECT_EQ(GamesPlayed(), played) << "kept, not counted";

        TMainForm form(12);
        EXPECT_FALSE(form.Session().Engine().GameOver);
        EXPECT_TRUE(form.Session().Engine().Paused);
        EXPECT_EQ(form.Session().Engine().Snapshot(), kept);
        EXPECT_EQ(KeptLine(form), Texts().KeptGameWaits);
        EXPECT_FALSE(PauseTextShown(form)) << "the kept game's line stands there instead";
        EXPECT_EQ(KeptInStore(), TKeptGameRecord::TFound::Game) << "not taken before the player goes on";

        form.Session().GoOn();
        EXPECT_FALSE(form.Session().Engine().Paused);
        EXPECT_EQ(KeptLine(form), QString());
        EXPECT_EQ(KeptInStore(), TKeptGameRecord::TFound::Nothing) << "taken when it goes on";

        // It ends once, with the whole time it ran in both runs.
        const int64_t ticksBefore = form.Session().Engine().Tally.RunningTicks;
        Answers answers({Answers::Result(0), Answers::Result(TModalDialog::Cancel)});
        while (!form.Session().Engine().GameOver)
            form.Session().Run([&] { form.Session().Engine().Timer(); });
        EXPECT_EQ(GamesPlayed(), played + 1);
        EXPECT_GT(form.Session().Engine().Tally.RunningTicks, ticksBefore);
    }
}

TEST_F(KeptGameWindow, WithTheOptionOnQuittingKeepsTheGameWithoutAQuestion)
{
    TGameSettings().SetKeepOnQuit(true);
    const int64_t played = GamesPlayed();
    TMainForm form(13);
    PlayTwoPieces(form);
    const TKeptGame kept = form.Session().Engine().Snapshot();
    Answers answers({Answers::Result(TModalDialog::Cancel)});
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(answers.Seen().empty());
    EXPECT_EQ(GamesPlayed(), played);
    EXPECT_EQ(TKeptGameRecord::Read(TSettingsStore()).Game, kept);

    // Quitting again before going on leaves the kept game as it is.
    TMainForm again(14);
    EXPECT_TRUE(again.close());
    EXPECT_EQ(TKeptGameRecord::Read(TSettingsStore()).Game, kept);
}

TEST_F(KeptGameWindow, WithoutTheOptionQuittingAsksAndAGivenUpKeptGameCountsOnce)
{
    KeptBySessionEnd();
    const int64_t played = GamesPlayed();
    TMainForm form(15);
    {
        Answers answers({Answers::Result(TModalDialog::Cancel), Answers::Result(TModalDialog::Cancel)});
        EXPECT_FALSE(form.close());
        EXPECT_EQ(answers.Seen().front(), "QuitGameDlg");
        EXPECT_EQ(KeptInStore(), TKeptGameRecord::TFound::Game);
    }
    Answers answers({Answers::Result(TModalDialog::Yes), Answers::Result(TModalDialog::Cancel)});
    EXPECT_TRUE(form.close());
    EXPECT_EQ(GamesPlayed(), played + 1);
    EXPECT_EQ(KeptInStore(), TKeptGameRecord::TFound::Nothing);
}

TEST_F(KeptGameWindow, ANewGameOverAKeptOneAsksTheGiveUpQuestion)
{
    KeptBySessionEnd();
    const int64_t played = GamesPlayed();
    TMainForm form(16);
    Answers answers({Answers::Result(TModalDialog::Yes), Answers::Result(TModalDialog::Cancel)});
    form.findChild<QToolButton*>(QStringLiteral("StartBtn"))->click();
    EXPECT_EQ(answers.Seen().front(), "GiveUpDlg");
    EXPECT_EQ(GamesPlayed(), played + 1);
    EXPECT_FALSE(form.Session().Engine().GameOver);
    EXPECT_EQ(form.Session().Engine().Score, 0) << "a new game";
    EXPECT_EQ(KeptLine(form), QString());
    EXPECT_EQ(KeptInStore(), TKeptGameRecord::TFound::Nothing);
}

TEST_F(KeptGameWindow, TwoCopiesStartedWithOneKeptGameCannotBothPlayIt)
{
    KeptBySessionEnd();
    const int64_t played = GamesPlayed();
    TMainForm first(17);
    TMainForm second(18);
    ASSERT_FALSE(second.Session().Engine().GameOver);

    first.Session().GoOn();
    second.Session().GoOn();
    EXPECT_FALSE(first.Session().Engine().GameOver);
    EXPECT_TRUE(second.Session().Engine().GameOver);
    EXPECT_EQ(KeptLine(second), Texts().KeptGameGoneElsewhere);
    EXPECT_EQ(GamesPlayed(), played) << "the game is the other copy's to count";
    Answers answers({Answers::Result(TModalDialog::Yes)});
    EXPECT_TRUE(second.close());
    EXPECT_EQ(answers.Seen(), std::vector<std::string>{"EndGameDlg"}) << "no game runs there";
}

TEST_F(KeptGameWindow, ADamagedKeptGameIsDroppedWithALineInThePlayersLanguage)
{
    for (const TTongue language : {TTongue::English, TTongue::German}) {
        tongue = language;
        TSettingsStore().WriteString(QStringLiteral("kept"), QStringLiteral("version"), QStringLiteral("1"));
        TSettingsStore().WriteString(QStringLiteral("kept"), QStringLiteral("game"), QStringLiteral("damaged"));
        TMainForm form(19);
        EXPECT_TRUE(form.Session().Engine().GameOver);
        EXPECT_EQ(KeptLine(form), Texts().KeptGameDropped);
        EXPECT_TRUE(form.findChild<QLabel*>(QStringLiteral("FirstHint"))->isVisibleTo(&form));
        EXPECT_EQ(KeptInStore(), TKeptGameRecord::TFound::Nothing);
    }
}
