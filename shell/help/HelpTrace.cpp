#include "shell/help/HelpTrace.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace hh {

namespace {

bool CanCreateFilesIn(const QString& folder)
{
    QFile probe(QDir(folder).filePath(QStringLiteral("$_Temp_$.$$$")));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.close();
    probe.remove();
    return true;
}

bool AskedForTrace(const QString& programFolder, const QStringList& arguments)
{
    if (QFileInfo::exists(QDir(programFolder).filePath(QStringLiteral("debug.debug"))))
        return true;
    return std::any_of(arguments.begin() + std::min<qsizetype>(1, arguments.size()), arguments.end(), IsTraceSwitch);
}

}  // namespace

bool IsTraceSwitch(const QString& argument)
{
    return argument.compare(QStringLiteral("/debug"), Qt::CaseInsensitive) == 0 ||
           argument.compare(QStringLiteral("-debug"), Qt::CaseInsensitive) == 0;
}

void THelpTrace::Start(const QString& programFolder, const QStringList& arguments, const QString& tempFolder)
{
    const QString folder = CanCreateFilesIn(programFolder) ? programFolder : tempFolder;
    path_ = QDir(folder).filePath(QStringLiteral("HHDebug.txt"));
    on_ = AskedForTrace(programFolder, arguments);
    QFile::remove(path_);
    if (!on_)
        return;
    Append(QStringLiteral("Novagrid V" NOVAGRID_VERSION " help trace"));
    Append(QStringLiteral("Program: ") + QCoreApplication::applicationFilePath());
    Append(QStringLiteral("Viewer: Qt %1 QTextBrowser").arg(QString::fromLatin1(qVersion())));
    Append(QStringLiteral("Date: ") + clock_().date().toString(Qt::ISODate));
}

void THelpTrace::Write(const QString& event) const
{
    if (on_)
        Append(clock_().time().toString(QStringLiteral("hh:mm:ss.zzz")) + QStringLiteral("   ") + event);
}

void THelpTrace::Append(const QString& line) const
{
    QFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;  // a trace that cannot be written must not disturb the game
    QTextStream(&file) << line << '\n';
}

THelpTrace& HelpTrace()
{
    static THelpTrace trace;
    return trace;
}

}  // namespace hh
