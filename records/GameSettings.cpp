#include "records/GameSettings.h"

namespace {

const QString kSection = QStringLiteral("common");
const QString kSound = QStringLiteral("sound");
const QString kTongue = QStringLiteral("tongue");
const QString kAutoPause = QStringLiteral("autopause");
const QString kKeepOnQuit = QStringLiteral("keeponquit");
const QString kZoom = QStringLiteral("zoom");
const QString kPlayer = QStringLiteral("player");
const QString kPlacement = QStringLiteral("MainForm");

QString RowName(int row)
{
    return kPlayer + QString::number(row);
}

}  // namespace

bool TGameSettings::Sound() const
{
    return store_.ReadBool(kSection, kSound, true);
}

void TGameSettings::SetSound(bool on) const
{
    store_.WriteBool(kSection, kSound, on);
}

int TGameSettings::Tongue() const
{
    return store_.ReadInteger(kSection, kTongue, -1);
}

void TGameSettings::SetTongue(int tongue) const
{
    store_.WriteInteger(kSection, kTongue, tongue);
}

bool TGameSettings::AutoPause() const
{
    return store_.ReadBool(kSection, kAutoPause, false);
}

void TGameSettings::SetAutoPause(bool on) const
{
    store_.WriteBool(kSection, kAutoPause, on);
}

bool TGameSettings::KeepOnQuit() const
{
    return store_.ReadBool(kSection, kKeepOnQuit, false);
}

void TGameSettings::SetKeepOnQuit(bool on) const
{
    store_.WriteBool(kSection, kKeepOnQuit, on);
}

int TGameSettings::Zoom() const
{
    const int zoom = store_.ReadInteger(kSection, kZoom, 0);
    return zoom >= kZoomAutomatic && zoom <= kLargestZoom ? zoom : kZoomAutomatic;
}

void TGameSettings::SetZoom(int zoom) const
{
    store_.WriteInteger(kSection, kZoom, zoom);
}

QString TGameSettings::Player() const
{
    return store_.ReadString(kSection, kPlayer, QStringLiteral("Tindrel"));
}

QString TGameSettings::Row(int row) const
{
    return store_.ReadString(kSection, RowName(row), QString());
}

void TGameSettings::SetPlayerAndRows(const QString& player, const TRows& rows) const
{
    TSettingsStore::TValues values{{kPlayer, player}};
    for (int row = 0; row < kRows; ++row)
        values.emplace_back(RowName(row), rows[row]);
    store_.WriteStrings(kSection, values);
}

void TGameSettings::UpdateRows(const std::function<void()>& update) const
{
    store_.Update(kPlayer, update);
}

QString TGameSettings::Placement() const
{
    return store_.ReadString(kSection, kPlacement, QString());
}

void TGameSettings::SetPlacement(const QString& record) const
{
    store_.WriteString(kSection, kPlacement, record);
    store_.DeleteValue(kSection, kPlacement + QStringLiteral("Color"));
    store_.DeleteValue(kSection, kPlacement + QStringLiteral("Font"));
}
