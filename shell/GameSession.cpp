#include "shell/GameSession.h"

#include "assets/Texts.h"
#include "shell/AccessiblePlayfield.h"
#include "shell/BoardTexts.h"
#include "shell/Gameover.h"
#include "shell/HighscoreDlg.h"
#include "shell/PlayfieldBox.h"
#include "shell/Question.h"
#include "shell/WindowGeometry.h"

TGameSession::TGameSession(QWidget& window, uint32_t seed, std::function<bool()> soundOn)
    : window_(window), errors_(window), records_(chiffre_),
      playfield_(surface_, sheets_, engine_, [] { return tongue; }), sounds_(std::move(soundOn)),
      engine_(TGameView(playfield_, playfield_.Sprite(), sounds_, *this), seed), reading_(engine_),
      keeper_(engine_, records_), highscoreDlg_([this] {
          return new THighscoreDlg(
              window_, records_,
              [] {
                  const TTexts& texts = Texts();
                  return THighscoreTexts{texts.HighscoreCaption, texts.ClearAll, texts.Cancel};
              },
              [this](const EStoreError& error) { errors_.Show(error); });
      }),
      giveUpDlg_([this] { return new TGiveUpDlg(window_); }), gameOverDlg_([this] { return new TGameOverDlg(window_); })
{
    chiffre_.Init(std::string(), 0);
    playfieldBox_ = new TPlayfieldBox(&window, surface_);
    AccessiblePlayfield::SetReading(*playfieldBox_, reading_);
    playfieldBox_->move(0, WindowGeometry::kToolBarHeight);
    connect(playfieldBox_, &TPlayfieldBox::MouseDown, this,
            [this](TMouseButton button, int x, int y) { Run([&] { engine_.boxMouseDown(button, x, y); }); });
    connect(playfieldBox_, &TPlayfieldBox::MouseMove, this,
            [this](int x, int y) { Run([&] { engine_.boxMouseMove(x, y); }); });
    connect(playfieldBox_, &TPlayfieldBox::Click, this, &TGameSession::GoOn);

    // What the animations draw while they hold the event loop still reaches
    // the screen, and so does what was drawn before a clip holds it.
    surface_.SetFlushHook([this] { playfieldBox_->repaint(surface_.TakeDirty()); });
    sounds_.SetBeforeWaiting([this] { surface_.Flush(); });

    turn_.setInterval(TGameEngine::kTickMilliseconds);
    connect(&turn_, &QTimer::timeout, this, [this] { Run([&] { engine_.Timer(); }); });
    turn_.start();
}

TGameSession::~TGameSession() = default;

void TGameSession::ShowTextsOn(TBoardTexts& texts)
{
    texts_ = &texts;
    connect(texts_, &TBoardTexts::PauseTextClicked, this, &TGameSession::GoOn);
}

void TGameSession::TakeUpKeptGame()
{
    try {
        ShowKeptNews(keeper_.TakeUp());
    } catch (const EStoreError& error) {
        errors_.Show(error);
    }
}

void TGameSession::Run(const std::function<void()>& entry)
{
    entry();
    ShowDrawn();
}

void TGameSession::ShowDrawn()
{
    playfieldBox_->update(surface_.TakeDirty());
    AccessiblePlayfield::Announce(*playfieldBox_);
}

void TGameSession::GoOn()
{
    if (engine_.Paused && !ClaimKeptGame())
        return;
    Run([this] { engine_.boxClick(); });
}

// ---- Outlets -----------------------------------------------------------------

void TGameSession::ShowPauseText(bool visible)
{
    // While a kept game waits, its own line stands over the board instead.
    texts_->ShowPauseText(visible && !keeper_.Waiting());
}

void TGameSession::ShowGameOverDlg()
{
    ShowDrawn();
    const TTurnPause pause(*this);
    gameOverDlg_->SayScore(engine_.Score);
    gameOverDlg_->ShowModal();
}

bool TGameSession::ShowGiveUpDlg()
{
    ShowDrawn();
    const TTurnPause pause(*this);
    return giveUpDlg_->ShowModal() == TModalDialog::Yes;
}

void TGameSession::ShowHighscoreDlg(int32_t score, THighscoreMode mode)
{
    ShowDrawn();
    const TTurnPause pause(*this);
    highscoreDlg_->ShowModal(score, mode);
}

void TGameSession::GameEnded(bool timedOut)
{
    errors_.Keep([&] { records_.CountGame(engine_.Tally, engine_.Score, engine_.Level, timedOut); });
}

// ---- The game kept between runs ---------------------------------------------------

void TGameSession::ShowKeptNews(TKeptGameKeeper::TNews news)
{
    texts_->ShowKeptNews(news);
    texts_->ShowPauseText(engine_.Paused && !engine_.GameOver && !keeper_.Waiting());
}

bool TGameSession::ClaimKeptGame()
{
    if (!keeper_.Waiting())
        return true;
    TKeptGameKeeper::TNews news = TKeptGameKeeper::TNews::None;
    errors_.Keep([&] { news = keeper_.Claim(); });
    ShowKeptNews(news);
    if (news != TKeptGameKeeper::TNews::GoneElsewhere)
        return true;
    PaintPlayfield();
    return false;
}

bool TGameSession::KeepGame()
{
    try {
        keeper_.Keep();
        return true;
    } catch (const EStoreError& error) {
        errors_.Show(error);
        return false;
    }
}

void TGameSession::NewGame()
{
    // The turn must not run out behind the give-up question or the highscore
    // entry that may follow it.
    const TTurnPause pause(*this);
    ClaimKeptGame();
    Run([this] { engine_.Restart(); });
    if (!engine_.GameOver) {
        texts_->HideFirstHint();
        ShowKeptNews(TKeptGameKeeper::TNews::None);
    }
}

// ---- Drawing ---------------------------------------------------------------------

void TGameSession::PaintPlayfield()
{
    Run([this] { playfield_.Paint(); });
}

void TGameSession::ApplyTexts()
{
    texts_->ApplyTexts();
    ShowKeptNews(texts_->KeptNews());
    playfield_.DrawNumbers();
    ShowDrawn();
}

void TGameSession::SetApplyTexts(std::function<void()> applyTexts)
{
    playfield_.SetApplyTexts(std::move(applyTexts));
}

// ---- The turn ---------------------------------------------------------------------

void TGameSession::EndTurns()
{
    turnsEnded_ = true;
    turn_.stop();
}

void TGameSession::CreateDialogs()
{
    highscoreDlg_.Get();
    giveUpDlg_.Get();
    gameOverDlg_.Get();
}

TTurnPause::TTurnPause(TGameSession& session) : session_(session)
{
    if (session_.turnPauses_++ == 0)
        session_.turn_.stop();
}

TTurnPause::~TTurnPause()
{
    if (--session_.turnPauses_ == 0 && !session_.turnsEnded_)
        session_.turn_.start();
}
