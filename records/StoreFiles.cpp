#include "records/StoreFiles.h"

#include <signal.h>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <cerrno>

namespace StoreFiles {

namespace {

// QLockFile writes its file in the moment after making it; a file this young
// that says nothing yet may be one being taken now.
constexpr qint64 kLockBeingTakenMs = 1000;
// A lock file holds a process id, a program name, a host name and two ids.
constexpr qint64 kLargestLockFile = 4096;

bool ProcessLives(qint64 pid)
{
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

TLock RegularLock(const QString& path, const QFileInfo& info)
{
    QFile file(path);
    QByteArrayList lines;
    if (info.size() <= kLargestLockFile && file.open(QIODevice::ReadOnly))
        lines = file.read(kLargestLockFile).split('\n');
    bool number = false;
    const qint64 pid = lines.value(0).toLongLong(&number);
    if (number && lines.size() > 2) {
        if (QString::fromUtf8(lines[2]) == QSysInfo::machineHostName() && ProcessLives(pid))
            return TLock::Held;
    } else if (qAbs(info.lastModified().msecsTo(QDateTime::currentDateTime())) < kLockBeingTakenMs) {
        return TLock::Held;
    }
    return QFile::remove(path) || !QFileInfo::exists(path) ? TLock::Free : TLock::Blocked;
}

}  // namespace

TStoreFile Inspect(const QString& location)
{
    const QFileInfo link(location);
    TStoreFile store{TStoreFile::TKind::Missing, location};
    if (link.isSymLink())
        store.Path = link.exists() ? link.canonicalFilePath() : link.symLinkTarget();
    const QFileInfo file(store.Path);
    if (!file.exists())
        return store;
    if (!file.isFile())
        store.Kind = TStoreFile::TKind::NotAFile;
    else if (file.size() > kLargestStore)
        store.Kind = TStoreFile::TKind::TooLarge;
    else
        store.Kind = TStoreFile::TKind::Regular;
    return store;
}

TLock ClearDeadLock(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return TLock::Free;
    if (!info.isSymLink() && info.isFile())
        return RegularLock(path, info);
    if (!info.isSymLink() && info.isDir())
        return QDir().rmdir(path) ? TLock::Free : TLock::Blocked;
    return QFile::remove(path) ? TLock::Free : TLock::Blocked;
}

}  // namespace StoreFiles
