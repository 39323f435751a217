#include "shell/UrlOpener.h"

#include <QDesktopServices>
#include <QProcess>

TUrlOpener::TUrlOpener(QObject* parent) : QObject(parent) {}

void TUrlOpener::Open(const QUrl& url, std::function<void(bool opened)> done)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    auto* process = new QProcess(this);
    connect(process, &QProcess::finished, this, [process, done](int exitCode, QProcess::ExitStatus status) {
        done(status == QProcess::NormalExit && exitCode == 0);
        process->deleteLater();
    });
    connect(process, &QProcess::errorOccurred, this, [process, done](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;  // a crash or a timeout also ends in finished()
        done(false);
        process->deleteLater();
    });
    process->start(QStringLiteral("xdg-open"), {url.toString(QUrl::FullyEncoded)});
#else
    done(QDesktopServices::openUrl(url));
#endif
}
