#pragma once

#include "shell/OnDemand.h"

class QWidget;
class TEndGameDlg;
class TGameSession;
class TPreferences;
class TQuitGameDlg;
class TToolBar;

// How the game is left: the question before quitting, the game kept for
// the next start or given up with its highscore entry, and the settings
// written back on the way out, also when the session ends under the game.
class TQuitFlow {
public:
    // Leaves `window`, whose placement is kept.
    TQuitFlow(QWidget& window, TGameSession& session, TToolBar& toolBar, TPreferences& preferences);

    // The window's close: asks as the state of the game demands and, unless
    // the player stays, gives up a game still running and leaves. False:
    // the player stays.
    bool Close();

    // The session ends under the game: leaves in order without a question
    // or a message box. A game under way is kept for the next start (where
    // the store refuses, it counts as given up) and the settings are
    // written; ending the event loops is the caller's part.
    void EndSession();

    // The dialogs are made when first opened and then reused; this makes them now.
    void CreateDialogs();

private:
    bool CloseQuery();
    void Leave();

    QWidget& window_;
    TGameSession& session_;
    TToolBar& toolBar_;
    TPreferences& preferences_;
    bool left_ = false;
    TOnDemand<TEndGameDlg> endGameDlg_;
    TOnDemand<TQuitGameDlg> quitGameDlg_;
};
