#pragma once

#include <optional>

#include "records/GameSettings.h"

// The player's preferences, read from the store once, when the game starts,
// and from then on read here. The switches of the tool bar's menu and the
// zoom are written the moment they change; a refused write throws
// EStoreError and leaves the value as it was. The sound switch and the
// language are the window's to write as it closes, "sound" first and then
// "tongue" (WriteSound, WriteTongue).
class TPreferences {
public:
    // Everything as the store holds it now.
    static TPreferences Read();

    bool Sound() const { return sound_; }
    void SetSound(bool on) { sound_ = on; }
    void WriteSound() const;

    // The language as stored (TGameSettings::Tongue).
    int Tongue() const { return tongue_; }
    void SetTongue(int tongue) { tongue_ = tongue; }
    void WriteTongue() const;

    bool AutoPause() const { return autoPause_; }
    void SetAutoPause(bool on);

    bool KeepOnQuit() const { return keepOnQuit_; }
    void SetKeepOnQuit(bool on);

    int Zoom() const { return zoom_; }
    void SetZoom(int zoom);

    // The window's placement record (TGameSettings::Placement) is no choice
    // of the player's: it is read and written at once, never kept here.
    QString Placement() const;
    void SetPlacement(const QString& record) const;

    // At quit: the updates the store kept after a refusal, tried a last time
    // (TSettingsStore::FinishPending).
    static std::optional<EStoreError> FinishPending();

private:
    TGameSettings settings_;
    bool sound_ = true;
    int tongue_ = -1;
    bool autoPause_ = false;
    bool keepOnQuit_ = false;
    int zoom_ = TGameSettings::kZoomAutomatic;
};
