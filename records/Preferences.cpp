#include "records/Preferences.h"

TPreferences TPreferences::Read()
{
    TPreferences preferences;
    const TGameSettings& settings = preferences.settings_;
    preferences.sound_ = settings.Sound();
    preferences.tongue_ = settings.Tongue();
    preferences.autoPause_ = settings.AutoPause();
    preferences.keepOnQuit_ = settings.KeepOnQuit();
    preferences.zoom_ = settings.Zoom();
    return preferences;
}

void TPreferences::WriteSound() const
{
    settings_.SetSound(sound_);
}

void TPreferences::WriteTongue() const
{
    settings_.SetTongue(tongue_);
}

void TPreferences::SetAutoPause(bool on)
{
    settings_.SetAutoPause(on);
    autoPause_ = on;
}

void TPreferences::SetKeepOnQuit(bool on)
{
    settings_.SetKeepOnQuit(on);
    keepOnQuit_ = on;
}

void TPreferences::SetZoom(int zoom)
{
    settings_.SetZoom(zoom);
    zoom_ = zoom;
}

QString TPreferences::Placement() const
{
    return settings_.Placement();
}

void TPreferences::SetPlacement(const QString& record) const
{
    settings_.SetPlacement(record);
}

std::optional<EStoreError> TPreferences::FinishPending()
{
    return TSettingsStore::FinishPending();
}
