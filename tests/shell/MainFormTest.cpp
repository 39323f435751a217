#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "assets/Texts.h"
#include "records/GameSettings.h"
#include "records/LifetimeRecord.h"
#include "records/SettingsStore.h"
#include "shell/GameSession.h"
#include "shell/MainForm.h"
#include "shell/ModalDialog.h"
#include "shell/ToolBar.h"
#include "tests/shell/ModalAnswer.h"
#include "tests/shell/TongueGuard.h"

namespace {

using Answers = TModalAnswers;

TModalAnswers::TAnswer Click(const char* button)
{
    return [button](QDialog& dialog) { dialog.findChild<QPushButton*>(QLatin1String(button))->click(); };
}

void ClickToolButton(TMainForm& form, const char* name)
{
    form.findChild<QToolButton*>(QLatin1String(name))->click();
}

// The playfield as a window freshly painted in German shows it.
QImage PaintedInGerman()
{
    const TTongueGuard guard;
    TMainForm form(7);
    tongue = TTongue::German;
    form.PaintPlayfield();
    return form.Session().PlayfieldImage().copy();
}

struct LanguageRoute {
    const char* name;
    const char* toolButton;
    std::vector<TModalAnswers::TAnswer> answers;
};

}  // namespace

TEST(MainForm, AfterALanguageChangeThePlayfieldShowsTheNewLabelsAlone)
{
    const QImage german = PaintedInGerman();
    const LanguageRoute routes[] = {
        {"tool bar", "TongueBtn", {Click("GermanBtn")}},
        {"info window", "InfoBtn", {Click("TongBtn"), Click("GermanBtn"), Click("OKBtn")}},
    };
    for (const LanguageRoute& route : routes) {
        const TTongueGuard guard;
        TMainForm form(7);
        tongue = TTongue::English;
        form.PaintPlayfield();
        ASSERT_NE(form.Session().PlayfieldImage(), german) << route.name;
        Answers answers(route.answers);
        ClickToolButton(form, route.toolButton);
        EXPECT_EQ(tongue, TTongue::German) << route.name;
        EXPECT_TRUE(form.Session().PlayfieldImage() == german) << "labels overprinted after the " << route.name;
    }
}

TEST(MainForm, TheMakersLinkTurnsInertOnlyWhenTheDesktopCouldNotOpenIt)
{
    // Stand-ins for xdg-open that note each call; one finds a browser, one does not.
    QTemporaryDir bin;
    const QString calls = bin.filePath(QStringLiteral("calls"));
    const QByteArray savedPath = qgetenv("PATH");
    for (const int handlerExit : {0, 3}) {
        QFile handler(bin.filePath(QStringLiteral("xdg-open")));
        ASSERT_TRUE(handler.open(QIODevice::WriteOnly | QIODevice::Truncate));
        handler.write(QStringLiteral("#!/bin/sh\necho \"$1\" >> '%1'\nexit %2\n").arg(calls).arg(handlerExit).toUtf8());
        handler.close();
        handler.setPermissions(handler.permissions() | QFile::ExeOwner);
        QFile::remove(calls);
        qputenv("PATH", bin.path().toLocal8Bit() + ':' + savedPath);

        TMainForm form(7);
        for (int click = 0; click < 2; ++click) {
            ClickToolButton(form, "BlumoBtn");
            EXPECT_TRUE(QTest::qWaitFor([&] { return form.findChildren<QProcess*>().isEmpty(); }, 20000));
        }
        qputenv("PATH", savedPath);

        QFile noted(calls);
        ASSERT_TRUE(noted.open(QIODevice::ReadOnly)) << handlerExit;
        const QList<QByteArray> lines = noted.readAll().trimmed().split('\n');
        EXPECT_EQ(lines.first(), QByteArray("https://www.blumogames.de/"));
        EXPECT_EQ(lines.size(), handlerExit == 0 ? 2 : 1) << "handler exit " << handlerExit;
        EXPECT_EQ(form.ToolBar().MakersLinkWorks(), handlerExit == 0);
    }
}

TEST(MainForm, EveryEndedGameCountsIntoTheLifetimeRecordWhichTheInfoWindowShowsAfterARestart)
{
    TSettingsStore ini;
    TLifetimeRecord{}.Write(ini);  // earlier tests in this run may have played
    {
        TMainForm form(7);
        ClickToolButton(form, "StartBtn");  // no points yet: no question
        {
            // The piece is left waiting until the turn runs out.
            Answers answers({Click("OKBtn"), Click("CancelBtn")});
            while (!form.Session().Engine().GameOver)
                form.Session().Engine().Timer();
            EXPECT_EQ(answers.Seen(), (std::vector<std::string>{"GameOverDlg", "HighscoreDlg"}));
        }
        ClickToolButton(form, "StartBtn");
        form.Session().Engine().Score = 50;
        Answers answers({Click("OKBtn"), Click("CancelBtn")});  // give up, then leave the table
        ClickToolButton(form, "StartBtn");
    }
    TLifetimeRecord expected;
    TGameTally timedOut;
    timedOut.RunningTicks = 40;
    expected.AddGame(timedOut, 0, 0, true);
    expected.AddGame(TGameTally{}, 50, 0, false);
    EXPECT_EQ(TLifetimeRecord::Read(ini), expected);

    // Clearing the highscore table leaves the record alone.
    TMainForm restarted(8);
    {
        Answers answers({[](QDialog& dialog) {
            dialog.findChild<QCheckBox*>()->setChecked(true);
            Click("OKBtn")(dialog);
        }});
        ClickToolButton(restarted, "HighScoreBtn");
    }
    QStringList shown;
    Answers answers({[&](QDialog& dialog) {
        for (int n = 0; n < 7; ++n)
            shown << dialog.findChild<QLabel*>(QStringLiteral("RecordValue%1").arg(n))->text();
        Click("OKBtn")(dialog);
    }});
    ClickToolButton(restarted, "InfoBtn");
    EXPECT_EQ(shown, (QStringList{QString::number(expected.GamesPlayed), QString::number(expected.GamesTimedOut),
                                  QString::number(expected.GroupsCleared), QStringLiteral("0:00:12"),
                                  QStringLiteral("50"), QStringLiteral("0"), QStringLiteral("0")}));
}

TEST(MainForm, TheWindowAndItsDialogsOfFixedSizeStayUnmaximised)
{
    TMainForm form(7);
    form.CreateDialogs();
    QList<QWidget*> windows{&form};
    for (QDialog* dialog : form.findChildren<TModalDialog*>())
        windows << dialog;
    for (QWidget* window : windows) {
        const QSize size = window->size();
        window->setWindowState(Qt::WindowMaximized);
        EXPECT_FALSE(window->isMaximized()) << window->objectName().toStdString();
        EXPECT_EQ(window->size(), size) << window->objectName().toStdString();
    }
}

TEST(MainForm, PauseWhenAwayIsAnOptionOfTheToolBarMenuKeptAcrossRuns)
{
    const auto loseActivation = [](TMainForm& form) {
        QEvent event(QEvent::ActivationChange);
        QCoreApplication::sendEvent(&form, &event);  // the form is not the active window
    };
    const auto toggleOption = [](TMainForm& form) {
        QTimer::singleShot(0, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            menu->findChild<QAction*>(QStringLiteral("AutoPauseAction"))->trigger();
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(200, 10), form.mapToGlobal(QPoint(200, 10)));
        QCoreApplication::sendEvent(&form, &event);
    };
    TGameSettings().SetAutoPause(false);
    {
        TMainForm form(7);
        ClickToolButton(form, "StartBtn");
        loseActivation(form);
        EXPECT_FALSE(form.Session().Engine().Paused) << "off by default";
        toggleOption(form);
        EXPECT_TRUE(TGameSettings().AutoPause());
    }
    TMainForm restarted(7);
    ClickToolButton(restarted, "StartBtn");
    loseActivation(restarted);
    EXPECT_TRUE(restarted.Session().Engine().Paused);
    toggleOption(restarted);
    EXPECT_FALSE(TGameSettings().AutoPause());
}

TEST(MainForm, PauseWhenAwayFollowsTheChoiceOfThisRunNotAnEditOfTheStoreMeanwhile)
{
    for (const bool chosen : {false, true}) {
        TGameSettings().SetAutoPause(chosen);
        TMainForm form(7);
        ClickToolButton(form, "StartBtn");
        TGameSettings().SetAutoPause(!chosen);  // another copy of the game, or the player's editor
        QEvent event(QEvent::ActivationChange);
        QCoreApplication::sendEvent(&form, &event);  // the form is not the active window
        EXPECT_EQ(form.Session().Engine().Paused, chosen) << "chosen: " << chosen;
    }
    TGameSettings().SetAutoPause(false);
}

TEST(MainForm, TheFirstScreenSaysHowToBeginUntilTheFirstGameStarts)
{
    const TTongueGuard guard;
    TMainForm form(7);
    for (const int language : {0, 1}) {
        tongue = static_cast<TTongue>(language);
        form.ApplyTexts();
        EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("FirstHint"))->text(), TextsFor(language == 1).FirstHint);
    }
    auto* hint = form.findChild<QLabel*>(QStringLiteral("FirstHint"));
    EXPECT_TRUE(hint->isVisibleTo(&form));
    ClickToolButton(form, "StartBtn");
    EXPECT_FALSE(hint->isVisibleTo(&form));
    form.Session().Engine().GameOver = true;
    ClickToolButton(form, "StartBtn");
    EXPECT_FALSE(hint->isVisibleTo(&form)) << "does not come back in the run";
}

TEST(MainForm, MakesEachDialogWhenItIsFirstOpenedAndReusesIt)
{
    const TTongueGuard guard;
    TMainForm form(7);
    // Only the splash is there from the start, for its timer.
    EXPECT_EQ(form.findChildren<TModalDialog*>().size(), 0) << "none made before one is opened";

    QDialog* first = nullptr;
    for (int opening = 0; opening < 2; ++opening) {
        Answers answers({[&first](QDialog& dialog) {
            if (first == nullptr)
                first = &dialog;
            EXPECT_EQ(&dialog, first) << "the same dialog again";
            Click("OKBtn")(dialog);
        }});
        ClickToolButton(form, "HighScoreBtn");
        EXPECT_EQ(answers.Seen(), std::vector<std::string>{"HighscoreDlg"});
    }
    EXPECT_EQ(form.findChildren<TModalDialog*>().size(), 1);
}
