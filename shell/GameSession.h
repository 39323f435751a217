#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "engine/GameEngine.h"
#include "records/Chiffre.h"
#include "records/PlayerRecords.h"
#include "shell/GamePlay.h"
#include "shell/KeptGameKeeper.h"
#include "shell/OnDemand.h"
#include "shell/PlayfieldReading.h"
#include "shell/StoreErrorReport.h"
#include "view/Playfield.h"
#include "view/Sheets.h"
#include "view/Surface.h"
#include "view/sound/SoundEffects.h"

class QWidget;
class TBoardTexts;
class TGameOverDlg;
class TGiveUpDlg;
class THighscoreDlg;
class TPlayfieldBox;

// One game window's game: the engine with its drawing, sound and playfield
// box, the reading of the board for screen readers, the game kept between
// runs, the turn timer and the dialogs the engine asks through.
class TGameSession : public QObject, public TWindowOutlet, public TGamePlay {
    Q_OBJECT
public:
    // Puts the playfield box on `window` and the engine into its start state,
    // with no game running; the turn timer runs. `seed` seeds the one random
    // generator; `soundOn` tells whether the sound is switched on.
    TGameSession(QWidget& window, uint32_t seed, std::function<bool()> soundOn);
    ~TGameSession() override;

    // The lines over the board, made after the tool bar: until then the
    // engine shows none.
    void ShowTextsOn(TBoardTexts& texts);
    // A game left unfinished in an earlier run waits, paused, for the player.
    void TakeUpKeptGame();

    // The keys' side of the game.
    TGameEngine& Engine() override { return engine_; }
    void Run(const std::function<void()>& entry) override;
    // Goes on with a paused game, as a click on the board does. A game kept
    // from an earlier run is first taken out of the store for this copy.
    void GoOn();
    // Top left of the floating piece on the playfield, where it stands now.
    QPoint PiecePosition() { return {playfield_.Sprite().GetX(), playfield_.Sprite().GetY()}; }

    // The engine's outlets to the window.
    void ShowPauseText(bool visible) override;
    void ShowGameOverDlg() override;
    bool ShowGiveUpDlg() override;
    void ShowHighscoreDlg(int32_t score, THighscoreMode mode) override;
    // Counts the game that has just ended into the lifetime record.
    void GameEnded(bool timedOut) override;

    // A new game, as the tool bar's start button asks; a running game is
    // given up first if the player agrees.
    void NewGame();
    // Before the player decides on a game kept from an earlier run: takes it
    // for this copy. False when another copy took it first; the board is
    // then back at its first screen.
    bool ClaimKeptGame();
    // Keeps the running game for the next start; false when the store refused.
    bool KeepGame();

    // The whole playfield from the sheets and the engine's state.
    void PaintPlayfield();
    // The board's lines and the playfield's labels in the current language.
    void ApplyTexts();
    // Runs `applyTexts` whenever the playfield is drawn in a language.
    void SetApplyTexts(std::function<void()> applyTexts);

    // The session has ended: the turn stops, also after any pause around it.
    void EndTurns();

    // The dialogs are made when first opened and then reused; this makes them now.
    void CreateDialogs();

    TStoreErrorReport& Errors() { return errors_; }
    const TPlayerRecords& Records() const { return records_; }
    TPlayfieldBox& Box() { return *playfieldBox_; }
    bool TimerRunning() const { return turn_.isActive(); }
    const QImage& PlayfieldImage() const { return surface_.Image(); }

private:
    friend class TTurnPause;

    void ShowDrawn();
    void ShowKeptNews(TKeptGameKeeper::TNews news);

    QWidget& window_;
    TStoreErrorReport errors_;
    TChiffre chiffre_;  // enciphers the highscore rows
    TPlayerRecords records_;
    TSurface surface_;
    TSheets sheets_;
    TPlayfield playfield_;
    TSoundEffects sounds_;
    TGameEngine engine_;
    TPlayfieldReading reading_;  // the playfield in words, for screen readers
    TKeptGameKeeper keeper_;     // the unfinished game kept between runs
    QTimer turn_;
    int turnPauses_ = 0;
    bool turnsEnded_ = false;
    TPlayfieldBox* playfieldBox_ = nullptr;
    TBoardTexts* texts_ = nullptr;
    TOnDemand<THighscoreDlg> highscoreDlg_;
    TOnDemand<TGiveUpDlg> giveUpDlg_;
    TOnDemand<TGameOverDlg> gameOverDlg_;
};

// Holds the turn still while a modal dialog, a menu or a message holds the
// event loop: no turn may run out behind one. Pauses nest; the turn goes on
// when the outermost ends, unless the session has ended meanwhile.
class TTurnPause {
public:
    explicit TTurnPause(TGameSession& session);
    ~TTurnPause();
    TTurnPause(const TTurnPause&) = delete;
    TTurnPause& operator=(const TTurnPause&) = delete;

private:
    TGameSession& session_;
};
