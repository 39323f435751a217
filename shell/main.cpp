#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <chrono>
#include <cstdio>

#include "assets/Assets.h"
#include "records/Preferences.h"
#include "shell/CommandLine.h"
#include "shell/FontWarmUp.h"
#include "shell/MainForm.h"
#include "shell/SessionEnd.h"
#include "shell/ZoomStart.h"
#include "shell/help/hh.h"

namespace {

uint32_t ClockSeed()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

}  // namespace

int main(int argc, char* argv[])
{
    // Logout, shutdown or a closed terminal, from the first moment on: the
    // game quits as the player would, never cut short.
    TSessionEnd::CatchSignals();
    // Read before the application exists, so --help and --version work without a display.
    QStringList arguments;
    for (int n = 0; n < argc; ++n)
        arguments << QString::fromLocal8Bit(argv[n]);
    const TCommandLine line = TCommandLine::Parse(arguments);
    const QString program = QFileInfo(arguments.value(0)).fileName();
    switch (line.Action) {
        case TCommandLine::TAction::ShowHelp:
            std::fputs(qPrintable(TCommandLine::Usage(program)), stdout);
            return 0;
        case TCommandLine::TAction::ShowVersion:
            std::puts(qPrintable(TCommandLine::Version()));
            return 0;
        case TCommandLine::TAction::Fail:
            std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", qPrintable(program), qPrintable(line.Error),
                         qPrintable(program));
            return 2;
        case TCommandLine::TAction::Play:
            break;
    }

    const TPreferences preferences = TPreferences::Read();
    TZoomStart zoom(line.Zoom, preferences, argc, argv);
    QApplication app(argc, argv);
    zoom.Settle();
    // Reading the system's fonts takes a while; it runs beside the building
    // of the window, which needs them only when it is first shown.
    TFontWarmUp fonts([] { QFontDatabase::families(); });
    // Every window of the game, the rules viewer's too, shows the game's icon.
    QApplication::setWindowIcon(Assets::ProgramIcon());
    // The help viewer and its trace are set up before any window exists.
    hh::LoadHelpViewer(QCoreApplication::arguments());
    TMainForm MainForm(line.Seed.value_or(ClockSeed()), preferences);
    // Logout, shutdown or a closed terminal: the game quits as the player would.
    TSessionEnd sessionEnd;
    QObject::connect(&sessionEnd, &TSessionEnd::Requested, &MainForm, [&MainForm] {
        MainForm.EndSession();
        // Also ends the loop of any dialog open now.
        QCoreApplication::exit(0);
    });
    MainForm.RestorePlacement();
    fonts.Wait();
    MainForm.show();
    return QApplication::exec();
}
