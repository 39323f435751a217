#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "tests/help/HelpTestSupport.h"

namespace {

const QString kTraceName = QStringLiteral("HHDebug.txt");

QStringList ReadLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void WriteText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

struct TSwitch {
    const char* Name;
    bool DebugFile;
    QStringList Arguments;
    bool On;
};

void PrintTo(const TSwitch& value, std::ostream* out)
{
    *out << value.Name;
}

class TraceSwitch : public HelpTest, public ::testing::WithParamInterface<TSwitch> {};

TEST_P(TraceSwitch, DecidesWhetherEventsAreWritten)
{
    const TSwitch& value = GetParam();
    if (value.DebugFile)
        WriteText(Folder() + QStringLiteral("debug.debug"), {});

    hh::LoadHelpViewer(value.Arguments, Folder(), Folder());
    {
        hh::THookHelpSystem link(BuiltHelpFile(), QString(), 0);
    }

    EXPECT_EQ(hh::HelpTrace().On(), value.On);
    const QStringList lines = ReadLines(Folder() + kTraceName);
    if (value.On) {
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.first(), QStringLiteral("Novagrid V2.3 help trace"));
        EXPECT_TRUE(lines.last().endsWith(QStringLiteral("   THookHelpSystem.Destroy")));
    } else {
        EXPECT_FALSE(QFile::exists(Folder() + kTraceName));
    }
}

INSTANTIATE_TEST_SUITE_P(
    StartUps, TraceSwitch,
    ::testing::Values(
        TSwitch{"nothing", false, {QStringLiteral("novagrid")}, false},
        TSwitch{"debug.debug", true, {QStringLiteral("novagrid")}, true},
        TSwitch{"slash", false, {QStringLiteral("novagrid"), QStringLiteral("/debug")}, true},
        TSwitch{"dash in capitals", false, {QStringLiteral("novagrid"), QStringLiteral("-DEBUG")}, true},
        TSwitch{"mixed case among others",
                false,
                {QStringLiteral("novagrid"), QStringLiteral("--seed"), QStringLiteral("7"), QStringLiteral("/DeBuG")},
                true},
        TSwitch{"no sign", false, {QStringLiteral("novagrid"), QStringLiteral("debug")}, false},
        TSwitch{"two dashes", false, {QStringLiteral("novagrid"), QStringLiteral("--debug")}, false},
        TSwitch{"more after it", false, {QStringLiteral("novagrid"), QStringLiteral("/debugger")}, false}));

TEST_F(HelpTest, TheTraceLiesBesideTheProgramWhenFilesCanBeMadeThere)
{
    const QStringList arguments{QStringLiteral("novagrid"), QStringLiteral("/debug")};
    hh::LoadHelpViewer(arguments, Folder(), Folder() + QStringLiteral("temp"));

    EXPECT_EQ(hh::HelpTrace().FilePath(), Folder() + kTraceName);
    EXPECT_TRUE(QFile::exists(Folder() + kTraceName));
    EXPECT_FALSE(QFile::exists(Folder() + QStringLiteral("$_Temp_$.$$$")));
}

TEST_F(HelpTest, TheTraceGoesToTheTemporaryFolderWhenTheProgramFolderTakesNoFiles)
{
    const QString programFolder = Folder() + QStringLiteral("nowhere/");
    const QString temp = Folder() + QStringLiteral("temp");
    ASSERT_TRUE(QDir().mkpath(temp));

    hh::LoadHelpViewer({QStringLiteral("novagrid"), QStringLiteral("/debug")}, programFolder, temp);

    EXPECT_EQ(hh::HelpTrace().FilePath(), temp + QLatin1Char('/') + kTraceName);
    EXPECT_EQ(ReadLines(temp + QLatin1Char('/') + kTraceName).value(0), QStringLiteral("Novagrid V2.3 help trace"));
    EXPECT_FALSE(QDir(programFolder).exists());
}

TEST_F(HelpTest, EveryStartDeletesTheTraceOfTheLastRun)
{
    const QString trace = Folder() + kTraceName;
    for (const bool on : {false, true}) {
        SCOPED_TRACE(on);
        WriteText(trace, "10:00:00.000   THookHelpSystem.Destroy\n");
        QStringList arguments{QStringLiteral("novagrid")};
        if (on)
            arguments.append(QStringLiteral("-debug"));

        hh::LoadHelpViewer(arguments, Folder(), Folder());

        EXPECT_EQ(QFile::exists(trace), on);
        EXPECT_FALSE(ReadLines(trace).contains(QStringLiteral("10:00:00.000   THookHelpSystem.Destroy")));
    }
}

TEST_F(HelpTest, ATypicalSessionIsTracedLineByLine)
{
    QDateTime now(QDate(2024, 3, 5), QTime(9, 5, 59, 985));
    hh::HelpTrace().SetClock([&now] {
        now = now.addMSecs(10);
        return now;
    });
    ASSERT_TRUE(QDir(Folder()).mkdir(QStringLiteral("my help")));
    ASSERT_TRUE(QFile::copy(BuiltHelpFile(), Folder() + QStringLiteral("my help/nvgd.rcc")));
    const QString helpFile = Folder() + QStringLiteral("my%20help/nvgd.rcc");
    const QString opened = Folder() + QStringLiteral("my help/nvgd.rcc");

    hh::LoadHelpViewer({QStringLiteral("novagrid"), QStringLiteral("/debug")}, Folder(), Folder());
    {
        hh::THookHelpSystem link(helpFile, QString(), 0);
        bool callDefault = false;
        link.HelpHook(hh::HELP_CONTEXT, 1, callDefault);
        link.HelpHook(hh::HELP_SETPOPUP_POS, 0, callDefault);
        link.HelpHook(2, 0, callDefault);
        link.HelpHook(77, 5, callDefault);
        hh::HelpInstalled = false;
        TMessageBoxWatcher watcher;
        link.HelpHook(hh::HELP_CONTEXTPOPUP, 2, callDefault);
    }

    const QStringList expected{
        QStringLiteral("Novagrid V2.3 help trace"),
        QStringLiteral("Program: ") + QCoreApplication::applicationFilePath(),
        QStringLiteral("Viewer: Qt ") + QString::fromLatin1(qVersion()) + QStringLiteral(" QTextBrowser"),
        QStringLiteral("Date: 2024-03-05"),
        QStringLiteral("09:06:00.005   THookHelpSystem.Create(\"") + helpFile + QStringLiteral("\",\"\", 0)"),
        QStringLiteral("09:06:00.015   THookHelpSystem.HelpHook(HELP_CONTEXT (1), 1)"),
        QStringLiteral("09:06:00.025   HHHelpContext(\"") + helpFile + QStringLiteral("\", 1, \"\", 0)"),
        QStringLiteral("09:06:00.035   ShowContext(\"") + opened + QStringLiteral("\", 1)"),
        QStringLiteral("09:06:00.045     returned - 0"),
        QStringLiteral("09:06:00.055   THookHelpSystem.HelpHook(HELP_SETPOPUP_POS (13), 0)"),
        QStringLiteral("09:06:00.065   THookHelpSystem.HelpHook(HELP_QUIT (2), 0)"),
        QStringLiteral("09:06:00.075   THookHelpSystem.HelpHook(?? (77), 5)"),
        QStringLiteral("09:06:00.085   THookHelpSystem.HelpHook(HELP_CONTEXTPOPUP (8), 2)"),
        QStringLiteral("09:06:00.095   HHHelpContext(\"") + helpFile + QStringLiteral("\", 2, \"\", 0)"),
        QStringLiteral("09:06:00.105   ShowContext(\"") + opened + QStringLiteral("\", 2)"),
        QStringLiteral("09:06:00.115     returned - 1"),
        QStringLiteral("09:06:00.125   HHShowError(1), \"MS Html Help is not installed on this PC.\""),
        QStringLiteral("09:06:00.135   THookHelpSystem.Destroy"),
    };
    EXPECT_EQ(ReadLines(Folder() + kTraceName), expected);
}

}  // namespace
