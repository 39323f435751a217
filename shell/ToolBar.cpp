#include "shell/ToolBar.h"

#include <QAction>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QToolButton>
#include <QUrl>

#include "assets/Assets.h"
#include "assets/Texts.h"
#include "records/Placement.h"
#include "records/Preferences.h"
#include "shell/GameSession.h"
#include "shell/InfoDialog.h"
#include "shell/MenuPlacement.h"
#include "shell/TongueDlg.h"
#include "shell/UrlOpener.h"
#include "shell/WindowGeometry.h"
#include "shell/Zoom.h"
#include "shell/help/hh.h"

namespace {

const QString kMakersSite = QStringLiteral("https://www.blumogames.de/");

}  // namespace

TToolBar::TToolBar(QWidget& window, TGameSession& session, TPreferences& preferences)
    : QObject(&window), window_(window), session_(session), preferences_(preferences),
      helpSystem_(std::make_unique<hh::THookHelpSystem>(
          QCoreApplication::applicationDirPath() + QStringLiteral("/nvgd.rcc"), QString(), 0)),
      infoDialog_([this] {
          return new TInfoDialog(
              window_, session_.Records(), [this] { ShowTongueDlg(); }, [this] { session_.PaintPlayfield(); });
      }),
      tongueDlg_([this] { return new TTongueDlg(window_); })
{
    startAction_ = AddCommand(WindowGeometry::ToolButton("StartBtn"), QKeySequence::New, &TToolBar::NewGame);
    pauseAction_ = AddCommand(WindowGeometry::ToolButton("PauseBtn"), {}, &TToolBar::Pause);
    soundAction_ = AddCommand(WindowGeometry::ToolButton("Soundbtn"), Qt::Key_M, nullptr);
    highscoreAction_ =
        AddCommand(WindowGeometry::ToolButton("HighScoreBtn"), Qt::CTRL | Qt::Key_H, &TToolBar::Highscore);
    // Ctrl+Q everywhere: the platforms that lack a standard Quit key (Windows) get it too.
    exitAction_ = AddCommand(WindowGeometry::ToolButton("ExitBtn"), Qt::CTRL | Qt::Key_Q, &TToolBar::Exit);
    tongueAction_ = AddCommand(WindowGeometry::ToolButton("TongueBtn"), Qt::CTRL | Qt::Key_L, &TToolBar::ChooseTongue);
    rulesAction_ = AddCommand(WindowGeometry::ToolButton("RulesBtn"), QKeySequence::HelpContents, &TToolBar::Rules);
    infoAction_ = AddCommand(WindowGeometry::ToolButton("InfoBtn"), Qt::CTRL | Qt::Key_I, &TToolBar::Info);
    blumoAction_ = AddCommand(WindowGeometry::ToolButton("BlumoBtn"), Qt::CTRL | Qt::Key_B, &TToolBar::OpenMakersSite);

    // Checked means sound on; the picture shows which.
    soundAction_->setIcon(Assets::ToggleIcon(QStringLiteral("sound"), QStringLiteral("sound_off")));
    soundAction_->setCheckable(true);
    connect(soundAction_, &QAction::toggled, this, [this](bool on) { preferences_.SetSound(on); });
    // P and Pause have no button: they pause as it does, and go on with a
    // paused game as a click on the board does. Held down, they act once.
    auto* pauseKeys = new QAction(&window_);
    pauseKeys->setShortcuts({QKeySequence(Qt::Key_P), QKeySequence(Qt::Key_Pause)});
    pauseKeys->setAutoRepeat(false);
    window_.addAction(pauseKeys);
    connect(pauseKeys, &QAction::triggered, this, &TToolBar::PauseOrResume);
    blumoOpener_ = new TUrlOpener(&window_);
}

TToolBar::~TToolBar() = default;

QAction* TToolBar::AddCommand(const WindowGeometry::TToolButton& button, const QKeySequence& keys,
                              void (TToolBar::*handler)())
{
    const QString picture = QString::fromLatin1(button.picture.data(), static_cast<qsizetype>(button.picture.size()));
    auto* action = new QAction(Assets::PictureIcon(picture), QString(), &window_);
    action->setShortcut(keys);
    window_.addAction(action);
    if (handler != nullptr)
        connect(action, &QAction::triggered, this, handler);
    auto* tool = new QToolButton(&window_);
    tool->setObjectName(QLatin1String(button.name.data(), static_cast<qsizetype>(button.name.size())));
    tool->setDefaultAction(action);
    tool->setGeometry(button.left, WindowGeometry::kButtonTop, button.width, WindowGeometry::kButtonHeight);
    tool->setAutoRaise(true);
    tool->setFocusPolicy(Qt::NoFocus);
    tool->setIconSize(QSize(button.width - 6, 19));
    return action;
}

bool TToolBar::SoundOn() const
{
    return soundAction_->isChecked();
}

void TToolBar::SetSoundOn(bool on)
{
    soundAction_->setChecked(on);
}

void TToolBar::ApplyTexts()
{
    const TTexts& texts = Texts();
    // The commands' names are what screen readers say; the buttons show only pictures.
    const std::pair<QAction*, const QString*> names[] = {
        {startAction_, &texts.StartName},         {pauseAction_, &texts.PauseName}, {soundAction_, &texts.SoundName},
        {highscoreAction_, &texts.HighScoreName}, {exitAction_, &texts.ExitName},   {tongueAction_, &texts.TongueName},
        {rulesAction_, &texts.RulesName},         {infoAction_, &texts.InfoName},   {blumoAction_, &texts.BlumoName},
    };
    for (const auto& [action, name] : names)
        action->setText(*name);
    startAction_->setToolTip(texts.StartHint);
    rulesAction_->setToolTip(texts.RulesHint);
    pauseAction_->setToolTip(texts.PauseHint);
    soundAction_->setToolTip(texts.SoundHint);
    highscoreAction_->setToolTip(texts.HighScoreHint);
    exitAction_->setToolTip(texts.ExitHint);
    tongueAction_->setToolTip(texts.TongueHint);
    infoAction_->setToolTip(texts.InfoHint);
    blumoAction_->setToolTip(texts.BlumoHint);
}

void TToolBar::ShowTongueDlg()
{
    // The game goes on while the player picks a language.
    tongueDlg_->ShowModal();
}

void TToolBar::Pause()
{
    session_.Run([this] { session_.Engine().Pause(); });
}

void TToolBar::PauseOrResume()
{
    if (session_.Engine().Paused)
        session_.GoOn();
    else
        Pause();
}

void TToolBar::CloseRules()
{
    // Freeing the link closes its viewer windows; close-all once more for good measure.
    helpSystem_.reset();
    hh::HHCloseAll();
}

void TToolBar::CreateDialogs()
{
    infoDialog_.Get();
    tongueDlg_.Get();
}

// ---- The commands --------------------------------------------------------------

void TToolBar::NewGame()
{
    session_.NewGame();
}

void TToolBar::Highscore()
{
    session_.ShowHighscoreDlg(0, THighscoreMode::View);
}

void TToolBar::Info()
{
    const TTurnPause pause(session_);
    infoDialog_->ShowModal();
}

void TToolBar::Exit()
{
    window_.close();
}

void TToolBar::ChooseTongue()
{
    ShowTongueDlg();
    // The labels are drawn over what is there: only a whole repaint shows
    // the new language without the old one beneath it.
    session_.PaintPlayfield();
}

void TToolBar::Rules()
{
    // Where the window system places the rules itself, they may cover the
    // game: the turn waits for the player's return as from any pause.
    if (!Placement::WindowSystemReportsPosition(QGuiApplication::platformName()))
        Pause();
    bool callDefault = false;
    helpSystem_->HelpHook(hh::HELP_CONTEXT, German() ? 1 : 2, callDefault);
}

void TToolBar::OpenMakersSite()
{
    if (!blumoLinkWorks_)
        return;
    blumoOpener_->Open(QUrl(kMakersSite), [this](bool opened) {
        if (!opened)
            blumoLinkWorks_ = false;
    });
}

// ---- The menu of options ---------------------------------------------------------

void TToolBar::AddOption(QMenu& menu, const QString& text, const char* name, bool on,
                         const std::function<void(bool)>& write)
{
    QAction* option = menu.addAction(text);
    option->setObjectName(QLatin1String(name));
    option->setCheckable(true);
    option->setChecked(on);
    connect(option, &QAction::toggled, this,
            [this, write](bool checked) { session_.Errors().Keep([&] { write(checked); }); });
}

QMenu* TToolBar::AddZoomMenu(QMenu& menu)
{
    TStoreErrorReport& errors = session_.Errors();
    const TTexts& texts = Texts();
    // The zoom is Qt's scale factor, fixed for a run: a new choice waits for the next start.
    QMenu* zoomMenu = menu.addMenu(texts.ZoomMenu);
    zoomMenu->setObjectName(QStringLiteral("ZoomMenu"));
    auto* zoomChoices = new QActionGroup(zoomMenu);
    const int stored = preferences_.Zoom();
    const int automatic =
        Zoom::ForScreen(Zoom::kAutomatic, window_.screen()->availableGeometry().size() * Zoom::InForce());
    for (int zoom = Zoom::kAutomatic; zoom <= Zoom::kLargest; ++zoom) {
        QAction* choice = zoomMenu->addAction(zoom == Zoom::kAutomatic ? texts.ZoomAutomatic.arg(automatic)
                                                                       : QStringLiteral("%1 ×").arg(zoom));
        choice->setObjectName(QStringLiteral("ZoomAction%1").arg(zoom));
        choice->setCheckable(true);
        choice->setChecked(zoom == stored);
        zoomChoices->addAction(choice);
        connect(choice, &QAction::triggered, this,
                [this, &errors, zoom] { errors.Keep([this, zoom] { preferences_.SetZoom(zoom); }); });
    }
    zoomMenu->addSeparator();
    zoomMenu->addAction(texts.ZoomFromNextStart)->setEnabled(false);
    return zoomMenu;
}

void TToolBar::ShowMenu(const QContextMenuEvent& event)
{
    if (event.pos().y() >= WindowGeometry::kToolBarHeight)
        return;
    const TTexts& texts = Texts();
    QMenu menu(&window_);
    AddOption(menu, texts.AutoPauseOption, "AutoPauseAction", preferences_.AutoPause(),
              [this](bool on) { preferences_.SetAutoPause(on); });
    AddOption(menu, texts.KeepOnQuitOption, "KeepOnQuitAction", preferences_.KeepOnQuit(),
              [this](bool on) { preferences_.SetKeepOnQuit(on); });
    QMenu* zoomMenu = AddZoomMenu(menu);
    QPoint at = event.globalPos();
    if (!Placement::WindowSystemReportsPosition(QGuiApplication::platformName())) {
        const int left = MenuLeftWithinWindow(event.pos().x(), menu.sizeHint().width(), zoomMenu->sizeHint().width(),
                                              window_.width());
        at = window_.mapToGlobal(QPoint(left, event.pos().y()));
    }
    // The menu of options leaves the turn running, like every menu of the desktop.
    menu.exec(at);
}
