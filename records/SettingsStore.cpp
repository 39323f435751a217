#include "records/SettingsStore.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QThread>
#include <chrono>
#include <memory>

namespace {

// Another copy's update takes milliseconds; one that takes seconds hangs.
constexpr std::chrono::seconds kUpdateWait{5};
// Tried again this often: QLockFile's own waiting pauses longer and longer,
// up to seconds, and a copy updating again and again would take every free
// moment in between.
constexpr std::chrono::milliseconds kUpdateRetry{5};

std::unique_ptr<QSettings> OpenStore()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(TSettingsStore::Location(), QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(TSettingsStore::Location(), QSettings::IniFormat);
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

EStoreError ValueRefused(const QString& name)
{
    return EStoreError(QStringLiteral("Fehler beim Setzen der Daten für '%1'").arg(name));
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

// The copy QSettings writes beside the store before renaming it over is named
// "<store>." and six random letters. Matched by hand: a wildcard would bring
// in the regular expression engine at every start. A copy the player made and
// named is a word: all lower case, all upper case, or capitalised; random
// letters mix their cases otherwise but for 3 in 64, and those few, left
// behind, do no harm.
bool IsReplacementName(const QString& name, const QString& storeName)
{
    constexpr qsizetype kLetters = 6;
    if (name.size() != storeName.size() + 1 + kLetters || !name.startsWith(storeName + QLatin1Char('.')))
        return false;
    const QStringView letters = QStringView(name).last(kLetters);
    bool lower = false;
    bool upperAfterFirst = false;
    for (qsizetype at = 0; at < kLetters; ++at) {
        const char16_t letter = letters[at].unicode();
        if (letter >= u'a' && letter <= u'z')
            lower = true;
        else if (letter >= u'A' && letter <= u'Z')
            upperAfterFirst = upperAfterFirst || at > 0;
        else
            return false;
    }
    return lower && upperAfterFirst;
}

// Every file a process of this user holds open, by its full path. A copy
// writing a replacement holds it open until it has renamed it over the store.
QSet<QString> FilesHeldOpen()
{
    QSet<QString> held;
    for (QDirIterator process(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
         process.hasNext();) {
        const QString path = process.next();
        if (!process.fileName().front().isDigit())
            continue;
        for (QDirIterator handle(path + QStringLiteral("/fd"), QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
             handle.hasNext();)
            held.insert(handle.nextFileInfo().symLinkTarget());
    }
    return held;
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
    const auto store = OpenStore();
    const QVariant value = store->value(Key(section, name));
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
#ifndef Q_OS_WIN
    const QFileInfo file(Location());
    if (!QDir().mkpath(file.absolutePath()))
        throw EStoreError(QStringLiteral("Erzeugung von Schlüssel %1 misslungen").arg(section));
#endif
    const auto store = OpenStore();
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
        throw ValueRefused(values.front().first);
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
    const QString path = UpdateLockPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw ValueRefused(name);
    QLockFile lock(path);
    const QDeadlineTimer deadline(kUpdateWait);
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            throw ValueRefused(name);
        QThread::msleep(kUpdateRetry.count());
    }
    update();
}

void TSettingsStore::RemoveStrayReplacements()
{
#ifndef Q_OS_WIN
    const QFileInfo file(Location());
    QFileInfoList strays;
    for (QDirIterator entry(file.path(), QDir::Files | QDir::Hidden); entry.hasNext();) {
        const QFileInfo each = entry.nextFileInfo();
        if (IsReplacementName(each.fileName(), file.fileName()))
            strays.append(each);
    }
    if (strays.isEmpty())
        return;
    // Held through the cleaning, so that no copy starts a replace meanwhile;
    // when another copy holds it, that one is writing now.
    QLockFile writing(file.filePath() + QStringLiteral(".lock"));
    if (!writing.tryLock(0))
        return;
    const bool seesOpenFiles = QFileInfo(QStringLiteral("/proc/self/fd")).isDir();
    const QSet<QString> held = seesOpenFiles ? FilesHeldOpen() : QSet<QString>();
    const QDateTime longAgo = QDateTime::currentDateTime().addSecs(-60);
    for (const QFileInfo& stray : std::as_const(strays)) {
        if (seesOpenFiles ? !held.contains(stray.canonicalFilePath()) : stray.lastModified() < longAgo)
            QFile::remove(stray.filePath());
    }
#endif
}

void TSettingsStore::DeleteValue(const QString& section, const QString& name) const
{
    const auto store = OpenStore();
    if (!store->contains(Key(section, name)))
        return;
    store->remove(Key(section, name));
    Sync(*store);
}
