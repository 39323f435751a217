#include "shell/MainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QPainter>
#include <QTimer>

#include "assets/Assets.h"
#include "assets/Texts.h"
#include "shell/AccessiblePlayfield.h"
#include "shell/BoardTexts.h"
#include "shell/GameSession.h"
#include "shell/KeyboardPlay.h"
#include "shell/MaximiseRefusal.h"
#include "shell/OpenEffect.h"
#include "shell/PlayfieldBox.h"
#include "shell/QuitFlow.h"
#include "shell/Splasher.h"
#include "shell/ToolBar.h"
#include "shell/WindowGeometry.h"
#include "shell/WindowPlacement.h"

TMainForm::TMainForm(uint32_t seed, TPreferences preferences)
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      preferences_(std::move(preferences))
{
    AccessiblePlayfield::Install();
    AccessiblePlayfield::DescribeAsGameWindow(*this);
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(FixedTexts::kCaption);
    setWindowIcon(Assets::ProgramIcon());
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    font.setBold(true);
    setFont(font);

    tongue = static_cast<TTongue>(preferences_.Tongue());
    setFixedSize(WindowGeometry::kClientWidth, WindowGeometry::kClientHeight);

    // Made in the order they stand for screen readers: the board, the tool bar, the lines over the board.
    session_ = std::make_unique<TGameSession>(*this, seed, [this] { return preferences_.Sound(); });
    toolBar_ = std::make_unique<TToolBar>(*this, *session_, preferences_);
    quit_ = std::make_unique<TQuitFlow>(*this, *session_, *toolBar_, preferences_);
    new TKeyboardPlay(*this, *session_);  // owned by the window
    new TMaximiseRefusal(*this);
    toolBar_->SetSoundOn(preferences_.Sound());
    auto* boardTexts = new TBoardTexts(*this);  // owned by the window
    session_->ShowTextsOn(*boardTexts);
    session_->SetApplyTexts([this] { ApplyTexts(); });

    splash_ = std::make_unique<TSplash>(*this);
    session_->TakeUpKeptGame();
}

TMainForm::~TMainForm() = default;

void TMainForm::CreateDialogs()
{
    quit_->CreateDialogs();
    toolBar_->CreateDialogs();
    session_->CreateDialogs();
}

void TMainForm::ApplyTexts()
{
    toolBar_->ApplyTexts();
    session_->ApplyTexts();
}

void TMainForm::PaintPlayfield()
{
    session_->PaintPlayfield();
}

void TMainForm::RestorePlacement()
{
    WindowPlacement::Restore(*this, preferences_);
}

void TMainForm::SavePlacement()
{
    WindowPlacement::Save(*this, preferences_);
}

void TMainForm::EndSession()
{
    quit_->EndSession();
}

void TMainForm::paintEvent(QPaintEvent*)
{
    // At a fractional screen scale (125 %) the window's last screen line lies
    // half below its last whole pixel and belongs to no widget but the window:
    // the playfield's bottom line, drawn once more under the box, fills it.
    // Drawn two lines high from the box's last line on, the box covering the first.
    QPainter painter(this);
    const QRect bottomLine(0, TSurface::kHeight - 1, TSurface::kWidth, 1);
    painter.drawImage(bottomLine.translated(session_->Box().pos()).adjusted(0, 0, 0, 1), session_->PlayfieldImage(),
                      bottomLine);
}

// ---- Start-up and activation ---------------------------------------------------------

void TMainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    PaintPlayfield();
    if (!firstActivation_)
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
        if (QApplication::activeModalWidget() == nullptr && preferences_.AutoPause())
            toolBar_->Pause();
        return;
    }
    // A window over the playfield has gone: draw it whole, in the current language.
    PaintPlayfield();
    Activate();
}

void TMainForm::Activate()
{
    if (!firstActivation_)
        return;
    firstActivation_ = false;
    {
        const TTurnPause pause(*session_);
        OpenEffect::Play(*this);
        splash_->ShowModal();
        splash_.reset();
        if (tongue == TTongue::NotChosen)
            toolBar_->ShowTongueDlg();
    }
    // Back to the game for the keyboard, also where no window manager hands
    // the focus back when the start-up dialogs close.
    activateWindow();
    PaintPlayfield();
}

// ---- The close -----------------------------------------------------------------

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (quit_->Close())
        event->accept();
    else
        event->ignore();
}

void TMainForm::contextMenuEvent(QContextMenuEvent* event)
{
    toolBar_->ShowMenu(*event);
}
