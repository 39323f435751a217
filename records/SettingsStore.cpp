#include "SettingsStore.h"

#include <QDir>
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
    if (!value.isValid())
        return fallback;
    // An INI value edited by hand with bare commas reads back as a list.
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
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
#ifndef Q_OS_WIN
    const QFileInfo file(Location());
    if (!QDir().mkpath(file.absolutePath()))
        throw EStoreError(QStringLiteral("Erzeugung von Schlüssel %1 misslungen").arg(section));
#endif
    const auto store = OpenStore();
    store->setValue(Key(section, name), value);
    store->sync();
    if (store->status() != QSettings::NoError)
        throw EStoreError(QStringLiteral("Fehler beim Setzen der Daten für '%1'").arg(name));
}

void TSettingsStore::WriteInteger(const QString& section, const QString& name, int value) const
{
    WriteString(section, name, QString::number(value));
}

void TSettingsStore::WriteBool(const QString& section, const QString& name, bool value) const
{
    WriteString(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TSettingsStore::DeleteValue(const QString& section, const QString& name) const
{
    const auto store = OpenStore();
    if (!store->contains(Key(section, name)))
        return;
    store->remove(Key(section, name));
    store->sync();
}
