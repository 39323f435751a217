#include <gtest/gtest.h>

#include "MainForm.h"
#include "ModalAnswer.h"
#include "ModalDialog.h"
#include "SettingsStore.h"
#include "Texts.h"
#include "TongueGuard.h"

namespace {

using Answers = TModalAnswers;
constexpr int kYes = TModalDialog::kYes;
constexpr int kNo = TModalDialog::kCancel;

class QuitFlow : public ::testing::Test {
protected:
    void StartGameWithScore(int32_t score)
    {
        form.Engine().NewGame();
        form.Engine().Score = score;
    }

    TMainForm form{7};
};

}  // namespace

TEST_F(QuitFlow, WithNoGameRunningTheQuitQuestionDecides)
{
    {
        Answers answers({Answers::Result(kNo)});
        EXPECT_FALSE(form.close());
        EXPECT_EQ(answers.Seen(), std::vector<std::string>{"EndGameDlg"});
        EXPECT_TRUE(form.TimerRunning());
    }
    {
        Answers answers({Answers::CloseBox()});
        EXPECT_FALSE(form.close());
    }
    Answers answers({Answers::Result(kYes)});
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(form.TimerRunning());
}

TEST_F(QuitFlow, DuringAGameWithoutPointsOnlyTheGiveUpQuestionComes)
{
    StartGameWithScore(0);
    Answers answers({Answers::Result(kYes), Answers::Result(kYes)});
    EXPECT_TRUE(form.close());
    EXPECT_EQ(answers.Seen(), std::vector<std::string>{"GiveUpDlg"});
}

TEST_F(QuitFlow, RefusingToGiveUpAGameWithPointsStillOffersTheScoreAndPlaysOn)
{
    StartGameWithScore(120);
    Answers answers({Answers::Result(kNo), Answers::Result(TModalDialog::kCancel)});
    EXPECT_FALSE(form.close());
    EXPECT_EQ(answers.Seen(), (std::vector<std::string>{"GiveUpDlg", "HighscoreDlg"}));
    EXPECT_FALSE(form.Engine().GameOver);
    EXPECT_EQ(form.Engine().Score, 120);
    EXPECT_TRUE(form.TimerRunning());
}

TEST_F(QuitFlow, ClosingWritesSoundAndLanguageBack)
{
    const TTongueGuard guard;
    tongue = 1;
    Answers answers({Answers::Result(kYes)});
    ASSERT_TRUE(form.close());
    TSettingsStore ini;
    EXPECT_EQ(ini.ReadString(QStringLiteral("common"), QStringLiteral("sound"), {}), QStringLiteral("1"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("common"), QStringLiteral("tongue"), {}), QStringLiteral("1"));
}

TEST_F(QuitFlow, TheTurnStandsStillWhileGivingUpForANewGame)
{
    StartGameWithScore(50);
    std::vector<bool> timerRan;
    auto note = [&](QDialog& dialog, int result) {
        timerRan.push_back(form.TimerRunning());
        dialog.done(result);
    };
    Answers answers({[&](QDialog& dialog) { note(dialog, kYes); },
                     [&](QDialog& dialog) { note(dialog, TModalDialog::kCancel); }});
    QMetaObject::invokeMethod(form.findChild<QObject*>(QStringLiteral("StartBtn")), "click");
    EXPECT_EQ(answers.Seen(), (std::vector<std::string>{"GiveUpDlg", "HighscoreDlg"}));
    EXPECT_EQ(timerRan, (std::vector<bool>{false, false}));
    EXPECT_TRUE(form.TimerRunning());
    EXPECT_EQ(form.Engine().Score, 0);
}

TEST_F(QuitFlow, TheTurnStandsStillWhileTheNewGameQuestionIsOpen)
{
    StartGameWithScore(50);
    bool timerRanDuringQuestion = true;
    Answers answers({[&](QDialog& dialog) {
        timerRanDuringQuestion = form.TimerRunning();
        dialog.done(kNo);
    }});
    QMetaObject::invokeMethod(form.findChild<QObject*>(QStringLiteral("StartBtn")), "click");
    EXPECT_EQ(answers.Seen(), std::vector<std::string>{"GiveUpDlg"});
    EXPECT_FALSE(timerRanDuringQuestion);
    EXPECT_TRUE(form.TimerRunning());
    EXPECT_EQ(form.Engine().Score, 50);
}
