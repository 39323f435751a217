#include "assets/Assets.h"
#include "tools/sound/Synth.h"
#include "tools/sound/Wave.h"

#include <QByteArray>
#include <QFile>

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

double Milliseconds(const std::vector<int16_t>& clip)
{
    return 1000.0 * static_cast<double>(clip.size()) / Synth::kSampleRate;
}

int Peak(const std::vector<int16_t>& samples)
{
    int peak = 0;
    for (int16_t s : samples)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak;
}

double Dbfs(int peak)
{
    return 20 * std::log10(peak / 32768.0);
}

TEST(Clips, EachEffectLastsAsLongAsItsMomentAndPeaksBelowFullScale)
{
    struct Case {
        int effect;
        double shortest, longest;  // milliseconds
    };
    const Case cases[] = {
        {1, 120, 200},    // a piece lands
        {2, 200, 300},    // a cell explodes
        {3, 1500, 2500},  // game over
        {4, 250, 300},    // a group flashes: over before its 300 ms flash is
        {5, 80, 120},     // one of up to nine bonus steps in a row
        {6, 500, 700},    // the big bonus
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.effect);
        const std::vector<int16_t> clip = Synth::Effect(c.effect);
        EXPECT_GE(Milliseconds(clip), c.shortest);
        EXPECT_LE(Milliseconds(clip), c.longest);
        EXPECT_LE(Dbfs(Peak(clip)), -5.5);
        EXPECT_GE(Dbfs(Peak(clip)), -12.0);
    }
}

TEST(Clips, TheGameOverClipIsSeveralTimesLongerThanAnyOther)
{
    const size_t gameOver = Synth::Effect(3).size();
    for (const int effect : {1, 2, 4, 5, 6})
        EXPECT_GE(gameOver, 3 * Synth::Effect(effect).size()) << "effect " << effect;
}

TEST(Clips, EveryClipFadesInFromSilenceAndOutToIt)
{
    // Within half a millisecond of either end a faded clip is still, or
    // again, far below its peak; a clip that starts or stops at full
    // swing clicks.
    const auto edge = static_cast<std::ptrdiff_t>(Synth::kSampleRate / 2000);
    for (int effect = 1; effect <= 6; ++effect) {
        SCOPED_TRACE(effect);
        const std::vector<int16_t> clip = Synth::Effect(effect);
        EXPECT_EQ(clip.front(), 0);
        EXPECT_EQ(clip.back(), 0);
        EXPECT_LE(Peak({clip.begin(), clip.begin() + edge}), Peak(clip) / 5);
        EXPECT_LE(Peak({clip.end() - edge, clip.end()}), Peak(clip) / 5);
    }
}

TEST(Clips, WaveImagesDecodeToTheirSamples)
{
    struct Case {
        int rate, channels;
    };
    const std::vector<int16_t> samples{0, 1, -1, 32767, -32768, 258, -259, 12345};
    for (const Case c : {Case{44100, 1}, Case{22050, 2}}) {
        SCOPED_TRACE(c.channels);
        const std::vector<char> image = WaveImage(samples, c.rate, c.channels);
        SDL_AudioSpec spec;
        Uint8* bytes = nullptr;
        Uint32 length = 0;
        ASSERT_NE(SDL_LoadWAV_RW(SDL_RWFromConstMem(image.data(), int(image.size())), 1, &spec, &bytes, &length),
                  nullptr)
            << SDL_GetError();
        EXPECT_EQ(spec.freq, c.rate);
        EXPECT_EQ(spec.channels, c.channels);
        EXPECT_EQ(spec.format, AUDIO_S16LSB);
        std::vector<int16_t> decoded(length / 2);
        std::memcpy(decoded.data(), bytes, length);
        SDL_FreeWAV(bytes);
        EXPECT_EQ(decoded, samples);
    }
}

TEST(Clips, TheGameCarriesTheClipsTheGeneratorMakes)
{
    // Header alike and samples within one step: another maths library may
    // round a sample the other way, a stale clip differs by far more.
    for (int effect = 1; effect <= 6; ++effect) {
        SCOPED_TRACE(effect);
        QFile file(Assets::ClipPath(effect));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray carried = file.readAll();
        const std::vector<char> made = WaveImage(Synth::Effect(effect), Synth::kSampleRate, 1);
        ASSERT_EQ(static_cast<size_t>(carried.size()), made.size());
        EXPECT_EQ(QByteArray(made.data(), 44), carried.left(44));
        int worst = 0;
        for (size_t i = 44; i + 1 < made.size(); i += 2) {
            int16_t a, b;
            std::memcpy(&a, made.data() + i, 2);
            std::memcpy(&b, carried.constData() + i, 2);
            worst = std::max(worst, std::abs(a - b));
        }
        EXPECT_LE(worst, 1);
    }
}

}  // namespace
