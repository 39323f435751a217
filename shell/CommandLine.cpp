#include "CommandLine.h"

#include "HelpTrace.h"
#include "Texts.h"

namespace {

// Options that QApplication takes for itself; those in the first list carry a value.
const QStringList kQtOptionsWithValue{"-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-qmljsdebugger",
                                      "-qwindowgeometry", "-geometry", "-qwindowicon", "-icon", "-qwindowtitle",
                                      "-title", "-display", "-style", "-stylesheet", "-session", "-name"};
const QStringList kQtSwitches{"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};

}  // namespace

TCommandLine TCommandLine::Parse(const QStringList& arguments)
{
    TCommandLine line;
    auto fail = [&line](const QString& error) {
        line.Action = TAction::Fail;
        line.Error = error;
        return line;
    };
    for (qsizetype n = 1; n < arguments.size(); ++n) {
        const QString& argument = arguments[n];
        if (kQtOptionsWithValue.contains(argument)) {
            ++n;
        } else if (kQtSwitches.contains(argument) || argument.startsWith(QLatin1String("-style="))) {
            continue;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            line.Action = TAction::ShowHelp;
        } else if (argument == QLatin1String("--version")) {
            line.Action = TAction::ShowVersion;
        } else if (hh::IsTraceSwitch(argument)) {
            line.Debug = true;
        } else if (argument == QLatin1String("--seed") || argument.startsWith(QLatin1String("--seed="))) {
            QString value = argument.mid(7);
            if (argument == QLatin1String("--seed")) {
                if (++n == arguments.size())
                    return fail(QStringLiteral("--seed needs a number"));
                value = arguments[n];
            }
            bool ok = false;
            const uint seed = value.toUInt(&ok, 10);
            if (!ok)
                return fail(QStringLiteral("--seed needs a number from 0 to 4294967295, not '%1'").arg(value));
            line.Seed = seed;
        } else {
            return fail(QStringLiteral("unknown option '%1'").arg(argument));
        }
    }
    return line;
}

QString TCommandLine::Usage(const QString& program)
{
    return QStringLiteral(
               "Usage: %1 [options]\n"
               "Novagrid, a timed stacking puzzle.\n"
               "\n"
               "Options:\n"
               "  --seed N     deal a reproducible game from seed N\n"
               "  -debug       write the help viewer's trace to HHDebug.txt (also /debug)\n"
               "  --version    print the version and exit\n"
               "  -h, --help   print this help and exit\n")
        .arg(program);
}

QString TCommandLine::Version()
{
    return FixedTexts::kCaption;
}
