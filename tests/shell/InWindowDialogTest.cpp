#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "records/Placement.h"
#include "shell/DialogVeil.h"
#include "shell/GameSession.h"
#include "shell/MainForm.h"
#include "shell/ModalDialog.h"
#include "shell/Splasher.h"
#include "tests/shell/TongueGuard.h"

namespace {

using TStep = std::function<void(QDialog&)>;

// The dialog shown inside `form` now, if any: the top one of nested dialogs.
QDialog* OpenDialog(QWidget& form)
{
    QDialog* open = nullptr;
    for (TDialogVeil* veil : form.findChildren<TDialogVeil*>(Qt::FindDirectChildrenOnly)) {
        if (veil->isVisible())
            open = veil->findChild<QDialog*>();
    }
    return open;
}

// Runs `steps` on the dialogs as they come up inside `form`, one after the
// other; notes their names.
class TInsideAnswers {
public:
    TInsideAnswers(QWidget& form, std::vector<TStep> steps) : state_(std::make_shared<TState>())
    {
        state_->form = &form;
        state_->steps = std::move(steps);
        Arm(state_);
    }
    ~TInsideAnswers() { state_->steps.clear(); }
    const std::vector<std::string>& Seen() const { return state_->seen; }

private:
    struct TState {
        QWidget* form;
        std::vector<TStep> steps;
        std::vector<std::string> seen;
        size_t next = 0;
        QDialog* last = nullptr;
    };
    static void Arm(const std::shared_ptr<TState>& state)
    {
        QTimer::singleShot(0, [state] {
            if (state->next >= state->steps.size())
                return;
            QDialog* dialog = OpenDialog(*state->form);
            if (dialog == nullptr || dialog == state->last) {
                Arm(state);
                return;
            }
            state->last = dialog;
            state->seen.push_back(dialog->objectName().toStdString());
            const TStep step = state->steps[state->next++];
            Arm(state);
            step(*dialog);
            state->last = OpenDialog(*state->form) == dialog ? dialog : nullptr;
        });
    }
    std::shared_ptr<TState> state_;
};

// Types `key` as the window system does: to whatever has the keyboard focus.
void Type(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

// Dialogs inside the game's window for as long as it lives: the window makes
// its splash as it is built, so the choice must come first.
struct TInsideGameWindow {
    TInsideGameWindow() { TDialogVeil::SetInsideGameWindow(true); }
    ~TInsideGameWindow() { TDialogVeil::SetInsideGameWindow(false); }
};

class InWindowDialogs : public ::testing::Test {
protected:
    InWindowDialogs()
    {
        tongue = TTongue::English;  // no language question at the start
        // The start shows the splash; a click takes it away.
        TInsideAnswers start(form, {[](QDialog& splash) { splash.accept(); }});
        form.show();
        form.activateWindow();
        (void)QTest::qWaitForWindowActive(&form);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !start.Seen().empty() && OpenDialog(form) == nullptr; }))
            << "the splash came up inside the game's window and went at a click";
    }

    bool SoundOn() { return form.findChild<QToolButton*>(QStringLiteral("Soundbtn"))->isChecked(); }

    const TTongueGuard guard;
    const TInsideGameWindow inside;
    TMainForm form{7};
};

}  // namespace

TEST_F(InWindowDialogs, EachDialogShowsCentredOverTheGameWithTheFocusInIt)
{
    const std::vector<std::pair<const char*, std::function<void()>>> routes{
        {"EndGameDlg", [&] { form.close(); }},
        {"HighscoreDlg", [&] { Type(Qt::Key_H, Qt::ControlModifier); }},
        {"InfoDialog", [&] { form.findChild<QToolButton*>(QStringLiteral("InfoBtn"))->click(); }},
        {"TongueDlg", [&] { form.findChild<QToolButton*>(QStringLiteral("TongueBtn"))->click(); }},
        {"GameOverDlg", [&] { form.Session().ShowGameOverDlg(); }},
    };
    for (const auto& [name, open] : routes) {
        SCOPED_TRACE(name);
        TInsideAnswers answers(
            form, {[&](QDialog& dialog) {
                EXPECT_FALSE(dialog.isWindow());
                EXPECT_EQ(dialog.window(), &form);
                EXPECT_EQ(QApplication::activeWindow(), &form);
                ASSERT_NE(QApplication::focusWidget(), nullptr);
                EXPECT_TRUE(dialog.isAncestorOf(QApplication::focusWidget()));
                // Frame and caption strip around the dialog, placed by the rule.
                const QSize frame =
                    dialog.size() + QSize(2 * TDialogVeil::kBorder, 2 * TDialogVeil::kBorder + TDialogVeil::kCaption);
                const QPoint frameAt = Placement::DialogTopLeft(form.rect(), form.height(), frame);
                EXPECT_EQ(dialog.mapTo(&form, QPoint()),
                          frameAt + QPoint(TDialogVeil::kBorder, TDialogVeil::kBorder + TDialogVeil::kCaption));
                EXPECT_TRUE(form.rect().contains(QRect(frameAt, frame)));
                dialog.done(TModalDialog::Cancel);
            }});
        open();
        EXPECT_EQ(answers.Seen(), std::vector<std::string>{name});
        EXPECT_EQ(OpenDialog(form), nullptr);
    }
}

TEST_F(InWindowDialogs, TheGameTakesNoKeyClickOrCloseWhileTheNewGameQuestionWaits)
{
    form.Session().Engine().NewGame();
    form.Session().Engine().Score = 40;
    const bool soundBefore = SoundOn();
    TInsideAnswers answers(form, {[&](QDialog& dialog) {
                               Type(Qt::Key_M);
                               Type(Qt::Key_N, Qt::ControlModifier);
                               Type(Qt::Key_Q, Qt::ControlModifier);
                               QTest::mouseClick(form.findChild<QToolButton*>(QStringLiteral("StartBtn")),
                                                 Qt::LeftButton);
                               EXPECT_FALSE(form.close());
                               EXPECT_EQ(OpenDialog(form), &dialog);
                               EXPECT_EQ(SoundOn(), soundBefore);
                               // Tab goes round the question's two buttons and nowhere else.
                               std::vector<std::string> reached;
                               for (int n = 0; n < 3; ++n) {
                                   Type(Qt::Key_Tab);
                                   reached.push_back(QApplication::focusWidget()->objectName().toStdString());
                               }
                               EXPECT_EQ(reached, (std::vector<std::string>{"CancelBtn", "OKBtn", "CancelBtn"}));
                               Type(Qt::Key_Escape);
                           }});
    Type(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(answers.Seen(), std::vector<std::string>{"GiveUpDlg"});
    EXPECT_EQ(form.Session().Engine().Score, 40);
    EXPECT_FALSE(form.Session().Engine().GameOver);
    // The keyboard is the game's again at once.
    Type(Qt::Key_M);
    EXPECT_NE(SoundOn(), soundBefore);
}

TEST_F(InWindowDialogs, TheCaptionsCloseBoxAnswersNo)
{
    TInsideAnswers answers(form, {[&](QDialog& dialog) {
                               auto* veil = qobject_cast<TDialogVeil*>(dialog.parentWidget());
                               ASSERT_NE(veil, nullptr);
                               QTest::mouseClick(veil, Qt::LeftButton, Qt::NoModifier, veil->CloseBoxRect().center());
                           }});
    EXPECT_FALSE(form.close());
    EXPECT_EQ(answers.Seen(), std::vector<std::string>{"EndGameDlg"});
    EXPECT_EQ(OpenDialog(form), nullptr);
}

TEST_F(InWindowDialogs, TheSplashShowsInTheMiddleOfTheGameAndGoesAtAClick)
{
    TSplash splash(form);
    TInsideAnswers answers(form, {[&](QDialog& dialog) {
                               EXPECT_EQ(dialog.window(), &form);
                               EXPECT_EQ(dialog.mapTo(&form, QPoint()),
                                         Placement::DialogTopLeft(form.rect(), form.height(), dialog.size()));
                               QTest::mouseClick(&dialog, Qt::LeftButton, Qt::NoModifier, {100, 75});
                           }});
    splash.ShowModal();
    EXPECT_EQ(answers.Seen(), std::vector<std::string>{"Splash"});
    EXPECT_FALSE(splash.isVisible());
}

TEST_F(InWindowDialogs, EnterAnswersTheQuitQuestionAndThenTheTableTheScoreBringsUp)
{
    form.Session().Engine().NewGame();
    form.Session().Engine().Score = 40;
    const auto enter = [](QDialog& dialog) {
        Type(Qt::Key_Return);
        if (dialog.isVisible())
            dialog.done(TModalDialog::Cancel);  // Enter did nothing: the test goes on
    };
    TInsideAnswers answers(form, {enter, enter});
    Type(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(answers.Seen(), (std::vector<std::string>{"QuitGameDlg", "HighscoreDlg"}));
    EXPECT_FALSE(form.isVisible()) << "Enter on the table, its name box focused, ends the game";
}
