#include "SoundEffects.h"

#include "Assets.h"

#include <QFile>

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <thread>
#include <utility>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

#ifdef _WIN32
constexpr const char* kNullDevice = "NUL";
#else
constexpr const char* kNullDevice = "/dev/null";
#endif

// About 12 ms at 44.1 kHz: a cut-off is heard at once and a waiting play
// ends close behind its clip.
constexpr Uint16 kBufferFrames = 512;

// While SDL looks for a device, the libraries it loads report their failures
// straight to the process's stderr: libasound prints a dozen "ALSA lib ..."
// lines on a machine without a sound card, libsndio and SDL's own disk
// driver have their say too. For the game a missing device is no fault (it
// just stays silent), so stderr points at the null device while the drivers
// are probed, and at no other time. ALSA's error hook would quiet ALSA only.
class TQuietStderr {
public:
    TQuietStderr()
    {
        std::fflush(stderr);
        const int null = open(kNullDevice, O_WRONLY);
        if (null < 0)
            return;
        saved_ = dup(2);
        if (saved_ >= 0)
            dup2(null, 2);
        close(null);
    }

    ~TQuietStderr()
    {
        if (saved_ < 0)
            return;
        std::fflush(stderr);
        dup2(saved_, 2);
        close(saved_);
    }

    TQuietStderr(const TQuietStderr&) = delete;
    TQuietStderr& operator=(const TQuietStderr&) = delete;

private:
    int saved_ = -1;
};

TSoundEffects::TClips ResourceClips()
{
    TSoundEffects::TClips clips;
    for (int effect = 1; effect <= TSoundEffects::kEffects; ++effect) {
        QFile file(Assets::ClipPath(effect));
        if (file.open(QIODevice::ReadOnly))
            clips[effect - 1] = file.readAll();
    }
    return clips;
}

// Starts SDL's audio and opens the default output of the first driver, in
// SDL's order, that has one. Returns 0, with SDL's audio shut down again,
// where none has.
SDL_AudioDeviceID OpenDevice(SDL_AudioSpec& obtained)
{
    SDL_AudioSpec wanted{};
    wanted.freq = 44100;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = kBufferFrames;
    // Taking the device's own rate lets the clips be resampled once, at
    // start-up, instead of by SDL on every play.
    const auto openDefault = [&] {
        return SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    };

    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return 0;
    if (const SDL_AudioDeviceID device = openDefault())
        return device;
    // SDL settles on the first driver that loads, and ALSA loads on a
    // machine without any sound card; so the drivers after it get their
    // turn, unless the player named one.
    if (SDL_GetHint(SDL_HINT_AUDIODRIVER) == nullptr) {
        const std::string failed = SDL_GetCurrentAudioDriver();
        bool after = false;
        for (int i = 0; i < SDL_GetNumAudioDrivers(); ++i) {
            const std::string name = SDL_GetAudioDriver(i);
            // "disk" writes a file and "dummy" throws the sound away.
            const bool heard = name != "disk" && name != "dummy";
            if (after && heard && SDL_AudioInit(name.c_str()) == 0)
                if (const SDL_AudioDeviceID device = openDefault())
                    return device;
            after = after || name == failed;
        }
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 0;
}

// The clip's samples in the device's format; empty where SDL cannot decode
// the clip. SDL_AudioCVT rather than an audio stream: SDL 2.26's stream
// loses the end of a clip that it resamples.
std::vector<uint8_t> Prepare(const QByteArray& image, const SDL_AudioSpec& device)
{
    SDL_AudioSpec spec;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    if (image.isEmpty()
        || !SDL_LoadWAV_RW(SDL_RWFromConstMem(image.constData(), static_cast<int>(image.size())), 1, &spec,
                           &samples, &length))
        return {};
    const std::unique_ptr<Uint8, decltype(&SDL_FreeWAV)> decoded(samples, &SDL_FreeWAV);
    SDL_AudioCVT cvt;
    if (length == 0
        || SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, device.format, device.channels,
                             device.freq) < 0)
        return {};
    std::vector<uint8_t> converted(static_cast<size_t>(length) * cvt.len_mult);
    std::memcpy(converted.data(), samples, length);
    cvt.buf = converted.data();
    cvt.len = static_cast<int>(length);
    if (SDL_ConvertAudio(&cvt) != 0)
        return {};
    converted.resize(static_cast<size_t>(cvt.len_cvt));
    return converted;
}

}  // namespace

TSoundEffects::TSoundEffects(std::function<bool()> soundOn) : TSoundEffects(std::move(soundOn), ResourceClips()) {}

TSoundEffects::TSoundEffects(std::function<bool()> soundOn, const TClips& clips) : soundOn_(std::move(soundOn))
{
    // Otherwise SDL takes Ctrl+C and the termination signal for itself and
    // turns them into events that nobody reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Novagrid");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_ROLE, "game");

    SDL_AudioSpec spec{};
    {
        const TQuietStderr quiet;
        device_ = OpenDevice(spec);
    }
    if (device_ == 0)
        return;
    for (int i = 0; i < kEffects; ++i)
        clips_[i] = Prepare(clips[i], spec);
    bytesPerSecond_ = spec.freq * spec.channels * SDL_AUDIO_BITSIZE(spec.format) / 8;
    // The end of a clip leaves the queue one buffer before it has sounded,
    // and the driver may hold one more buffer ahead of that.
    deviceDelay_ = std::chrono::microseconds(2 * spec.samples * 1'000'000LL / spec.freq);
    SDL_PauseAudioDevice(device_, 0);
}

TSoundEffects::~TSoundEffects()
{
    if (device_ == 0)
        return;
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void TSoundEffects::PlayEffect(bool wait, int effect)
{
    if (!soundOn_())
        return;
    const std::vector<uint8_t>& clip = clips_.at(effect - 1);
    if (device_ == 0 || clip.empty())
        return;
    SDL_ClearQueuedAudio(device_);
    SDL_QueueAudio(device_, clip.data(), static_cast<Uint32>(clip.size()));
    if (!wait)
        return;

    const auto start = Clock::now();
    const auto length = std::chrono::microseconds(static_cast<long long>(clip.size()) * 1'000'000 / bytesPerSecond_);
    // A device that stalls must not hang the game: past the longest the
    // clip could take, the play counts as heard.
    const auto deadline = start + length + 2 * deviceDelay_ + std::chrono::milliseconds(200);
    while (SDL_GetQueuedAudioSize(device_) > 0 && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(deviceDelay_);
    // Drivers without a sound card to pace them (SDL's disk and dummy) may
    // take the samples a little faster than they would sound.
    std::this_thread::sleep_until(start + length);
}
