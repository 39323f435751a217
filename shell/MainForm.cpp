#include "shell/MainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QAction>
#include <QActionGroup>
#include <QGraphicsDropShadowEffect>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolButton>
#include <QUrl>

#include "assets/Assets.h"
#include "shell/Gameover.h"
#include "shell/Highscor.h"
#include "shell/help/hh.h"
#include "shell/AccessiblePlayfield.h"
#include "shell/Infodlg.h"
#include "shell/KeyboardPlay.h"
#include "shell/MenuPlacement.h"
#include "shell/MaximiseRefusal.h"
#include "records/LifetimeRecord.h"
#include "shell/OpenEffect.h"
#include "shell/DialogPlacement.h"
#include "records/Placement.h"
#include "shell/PlayfieldBox.h"
#include "shell/Question.h"
#include "shell/Splasher.h"
#include "shell/StoreErrorText.h"
#include "assets/Texts.h"
#include "shell/Tongdlg.h"
#include "shell/UrlOpener.h"
#include "shell/WindowGeometry.h"
#include "shell/Zoom.h"

namespace {

const QString kMakersSite = QStringLiteral("https://www.blumogames.de/");

}  // namespace

TMainForm::TMainForm(uint32_t seed)
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      playfield_(surface_, sheets_, engine_, &German),
      waves([this] { return SoundAction->isChecked(); }),
      engine_(TGameView(playfield_, playfield_.Sprite(), waves, *this), seed),
      reading_(engine_, playfield_.Sprite()),
      keeper_(engine_),
      EndGameDlg([this] { return new TEndGameDlg(*this); }),
      InfoDialog([this] {
          return new TInfoDialog(*this, [this] { TongueDlg->ShowModal(); }, [this] { PaintPlayfield(); });
      }),
      TongueDlg([this] { return new TTongueDlg(*this); }),
      HighscoreDlg([this] {
          return new THighscoreDlg(
              *this, Chiffre,
              [] {
                  const TTexts& texts = Texts();
                  return THighscoreTexts{texts.HighscoreCaption, texts.ClearAll, texts.Cancel};
              },
              [this](const EStoreError& error) { ShowStoreError(error); });
      }),
      GiveUpDlg([this] { return new TGiveUpDlg(*this); }),
      GameOverDlg([this] { return new TGameOverDlg(*this); }),
      QuitGameDlg([this] { return new TQuitGameDlg(*this); })
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(FixedTexts::kCaption);
    setWindowIcon(Assets::ProgramIcon());
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    font.setBold(true);
    setFont(font);

    Chiffre.Init(std::string(), 0);
    tongue = static_cast<TTongue>(settings_.Tongue());
    setFixedSize(WindowGeometry::kClientWidth, WindowGeometry::kClientHeight);
    HelpSystem = std::make_unique<hh::THookHelpSystem>(
        QCoreApplication::applicationDirPath() + QStringLiteral("/nvgd.rcc"), QString(), 0);

    AccessiblePlayfield::Install();
    box = new TPlayfieldBox(this, surface_);
    AccessiblePlayfield::SetReading(*box, reading_);
    box->move(0, WindowGeometry::kToolBarHeight);
    BuildToolBar();
    new TKeyboardPlay(*this);  // owned by the window
    new TMaximiseRefusal(*this);
    blumoOpener_ = new TUrlOpener(this);
    SoundAction->setChecked(settings_.Sound());

    PauseText = AddBoardText("PauseText", {76, 144, 181, 77});
    PauseText->setText(TextsFor(true).PauseText);
    PauseText->hide();
    PauseText->installEventFilter(this);
    // Until the run's first game starts, the empty board says how to begin.
    FirstHint = AddBoardText("FirstHint", {58, 150, 205, 70});
    FirstHint->setAttribute(Qt::WA_TransparentForMouseEvents);
    KeptHint = AddBoardText("KeptHint", {52, 112, 217, 116});
    KeptHint->setAttribute(Qt::WA_TransparentForMouseEvents);
    KeptHint->hide();

    playfield_.SetApplyTexts([this] { ApplyTexts(); });
    connect(box, &TPlayfieldBox::MouseDown, this,
            [this](TMouseButton button, int x, int y) { Run([&] { engine_.boxMouseDown(button, x, y); }); });
    connect(box, &TPlayfieldBox::MouseMove, this, [this](int x, int y) { Run([&] { engine_.boxMouseMove(x, y); }); });
    connect(box, &TPlayfieldBox::Click, this, &TMainForm::GoOn);

    // What the animations draw while they hold the event loop still reaches
    // the screen, and so does what was drawn before a clip holds it.
    surface_.SetFlushHook([this] { box->repaint(surface_.TakeDirty()); });
    waves.SetBeforeWaiting([this] { surface_.Flush(); });

    Timer1.setInterval(TGameEngine::kTickMilliseconds);
    connect(&Timer1, &QTimer::timeout, this, [this] { Run([&] { engine_.Timer(); }); });
    Timer1.start();
    Splash = std::make_unique<TSplash>(*this);

    // A game left unfinished in an earlier run waits, paused, for the player.
    try {
        ShowKeptNews(keeper_.TakeUp());
    } catch (const EStoreError& error) {
        ShowStoreError(error);
    }
}

TMainForm::~TMainForm() = default;

void TMainForm::CreateDialogs()
{
    EndGameDlg.Get();
    InfoDialog.Get();
    TongueDlg.Get();
    HighscoreDlg.Get();
    GiveUpDlg.Get();
    GameOverDlg.Get();
    QuitGameDlg.Get();
}

QAction* TMainForm::AddCommand(const char* button, int left, int width, const QString& picture,
                               const QKeySequence& keys, void (TMainForm::*handler)())
{
    auto* action = new QAction(Assets::PictureIcon(picture), QString(), this);
    action->setShortcut(keys);
    addAction(action);
    if (handler != nullptr)
        connect(action, &QAction::triggered, this, handler);
    auto* tool = new QToolButton(this);
    tool->setObjectName(QLatin1String(button));
    tool->setDefaultAction(action);
    tool->setGeometry(left, 4, width, 25);
    tool->setAutoRaise(true);
    tool->setFocusPolicy(Qt::NoFocus);
    tool->setIconSize(QSize(width - 6, 19));
    return action;
}

QLabel* TMainForm::AddBoardText(const char* name, const QRect& place)
{
    auto* label = new QLabel(this);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(19);
    label->setFont(font);
    // A light blue with a dark halo: plain blue would vanish into the night-blue board.
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0x8c, 0xb8, 0xff));
    label->setPalette(palette);
    auto* halo = new QGraphicsDropShadowEffect(label);
    halo->setOffset(0, 0);
    halo->setBlurRadius(6);
    halo->setColor(Qt::black);
    label->setGraphicsEffect(halo);
    return label;
}

void TMainForm::BuildToolBar()
{
    StartAction = AddCommand("StartBtn", 4, 25, QStringLiteral("bomb"), QKeySequence::New, &TMainForm::Restart);
    PauseAction = AddCommand("PauseBtn", 32, 25, QStringLiteral("cup"), {}, &TMainForm::Pause);
    SoundAction = AddCommand("Soundbtn", 60, 25, QStringLiteral("sound"), Qt::Key_M, nullptr);
    HighscoreAction = AddCommand("HighScoreBtn", 88, 25, QStringLiteral("podium"), Qt::CTRL | Qt::Key_H,
                                 &TMainForm::highscore);
    // Ctrl+Q everywhere: the platforms that lack a standard Quit key (Windows) get it too.
    ExitAction = AddCommand("ExitBtn", 116, 25, QStringLiteral("door"), Qt::CTRL | Qt::Key_Q, &TMainForm::ExitBtnClick);
    TongueAction = AddCommand("TongueBtn", 379, 25, QStringLiteral("lips"), Qt::CTRL | Qt::Key_L, &TMainForm::TongueBtnClick);
    RulesAction = AddCommand("RulesBtn", 408, 25, QStringLiteral("rules"), QKeySequence::HelpContents,
                             &TMainForm::rules);
    InfoAction = AddCommand("InfoBtn", 436, 25, QStringLiteral("info"), Qt::CTRL | Qt::Key_I, &TMainForm::info);
    BlumoAction = AddCommand("BlumoBtn", 464, 29, QStringLiteral("face_small"), Qt::CTRL | Qt::Key_B, &TMainForm::BlumoBtnClick);

    // Checked means sound on; the picture shows which.
    SoundAction->setIcon(Assets::ToggleIcon(QStringLiteral("sound"), QStringLiteral("sound_off")));
    SoundAction->setCheckable(true);
}

void TMainForm::ShowDrawn()
{
    box->update(surface_.TakeDirty());
    AccessiblePlayfield::Announce(*box);
}

// ---- Outlets -----------------------------------------------------------------

void TMainForm::ShowPauseText(bool visible)
{
    // While a kept game waits, its own line stands over the board instead.
    PauseText->setVisible(visible && !keeper_.Waiting());
}

void TMainForm::ShowKeptNews(TKeptGameKeeper::TNews news)
{
    using TNews = TKeptGameKeeper::TNews;
    keptNews_ = news;
    const TTexts& texts = Texts();
    const QString* line = news == TNews::Waiting         ? &texts.KeptGameWaits
                          : news == TNews::Dropped       ? &texts.KeptGameDropped
                          : news == TNews::GoneElsewhere ? &texts.KeptGameGoneElsewhere
                                                         : nullptr;
    KeptHint->setVisible(line != nullptr);
    if (line != nullptr)
        KeptHint->setText(*line);
    // A waiting game's line stands alone on the board; a note on a game that
    // is gone stands above the first screen's line on how to start one.
    KeptHint->move(KeptHint->x(), news == TNews::Waiting ? 112 : 56);
    if (news == TNews::Waiting)
        FirstHint->hide();
    else if (news == TNews::GoneElsewhere)
        FirstHint->show();
    PauseText->setVisible(engine_.Paused && !engine_.GameOver && !keeper_.Waiting());
}

bool TMainForm::ClaimKeptGame()
{
    if (!keeper_.Waiting())
        return true;
    TKeptGameKeeper::TNews news = TKeptGameKeeper::TNews::None;
    try {
        news = keeper_.Claim();
    } catch (const EStoreError& error) {
        ShowStoreError(error);
    }
    ShowKeptNews(news);
    if (news != TKeptGameKeeper::TNews::GoneElsewhere)
        return true;
    PaintPlayfield();
    return false;
}

void TMainForm::GoOn()
{
    if (engine_.Paused && !ClaimKeptGame())
        return;
    Run([this] { engine_.boxClick(); });
}

bool TMainForm::KeepGame()
{
    try {
        keeper_.Keep();
        return true;
    } catch (const EStoreError& error) {
        ShowStoreError(error);
        return false;
    }
}

void TMainForm::ShowGameOverDlg()
{
    ShowDrawn();
    GameOverDlg->SayScore(Engine().Score);
    GameOverDlg->ShowModal();
}

bool TMainForm::ShowGiveUpDlg()
{
    ShowDrawn();
    return GiveUpDlg->ShowModal() == TModalDialog::kYes;
}

void TMainForm::ShowHighscoreDlg(int32_t score, THighscoreMode mode)
{
    ShowDrawn();
    HighscoreDlg->ShowModal(score, mode);
}

void TMainForm::GameEnded(bool timedOut)
{
    try {
        TLifetimeRecord::CountGame(TSettingsStore(), engine_.Tally, engine_.Score, engine_.Level, timedOut);
    } catch (const EStoreError& error) {
        ShowStoreError(error);
    }
}

void TMainForm::ApplyTexts()
{
    const TTexts& texts = Texts();
    // The commands' names are what screen readers say; the buttons show only pictures.
    const std::pair<QAction*, const QString*> names[] = {
        {StartAction, &texts.StartName},   {PauseAction, &texts.PauseName},   {SoundAction, &texts.SoundName},
        {HighscoreAction, &texts.HighScoreName}, {ExitAction, &texts.ExitName}, {TongueAction, &texts.TongueName},
        {RulesAction, &texts.RulesName},   {InfoAction, &texts.InfoName},     {BlumoAction, &texts.BlumoName},
    };
    for (const auto& [action, name] : names)
        action->setText(*name);
    StartAction->setToolTip(texts.StartHint);
    RulesAction->setToolTip(texts.RulesHint);
    PauseAction->setToolTip(texts.PauseHint);
    SoundAction->setToolTip(texts.SoundHint);
    HighscoreAction->setToolTip(texts.HighScoreHint);
    ExitAction->setToolTip(texts.ExitHint);
    TongueAction->setToolTip(texts.TongueHint);
    InfoAction->setToolTip(texts.InfoHint);
    BlumoAction->setToolTip(texts.BlumoHint);
    PauseText->setText(texts.PauseText);
    FirstHint->setText(texts.FirstHint);
    ShowKeptNews(keptNews_);
    playfield_.DrawNumbers();
    ShowDrawn();
}

// ---- Tool bar ------------------------------------------------------------------

void TMainForm::Restart()
{
    // The turn must not run out behind the give-up question or the highscore
    // entry that may follow it.
    Timer1.stop();
    ClaimKeptGame();
    Run([this] { engine_.Restart(); });
    Timer1.start();
    if (!engine_.GameOver) {
        FirstHint->hide();
        ShowKeptNews(TKeptGameKeeper::TNews::None);
    }
}

void TMainForm::Pause()
{
    Run([this] { engine_.Pause(); });
}

void TMainForm::highscore()
{
    const bool running = !engine_.GameOver;
    if (running)
        Timer1.stop();
    ShowHighscoreDlg(0, THighscoreMode::View);
    if (running)
        Timer1.start();
}

void TMainForm::info()
{
    const bool running = !engine_.GameOver;
    if (running)
        Timer1.stop();
    InfoDialog->ShowModal();
    if (running)
        Timer1.start();
}

void TMainForm::ExitBtnClick()
{
    close();
}

void TMainForm::TongueBtnClick()
{
    TongueDlg->ShowModal();
    // The labels are drawn over what is there: only a whole repaint shows
    // the new language without the old one beneath it.
    PaintPlayfield();
}

void TMainForm::rules()
{
    // Where the window system places the rules itself, they may cover the
    // game: the turn waits for the player's return as from any pause.
    if (!Placement::WindowSystemReportsPosition(QGuiApplication::platformName()))
        Pause();
    bool callDefault = false;
    HelpSystem->HelpHook(hh::HELP_CONTEXT, German() ? 1 : 2, callDefault);
}

void TMainForm::BlumoBtnClick()
{
    if (!blumoLinkWorks_)
        return;
    blumoOpener_->Open(QUrl(kMakersSite), [this](bool opened) {
        if (!opened)
            blumoLinkWorks_ = false;
    });
}

void TMainForm::paintEvent(QPaintEvent*)
{
    // At a fractional screen scale (125 %) the window's last screen line lies
    // half below its last whole pixel and belongs to no widget but the window:
    // the playfield's bottom line, drawn once more under the box, fills it.
    // Drawn two lines high from the box's last line on, the box covering the first.
    QPainter painter(this);
    const QRect bottomLine(0, TSurface::kHeight - 1, TSurface::kWidth, 1);
    painter.drawImage(bottomLine.translated(box->pos()).adjusted(0, 0, 0, 1), surface_.Image(), bottomLine);
}

// ---- Start-up and activation ---------------------------------------------------------

void TMainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    PaintPlayfield();
    if (!FirstActivation)
        return;
    // Where the window system does not activate new windows, the first show counts.
    QTimer::singleShot(0, this, &TMainForm::Activate);
}

void TMainForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (!isActiveWindow()) {
        // Another window or minimising, not one of the game's own questions.
        if (QApplication::activeModalWidget() == nullptr && settings_.AutoPause())
            Pause();
        return;
    }
    // A window over the playfield has gone: draw it whole, in the current language.
    PaintPlayfield();
    Activate();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PauseText && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        GoOn();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm::Activate()
{
    if (!FirstActivation)
        return;
    FirstActivation = false;
    OpenEffect::Play(*this);
    Splash->ShowModal();
    Splash.reset();
    if (tongue == TTongue::NotChosen)
        TongueDlg->ShowModal();
    // Back to the game for the keyboard, also where no window manager hands
    // the focus back when the start-up dialogs close.
    activateWindow();
    PaintPlayfield();
}

void TMainForm::PaintPlayfield()
{
    Run([this] { playfield_.Paint(); });
}

// ---- Placement -------------------------------------------------------------------

void TMainForm::RestorePlacement()
{
    const QSize size = frameGeometry().size().expandedTo(this->size());
    const QString stored = settings_.Placement();
    QRect desktop;
    QRect primary;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        desktop = screen->virtualGeometry();
        primary = screen->geometry();
    }
    // The record keeps real screen pixels, Zoom::InForce() to each of the window's.
    const int zoom = Zoom::InForce();
    const QRect realDesktop(desktop.topLeft() * zoom, desktop.size() * zoom);
    const auto restored = Placement::RestoredTopLeft(stored, size * zoom, realDesktop);
    move(restored ? *restored / zoom : Placement::Centred(size, primary));
}

void TMainForm::SavePlacement()
{
    if (!Placement::WindowSystemReportsPosition(QGuiApplication::platformName()))
        return;
    Placement::TRecord record;
    record.ShowState = isMinimized() ? 2 : isMaximized() ? 3 : 1;
    const int zoom = Zoom::InForce();
    record.Normal = QRect(frameGeometry().topLeft() * zoom, frameGeometry().size() * zoom);
    settings_.SetPlacement(Placement::Format(record));
}

// ---- The quit flow ---------------------------------------------------------------

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!CloseQuery()) {
        event->ignore();
        return;
    }
    // A game running at quit is given up. It stops before anything can show
    // a message, so no turn runs out behind one.
    Run([this] { engine_.Abandon(); });
    Leave();
    event->accept();
}

bool TMainForm::CloseQuery()
{
    Timer1.stop();
    bool canClose = false;
    if (engine_.GameOver) {
        canClose = EndGameDlg->ShowModal() == TModalDialog::kYes;
    } else if (settings_.KeepOnQuit() && KeepGame()) {
        canClose = true;
    } else {
        canClose = QuitGameDlg->ShowModal() == TModalDialog::kYes;
        quitting_ = canClose;
        // A kept game given up is this copy's to count, unless another has it.
        if (canClose)
            ClaimKeptGame();
        // The entry belongs to a game that ends: one that goes on enters at its end.
        if (canClose && engine_.Score > 0)
            ShowHighscoreDlg(engine_.Score, THighscoreMode::Enter);
    }
    // Only a game that goes on needs its turn again.
    if (!canClose)
        Timer1.start();
    return canClose;
}

void TMainForm::EndSession()
{
    if (sessionEnding_)
        return;
    sessionEnding_ = true;
    Timer1.stop();
    if (!engine_.GameOver)
        KeepGame();
    Run([this] { engine_.Abandon(); });
    Leave();
}

void TMainForm::Leave()
{
    // A session ending during the quit's message leaves without it.
    if (left_)
        return;
    left_ = true;
    quitting_ = true;
    Timer1.stop();
    // Freeing the link closes its viewer windows; close-all once more for good measure.
    HelpSystem.reset();
    hh::HHCloseAll();
    // Each value is tried, also past a refusal; one message, while the window
    // is still there, names all that were not written.
    const auto keep = [this](auto write) {
        try {
            write();
        } catch (const EStoreError& error) {
            ShowStoreError(error);
        }
    };
    keep([this] { settings_.SetSound(SoundAction->isChecked()); });
    keep([this] { settings_.SetTongue(static_cast<int>(tongue)); });
    keep([this] { SavePlacement(); });
    if (const std::optional<EStoreError> lost = TSettingsStore::FinishPending())
        ShowStoreError(*lost);
    if (refusedAtQuit_ && !sessionEnding_) {
        unwrittenAtQuit_.removeDuplicates();
        QMessageBox::critical(this, QCoreApplication::applicationName(),
                              StoreErrorText(*refusedAtQuit_, unwrittenAtQuit_));
    }
}

void TMainForm::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->pos().y() >= WindowGeometry::kToolBarHeight)
        return;
    const auto keep = [this](auto write) {
        try {
            write();
        } catch (const EStoreError& error) {
            ShowStoreError(error);
        }
    };
    const TTexts& texts = Texts();
    QMenu menu(this);
    QAction* autoPause = menu.addAction(texts.AutoPauseOption);
    autoPause->setObjectName(QStringLiteral("AutoPauseAction"));
    autoPause->setCheckable(true);
    autoPause->setChecked(settings_.AutoPause());
    connect(autoPause, &QAction::toggled, this, [this, keep](bool on) { keep([&] { settings_.SetAutoPause(on); }); });
    QAction* keepOnQuit = menu.addAction(texts.KeepOnQuitOption);
    keepOnQuit->setObjectName(QStringLiteral("KeepOnQuitAction"));
    keepOnQuit->setCheckable(true);
    keepOnQuit->setChecked(settings_.KeepOnQuit());
    connect(keepOnQuit, &QAction::toggled, this,
            [this, keep](bool on) { keep([&] { settings_.SetKeepOnQuit(on); }); });

    // The zoom is Qt's scale factor, fixed for a run: a new choice waits for the next start.
    QMenu* zoomMenu = menu.addMenu(texts.ZoomMenu);
    zoomMenu->setObjectName(QStringLiteral("ZoomMenu"));
    auto* zoomChoices = new QActionGroup(zoomMenu);
    const int stored = settings_.Zoom();
    const int automatic = Zoom::ForScreen(Zoom::kAutomatic, screen()->availableGeometry().size() * Zoom::InForce());
    for (int zoom = Zoom::kAutomatic; zoom <= Zoom::kLargest; ++zoom) {
        QAction* choice = zoomMenu->addAction(zoom == Zoom::kAutomatic
                                                  ? texts.ZoomAutomatic.arg(automatic)
                                                  : QStringLiteral("%1 ×").arg(zoom));
        choice->setObjectName(QStringLiteral("ZoomAction%1").arg(zoom));
        choice->setCheckable(true);
        choice->setChecked(zoom == stored);
        zoomChoices->addAction(choice);
        connect(choice, &QAction::triggered, this, [this, keep, zoom] { keep([&] { settings_.SetZoom(zoom); }); });
    }
    zoomMenu->addSeparator();
    zoomMenu->addAction(texts.ZoomFromNextStart)->setEnabled(false);
    QPoint at = event->globalPos();
    if (!Placement::WindowSystemReportsPosition(QGuiApplication::platformName())) {
        const int left = MenuLeftWithinWindow(event->pos().x(), menu.sizeHint().width(),
                                              zoomMenu->sizeHint().width(), width());
        at = mapToGlobal(QPoint(left, event->pos().y()));
    }
    menu.exec(at);
}

void TMainForm::ShowStoreError(const EStoreError& error)
{
    if (sessionEnding_)
        return;
    if (!quitting_) {
        QMessageBox::critical(this, QCoreApplication::applicationName(), StoreErrorText(error));
        return;
    }
    // A kept update is tried once more at the end of Leave, which tells what became of it.
    if (error.Kept)
        return;
    if (!refusedAtQuit_)
        refusedAtQuit_ = error;
    unwrittenAtQuit_.append(error.Names);
}
