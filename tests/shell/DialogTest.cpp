#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "assets/Texts.h"
#include "records/Chiffre.h"
#include "records/Placement.h"
#include "records/PlayerRecords.h"
#include "shell/Gameover.h"
#include "shell/InfoDialog.h"
#include "shell/OpenEffect.h"
#include "shell/Question.h"
#include "shell/TongueDlg.h"
#include "tests/shell/ModalAnswer.h"
#include "tests/shell/TongueGuard.h"

namespace {

using Answers = TModalAnswers;

struct PlacementCase {
    QRect mainFrame;
    int mainClient;
    QSize dialog;
    QPoint expected;
};

void PrintTo(const PlacementCase& each, std::ostream* out)
{
    *out << "main at " << each.mainFrame.left() << "," << each.mainFrame.top();
}

class DialogPlacement : public ::testing::TestWithParam<PlacementCase> {};

// Presses `key` on whatever has the focus in `dialog`.
TModalAnswers::TAnswer PressKey(Qt::Key key)
{
    return [key](QDialog& dialog) {
        QWidget* target = dialog.focusWidget() != nullptr ? dialog.focusWidget() : &dialog;
        QTest::keyClick(target, key);
        if (dialog.isVisible())
            dialog.done(99);  // the key did nothing: close it so the test goes on
    };
}

class Dialogs : public ::testing::Test {
protected:
    const TTongueGuard guard;
    QWidget mainForm;
};

}  // namespace

TEST_P(DialogPlacement, CentresOverTheMainWindowsClientArea)
{
    const PlacementCase& each = GetParam();
    EXPECT_EQ(Placement::DialogTopLeft(each.mainFrame, each.mainClient, each.dialog), each.expected);
}

INSTANTIATE_TEST_SUITE_P(Windows, DialogPlacement,
                         ::testing::Values(PlacementCase{{100, 50, 506, 395}, 366, {267, 128}, QPoint(219, 198)},
                                           PlacementCase{{0, 0, 500, 366}, 366, {261, 103}, QPoint(119, 132)},
                                           // Odd differences halve toward zero, also left of the screen.
                                           PlacementCase{{-301, 0, 500, 366}, 366, {261, 103}, QPoint(-182, 132)},
                                           // Near the bottom of the screen nothing pulls it back.
                                           PlacementCase{{0, 1000, 500, 366}, 366, {360, 329}, QPoint(70, 1019)}));

TEST_F(Dialogs, TheQuestionsAnswerYesOnEnterAndNoOnEscape)
{
    TGiveUpDlg giveUp(mainForm);
    TEndGameDlg endGame(mainForm);
    for (TQuestionDlg* question : std::initializer_list<TQuestionDlg*>{&giveUp, &endGame}) {
        {
            Answers answers({PressKey(Qt::Key_Return)});
            EXPECT_EQ(question->ShowModal(), TModalDialog::Yes);
        }
        {
            Answers answers({PressKey(Qt::Key_Escape)});
            EXPECT_EQ(question->ShowModal(), TModalDialog::Cancel);
        }
        Answers answers({Answers::CloseBox()});
        EXPECT_EQ(question->ShowModal(), TModalDialog::Cancel);
    }
}

TEST_F(Dialogs, TheLanguageDialogChoosesEnglishOnEnterAndIgnoresEscape)
{
    TTongueDlg tongueDlg(mainForm);
    {
        Answers answers({PressKey(Qt::Key_Escape)});
        EXPECT_EQ(tongueDlg.ShowModal(), 99);
        EXPECT_EQ(tongue, TTongue::NotChosen);
    }
    {
        Answers answers({Answers::CloseBox()});
        EXPECT_EQ(tongueDlg.ShowModal(), TModalDialog::Cancel);
        EXPECT_EQ(tongue, TTongue::NotChosen);
    }
    {
        Answers answers(
            {[](QDialog& dialog) { dialog.findChild<QPushButton*>(QStringLiteral("GermanBtn"))->click(); }});
        EXPECT_EQ(tongueDlg.ShowModal(), TModalDialog::Ok);
        EXPECT_EQ(tongue, TTongue::German);
    }
    Answers answers({PressKey(Qt::Key_Return)});
    EXPECT_EQ(tongueDlg.ShowModal(), TModalDialog::Ok);
    EXPECT_EQ(tongue, TTongue::English);
}

TEST_F(Dialogs, EachDialogTakesItsTextsFromTheLanguageWhenItIsShown)
{
    TGameOverDlg gameOver(mainForm);
    TGiveUpDlg giveUp(mainForm);
    for (int language : {1, 0, -1, 7}) {
        tongue = static_cast<TTongue>(language);
        const TTexts& texts = TextsFor(language == 1);
        {
            Answers answers({[&](QDialog& dialog) {
                EXPECT_EQ(dialog.findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly) != nullptr, true);
                QStringList labels;
                for (const QLabel* label : dialog.findChildren<QLabel*>())
                    labels << label->text();
                EXPECT_TRUE(labels.contains(texts.GameOverMessage)) << language;
                EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Novagrid"));
                dialog.done(TModalDialog::Ok);
            }});
            gameOver.ShowModal();
        }
        Answers answers({[&](QDialog& dialog) {
            QStringList buttons;
            for (const QPushButton* button : dialog.findChildren<QPushButton*>())
                buttons << button->text();
            EXPECT_EQ(buttons, (QStringList{texts.Yes, texts.No})) << language;
            dialog.done(TModalDialog::Cancel);
        }});
        giveUp.ShowModal();
    }
}

TEST_F(Dialogs, ChangingTheLanguageFromTheInfoDialogRelabelsItAtOnce)
{
    TTongueDlg tongueDlg(mainForm);
    int mainTextsApplied = 0;
    const TChiffre chiffre;
    const TPlayerRecords records(chiffre);
    TInfoDialog info(
        mainForm, records, [&] { tongueDlg.ShowModal(); }, [&] { ++mainTextsApplied; });
    tongue = TTongue::English;
    Answers answers({[](QDialog& dialog) {
                         EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Info about ..."));
                         dialog.findChild<QPushButton*>(QStringLiteral("TongBtn"))->click();
                     },
                     [](QDialog& dialog) { dialog.findChild<QPushButton*>(QStringLiteral("GermanBtn"))->click(); },
                     [](QDialog& dialog) {
                         EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Info über ..."));
                         EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("TongBtn"))->text(),
                                   QStringLiteral("Sprache"));
                         dialog.done(TModalDialog::Ok);
                     }});
    info.ShowModal();
    EXPECT_EQ(answers.Seen(), (std::vector<std::string>{"InfoDialog", "TongueDlg", "InfoDialog"}));
    EXPECT_EQ(mainTextsApplied, 1);
}

TEST(OpenEffect, GrowsFromThePointerToTheWindowAndThenErasesItself)
{
    const QRect window(200, 100, 500, 400);
    const QPoint cursor(40, 20);
    EXPECT_EQ(OpenEffect::Step(cursor, window, 1), QRect(44, 22, 12, 10));
    EXPECT_EQ(OpenEffect::Step(cursor, window, 20), QRect(120, 60, 250, 200));
    EXPECT_EQ(OpenEffect::Step(cursor, window, 40), window);
    const auto sequence = OpenEffect::Sequence(cursor, window);
    ASSERT_EQ(sequence.size(), 80u);
    // The second pass repeats the first, so every rectangle is drawn twice: gone.
    for (int step = 0; step < 40; ++step)
        EXPECT_EQ(sequence[step], sequence[step + 40]);
}
