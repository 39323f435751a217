#include "view/sound/SoundEffects.h"

#include "assets/Assets.h"
#include "view/sound/SdlAudio.h"

#include <QFile>

#include <fcntl.h>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

using namespace std::chrono_literals;

#ifdef _WIN32
constexpr const char* kNullDevice = "NUL";
#else
constexpr const char* kNullDevice = "/dev/null";
#endif

// About 12 ms at 44.1 kHz: a cut-off is heard at once and a waiting play
// ends close behind its clip.
constexpr Uint16 kBufferFrames = 512;

// An open device keeps SDL's thread waking up for every buffer, sound or
// silence; after the last clip it stays open this long, so that the clips
// of one move share one opening.
constexpr auto kLinger = 1s;

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

// Opens the default output of SDL's current audio driver.
SDL_AudioDeviceID OpenDefault(const TSdlAudio& sdl, SDL_AudioSpec& obtained)
{
    SDL_AudioSpec wanted{};
    wanted.freq = 44100;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = kBufferFrames;
    // Taking the device's own rate lets the clips be resampled once, when
    // they are prepared, instead of by SDL on every play.
    return sdl.OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
}

// Opens the default output of the first driver after SDL's own choice, in
// SDL's order, that has one. SDL settles on the first driver that loads, and
// ALSA loads on a machine without any sound card; so the drivers after it
// get their turn. Where none has a device, SDL's choice is restored, where a
// later play asks again at little cost.
SDL_AudioDeviceID SearchDrivers(const TSdlAudio& sdl, SDL_AudioSpec& obtained)
{
    const char* current = sdl.GetCurrentAudioDriver();
    const std::string failed = current != nullptr ? current : "";
    bool after = false;
    for (int i = 0; i < sdl.GetNumAudioDrivers(); ++i) {
        const std::string name = sdl.GetAudioDriver(i);
        // "disk" writes a file and "dummy" throws the sound away.
        const bool heard = name != "disk" && name != "dummy";
        if (after && heard && sdl.AudioInit(name.c_str()) == 0)
            if (const SDL_AudioDeviceID device = OpenDefault(sdl, obtained))
                return device;
        after = after || name == failed;
    }
    if (after)
        sdl.AudioInit(nullptr);
    return 0;
}

// The clip's samples in the device's format; empty where SDL cannot decode
// the clip. SDL_AudioCVT rather than an audio stream: SDL 2.26's stream
// loses the end of a clip that it resamples.
std::vector<uint8_t> Prepare(const TSdlAudio& sdl, const QByteArray& image, const SDL_AudioSpec& device)
{
    SDL_AudioSpec spec;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    if (image.isEmpty() || !sdl.LoadWAV_RW(sdl.RWFromConstMem(image.constData(), static_cast<int>(image.size())), 1,
                                           &spec, &samples, &length))
        return {};
    const std::unique_ptr<Uint8, decltype(sdl.FreeWAV)> decoded(samples, sdl.FreeWAV);
    SDL_AudioCVT cvt;
    if (length == 0 ||
        sdl.BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, device.format, device.channels, device.freq) < 0)
        return {};
    std::vector<uint8_t> converted(static_cast<size_t>(length) * cvt.len_mult);
    std::memcpy(converted.data(), samples, length);
    cvt.buf = converted.data();
    cvt.len = static_cast<int>(length);
    if (sdl.ConvertAudio(&cvt) != 0)
        return {};
    converted.resize(static_cast<size_t>(cvt.len_cvt));
    return converted;
}

}  // namespace

TSoundEffects::TSoundEffects(std::function<bool()> soundOn) : soundOn_(std::move(soundOn)), clipsToLoad_(true) {}

TSoundEffects::TSoundEffects(std::function<bool()> soundOn, const TClips& clips)
    : soundOn_(std::move(soundOn)), images_(clips)
{
}

TSoundEffects::~TSoundEffects()
{
    if (closer_.joinable()) {
        closer_.request_stop();
        closer_.join();
    }
    if (sdl_ == nullptr)
        return;
    if (device_ != 0)
        sdl_->CloseAudioDevice(device_);
    sdl_->QuitSubSystem(SDL_INIT_AUDIO);
}

void TSoundEffects::SetBeforeWaiting(std::function<void()> hook)
{
    beforeWaiting_ = std::move(hook);
}

void TSoundEffects::PlayEffect(bool wait, TEffect effect)
{
    if (wait && beforeWaiting_)
        beforeWaiting_();
    if (!soundOn_())
        return;
    // The game's own clips are read when the first is to be heard.
    if (std::exchange(clipsToLoad_, false))
        images_ = ResourceClips();
    const auto index = static_cast<size_t>(effect) - 1;
    if (images_.at(index).isEmpty())
        return;
    // Held through a waiting play too, so the closer leaves the device be.
    const std::lock_guard lock(mutex_);
    if (!Open())
        return;
    const std::vector<uint8_t>& clip = clips_[index];
    if (clip.empty())
        return;
    sdl_->ClearQueuedAudio(device_);
    sdl_->QueueAudio(device_, clip.data(), static_cast<Uint32>(clip.size()));

    const auto start = Clock::now();
    const auto length = std::chrono::microseconds(static_cast<long long>(clip.size()) * 1'000'000 / bytesPerSecond_);
    // A device that stalls must not hang the game: past the longest the
    // clip could take, the play counts as heard.
    const auto deadline = start + length + 2 * deviceDelay_ + 200ms;
    closeAt_ = deadline + kLinger;
    changed_.notify_all();
    if (!wait)
        return;

    while (sdl_->GetQueuedAudioSize(device_) > 0 && Clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(deviceDelay_);
    // Drivers without a sound card to pace them (SDL's disk and dummy) may
    // take the samples a little faster than they would sound.
    std::this_thread::sleep_until(start + length);
}

bool TSoundEffects::Open()
{
    if (device_ != 0)
        return true;
    const TQuietStderr quiet;
    if (!StartAudio())
        return false;
    SDL_AudioSpec obtained{};
    device_ = OpenDefault(*sdl_, obtained);
    if (device_ == 0 && !searched_ && sdl_->GetHint(SDL_HINT_AUDIODRIVER) == nullptr)
        device_ = SearchDrivers(*sdl_, obtained);
    searched_ = true;
    if (device_ == 0)
        return false;
    if (obtained.freq != freq_ || obtained.format != format_ || obtained.channels != channels_)
        PrepareClips(obtained.freq, obtained.format, obtained.channels, obtained.samples);
    sdl_->PauseAudioDevice(device_, 0);
    closeAt_ = Clock::now() + kLinger;
    if (!closer_.joinable())
        closer_ = std::jthread([this](std::stop_token stop) { CloseWhenQuiet(std::move(stop)); });
    changed_.notify_all();
    return true;
}

bool TSoundEffects::StartAudio()
{
    if (sdl_ != nullptr)
        return true;
    const TSdlAudio* sdl = SdlAudio();
    if (sdl == nullptr)
        return false;
    // Otherwise SDL takes Ctrl+C and the termination signal for itself and
    // turns them into events that nobody reads.
    sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    sdl->SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Novagrid");
    sdl->SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_ROLE, "game");
    if (sdl->InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    sdl_ = sdl;
    return true;
}

void TSoundEffects::PrepareClips(int freq, uint16_t format, int channels, int samples)
{
    SDL_AudioSpec device{};
    device.freq = freq;
    device.format = format;
    device.channels = static_cast<Uint8>(channels);
    for (int i = 0; i < kEffects; ++i)
        clips_[i] = Prepare(*sdl_, images_[i], device);
    freq_ = freq;
    format_ = format;
    channels_ = channels;
    bytesPerSecond_ = freq * channels * SDL_AUDIO_BITSIZE(format) / 8;
    // The end of a clip leaves the queue one buffer before it has sounded,
    // and the driver may hold one more buffer ahead of that.
    deviceDelay_ = std::chrono::microseconds(2 * samples * 1'000'000LL / freq);
}

void TSoundEffects::CloseWhenQuiet(std::stop_token stop)
{
    std::unique_lock lock(mutex_);
    while (!stop.stop_requested()) {
        if (device_ == 0) {
            changed_.wait(lock, stop, [this] { return device_ != 0; });
            continue;
        }
        const Clock::time_point at = closeAt_;
        if (changed_.wait_until(lock, stop, at, [this, at] { return closeAt_ != at || device_ == 0; }))
            continue;
        if (stop.stop_requested())
            return;
        sdl_->CloseAudioDevice(device_);
        device_ = 0;
    }
}
