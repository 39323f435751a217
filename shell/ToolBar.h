#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "shell/OnDemand.h"
#include "shell/WindowGeometry.h"

class QAction;
class QContextMenuEvent;
class QKeySequence;
class QMenu;
class QString;
class QWidget;
class TGameSession;
class TPreferences;
class TInfoDialog;
class TTongueDlg;
class TUrlOpener;
namespace hh {
class THookHelpSystem;
}

// The tool bar over the playfield: its commands, each an action of the
// window with its keys on a button of its own, the dialogs they open and
// the menu of options a right click on the bar opens.
//
//   Ctrl+N new game, P or Pause pause (again: resume), Ctrl+H highscores,
//   F1 rules, M sound, Ctrl+Q exit, Ctrl+L language, Ctrl+I info, Ctrl+B the
//   maker's web site.
class TToolBar : public QObject {
    Q_OBJECT
public:
    // Puts the buttons on `window`, whose actions the commands are.
    TToolBar(QWidget& window, TGameSession& session, TPreferences& preferences);
    ~TToolBar() override;

    // The sound switch: on or off.
    bool SoundOn() const;
    void SetSoundOn(bool on);
    // The commands' names and tool tips in the current language.
    void ApplyTexts();
    // The language dialog, as at the first start.
    void ShowTongueDlg();
    // Pauses the running game, as the pause button does.
    void Pause();
    // Pauses the running game or goes on with a paused one, as the P key does.
    void PauseOrResume();
    // Closes the rules and their viewer windows; for good.
    void CloseRules();
    // The menu of options, for a right click on the bar.
    void ShowMenu(const QContextMenuEvent& event);
    // The dialogs are made when first opened and then reused; this makes them now.
    void CreateDialogs();

    // False once the desktop failed to open the maker's site: the button is inert.
    bool MakersLinkWorks() const { return blumoLinkWorks_; }

private:
    // A command of the tool bar: its action, with its keys, on a button of its own.
    QAction* AddCommand(const WindowGeometry::TToolButton& button, const QKeySequence& keys,
                        void (TToolBar::*handler)());
    void NewGame();
    void Highscore();
    void Info();
    void Exit();
    void ChooseTongue();
    void Rules();
    void OpenMakersSite();
    // The zoom's submenu of `menu`, which owns it.
    // A checkable option of the menu, named `name`, that `write` stores as it is toggled.
    void AddOption(QMenu& menu, const QString& text, const char* name, bool on, const std::function<void(bool)>& write);
    QMenu* AddZoomMenu(QMenu& menu);

    QWidget& window_;
    TGameSession& session_;
    TPreferences& preferences_;
    std::unique_ptr<hh::THookHelpSystem> helpSystem_;
    TUrlOpener* blumoOpener_ = nullptr;
    bool blumoLinkWorks_ = true;
    // The commands, each on its button (StartBtn, PauseBtn, ...).
    QAction* startAction_ = nullptr;
    QAction* pauseAction_ = nullptr;
    QAction* soundAction_ = nullptr;  // checked: sound on
    QAction* highscoreAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* tongueAction_ = nullptr;
    QAction* rulesAction_ = nullptr;
    QAction* infoAction_ = nullptr;
    QAction* blumoAction_ = nullptr;
    TOnDemand<TInfoDialog> infoDialog_;
    TOnDemand<TTongueDlg> tongueDlg_;
};
