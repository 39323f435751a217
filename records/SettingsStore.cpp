#include "records/SettingsStore.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>
#include <chrono>
#include <memory>

#include "records/StoreFiles.h"

namespace {

using TKind = StoreFiles::TStoreFile::TKind;

// Another copy's update takes milliseconds; one that takes seconds hangs.
constexpr std::chrono::seconds kUpdateWait{5};
// Tried again this often: QLockFile's own waiting pauses longer and longer,
// up to seconds, and a copy updating again and again would take every free
// moment in between.
constexpr std::chrono::milliseconds kUpdateRetry{5};

// Updates refused so far, in the order they came; the user-interface thread
// alone writes the store.
struct TPendingUpdate {
    QString Name;
    std::function<void()> Run;
};
std::vector<TPendingUpdate> pendingUpdates;
std::optional<EStoreError> lastRefusal;
// While an update runs, its own writes try no other update: updates do not nest.
bool updating = false;

StoreFiles::TStoreFile StoreFile()
{
#ifdef Q_OS_WIN
    return {TKind::Regular, TSettingsStore::Location()};
#else
    return StoreFiles::Inspect(TSettingsStore::Location());
#endif
}

std::unique_ptr<QSettings> OpenStore(const QString& path)
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(path, QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
#endif
}

QString Key(const QString& section, const QString& name)
{
    return section + QLatin1Char('/') + name;
}

// QSettings keeps a refused change pending in a cache shared by the whole
// process, to be read back later and written with the next accepted change.
// Putting the old values back as the pending ones makes that harmless.
void Revert(QSettings& store, const QString& section, const std::vector<std::pair<QString, QVariant>>& before)
{
    for (const auto& [name, old] : before) {
        if (old.isValid())
            store.setValue(Key(section, name), old);
        else
            store.remove(Key(section, name));
    }
}

// QSettings takes a store file of the size and time, to the millisecond, it
// saw when it last read it for unchanged, and keeps what it read then. So
// that another copy of the game sees a write made within the same
// millisecond, or after the clock was put back, each write leaves the file a
// later time than the one it replaced.
void Sync(QSettings& store)
{
    QFile file(store.fileName());
    const QDateTime before = QFileInfo(file).lastModified();
    store.sync();
    if (store.status() != QSettings::AccessError && before.isValid() && file.open(QIODevice::ReadOnly) &&
        file.fileTime(QFileDevice::FileModificationTime) <= before)
        file.setFileTime(before.addMSecs(1), QFileDevice::FileModificationTime);
}

EStoreError ValueRefused(const QString& name, EStoreError::TCause cause, const QStringList& names)
{
    return EStoreError(QStringLiteral("Fehler beim Setzen der Daten für '%1'").arg(name), cause,
                       TSettingsStore::Location(), names);
}

// The store file, open for a write; throws EStoreError for `names` when it
// cannot be written. QSettings waits, without end, for its own lock file
// "<store>.lock" to go, and opens it to see whether it is stale: so nothing
// but a lock of a live copy may stand there.
std::unique_ptr<QSettings> OpenForWriting(const QString& section, const QStringList& names)
{
#ifndef Q_OS_WIN
    if (!QDir().mkpath(QFileInfo(TSettingsStore::Location()).absolutePath()))
        throw EStoreError(QStringLiteral("Erzeugung von Schlüssel %1 misslungen").arg(section),
                          EStoreError::TCause::Refused, TSettingsStore::Location(), names);
#endif
    const StoreFiles::TStoreFile file = StoreFile();
    if (file.Kind == TKind::NotAFile)
        throw ValueRefused(names.front(), EStoreError::TCause::NotAFile, names);
    if (file.Kind == TKind::TooLarge)
        throw ValueRefused(names.front(), EStoreError::TCause::TooLarge, names);
#ifndef Q_OS_WIN
    if (StoreFiles::ClearDeadLock(file.Path + QStringLiteral(".lock")) == StoreFiles::TLock::Blocked)
        throw ValueRefused(names.front(), EStoreError::TCause::Refused, names);
#endif
    return OpenStore(file.Path);
}

// Updates take a lock file of their own: QSettings takes "<store>.lock"
// inside every write, so an update holding that one would wait on itself.
QString UpdateLockPath()
{
#ifdef Q_OS_WIN
    // The registry has no folder to lay a lock in.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/BlumoGames/Novagrid/V2.update.lock");
#else
    return TSettingsStore::Location() + QStringLiteral(".update.lock");
#endif
}

// Runs `update` under the update lock, waiting for it until `deadline`.
void RunUpdate(const QString& name, const std::function<void()>& update, const QDeadlineTimer& deadline)
{
    const QString path = UpdateLockPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw ValueRefused(name, EStoreError::TCause::Refused, {name});
    QLockFile lock(path);
    for (;;) {
        const StoreFiles::TLock before = StoreFiles::ClearDeadLock(path);
        if (before == StoreFiles::TLock::Blocked)
            throw ValueRefused(name, EStoreError::TCause::Refused, {name});
        if (before == StoreFiles::TLock::Free && lock.tryLock(0))
            break;
        if (lock.error() != QLockFile::NoError && lock.error() != QLockFile::LockFailedError)
            throw ValueRefused(name, EStoreError::TCause::Refused, {name});
        if (deadline.hasExpired())
            throw ValueRefused(name, EStoreError::TCause::Locked, {name});
        QThread::msleep(kUpdateRetry.count());
    }
    updating = true;
    try {
        update();
    } catch (...) {
        updating = false;
        throw;
    }
    updating = false;
}

// Runs the kept updates once more, in their order, without waiting for
// another copy: those refused again stay kept.
void RetryPending()
{
    if (updating || pendingUpdates.empty())
        return;
    std::vector<TPendingUpdate> waiting;
    waiting.swap(pendingUpdates);
    for (TPendingUpdate& each : waiting) {
        try {
            RunUpdate(each.Name, each.Run, QDeadlineTimer(0));
        } catch (const EStoreError& error) {
            lastRefusal = error;
            pendingUpdates.push_back(std::move(each));
        }
    }
}

}  // namespace

QString TSettingsStore::Location()
{
#ifdef Q_OS_WIN
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\BlumoGames\\Novagrid\\V2");
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/BlumoGames/Novagrid/V2.ini");
#endif
}

QString TSettingsStore::ReadString(const QString& section, const QString& name, const QString& fallback) const
{
    const StoreFiles::TStoreFile file = StoreFile();
    if (file.Kind != TKind::Regular)
        return fallback;
    const QVariant value = OpenStore(file.Path)->value(Key(section, name));
    switch (value.userType()) {
        case QMetaType::QString:
            return value.toString();
        case QMetaType::QStringList:  // an INI value edited by hand with bare commas
            return value.toStringList().join(QLatin1Char(','));
        default:
            return fallback;
    }
}

int TSettingsStore::ReadInteger(const QString& section, const QString& name, int fallback) const
{
    bool ok = false;
    const int value = ReadString(section, name, QString()).toInt(&ok, 10);
    return ok ? value : fallback;
}

bool TSettingsStore::ReadBool(const QString& section, const QString& name, bool fallback) const
{
    return ReadInteger(section, name, fallback ? 1 : 0) != 0;
}

void TSettingsStore::WriteString(const QString& section, const QString& name, const QString& value) const
{
    WriteStrings(section, {{name, value}});
}

void TSettingsStore::WriteStrings(const QString& section, const TValues& values) const
{
    if (values.empty())
        return;
    RetryPending();
    QStringList names;
    for (const auto& each : values)
        names.append(each.first);
    const auto store = OpenForWriting(section, names);
    std::vector<std::pair<QString, QVariant>> before;
    for (const auto& [name, value] : values) {
        before.emplace_back(name, store->value(Key(section, name)));
        store->setValue(Key(section, name), value);
    }
    Sync(*store);
    // FormatError only says the file held something unreadable before;
    // the write itself went through.
    if (store->status() == QSettings::AccessError) {
        Revert(*store, section, before);
        throw ValueRefused(names.front(), EStoreError::TCause::Refused, names);
    }
}

void TSettingsStore::WriteInteger(const QString& section, const QString& name, int value) const
{
    WriteString(section, name, QString::number(value));
}

void TSettingsStore::WriteBool(const QString& section, const QString& name, bool value) const
{
    WriteString(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TSettingsStore::Update(const QString& name, const std::function<void()>& update) const
{
    RetryPending();
    try {
        RunUpdate(name, update, QDeadlineTimer(kUpdateWait));
    } catch (EStoreError& error) {
        pendingUpdates.push_back({name, update});
        error.Kept = true;
        lastRefusal = error;
        throw;
    }
}

std::optional<EStoreError> TSettingsStore::FinishPending()
{
    RetryPending();
    if (pendingUpdates.empty())
        return std::nullopt;
    EStoreError lost = *lastRefusal;
    lost.Kept = false;
    lost.Names.clear();
    for (const TPendingUpdate& each : pendingUpdates)
        lost.Names.append(each.Name);
    pendingUpdates.clear();
    return lost;
}

void TSettingsStore::DeleteValue(const QString& section, const QString& name) const
{
    const StoreFiles::TStoreFile file = StoreFile();
    if (file.Kind != TKind::Regular)
        return;
    RetryPending();
    const auto store = OpenForWriting(section, {name});
    if (!store->contains(Key(section, name)))
        return;
    store->remove(Key(section, name));
    Sync(*store);
}
