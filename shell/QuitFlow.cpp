#include "shell/QuitFlow.h"

#include "assets/Texts.h"
#include "records/Preferences.h"
#include "shell/GameSession.h"
#include "shell/Question.h"
#include "shell/ToolBar.h"
#include "shell/WindowPlacement.h"

TQuitFlow::TQuitFlow(QWidget& window, TGameSession& session, TToolBar& toolBar, TPreferences& preferences)
    : window_(window), session_(session), toolBar_(toolBar), preferences_(preferences),
      endGameDlg_([this] { return new TEndGameDlg(window_); }),
      quitGameDlg_([this] { return new TQuitGameDlg(window_); })
{
}

bool TQuitFlow::Close()
{
    const TTurnPause pause(session_);
    if (!CloseQuery())
        return false;
    // A game running at quit is given up. It stops before anything can show
    // a message, so no turn runs out behind one.
    session_.Run([this] { session_.Engine().Abandon(); });
    Leave();
    return true;
}

bool TQuitFlow::CloseQuery()
{
    TGameEngine& engine = session_.Engine();
    if (engine.GameOver)
        return endGameDlg_->ShowModal() == TModalDialog::Yes;
    if (preferences_.KeepOnQuit() && session_.KeepGame())
        return true;
    if (quitGameDlg_->ShowModal() != TModalDialog::Yes)
        return false;
    // From the answer to quit on, refused writes wait for one message in Leave.
    session_.Errors().GatherForQuit();
    // A kept game given up is this copy's to count, unless another has it.
    session_.ClaimKeptGame();
    // The entry belongs to a game that ends: one that goes on enters at its end.
    if (engine.Score > 0)
        session_.ShowHighscoreDlg(engine.Score, THighscoreMode::Enter);
    return true;
}

void TQuitFlow::EndSession()
{
    TStoreErrorReport& errors = session_.Errors();
    if (errors.Silenced())
        return;
    // No one is there to read a message box.
    errors.Silence();
    session_.EndTurns();
    if (!session_.Engine().GameOver)
        session_.KeepGame();
    session_.Run([this] { session_.Engine().Abandon(); });
    Leave();
}

void TQuitFlow::Leave()
{
    // A session ending during the quit's message leaves without it.
    if (left_)
        return;
    left_ = true;
    TStoreErrorReport& errors = session_.Errors();
    errors.GatherForQuit();
    session_.EndTurns();
    toolBar_.CloseRules();
    // Each value is tried, also past a refusal; one message, while the window
    // is still there, names all that were not written.
    preferences_.SetTongue(static_cast<int>(tongue));
    errors.Keep([this] { preferences_.WriteSound(); });
    errors.Keep([this] { preferences_.WriteTongue(); });
    errors.Keep([this] { WindowPlacement::Save(window_, preferences_); });
    if (const std::optional<EStoreError> lost = TPreferences::FinishPending())
        errors.Show(*lost);
    errors.ShowGathered();
}

void TQuitFlow::CreateDialogs()
{
    endGameDlg_.Get();
    quitGameDlg_.Get();
}
