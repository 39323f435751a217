#include "shell/ZoomStart.h"

#include <unistd.h>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <cstdio>

#include "assets/Texts.h"
#include "records/Preferences.h"
#include "shell/SessionEnd.h"
#include "shell/Zoom.h"

namespace {

const char kScaleFactor[] = "QT_SCALE_FACTOR";
// Set only for the one restart: the zoom it runs at, so that it never restarts again.
const char kRestartedAt[] = "NOVAGRID_RESTARTED_AT_ZOOM";

}  // namespace

TZoomStart::TZoomStart(std::optional<int> commandLine, const TPreferences& preferences, int argc, char* argv[])
    : commandLine_(commandLine), stored_(preferences.Zoom()),
      german_(preferences.Tongue() == static_cast<int>(TTongue::German)), arguments_(argv, argv + argc)
{
    arguments_.push_back(nullptr);
    bool ok = false;
    const double outer = qEnvironmentVariable(kScaleFactor).toDouble(&ok);
    if (ok && outer > 0)
        outerFactor_ = outer;
    const int restartedAt = qEnvironmentVariableIntValue(kRestartedAt, &ok);
    if (ok && restartedAt >= 1 && restartedAt <= Zoom::kLargest) {
        restarted_ = true;
        inForce_ = restartedAt;
        outerFactor_ /= restartedAt;
        return;
    }
    const int choice = commandLine_.value_or(stored_);
    if (choice == Zoom::kAutomatic)
        return;
    inForce_ = choice;
    qputenv(kScaleFactor, QByteArray::number(outerFactor_ * inForce_));
}

void TZoomStart::Settle()
{
    RestoreEnvironment();
    Zoom::SetInForce(inForce_);
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (restarted_ || screen == nullptr)
        return;
    // A choice from the command line fits the screen as the stored one does,
    // and the player hears why the game came out smaller than asked.
    const int choice = commandLine_.value_or(stored_);
    const int wanted = Zoom::ForScreen(choice, screen->availableGeometry().size() * inForce_);
    if (commandLine_ && choice != Zoom::kAutomatic && wanted < choice) {
        const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        const QString note = TextsFor(german_).ZoomShrunk.arg(program).arg(choice).arg(wanted);
        std::fprintf(stderr, "%s\n", qPrintable(note));
    }
    if (wanted == inForce_)
        return;
    qputenv(kScaleFactor, QByteArray::number(outerFactor_ * wanted));
    qputenv(kRestartedAt, QByteArray::number(wanted));
    TSessionEnd::HoldForRestart();
    execv(QCoreApplication::applicationFilePath().toLocal8Bit().constData(), arguments_.data());
    // The program could not start again: it runs on at the zoom it has.
    TSessionEnd::CatchSignals();
    RestoreEnvironment();
}

void TZoomStart::RestoreEnvironment() const
{
    if (outerFactor_ == 1)
        qunsetenv(kScaleFactor);
    else
        qputenv(kScaleFactor, QByteArray::number(outerFactor_));
    qunsetenv(kRestartedAt);
}
