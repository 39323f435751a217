#include <gtest/gtest.h>

#include <QLabel>
#include <QToolButton>

#include "shell/GameSession.h"
#include "shell/MainForm.h"
#include "shell/ModalDialog.h"
#include "tests/shell/ModalAnswer.h"
#include "tests/shell/TongueGuard.h"

namespace {

struct QuestionCase {
    TTongue language;
    bool quitting;  // else a new game asked for with the bomb (Ctrl+N)
    const char* question;
};

void PrintTo(const QuestionCase& each, std::ostream* out)
{
    *out << (each.quitting ? "quitting" : "new game") << " in " << static_cast<int>(each.language);
}

class RunningGameQuestion : public ::testing::TestWithParam<QuestionCase> {};

}  // namespace

// Quitting in a game asks its own question; the new game keeps its own.
TEST_P(RunningGameQuestion, SaysWhatTheAnswerWillDo)
{
    const QuestionCase& each = GetParam();
    const TTongueGuard guard;
    TMainForm form(7);
    tongue = each.language;  // the window reads the stored language as it is made
    form.Session().Engine().NewGame();
    form.Session().Engine().Score = 40;
    QString asked;
    TModalAnswers answers({[&](QDialog& dialog) {
                               for (const QLabel* label : dialog.findChildren<QLabel*>()) {
                                   if (!label->text().isEmpty())
                                       asked = label->text();
                               }
                               dialog.done(TModalDialog::Cancel);
                           },
                           TModalAnswers::Result(TModalDialog::Cancel)});
    if (each.quitting)
        form.close();
    else
        form.findChild<QToolButton*>(QStringLiteral("StartBtn"))->click();
    EXPECT_EQ(asked.toStdString(), each.question);
    EXPECT_FALSE(form.Session().Engine().GameOver) << "No keeps the game";
}

INSTANTIATE_TEST_SUITE_P(
    BothLanguages, RunningGameQuestion,
    ::testing::Values(QuestionCase{TTongue::English, true, "Do you really want to give up this game and quit?"},
                      QuestionCase{TTongue::German, true, "Willst Du dieses Spiel wirklich aufgeben und beenden?"},
                      QuestionCase{TTongue::English, false, "Do you really want to start at the beginning?"},
                      QuestionCase{TTongue::German, false, "Willst Du das Spiel wirklich von vorne beginnen?"}));
