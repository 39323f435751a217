#include "view/sound/SoundEffects.h"

#include "assets/Assets.h"
#include "tools/sound/Wave.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <SDL.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <numbers>
#include <thread>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// What the player asks of a device, and what SDL's disk and dummy drivers
// grant: 16-bit stereo at 44.1 kHz.
constexpr int kDeviceRate = 44100;

QByteArray Wave(const std::vector<int16_t>& samples, int rate, int channels)
{
    const std::vector<char> image = WaveImage(samples, rate, channels);
    return QByteArray(image.data(), static_cast<qsizetype>(image.size()));
}

// A stereo clip in the device's own format whose samples run base,
// base + 1, ... and are never 0, so that it stands out of the silence the
// device plays around it and clips with bases far apart never mix up.
std::vector<int16_t> Pattern(int milliseconds, int base)
{
    std::vector<int16_t> samples(2 * kDeviceRate * milliseconds / 1000);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(base + static_cast<int>(i % 512));
    return samples;
}

std::chrono::microseconds Length(const std::vector<int16_t>& stereo)
{
    return std::chrono::microseconds(static_cast<long long>(stereo.size() / 2) * 1'000'000 / kDeviceRate);
}

// All samples but the silent ones, in the order they were played.
std::vector<int16_t> Audible(const std::vector<int16_t>& played)
{
    std::vector<int16_t> sound;
    std::copy_if(played.begin(), played.end(), std::back_inserter(sound), [](int16_t s) { return s != 0; });
    return sound;
}

template <typename Action>
Clock::duration Timed(Action&& action)
{
    const auto start = Clock::now();
    action();
    return Clock::now() - start;
}

const auto kSoundOn = [] { return true; };

class SoundEffects : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    void TearDown() override
    {
        qunsetenv("SDL_AUDIODRIVER");
        qunsetenv("SDL_DISKAUDIOFILE");
    }

    // Makes SDL use `driver`. The disk driver writes, in real time,
    // everything the device plays to a file of this test.
    void UseDriver(const char* driver)
    {
        qputenv("SDL_AUDIODRIVER", driver);
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(folder_.filePath("device.raw")));
    }

    // What the disk driver's device played, silence included: complete once
    // the player is gone.
    std::vector<int16_t> Played() const
    {
        QFile file(folder_.filePath("device.raw"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        std::vector<int16_t> samples(static_cast<size_t>(bytes.size()) / 2);
        std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
        return samples;
    }

    QTemporaryDir folder_;
};

TEST_F(SoundEffects, EachEffectPlaysItsOwnClipWholeAndUnchanged)
{
    UseDriver("disk");
    TSoundEffects::TClips clips;
    std::vector<int16_t> expected;
    for (int n = 1; n <= TSoundEffects::kEffects; ++n) {
        const std::vector<int16_t> clip = Pattern(50, 1000 * n);
        clips[n - 1] = Wave(clip, kDeviceRate, 2);
        expected.insert(expected.end(), clip.begin(), clip.end());
    }
    {
        TSoundEffects sound(kSoundOn, clips);
        for (int n = 1; n <= TSoundEffects::kEffects; ++n)
            sound.PlayEffect(true, static_cast<TEffect>(n));
    }
    EXPECT_EQ(Audible(Played()), expected);
}

TEST_F(SoundEffects, ClipsInOtherFormatsReachTheDeviceConverted)
{
    // A smooth tone that stays far from 0, at each source sample's time.
    const auto tone = [](double seconds) { return 8000 + 3000 * std::sin(2 * std::numbers::pi * 300 * seconds); };
    struct Case {
        const char* name;
        int rate, channels;
        int tolerance;  // SDL converts through floats, resampling approximates...
        int margin;     // ...and not at all where the clip starts and ends
    };
    const Case cases[] = {
        {"stereo at the device's rate", kDeviceRate, 2, 0, 0},
        {"mono at the device's rate", kDeviceRate, 1, 1, 0},
        {"mono at half the device's rate", kDeviceRate / 2, 1, 330, 32},
    };
    UseDriver("disk");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int frames = c.rate * 60 / 1000;
        std::vector<int16_t> samples;
        for (int i = 0; i < frames; ++i)
            samples.insert(samples.end(), c.channels, static_cast<int16_t>(std::lround(tone(double(i) / c.rate))));
        {
            TSoundEffects sound(kSoundOn, TSoundEffects::TClips{Wave(samples, c.rate, c.channels)});
            sound.PlayEffect(true, TEffect::PiecePlaced);
        }
        const std::vector<int16_t> played = Audible(Played());
        const int expectedFrames = frames * kDeviceRate / c.rate;
        ASSERT_EQ(played.size(), 2u * expectedFrames);
        for (int j = c.margin; j < expectedFrames - c.margin; ++j) {
            ASSERT_EQ(played[2 * j], played[2 * j + 1]) << "frame " << j;
            ASSERT_NEAR(played[2 * j], tone(double(j) / kDeviceRate), c.tolerance + 0.5) << "frame " << j;
        }
    }
}

TEST_F(SoundEffects, ANewPlayCutsOffTheClipStillSounding)
{
    UseDriver("disk");
    const std::vector<int16_t> first = Pattern(200, 1000);
    const std::vector<int16_t> second = Pattern(50, 3000);
    {
        TSoundEffects sound(kSoundOn, TSoundEffects::TClips{Wave(first, kDeviceRate, 2), Wave(second, kDeviceRate, 2)});
        sound.PlayEffect(false, TEffect::PiecePlaced);
        std::this_thread::sleep_for(60ms);
        sound.PlayEffect(true, TEffect::CellExplodes);
    }
    const std::vector<int16_t> played = Audible(Played());
    const auto secondStarts = std::find_if(played.begin(), played.end(), [](int16_t s) { return s >= 3000; });
    const std::vector<int16_t> start(played.begin(), secondStarts);
    const std::vector<int16_t> rest(secondStarts, played.end());
    EXPECT_GT(start.size(), 0u);
    ASSERT_LT(start.size(), first.size());
    EXPECT_TRUE(std::equal(start.begin(), start.end(), first.begin()));
    EXPECT_EQ(rest, second);
}

TEST_F(SoundEffects, WithTheSwitchOffNothingPlaysAndTheClipSoundingGoesOn)
{
    UseDriver("disk");
    bool on = true;
    const std::vector<int16_t> sounding = Pattern(100, 1000);
    const TSoundEffects::TClips clips{Wave(sounding, kDeviceRate, 2), Wave(Pattern(100, 3000), kDeviceRate, 2)};
    {
        TSoundEffects sound([&on] { return on; }, clips);
        sound.PlayEffect(false, TEffect::PiecePlaced);
        on = false;
        for (const bool wait : {true, false})
            EXPECT_LT(Timed([&] { sound.PlayEffect(wait, TEffect::CellExplodes); }), 50ms) << "wait " << wait;
        std::this_thread::sleep_for(Length(sounding) + 150ms);
    }
    EXPECT_EQ(Audible(Played()), sounding);
}

TEST_F(SoundEffects, AWaitingPlayReturnsAfterItsClipAndAnotherAtOnce)
{
    const std::vector<int16_t> clip = Pattern(80, 1000);
    for (const char* driver : {"disk", "dummy"}) {
        SCOPED_TRACE(driver);
        UseDriver(driver);
        TSoundEffects sound(kSoundOn, TSoundEffects::TClips{Wave(clip, kDeviceRate, 2)});
        EXPECT_GE(Timed([&] { sound.PlayEffect(true, TEffect::PiecePlaced); }), Length(clip));
        EXPECT_LT(Timed([&] { sound.PlayEffect(false, TEffect::PiecePlaced); }), Length(clip) / 2);
    }
}

TEST_F(SoundEffects, EmptyOrUndecodableClipsPlayNothingAndStopNothing)
{
    const QByteArray wave = Wave(Pattern(80, 1000), kDeviceRate, 2);
    QByteArray compressed = wave;
    compressed[20] = 0x55;  // format tag of MPEG layer 3, which SDL does not decode
    const std::vector<int16_t> sounding = Pattern(100, 3000);
    const TSoundEffects::TClips clips{
        QByteArray(),
        QByteArray("RIFF, but not a wave file at all"),
        wave.left(30),  // cut off inside its header
        Wave({}, kDeviceRate, 2),
        compressed,
        Wave(sounding, kDeviceRate, 2),
    };
    UseDriver("disk");
    {
        TSoundEffects sound(kSoundOn, clips);
        sound.PlayEffect(false, TEffect::BigBonus);
        for (int n = 1; n <= 5; ++n)
            EXPECT_LT(Timed([&] { sound.PlayEffect(true, static_cast<TEffect>(n)); }), Length(sounding) / 2)
                << "effect " << n;
        std::this_thread::sleep_for(Length(sounding) + 150ms);
    }
    EXPECT_EQ(Audible(Played()), sounding);
}

TEST_F(SoundEffects, WithoutAUsableDriverEveryPlayReturnsAtOnce)
{
    UseDriver("no-such-driver");
    const std::vector<int16_t> clip = Pattern(100, 1000);
    TSoundEffects::TClips clips;
    clips.fill(Wave(clip, kDeviceRate, 2));
    TSoundEffects sound(kSoundOn, clips);
    for (int n = 1; n <= TSoundEffects::kEffects; ++n)
        for (const bool wait : {true, false})
            EXPECT_LT(Timed([&] { sound.PlayEffect(wait, static_cast<TEffect>(n)); }), Length(clip) / 2)
                << "effect " << n;
}

TEST_F(SoundEffects, TheGamesOwnClipsPlayFromItsResources)
{
    QFile resource(Assets::ClipPath(5));
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
    const QByteArray image = resource.readAll();
    SDL_AudioSpec spec;
    Uint8* bytes = nullptr;
    Uint32 length = 0;
    ASSERT_NE(SDL_LoadWAV_RW(SDL_RWFromConstMem(image.constData(), int(image.size())), 1, &spec, &bytes, &length),
              nullptr);
    ASSERT_EQ(spec.format, AUDIO_S16LSB);
    ASSERT_EQ(spec.channels, 1);
    ASSERT_EQ(spec.freq, kDeviceRate);
    std::vector<int16_t> mono(length / 2);
    std::memcpy(mono.data(), bytes, length);
    SDL_FreeWAV(bytes);

    UseDriver("disk");
    {
        TSoundEffects sound(kSoundOn);
        sound.PlayEffect(true, TEffect::BonusStep);
    }
    // The device plays the mono clip on both channels, somewhere in the
    // silence it plays around it. The clip's faded start is no sure marker
    // (a conversion may round a 1 to 0), so a few places next to where the
    // sound begins are tried.
    const std::vector<int16_t> played = Played();
    const auto playedAt = [&](std::ptrdiff_t frame) {
        if (frame < 0 || 2 * frame + 1 >= std::ssize(played))
            return std::pair<int, int>{0, 0};
        return std::pair<int, int>{played[2 * frame], played[2 * frame + 1]};
    };
    const auto playedFrom = [&](std::ptrdiff_t start) {
        for (size_t i = 0; i < mono.size(); ++i) {
            const auto [left, right] = playedAt(start + static_cast<std::ptrdiff_t>(i));
            if (std::abs(left - mono[i]) > 1 || right != left)
                return false;
        }
        return true;
    };
    const auto loud = [](int16_t x) { return x != 0; };
    const std::ptrdiff_t soundStarts = (std::find_if(played.begin(), played.end(), loud) - played.begin()) / 2;
    const std::ptrdiff_t clipSoundStarts = std::find_if(mono.begin(), mono.end(), loud) - mono.begin();
    bool found = false;
    for (std::ptrdiff_t shift = -2; shift <= 2 && !found; ++shift)
        found = playedFrom(soundStarts - clipSoundStarts + shift);
    EXPECT_TRUE(found);
}

TEST_F(SoundEffects, StartingTheAudioPrintsNothing)
{
    // The disk driver announces itself on stderr; ALSA, on a machine
    // without a sound card, complains at length.
    for (const char* driver : {"disk", "alsa"}) {
        SCOPED_TRACE(driver);
        UseDriver(driver);
        const QString log = folder_.filePath("stderr.txt");
        std::fflush(stderr);
        const int saved = dup(2);
        const int file = open(QFile::encodeName(log).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(file, 0);
        dup2(file, 2);
        close(file);
        {
            TSoundEffects sound(kSoundOn, TSoundEffects::TClips{Wave(Pattern(20, 1000), kDeviceRate, 2)});
            sound.PlayEffect(true, TEffect::PiecePlaced);
        }
        std::fflush(stderr);
        dup2(saved, 2);
        close(saved);
        QFile printed(log);
        ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
        EXPECT_EQ(printed.readAll().toStdString(), "");
    }
}

TEST_F(SoundEffects, StartingTheAudioLeavesInterruptAndTerminationToTheGame)
{
    UseDriver("dummy");
    TSoundEffects sound(kSoundOn, TSoundEffects::TClips{Wave(Pattern(20, 1000), kDeviceRate, 2)});
    sound.PlayEffect(false, TEffect::PiecePlaced);
    ASSERT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    for (const int signal : {SIGINT, SIGTERM}) {
        const auto handler = std::signal(signal, SIG_DFL);
        EXPECT_EQ(handler, SIG_DFL) << "signal " << signal;
        std::signal(signal, handler);
    }
}

TEST_F(SoundEffects, NothingOfTheAudioStartsBeforeAClipIsToBeHeard)
{
    UseDriver("dummy");
    bool on = false;
    TSoundEffects sound([&on] { return on; }, TSoundEffects::TClips{Wave(Pattern(20, 1000), kDeviceRate, 2)});
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "made";
    sound.PlayEffect(true, TEffect::PiecePlaced);
    sound.PlayEffect(true, TEffect::CellExplodes);  // no clip
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "played with the switch off or no clip";
    on = true;
    sound.PlayEffect(true, TEffect::PiecePlaced);
    EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "played";
}

TEST_F(SoundEffects, TheDeviceClosesOnceQuietAndOpensAgainForTheNextClip)
{
    // The disk driver writes silence in real time for as long as the
    // device is open: the file stops growing when it closes.
    UseDriver("disk");
    const QString device = folder_.filePath("device.raw");
    const auto written = [&] { return QFileInfo(device).size(); };
    const std::vector<int16_t> first = Pattern(50, 1000);
    const std::vector<int16_t> second = Pattern(50, 3000);
    {
        TSoundEffects sound(kSoundOn, TSoundEffects::TClips{Wave(first, kDeviceRate, 2), Wave(second, kDeviceRate, 2)});
        sound.PlayEffect(true, TEffect::PiecePlaced);
        const qint64 heard = written();
        std::this_thread::sleep_for(300ms);
        EXPECT_GT(written(), heard) << "open for a while after the clip";
        std::this_thread::sleep_for(1500ms);
        const qint64 quiet = written();
        std::this_thread::sleep_for(300ms);
        EXPECT_EQ(written(), quiet) << "closed";
        sound.PlayEffect(true, TEffect::CellExplodes);
    }
    // The reopened device starts its file afresh.
    EXPECT_EQ(Audible(Played()), second);
}

TEST_F(SoundEffects, ADeviceThatAppearsAfterAPlayFoundNoneIsFoundAtTheNextPlay)
{
    const std::vector<int16_t> clip = Pattern(50, 1000);
    UseDriver("no-such-driver");
    {
        TSoundEffects sound(kSoundOn, TSoundEffects::TClips{Wave(clip, kDeviceRate, 2)});
        sound.PlayEffect(true, TEffect::PiecePlaced);
        UseDriver("disk");
        sound.PlayEffect(true, TEffect::PiecePlaced);
    }
    EXPECT_EQ(Audible(Played()), clip);
}

}  // namespace
