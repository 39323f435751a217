#include "SettingsStore.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <memory>

namespace {

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
    store->sync();
    // FormatError only says the file held something unreadable before;
    // the write itself went through.
    if (store->status() == QSettings::AccessError) {
        Revert(*store, section, before);
        throw EStoreError(QStringLiteral("Fehler beim Setzen der Daten für '%1'").arg(values.front().first));
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

void TSettingsStore::RemoveStrayReplacements()
{
#ifndef Q_OS_WIN
    const QFileInfo file(Location());
    // A replace writes "<name>.XXXXXX" beside the file and renames it over.
    // Matched by hand: a wildcard filter would bring in the regular
    // expression engine at every start.
    const QString prefix = file.fileName() + QLatin1Char('.');
    for (QDirIterator entry(file.path(), QDir::Files | QDir::Hidden); entry.hasNext();) {
        const QFileInfo stray = entry.nextFileInfo();
        if (stray.fileName().size() == prefix.size() + 6 && stray.fileName().startsWith(prefix))
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
    store->sync();
}
