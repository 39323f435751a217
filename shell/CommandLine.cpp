#include "shell/CommandLine.h"

#include "records/GameSettings.h"

#include "assets/Texts.h"
#include "shell/help/HelpTrace.h"

namespace {

// Options that QApplication takes for itself; those in the first list carry a value.
const QStringList kQtOptionsWithValue{"-platform",      "-platformpluginpath", "-platformtheme", "-plugin",
                                      "-qmljsdebugger", "-qwindowgeometry",    "-geometry",      "-qwindowicon",
                                      "-icon",          "-qwindowtitle",       "-title",         "-display",
                                      "-style",         "-stylesheet",         "-session",       "-name"};
const QStringList kQtSwitches{"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};

// "--option value" or "--option=value".
bool IsOption(const QString& argument, const QString& option)
{
    return argument == option || argument.startsWith(option + QLatin1Char('='));
}

// The value of the option at `n`, after its "=" or as the next argument
// (then `n` moves on to it); nothing when the line ends first.
std::optional<QString> OptionValue(const QStringList& arguments, qsizetype& n)
{
    const QString& argument = arguments[n];
    const qsizetype equals = argument.indexOf(QLatin1Char('='));
    if (equals >= 0)
        return argument.mid(equals + 1);
    if (++n == arguments.size())
        return std::nullopt;
    return arguments[n];
}

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
        } else if (IsOption(argument, QStringLiteral("--seed"))) {
            const std::optional<QString> value = OptionValue(arguments, n);
            if (!value)
                return fail(QStringLiteral("--seed needs a number"));
            bool ok = false;
            const uint seed = value->toUInt(&ok, 10);
            if (!ok)
                return fail(QStringLiteral("--seed needs a number from 0 to 4294967295, not '%1'").arg(*value));
            line.Seed = seed;
        } else if (IsOption(argument, QStringLiteral("--zoom"))) {
            const std::optional<QString> value = OptionValue(arguments, n);
            if (!value)
                return fail(QStringLiteral("--zoom needs a number"));
            bool ok = false;
            const int zoom = value->toInt(&ok, 10);
            if (!ok || zoom < TGameSettings::kZoomAutomatic || zoom > TGameSettings::kLargestZoom)
                return fail(QStringLiteral("--zoom needs 1, 2, 3, 4 or 0 for automatic, not '%1'").arg(*value));
            line.Zoom = zoom;
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
               "  --zoom N     draw the game N times its size (1 to 4; 0 fits it to the screen)\n"
               "               for this run, instead of the choice in the tool bar's menu\n"
               "  -debug       write the help viewer's trace to HHDebug.txt (also /debug)\n"
               "  --version    print the version and exit\n"
               "  -h, --help   print this help and exit\n")
        .arg(program);
}

QString TCommandLine::Version()
{
    return FixedTexts::kCaption;
}
