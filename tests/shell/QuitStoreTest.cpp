#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "records/Chiffre.h"
#include "records/HighscoreStore.h"
#include "records/LifetimeRecord.h"
#include "records/SettingsStore.h"
#include "shell/GameSession.h"
#include "shell/MainForm.h"
#include "shell/ModalDialog.h"
#include "tests/shell/ModalAnswer.h"
#include "tests/shell/TongueGuard.h"

// What the quit flow keeps in the store: one entry per game, and one
// message for everything it could not write.
namespace {

using Answers = TModalAnswers;

class QuitStore : public ::testing::Test {
protected:
    void StartGameWithScore(int32_t score)
    {
        form.Session().Engine().NewGame();
        form.Session().Engine().Score = score;
        form.Session().Engine().Tally.PiecesPlaced = 3;
    }

    static void ClearStore()
    {
        QDir(TSettingsStore::Location()).removeRecursively();
        QFile::remove(TSettingsStore::Location());
    }

    ~QuitStore() override { ClearStore(); }

    TMainForm form{11};
};

// Every score stored in the highscore table, best first.
std::vector<int32_t> StoredScores()
{
    std::vector<int32_t> scores;
    const THighscoreTable table = HighscoreStore::Read(TChiffre());
    for (int32_t score : table.Scores)
        if (score > 0)
            scores.push_back(score);
    return scores;
}

}  // namespace

TEST_F(QuitStore, AGameThatGoesOnAfterNoEntersItsScoreOnceWhenItEnds)
{
    ClearStore();
    StartGameWithScore(27);
    std::vector<int> giveUpAnswers{TModalDialog::Cancel, TModalDialog::Yes};
    Answers answers(std::vector<Answers::TAnswer>(4, [&](QDialog& dialog) {
        if (dialog.objectName() == QStringLiteral("QuitGameDlg")) {
            dialog.done(giveUpAnswers.front());
            giveUpAnswers.erase(giveUpAnswers.begin());
        } else {
            dialog.findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        }
    }));
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(StoredScores().empty()) << "an entry from a game that goes on";
    EXPECT_TRUE(form.close());
    EXPECT_EQ(answers.Seen(), (std::vector<std::string>{"QuitGameDlg", "QuitGameDlg", "HighscoreDlg"}));
    EXPECT_EQ(StoredScores(), std::vector<int32_t>{27});
    EXPECT_EQ(TLifetimeRecord::Read(TSettingsStore()).GamesPlayed, 1);
}

TEST_F(QuitStore, AtQuitOneMessageInThePlayersLanguageNamesTheFileAndAllThatWasNotWritten)
{
    const TTongueGuard guard;
    const struct {
        TTongue language;
        const char* says;
        const char* notSaved;
    } cases[] = {
        {TTongue::English, "could not save its settings in", "Not saved: "},
        {TTongue::German, "konnte seine Einstellungen nicht in", "Nicht gespeichert: "},
    };
    for (const auto& each : cases) {
        ClearStore();
        TMainForm quitting(5);
        tongue = each.language;                     // as chosen in the language dialog
        QDir().mkpath(TSettingsStore::Location());  // a folder where the store file goes: nothing is written
        quitting.Session().Engine().NewGame();
        quitting.Session().Engine().Score = 40;
        quitting.Session().Engine().Tally.PiecesPlaced = 2;
        QString message;
        Answers answers({Answers::Result(TModalDialog::Yes),
                         [](QDialog& dialog) { dialog.findChild<QPushButton*>(QStringLiteral("OKBtn"))->click(); },
                         [&](QDialog& dialog) {
                             if (auto* box = qobject_cast<QMessageBox*>(&dialog))
                                 message = box->text();
                             dialog.done(0);
                         },
                         Answers::Result(0), Answers::Result(0), Answers::Result(0)});
        // The message comes within the close, while the window is still there.
        EXPECT_TRUE(quitting.close());
        EXPECT_EQ(answers.Seen(), (std::vector<std::string>{"QuitGameDlg", "HighscoreDlg", ""}));
        EXPECT_TRUE(message.contains(QString::fromUtf8(each.says))) << message.toStdString();
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(TSettingsStore::Location()))) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(each.notSaved) +
                                     QStringLiteral("sound, tongue, MainForm, player, played")))
            << message.toStdString();
    }
}
