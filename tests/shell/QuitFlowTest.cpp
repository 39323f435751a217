#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QToolButton>

#include "assets/Texts.h"
#include "records/KeptGameRecord.h"
#include "records/LifetimeRecord.h"
#include "records/SettingsStore.h"
#include "shell/GameSession.h"
#include "shell/MainForm.h"
#include "shell/ModalDialog.h"
#include "tests/shell/ModalAnswer.h"
#include "tests/shell/TongueGuard.h"

namespace {

using Answers = TModalAnswers;
constexpr int kYes = TModalDialog::Yes;
constexpr int kNo = TModalDialog::Cancel;

class QuitFlow : public ::testing::Test {
protected:
    void StartGameWithScore(int32_t score)
    {
        form.Session().Engine().NewGame();
        form.Session().Engine().Score = score;
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
        EXPECT_TRUE(form.Session().TimerRunning());
    }
    {
        Answers answers({Answers::CloseBox()});
        EXPECT_FALSE(form.close());
    }
    Answers answers({Answers::Result(kYes)});
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(form.Session().TimerRunning());
}

TEST_F(QuitFlow, DuringAGameWithoutPointsOnlyTheGiveUpQuestionComes)
{
    StartGameWithScore(0);
    Answers answers({Answers::Result(kYes), Answers::Result(kYes)});
    EXPECT_TRUE(form.close());
    EXPECT_EQ(answers.Seen(), std::vector<std::string>{"QuitGameDlg"});
}

TEST_F(QuitFlow, RefusingToGiveUpAGameWithPointsOffersNoEntryAndPlaysOn)
{
    StartGameWithScore(120);
    Answers answers({Answers::Result(kNo), Answers::Result(TModalDialog::Cancel)});
    EXPECT_FALSE(form.close());
    EXPECT_EQ(answers.Seen(), std::vector<std::string>{"QuitGameDlg"});
    EXPECT_FALSE(form.Session().Engine().GameOver);
    EXPECT_EQ(form.Session().Engine().Score, 120);
    EXPECT_TRUE(form.Session().TimerRunning());
}

TEST_F(QuitFlow, ClosingWritesSoundAndLanguageBack)
{
    const TTongueGuard guard;
    tongue = TTongue::German;
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
        timerRan.push_back(form.Session().TimerRunning());
        dialog.done(result);
    };
    Answers answers(
        {[&](QDialog& dialog) { note(dialog, kYes); }, [&](QDialog& dialog) { note(dialog, TModalDialog::Cancel); }});
    QMetaObject::invokeMethod(form.findChild<QObject*>(QStringLiteral("StartBtn")), "click");
    EXPECT_EQ(answers.Seen(), (std::vector<std::string>{"GiveUpDlg", "HighscoreDlg"}));
    EXPECT_EQ(timerRan, (std::vector<bool>{false, false}));
    EXPECT_TRUE(form.Session().TimerRunning());
    EXPECT_EQ(form.Session().Engine().Score, 0);
}

TEST_F(QuitFlow, TheTurnStandsStillWhileTheNewGameQuestionIsOpen)
{
    StartGameWithScore(50);
    bool timerRanDuringQuestion = true;
    Answers answers({[&](QDialog& dialog) {
        timerRanDuringQuestion = form.Session().TimerRunning();
        dialog.done(kNo);
    }});
    QMetaObject::invokeMethod(form.findChild<QObject*>(QStringLiteral("StartBtn")), "click");
    EXPECT_EQ(answers.Seen(), std::vector<std::string>{"GiveUpDlg"});
    EXPECT_FALSE(timerRanDuringQuestion);
    EXPECT_TRUE(form.Session().TimerRunning());
    EXPECT_EQ(form.Session().Engine().Score, 50);
}

namespace {

// The store file's place taken by a folder: every write is refused until
// the guard puts the file back.
class TRefusingStore {
public:
    TRefusingStore() : path_(TSettingsStore::Location())
    {
        QFile::rename(path_, path_ + QStringLiteral(".kept"));
        QDir().mkpath(path_);
    }
    ~TRefusingStore()
    {
        QDir().rmdir(path_);
        QFile::rename(path_ + QStringLiteral(".kept"), path_);
    }

private:
    QString path_;
};

int64_t GamesPlayed()
{
    return TLifetimeRecord::Read(TSettingsStore()).GamesPlayed;
}

// Takes the game kept in the store out of it, so the next window starts
// without one; its score, or -1 when none was kept.
int32_t TakeKeptScore()
{
    const TKeptGameRecord::TRead read = TKeptGameRecord::Read(TSettingsStore());
    if (read.Found != TKeptGameRecord::TFound::Game || !TKeptGameRecord::Take(TSettingsStore(), read.Game))
        return -1;
    return read.Game.Score;
}

}  // namespace

TEST_F(QuitFlow, TheTurnStandsStillBehindTheTablesAndInfoAndRunsOnBehindLanguageAndMenu)
{
    bool timerRan = true;
    const auto click = [this](const char* button) {
        return [this, button] { form.findChild<QToolButton*>(QLatin1String(button))->click(); };
    };
    const struct {
        const char* name;
        bool turnRuns;
        std::function<void()> open;
    } routes[] = {
        {"HighScoreBtn", false, click("HighScoreBtn")},
        {"InfoBtn", false, click("InfoBtn")},
        {"TongueBtn", true, click("TongueBtn")},
        {"the menu of options", true,
         [&] {
             QTimer::singleShot(0, [&] {
                 timerRan = form.Session().TimerRunning();
                 QApplication::activePopupWidget()->close();
             });
             QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(200, 10), form.mapToGlobal(QPoint(200, 10)));
             QCoreApplication::sendEvent(&form, &event);
         }},
    };
    StartGameWithScore(50);
    for (const auto& route : routes) {
        timerRan = true;
        Answers answers({[&](QDialog& dialog) {
            timerRan = form.Session().TimerRunning();
            dialog.done(kNo);
        }});
        route.open();
        EXPECT_EQ(timerRan, route.turnRuns) << route.name;
        EXPECT_TRUE(form.Session().TimerRunning()) << route.name;
    }
    EXPECT_FALSE(form.Session().Engine().GameOver);
}

TEST_F(QuitFlow, QuittingOnAStoreThatRefusesStopsTheGameBeforeAnyMessageComes)
{
    StartGameWithScore(120);
    form.Session().Engine().Tally.PiecesPlaced = 4;
    const TRefusingStore refusing;
    std::vector<bool> timerRan;
    const auto noteAndAnswer = [&](int result) {
        return [&, result](QDialog& dialog) {
            timerRan.push_back(form.Session().TimerRunning());
            dialog.done(result);
        };
    };
    // Give up, keep the entry (refused), the game's record (refused), the
    // sound, the language and the placement (refused): one message for all.
    Answers answers({noteAndAnswer(kYes),
                     [&](QDialog& dialog) {
                         timerRan.push_back(form.Session().TimerRunning());
                         dialog.findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
                     },
                     noteAndAnswer(0), noteAndAnswer(0), noteAndAnswer(0), noteAndAnswer(0), noteAndAnswer(0)});
    EXPECT_TRUE(form.close());
    EXPECT_EQ(answers.Seen(), (std::vector<std::string>{"QuitGameDlg", "HighscoreDlg", ""}));
    EXPECT_EQ(timerRan, std::vector<bool>(3, false));
    EXPECT_TRUE(form.Session().Engine().GameOver);
}

TEST_F(QuitFlow, TheSessionsEndKeepsTheGameUncountedAndWritesTheSettingsWithoutAQuestion)
{
    const TTongueGuard guard;
    const int64_t before = GamesPlayed();
    tongue = TTongue::German;  // chosen in the language dialog of a first start
    form.findChild<QToolButton*>(QStringLiteral("Soundbtn"))->click();
    StartGameWithScore(30);
    form.Session().Engine().Tally.PiecesPlaced = 2;

    Answers answers({Answers::Result(kNo)});
    form.EndSession();
    EXPECT_TRUE(answers.Seen().empty());
    EXPECT_FALSE(form.Session().TimerRunning());
    EXPECT_EQ(GamesPlayed(), before);
    EXPECT_EQ(TakeKeptScore(), 30);
    const TSettingsStore ini;
    EXPECT_EQ(ini.ReadString(QStringLiteral("common"), QStringLiteral("tongue"), {}), QStringLiteral("1"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("common"), QStringLiteral("sound"), {}), QStringLiteral("0"));
}

TEST_F(QuitFlow, TheSessionEndingDuringTheNewGameQuestionKeepsTheGameUncounted)
{
    const int64_t before = GamesPlayed();
    StartGameWithScore(30);
    form.Session().Engine().Tally.PiecesPlaced = 2;
    Answers answers({[this](QDialog& dialog) {
                         form.EndSession();
                         dialog.done(kYes);  // what the question answers as its loop ends does not count
                     },
                     Answers::Result(TModalDialog::Cancel)});
    form.findChild<QToolButton*>(QStringLiteral("StartBtn"))->click();
    EXPECT_EQ(GamesPlayed(), before);
    EXPECT_EQ(TakeKeptScore(), 30);
}
