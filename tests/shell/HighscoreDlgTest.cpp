#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "records/Chiffre.h"
#include "records/PlayerRecords.h"
#include "records/SettingsStore.h"
#include "records/Windows1252.h"
#include "shell/HighscoreDlg.h"
#include "shell/StoreErrorReport.h"
#include "tests/shell/ModalAnswer.h"

namespace {

using Answers = TModalAnswers;
const QString kCommon = QStringLiteral("common");

class HighscoreDialog : public ::testing::Test {
protected:
    HighscoreDialog() { qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit()); }

    // The eleven values the dialog writes, as stored.
    QStringList StoredValues() const
    {
        QStringList values{ini.ReadString(kCommon, QStringLiteral("player"), QStringLiteral("<none>"))};
        for (int row = 0; row < 10; ++row)
            values << ini.ReadString(kCommon, QStringLiteral("player%1").arg(row), QStringLiteral("<none>"));
        return values;
    }

    void StoreRow(int row, int score, const std::string& name)
    {
        ini.WriteString(kCommon, QStringLiteral("player%1").arg(row),
                        QString::fromLatin1(chiffre.Encode(std::to_string(score) + "," + name)));
    }

    void StoreTable(std::initializer_list<int> scores)
    {
        int row = 0;
        for (int score : scores) {
            std::string name = "P";
            name += std::to_string(row);
            StoreRow(row, score, name);
            ++row;
        }
    }

    static TModalAnswers::TAnswer Press(const char* button)
    {
        return [button](QDialog& dialog) { dialog.findChild<QPushButton*>(QLatin1String(button))->click(); };
    }

    static QString Cell(QDialog& dialog, const char* column, int row)
    {
        return dialog.findChild<QLabel*>(QStringLiteral("%1%2").arg(QLatin1String(column)).arg(row))->text();
    }

    QTemporaryDir config;
    TSettingsStore ini;
    TChiffre chiffre;
    TPlayerRecords records{chiffre};
    QWidget mainForm;
};

THighscoreTexts English()
{
    return {QStringLiteral("Novagrid - Highscore"), QStringLiteral("Clear all entries."), QStringLiteral("Cancel")};
}

}  // namespace

TEST_F(HighscoreDialog, TheFirstStartShowsTenBlankRowsAndTheFirstEntryWritesAllElevenValues)
{
    THighscoreDlg dialog(mainForm, records, English);
    Answers answers({[](QDialog& shown) {
        for (int row = 0; row < 10; ++row) {
            EXPECT_EQ(Cell(shown, "pla", row), QStringLiteral("Tindrel"));
            EXPECT_EQ(Cell(shown, "sco", row), row == 0 ? QStringLiteral("40") : QStringLiteral("0"));
            EXPECT_EQ(Cell(shown, "num", row), QStringLiteral("%1.   ").arg(row + 1));
        }
        EXPECT_EQ(shown.windowTitle(), QStringLiteral("Novagrid - Highscore"));
        Press("OKBtn")(shown);
    }});
    dialog.ShowModal(40, THighscoreMode::Enter);
    const QStringList stored = StoredValues();
    EXPECT_EQ(stored[0], QStringLiteral("Tindrel"));
    EXPECT_EQ(chiffre.Decode(stored[1].toStdString()), "40,Tindrel");
    for (int row = 1; row < 10; ++row)
        EXPECT_EQ(chiffre.Decode(stored[row + 1].toStdString()), "0,Tindrel");
}

TEST_F(HighscoreDialog, ANewScoreIsTypedIntoItsRowAndOkStoresIt)
{
    StoreTable({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
    THighscoreDlg dialog(mainForm, records, English);
    Answers answers({[](QDialog& shown) {
        auto* edit = shown.findChild<QLineEdit*>();
        ASSERT_TRUE(edit->isVisible());
        EXPECT_EQ(edit->geometry(), QRect(60, 15 + 21 * 3, 190, 15));
        EXPECT_EQ(edit->text(), QStringLiteral("Tindrel"));
        edit->setText(QStringLiteral("Brain, Mr."));
        Press("OKBtn")(shown);
    }});
    dialog.ShowModal(650, THighscoreMode::Enter);
    EXPECT_EQ(dialog.EditRow(), 3);
    EXPECT_EQ(ini.ReadString(kCommon, QStringLiteral("player"), {}), QStringLiteral("Brain, Mr."));
    EXPECT_EQ(chiffre.Decode(ini.ReadString(kCommon, QStringLiteral("player3"), {}).toStdString()), "650,Brain, Mr.");
    EXPECT_EQ(chiffre.Decode(ini.ReadString(kCommon, QStringLiteral("player9"), {}).toStdString()), "100,P8");

    // Read back whole, comma and all, and offered for the next entry.
    Answers again({[](QDialog& shown) {
                       EXPECT_EQ(Cell(shown, "pla", 3), QStringLiteral("Brain, Mr."));
                       Press("CancelBtn")(shown);
                   },
                   [](QDialog& shown) {
                       EXPECT_EQ(shown.findChild<QLineEdit*>()->text(), QStringLiteral("Brain, Mr."));
                       Press("CancelBtn")(shown);
                   }});
    dialog.ShowModal(0, THighscoreMode::View);
    dialog.ShowModal(2000, THighscoreMode::Enter);
}

TEST_F(HighscoreDialog, CancelLeavesEveryStoredValueAsItWas)
{
    StoreTable({900, 800});
    ini.WriteString(kCommon, QStringLiteral("player"), QStringLiteral("Ada"));
    const QStringList before = StoredValues();
    THighscoreDlg dialog(mainForm, records, English);
    for (const auto& close : {Press("CancelBtn"), Answers::CloseBox()}) {
        Answers answers({[&](QDialog& shown) {
            shown.findChild<QLineEdit*>()->setText(QStringLiteral("Eve"));
            close(shown);
        }});
        dialog.ShowModal(1000, THighscoreMode::Enter);
        EXPECT_EQ(StoredValues(), before);
    }
    // The entry lived only in the dialog.
    Answers answers({[](QDialog& shown) {
        EXPECT_EQ(Cell(shown, "sco", 0), QStringLiteral("900"));
        shown.reject();
    }});
    dialog.ShowModal(0, THighscoreMode::View);
}

TEST_F(HighscoreDialog, OkWithoutTypingStoresThePlayersName)
{
    ini.WriteString(kCommon, QStringLiteral("player"), QStringLiteral("Ada"));
    THighscoreDlg dialog(mainForm, records, English);
    Answers answers({Press("OKBtn")});
    dialog.ShowModal(77, THighscoreMode::Enter);
    EXPECT_EQ(chiffre.Decode(ini.ReadString(kCommon, QStringLiteral("player0"), {}).toStdString()), "77,Ada");
}

TEST_F(HighscoreDialog, AnEmptyNameIsStoredAfterTheCommaAndReadBackEmpty)
{
    THighscoreDlg dialog(mainForm, records, English);
    Answers answers({[](QDialog& shown) {
        shown.findChild<QLineEdit*>()->clear();
        Press("OKBtn")(shown);
    }});
    dialog.ShowModal(5, THighscoreMode::Enter);
    EXPECT_EQ(chiffre.Decode(ini.ReadString(kCommon, QStringLiteral("player0"), {}).toStdString()), "5,");
    Answers again({[](QDialog& shown) {
        EXPECT_EQ(Cell(shown, "pla", 0), QString());
        EXPECT_EQ(Cell(shown, "sco", 0), QStringLiteral("5"));
        shown.reject();
    }});
    dialog.ShowModal(0, THighscoreMode::View);
}

TEST_F(HighscoreDialog, ClearingStoresTenBlankRowsAndMrBrainEvenDuringAnEntry)
{
    StoreTable({900, 800, 700});
    THighscoreDlg dialog(mainForm, records, English);
    Answers answers({[](QDialog& shown) {
        shown.findChild<QCheckBox*>()->setChecked(true);
        Press("OKBtn")(shown);
    }});
    dialog.ShowModal(1000, THighscoreMode::Enter);
    const QStringList stored = StoredValues();
    EXPECT_EQ(stored[0], QStringLiteral("Mr. Brain"));
    for (int row = 0; row < 10; ++row)
        EXPECT_EQ(chiffre.Decode(stored[row + 1].toStdString()), "0,Tindrel");
    EXPECT_EQ(dialog.PlayerName(), QStringLiteral("Mr. Brain"));
}

TEST_F(HighscoreDialog, ViewingOrAScoreTooLowWritesNothingAndCreatesNothing)
{
    THighscoreDlg dialog(mainForm, records, English);
    for (const auto mode : {THighscoreMode::View, THighscoreMode::Enter}) {
        Answers answers({Press("OKBtn")});
        EXPECT_EQ(dialog.ShowModal(0, mode), TModalDialog::Ok);
        EXPECT_TRUE(QDir(config.path()).isEmpty());
    }

    StoreTable({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
    ini.WriteString(kCommon, QStringLiteral("player"), QStringLiteral("Ada"));
    // A note the player added by hand, which any rewrite of the file would drop.
    QFile file(TSettingsStore::Location());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = "; my best games\n" + file.readAll();
    file.close();
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(before);
    file.close();
    for (const auto& [score, mode] : {std::pair{0, THighscoreMode::View}, std::pair{50, THighscoreMode::Enter},
                                      std::pair{3, THighscoreMode::Enter}}) {
        Answers answers({[](QDialog& shown) {
            EXPECT_FALSE(shown.findChild<QLineEdit*>()->isVisible());
            Press("OKBtn")(shown);
        }});
        EXPECT_EQ(dialog.ShowModal(score, mode), TModalDialog::Ok);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), before) << score;
        file.close();
    }
}

TEST_F(HighscoreDialog, RowsAnotherCopyStoresWhileTheDialogIsOpenStayAndTheEntryTakesItsPlaceAmongThem)
{
    const struct {
        const char* meanwhile;
        std::vector<int> otherCopys;  // the table the other copy stores
        std::vector<std::string> expected;
        int entryRow;
    } cases[] = {
        {"a higher score",
         {900, 800, 750, 700, 600, 500, 400, 300, 200, 100},
         {"900,P0", "800,P1", "750,P2", "700,P3", "650,Ada", "600,P4", "500,P5", "400,P6", "300,P7", "200,P8"},
         4},
        {"a lower score",
         {900, 800, 700, 600, 550, 500, 400, 300, 200, 100},
         {"900,P0", "800,P1", "700,P2", "650,Ada", "600,P3", "550,P4", "500,P5", "400,P6", "300,P7", "200,P8"},
         3},
        {"ten higher scores",
         {990, 980, 970, 960, 950, 940, 930, 920, 910, 900},
         {"990,P0", "980,P1", "970,P2", "960,P3", "950,P4", "940,P5", "930,P6", "920,P7", "910,P8", "900,P9"},
         -1},
    };
    for (const auto& each : cases) {
        StoreTable({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
        ini.WriteString(kCommon, QStringLiteral("player"), QStringLiteral("Eve"));
        THighscoreDlg dialog(mainForm, records, English);
        Answers answers({[&](QDialog& shown) {
            EXPECT_EQ(Cell(shown, "sco", 3), QStringLiteral("650"));
            int row = 0;
            for (int score : each.otherCopys) {
                std::string name = "P";
                name += std::to_string(row);
                StoreRow(row++, score, name);
            }
            shown.findChild<QLineEdit*>()->setText(QStringLiteral("Ada"));
            Press("OKBtn")(shown);
        }});
        EXPECT_EQ(dialog.ShowModal(650, THighscoreMode::Enter), TModalDialog::Ok) << each.meanwhile;
        const QStringList stored = StoredValues();
        for (int row = 0; row < 10; ++row)
            EXPECT_EQ(chiffre.Decode(stored[row + 1].toStdString()), each.expected[row]) << each.meanwhile;
        EXPECT_EQ(stored[0], each.entryRow >= 0 ? QStringLiteral("Ada") : QStringLiteral("Eve")) << each.meanwhile;
        EXPECT_EQ(dialog.EditRow(), each.entryRow) << each.meanwhile;
    }
}

TEST_F(HighscoreDialog, ADamagedRowReadsAsBlankAndTheDialogStillOpens)
{
    StoreTable({900});
    ini.WriteString(kCommon, QStringLiteral("player1"), QStringLiteral("no comma here"));
    ini.WriteString(kCommon, QStringLiteral("player2"), QString::fromLatin1(chiffre.Encode("x12,Bob")));
    THighscoreDlg dialog(mainForm, records, English);
    Answers answers({[](QDialog& shown) {
        EXPECT_EQ(Cell(shown, "pla", 0), QStringLiteral("P0"));
        EXPECT_EQ(Cell(shown, "pla", 1), QStringLiteral("Tindrel"));
        EXPECT_EQ(Cell(shown, "pla", 2), QStringLiteral("Tindrel"));
        shown.reject();
    }});
    EXPECT_EQ(dialog.ShowModal(0, THighscoreMode::View), TModalDialog::Cancel);
    EXPECT_EQ(answers.Seen(), std::vector<std::string>{"HighscoreDlg"});
}

TEST_F(HighscoreDialog, TheNameBoxRefusesCharactersTheStoreCannotHold)
{
    THighscoreDlg dialog(mainForm, records, English);
    Answers answers({[](QDialog& shown) {
        auto* edit = shown.findChild<QLineEdit*>();
        edit->clear();
        for (QChar typed : QStringLiteral("JörgΩ")) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(typed));
            QApplication::sendEvent(edit, &key);
        }
        EXPECT_EQ(edit->text(), QStringLiteral("Jörg"));
        shown.reject();
    }});
    dialog.ShowModal(10, THighscoreMode::Enter);
}

TEST_F(HighscoreDialog, AStoredNameWithCharactersTheCodePageLacksIsCleanedOnceAndStoredAsShown)
{
    ini.WriteString(kCommon, QStringLiteral("player"), QStringLiteral("Łukasz Zoë 😀"));
    THighscoreDlg dialog(mainForm, records, English);
    EXPECT_EQ(dialog.PlayerName(), QStringLiteral("?ukasz Zoë ??"));
    Answers answers({[](QDialog& shown) {
        auto* edit = shown.findChild<QLineEdit*>();
        edit->setFocus();
        edit->end(false);
        QTest::keyClicks(edit, QStringLiteral("x"));
        EXPECT_EQ(edit->text(), QStringLiteral("?ukasz Zoë ??x"));
        Press("OKBtn")(shown);
    }});
    dialog.ShowModal(10, THighscoreMode::Enter);
    EXPECT_EQ(ini.ReadString(kCommon, QStringLiteral("player"), {}), QStringLiteral("?ukasz Zoë ??x"));
    EXPECT_EQ(chiffre.Decode(Windows1252::FromUnicode(ini.ReadString(kCommon, QStringLiteral("player0"), {}))),
              Windows1252::FromUnicode(QStringLiteral("10,?ukasz Zoë ??x")));
}

TEST_F(HighscoreDialog, AnswersLikeEveryOtherDialogOkOneCancelAndCloseBoxTwo)
{
    THighscoreDlg dialog(mainForm, records, English);
    const struct {
        const char* how;
        TModalAnswers::TAnswer answer;
        int result;
    } cases[] = {
        {"OK", Press("OKBtn"), TModalDialog::Ok},
        {"Cancel", Press("CancelBtn"), TModalDialog::Cancel},
        {"close box", TModalAnswers::CloseBox(), TModalDialog::Cancel},
    };
    for (const auto& each : cases) {
        Answers answers({each.answer});
        EXPECT_EQ(dialog.ShowModal(0, THighscoreMode::View), each.result) << each.how;
    }
}

TEST_F(HighscoreDialog, TabComesBackToTheNameFieldOnlyWhileAScreenReaderListens)
{
    // Tab round the dialog from the name field: a screen reader's user must
    // find the field again, while everyone else's Tab passes it by as ever.
    for (const bool listening : {true, false}) {
        SCOPED_TRACE(listening ? "a screen reader listens" : "no screen reader");
        THighscoreDlg dialog(mainForm, records, English);
        dialog.SetAssistiveTechnologyActive([=] { return listening; });
        bool cameBack = false;
        Answers answers({[&](QDialog& shown) {
            shown.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&shown));
            auto* edit = shown.findChild<QLineEdit*>();
            ASSERT_EQ(QApplication::focusWidget(), edit);
            for (int press = 0; press < 6 && !cameBack; ++press) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                cameBack = QApplication::focusWidget() == edit;
            }
            Press("CancelBtn")(shown);
        }});
        dialog.ShowModal(650, THighscoreMode::Enter);
        EXPECT_EQ(cameBack, listening);
    }
}

TEST_F(HighscoreDialog, EveryMessageOfARefusedStoreIsTitledWithTheGamesName)
{
    QDir().mkpath(TSettingsStore::Location());  // a folder where the store file goes: nothing is written
    const EStoreError refused(QStringLiteral("refused"), EStoreError::TCause::NotAFile, TSettingsStore::Location(),
                              {QStringLiteral("sound")});
    const struct {
        const char* when;
        std::function<void()> refuse;
    } cases[] = {
        {"an entry in the dialog shown on its own",
         [&] {
             THighscoreDlg dialog(mainForm, records, English);
             dialog.ShowModal(40, THighscoreMode::Enter);
         }},
        {"during play",
         [&] {
             TStoreErrorReport report(mainForm);
             report.Show(refused);
         }},
        {"at quit",
         [&] {
             TStoreErrorReport report(mainForm);
             report.GatherForQuit();
             report.Show(refused);
             report.ShowGathered();
         }},
    };
    for (const auto& each : cases) {
        QStringList titles;
        Answers answers(std::vector<Answers::TAnswer>(2, [&](QDialog& shown) {
            if (auto* message = qobject_cast<QMessageBox*>(&shown)) {
                titles << message->windowTitle();
                message->done(0);
            } else {
                Press("OKBtn")(shown);
            }
        }));
        each.refuse();
        EXPECT_EQ(titles.join(QStringLiteral(" | ")).toStdString(), "Novagrid") << each.when;
    }
}
