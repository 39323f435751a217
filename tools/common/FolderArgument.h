#pragma once

#include <cstdio>
#include <cstdlib>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>

// The command line of a tool that writes into one folder. --help prints the
// usage on stdout and exits with 0; an unknown option, a missing folder or
// one argument too many prints the problem and the usage on stderr and exits
// with 2, before anything is written. Returns the folder.
inline QString FolderArgument(const QCoreApplication& app, const QString& description, const QString& folderHelp)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("folder"), folderHelp);
    QString problem;
    if (!parser.parse(app.arguments())) {
        problem = parser.errorText();
    } else {
        parser.process(app);  // answers --help and --help-all
        if (parser.positionalArguments().size() != 1)
            problem = QStringLiteral("give exactly one folder");
    }
    if (problem.isEmpty())
        return parser.positionalArguments().first();
    std::fprintf(stderr, "%s: %s\n\n%s", qPrintable(QCoreApplication::applicationName()), qPrintable(problem),
                 qPrintable(parser.helpText()));
    std::exit(2);
}
