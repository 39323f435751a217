#pragma once

#include <QByteArray>

#include "engine/GameView.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

struct TSdlAudio;

// The game's six sound effects, played from memory on one audio device.
//
// Nothing of the audio system is touched until sound is to play: the first
// play with the switch on loads SDL, starts its audio (no video) and opens
// an output device, preparing every clip for it. The device is closed again
// soon after the last clip has sounded, so that a quiet game costs nothing,
// and reopened by the next play; a device that appears meanwhile is found
// then. Where no driver gives a device the game stays silent and every play
// returns at once. Destruction closes the device and shuts SDL's audio down
// again. All calls come from the user-interface thread.
class TSoundEffects final : public TSoundOutlet {
public:
    static constexpr int kEffects = 6;
    using TClips = std::array<QByteArray, kEffects>;

    // `soundOn` is the sound switch, asked at every play. The clips are the
    // game's own, read from its resources.
    explicit TSoundEffects(std::function<bool()> soundOn);
    // Effect n plays clips[n - 1] (see TEffect's numbers), a RIFF WAVE image in any format SDL
    // decodes; an empty or undecodable clip plays nothing.
    TSoundEffects(std::function<bool()> soundOn, const TClips& clips);
    ~TSoundEffects();

    TSoundEffects(const TSoundEffects&) = delete;
    TSoundEffects& operator=(const TSoundEffects&) = delete;

    // Runs before every waiting play, sound on or off: a clip that holds the
    // thread must not hold back what was drawn before it.
    void SetBeforeWaiting(std::function<void()> hook);

    // Plays `effect`. With the switch off, an empty or
    // undecodable clip or no device it returns at once, and a clip still
    // sounding goes on. Otherwise the new clip cuts off whatever still
    // sounds; with `wait` the call returns when the clip has been heard to
    // its end (running no event loop, so the game stands still meanwhile),
    // without it at once while the clip plays on.
    void PlayEffect(bool wait, TEffect effect) override;

private:
    using Clock = std::chrono::steady_clock;

    // With the lock held: whether a device is open, opening one if need be.
    bool Open();
    bool StartAudio();
    void PrepareClips(int freq, uint16_t format, int channels, int samples);
    // The closer's loop: closes the device once it has been quiet a while.
    void CloseWhenQuiet(std::stop_token stop);

    std::function<bool()> soundOn_;
    std::function<void()> beforeWaiting_;
    TClips images_;
    bool clipsToLoad_ = false;        // the game's own, from its resources
    const TSdlAudio* sdl_ = nullptr;  // set once SDL's audio runs
    bool searched_ = false;           // every driver has had its turn once

    std::mutex mutex_;  // guards the device, shared with the closer
    std::condition_variable_any changed_;
    uint32_t device_ = 0;  // 0: closed
    Clock::time_point closeAt_;

    // The device format the clips are prepared for.
    int freq_ = 0;
    uint16_t format_ = 0;
    int channels_ = 0;
    // From the moment the queue has drained until the device has played
    // what it took last.
    std::chrono::microseconds deviceDelay_{};
    int bytesPerSecond_ = 0;
    std::array<std::vector<uint8_t>, kEffects> clips_;  // in the device's format

    std::jthread closer_;  // started with the first device
};
