#include "shell/help/hh.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <algorithm>
#include <memory>
#include <vector>

#include "shell/help/HelpTrace.h"
#include "shell/help/HelpViewer.h"

namespace hh {

bool HelpInstalled = false;

namespace {

using TViewers = std::vector<std::unique_ptr<THelpViewer>>;

// The viewer windows, one per help file, alive until HHCloseAll. Windows
// must go before the application does, not with the statics after it.
TViewers& Viewers()
{
    static TViewers viewers = [] {
        qAddPostRoutine(&HHCloseAll);
        return TViewers();
    }();
    return viewers;
}

THelpViewer& ViewerFor(const QString& helpFile)
{
    auto& viewers = Viewers();
    const auto found = std::ranges::find(viewers, helpFile, &THelpViewer::HelpFile);
    if (found != viewers.end())
        return **found;
    viewers.push_back(std::make_unique<THelpViewer>(helpFile));
    return *viewers.back();
}

QString CommandName(int command)
{
    switch (command) {
        case 1:
            return QStringLiteral("HELP_CONTEXT");
        case 2:
            return QStringLiteral("HELP_QUIT");
        case 3:
            return QStringLiteral("HELP_INDEX or HELP_CONTENTS");
        case 4:
            return QStringLiteral("HELP_HELPONHELP");
        case 5:
            return QStringLiteral("HELP_SETINDEX or HELP_SETCONTENTS");
        case 8:
            return QStringLiteral("HELP_CONTEXTPOPUP");
        case 9:
            return QStringLiteral("HELP_FORCEFILE");
        case 10:
            return QStringLiteral("HELP_CONTEXTMENU");
        case 11:
            return QStringLiteral("HELP_FINDER");
        case 12:
            return QStringLiteral("HELP_WM_HELP");
        case 13:
            return QStringLiteral("HELP_SETPOPUP_POS");
        case 257:
            return QStringLiteral("HELP_KEY");
        case 258:
            return QStringLiteral("HELP_COMMAND");
        case 261:
            return QStringLiteral("HELP_PARTIALKEY");
        case 513:
            return QStringLiteral("HELP_MULTIKEY");
        case 515:
            return QStringLiteral("HELP_SETWINPOS");
        default:
            return QStringLiteral("??");
    }
}

}  // namespace

void LoadHelpViewer(const QStringList& arguments)
{
    LoadHelpViewer(arguments, QCoreApplication::applicationDirPath() + QLatin1Char('/'), QDir::tempPath());
}

void LoadHelpViewer(const QStringList& arguments, const QString& programFolder, const QString& tempFolder)
{
    HelpInstalled = true;
    HelpTrace().Start(programFolder, arguments, tempFolder);
}

THookHelpSystem::THookHelpSystem(const QString& helpFile, const QString& windowDefinition, int mode)
    : helpFile_(helpFile), windowDefinition_(windowDefinition), mode_(mode)
{
    HelpTrace().Write(QStringLiteral("THookHelpSystem.Create(\"%1\",\"%2\", %3)")
                          .arg(helpFile_, windowDefinition_, QString::number(mode_)));
}

THookHelpSystem::~THookHelpSystem()
{
    HelpTrace().Write(QStringLiteral("THookHelpSystem.Destroy"));
    if (mode_ == 0)
        HHCloseAll();
}

void THookHelpSystem::HelpHook(int command, int data, bool& callDefault)
{
    HelpTrace().Write(QStringLiteral("THookHelpSystem.HelpHook(%1 (%2), %3)")
                          .arg(CommandName(command), QString::number(command), QString::number(data)));
    switch (command) {
        case HELP_CONTEXT:
        case HELP_CONTEXTPOPUP:
            HHShowError(HHHelpContext(helpFile_, data, windowDefinition_, mode_));
            callDefault = false;
            break;
        case HELP_SETPOPUP_POS:
            callDefault = false;
            break;
        default:
            callDefault = true;
            break;
    }
}

int HHHelpContext(const QString& file, int topic, const QString& windowDefinition, int mode)
{
    HelpTrace().Write(QStringLiteral("HHHelpContext(\"%1\", %2, \"%3\", %4)")
                          .arg(file, QString::number(topic), windowDefinition, QString::number(mode)));
    // The viewer has one kind of window, so the window definition adds
    // nothing to the file argument.
    const QString fileArgument = QString(file).replace(QStringLiteral("%20"), QStringLiteral(" ")).trimmed();
    return ShowContext(fileArgument, topic, mode);
}

int ShowContext(const QString& fileArgument, int topic, int mode)
{
    // Every mode reaches the same viewer: it is part of the game.
    Q_UNUSED(mode);
    HelpTrace().Write(QStringLiteral("ShowContext(\"%1\", %2)").arg(fileArgument, QString::number(topic)));
    int result = 1;
    if (HelpInstalled) {
        THelpViewer& viewer = ViewerFor(fileArgument);
        viewer.ShowTopic(topic);
        viewer.BringToFront();
        result = 0;
    }
    HelpTrace().Write(QStringLiteral("  returned - %1").arg(result));
    return result;
}

void HHShowError(int result)
{
    if (result != 1)
        return;
    const QString message = QStringLiteral("MS Html Help is not installed on this PC.");
    HelpTrace().Write(QStringLiteral("HHShowError(%1), \"%2\"").arg(QString::number(result), message));
    QMessageBox box(QMessageBox::Warning, QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(),
                    message, QMessageBox::Ok);
    box.exec();
}

void HHCloseAll()
{
    Viewers().clear();
}

}  // namespace hh
