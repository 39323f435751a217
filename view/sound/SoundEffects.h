#pragma once

#include <QByteArray>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

// The game's six sound effects, played from memory on one audio device.
//
// Construction starts SDL's audio subsystem (no video), opens one output
// device and prepares every clip for it; where no driver gives a device the
// game stays silent and every play returns at once. Destruction closes the
// device and shuts SDL's audio down again. All calls come from the
// user-interface thread.
class TSoundEffects {
public:
    static constexpr int kEffects = 6;
    using TClips = std::array<QByteArray, kEffects>;

    // `soundOn` is the sound switch, asked at every play. The clips are the
    // game's own, read from its resources.
    explicit TSoundEffects(std::function<bool()> soundOn);
    // Effect n plays clips[n - 1], a RIFF WAVE image in any format SDL
    // decodes; an empty or undecodable clip plays nothing.
    TSoundEffects(std::function<bool()> soundOn, const TClips& clips);
    ~TSoundEffects();

    TSoundEffects(const TSoundEffects&) = delete;
    TSoundEffects& operator=(const TSoundEffects&) = delete;

    // Plays effect `effect` (1..6). With the switch off, an empty or
    // undecodable clip or no device it returns at once, and a clip still
    // sounding goes on. Otherwise the new clip cuts off whatever still
    // sounds; with `wait` the call returns when the clip has been heard to
    // its end (running no event loop, so the game stands still meanwhile),
    // without it at once while the clip plays on.
    void PlayEffect(bool wait, int effect);

private:
    std::function<bool()> soundOn_;
    uint32_t device_ = 0;  // 0: no device, the game is silent
    // From the moment the queue has drained until the device has played
    // what it took last.
    std::chrono::microseconds deviceDelay_{};
    int bytesPerSecond_ = 0;
    std::array<std::vector<uint8_t>, kEffects> clips_;  // in the device's format
};
