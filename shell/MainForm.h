#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>

#include "records/Chiffre.h"
#include "engine/GameEngine.h"
#include "records/GameSettings.h"
#include "shell/KeptGameKeeper.h"
#include "shell/OnDemand.h"
#include "shell/PlayfieldReading.h"
#include "view/Playfield.h"
#include "view/Sheets.h"
#include "view/sound/SoundEffects.h"
#include "view/Surface.h"

class QAction;
class QLabel;
class TEndGameDlg;
class TGameOverDlg;
class TGiveUpDlg;
class THighscoreDlg;
namespace hh {
class THookHelpSystem;
}
class TInfoDialog;
class TPlayfieldBox;
class TQuitGameDlg;
class TSplash;
class TTongueDlg;
class TUrlOpener;

// The game's window: the tool bar over the playfield, the turn timer, and
// the frame around a game — start-up, the dialogs of the tool bar and the
// quit flow that writes the settings back.
class TMainForm : public QWidget, public TWindowOutlet {
    Q_OBJECT
public:

    // Creation of the window (FormCreate): reads the language and the sound
    // switch, makes the playfield and puts the engine into its start state,
    // with no game running. `seed` seeds the one random generator.
    explicit TMainForm(uint32_t seed);
    ~TMainForm() override;

    // The dialogs are made when first opened and then reused; this makes
    // every one of them now.
    void CreateDialogs();

    // The window's outlets of the engine.
    void ShowPauseText(bool visible) override;
    void ShowGameOverDlg() override;
    bool ShowGiveUpDlg() override;
    void ShowHighscoreDlg(int32_t score, THighscoreMode mode) override;
    // Counts the game that has just ended into the lifetime record.
    void GameEnded(bool timedOut) override;

    // Runs one engine entry, as the window's events and keys do, and sends
    // what it drew to the screen.
    template <typename Entry>
    void Run(Entry entry)
    {
        entry();
        ShowDrawn();
    }

    // The tool tips, the pause text and the playfield's labels in the current language.
    void ApplyTexts();
    // The window's paint handler: the whole playfield from the sheets and
    // the engine's state, in the current language.
    void PaintPlayfield();

    // Placement on the desktop, kept in the store as "MainForm". Where the
    // window system does not tell clients where their windows are (Wayland),
    // the stored placement is kept as it was.
    // Saving throws EStoreError when the store refuses.
    void RestorePlacement();
    void SavePlacement();

    // The session ends under the game: leaves in order without a question
    // or a message box. A game under way is kept for the next start (where
    // the store refuses, it counts as given up) and the settings are
    // written; ending the event loops is the caller's part.
    void EndSession();

    // Goes on with a paused game, as a click on the board does. A game kept
    // from an earlier run is first taken out of the store for this copy.
    void GoOn();

    TGameEngine& Engine() { return engine_; }
    // Top left of the floating piece on the playfield, where it stands now.
    QPoint PiecePosition() { return {playfield_.Sprite().GetX(), playfield_.Sprite().GetY()}; }
    bool TimerRunning() const { return Timer1.isActive(); }
    const QImage& PlayfieldImage() const { return surface_.Image(); }
    // False once the desktop failed to open the maker's site: the button is inert.
    bool MakersLinkWorks() const { return blumoLinkWorks_; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // A right click on the tool bar opens its menu of options.
    void contextMenuEvent(QContextMenuEvent* event) override;
    // A click on the pause text counts as a click on the playfield.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildToolBar();
    // A text shown over the board, as the pause text is.
    QLabel* AddBoardText(const char* name, const QRect& place);
    // A command of the tool bar: its action, with its keys, on a button of its own.
    QAction* AddCommand(const char* button, int left, int width, const QString& picture, const QKeySequence& keys,
                        void (TMainForm::*handler)());
    void ShowDrawn();
    void Activate();
    void Restart();
    void Pause();
    void highscore();
    void info();
    void ExitBtnClick();
    void TongueBtnClick();
    void rules();
    void BlumoBtnClick();
    bool CloseQuery();
    void Leave();
    void ShowStoreError(const EStoreError& error);
    // Before the player decides on a game kept from an earlier run: takes it
    // for this copy. False when another copy took it first; this window is
    // then back at its first screen.
    bool ClaimKeptGame();
    // Keeps the running game for the next start; false when the store refused.
    bool KeepGame();
    // What the first screen says of a game kept from an earlier run.
    void ShowKeptNews(TKeptGameKeeper::TNews news);

    TGameSettings settings_;  // the settings store `ini`, typed
    TChiffre Chiffre;  // enciphers the highscore rows
    TSurface surface_;
    TSheets sheets_;
    TPlayfield playfield_;
    TSoundEffects waves;
    TGameEngine engine_;
    TPlayfieldReading reading_;  // the playfield in words, for screen readers
    TKeptGameKeeper keeper_;     // the unfinished game kept between runs
    std::unique_ptr<hh::THookHelpSystem> HelpSystem;
    QTimer Timer1;
    bool FirstActivation = true;
    bool blumoLinkWorks_ = true;
    bool sessionEnding_ = false;  // no one is there to read a message box
    // From the answer to quit on, refused writes wait for one message in Leave.
    bool quitting_ = false;
    bool left_ = false;
    std::optional<EStoreError> refusedAtQuit_;
    QStringList unwrittenAtQuit_;
    TUrlOpener* blumoOpener_ = nullptr;

    TPlayfieldBox* box = nullptr;
    QLabel* PauseText = nullptr;
    QLabel* FirstHint = nullptr;
    QLabel* KeptHint = nullptr;  // what became of a game kept from an earlier run
    TKeptGameKeeper::TNews keptNews_ = TKeptGameKeeper::TNews::None;
    // The tool bar's commands, each on its button (StartBtn, PauseBtn, ...).
    QAction* StartAction = nullptr;
    QAction* PauseAction = nullptr;
    QAction* SoundAction = nullptr;  // checked: sound on
    QAction* HighscoreAction = nullptr;
    QAction* ExitAction = nullptr;
    QAction* TongueAction = nullptr;
    QAction* RulesAction = nullptr;
    QAction* InfoAction = nullptr;
    QAction* BlumoAction = nullptr;

    // Made at start-up, where its timer starts, and gone after the first activation.
    std::unique_ptr<TSplash> Splash;
    TOnDemand<TEndGameDlg> EndGameDlg;
    TOnDemand<TInfoDialog> InfoDialog;
    TOnDemand<TTongueDlg> TongueDlg;
    TOnDemand<THighscoreDlg> HighscoreDlg;
    TOnDemand<TGiveUpDlg> GiveUpDlg;
    TOnDemand<TGameOverDlg> GameOverDlg;
    TOnDemand<TQuitGameDlg> QuitGameDlg;
};
