#include "tools/sound/Synth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <random>
#include <stdexcept>
#include <utility>

namespace Synth {
namespace {

using Signal = std::vector<double>;

constexpr double kTwoPi = 2 * std::numbers::pi;

size_t Frames(double seconds)
{
    return static_cast<size_t>(std::lround(seconds * kSampleRate));
}

double Seconds(size_t frame)
{
    return static_cast<double>(frame) / kSampleRate;
}

// 0 at x = 0 rising along half a cosine to 1 at x = 1: a fade without the
// corner a straight ramp leaves, which the ear hears as a click.
double Rise(double x)
{
    return 0.5 - 0.5 * std::cos(std::numbers::pi * std::clamp(x, 0.0, 1.0));
}

// Two-pole Butterworth low-pass (the bilinear-transform form of the audio
// EQ cookbook). It may be retuned between samples for a sweep.
class LowPass {
public:
    explicit LowPass(double cutoff) { Tune(cutoff); }

    void Tune(double cutoff)
    {
        const double w = kTwoPi * cutoff / kSampleRate;
        const double alpha = std::sin(w) / std::numbers::sqrt2;
        const double cosW = std::cos(w);
        const double a0 = 1 + alpha;
        b0_ = (1 - cosW) / 2 / a0;
        b1_ = (1 - cosW) / a0;
        a1_ = -2 * cosW / a0;
        a2_ = (1 - alpha) / a0;
    }

    double operator()(double x)
    {
        const double y = b0_ * (x + x2_) + b1_ * x1_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    double b0_ = 0, b1_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// White noise in -1..1. The raw output of std::mt19937 is fixed by the
// standard (its distributions are not), so the noise is the same everywhere.
class Noise {
public:
    explicit Noise(uint32_t seed) : generator_(seed) {}
    double operator()() { return generator_() / 2147483648.0 - 1.0; }

private:
    std::mt19937 generator_;
};

// The running phase of a tone whose pitch may change from sample to sample;
// accumulating it keeps a sweep free of steps.
class Phase {
public:
    double Advance(double frequency)
    {
        const double now = phase_;
        phase_ = std::fmod(phase_ + kTwoPi * frequency / kSampleRate, kTwoPi);
        return now;
    }

private:
    double phase_ = 0;
};

// Harmonics 1, 2, ... of `phase` at the given levels.
template <size_t N>
double Harmonics(double phase, const std::array<double, N>& levels)
{
    double sum = 0;
    for (size_t h = 0; h < N; ++h)
        sum += levels[h] * std::sin(static_cast<double>(h + 1) * phase);
    return sum;
}

// 1: a stack set down on wood. A low body that drops in pitch carries the
// weight, the board's knock makes it audible on small speakers, and a tick
// of dull noise marks the contact.
Signal Landing()
{
    Signal s(Frames(0.16));
    Phase body, knock, ring;
    Noise noise(1);
    LowPass dull(2500);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = Seconds(i);
        s[i] = 0.6 * std::sin(body.Advance(110 + 130 * std::exp(-t / 0.02))) * std::exp(-t / 0.04) +
               0.8 * std::sin(knock.Advance(520)) * std::exp(-t / 0.025) +
               0.2 * std::sin(ring.Advance(1250)) * std::exp(-t / 0.01) + 0.5 * dull(noise()) * std::exp(-t / 0.005);
    }
    return s;
}

// 2: a cell bursts. Noise through a low-pass that closes fast, so the blast
// turns from a hiss into a rumble, over a boom sliding down.
Signal Burst()
{
    Signal s(Frames(0.27));
    Noise noise(2);
    LowPass first(3000), second(3000);
    Phase boom;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = Seconds(i);
        const double cutoff = 400 + 3200 * std::exp(-t / 0.05);
        first.Tune(cutoff);
        second.Tune(cutoff);
        s[i] = second(first(noise())) * 2.2 * std::exp(-t / 0.075) +
               0.35 * std::sin(boom.Advance(48 + 110 * std::exp(-t / 0.035))) * std::exp(-t / 0.1);
    }
    return s;
}

// One voice of the game-over phrase: a soft reed, doubled a few cents apart
// so the pair beats slowly, with a vibrato that only a long note grows into.
// It holds for `length` seconds, fading by `decay`, then dies away.
void AddVoice(Signal& out, double start, double length, double frequency, double level, double decay)
{
    constexpr std::array<double, 4> reed{1.0, 0.32, 0.14, 0.05};
    const size_t first = Frames(start);
    const size_t count = std::min(out.size() - first, Frames(length + 0.5));
    for (const auto& [detune, share] : {std::pair{1.0, 1.0}, std::pair{1.0025, 0.35}}) {
        Phase phase;
        for (size_t i = 0; i < count; ++i) {
            const double t = Seconds(i);
            const double vibrato = 1 + 0.003 * std::min(1.0, t / 0.5) * std::sin(kTwoPi * 5 * t);
            const double release = t < length ? 1.0 : std::exp(-(t - length) / 0.08);
            const double envelope = Rise(t / 0.03) * (0.7 + 0.3 * std::exp(-t / 0.12)) * std::exp(-t / decay) * release;
            out[first + i] += share * level * envelope * Harmonics(phase.Advance(frequency * detune * vibrato), reed);
        }
    }
}

// 3: game over. A slow phrase falling through C minor, G4 E-flat4 D4, that
// settles on a long C4 over C3 and dies away.
Signal GameOver()
{
    Signal s(Frames(2.1));
    AddVoice(s, 0.00, 0.34, 392.00, 1.0, 2.0);
    AddVoice(s, 0.34, 0.34, 311.13, 0.95, 2.0);
    AddVoice(s, 0.68, 0.34, 293.66, 0.9, 2.0);
    AddVoice(s, 1.02, 1.08, 261.63, 1.0, 0.6);
    AddVoice(s, 1.02, 1.08, 130.81, 0.55, 0.6);
    return s;
}

// 4: a group lights up. A small bell on G5 with a faint inharmonic shimmer;
// the overtones die first, so what the next group's chime cuts off is a
// soft pure tone.
Signal Chime()
{
    struct Partial {
        double ratio, level, decay;
    };
    constexpr std::array<Partial, 4> bell{Partial{1.0, 1.0, 0.13}, Partial{2.0, 0.28, 0.07}, Partial{3.0, 0.10, 0.045},
                                          Partial{4.2, 0.06, 0.025}};
    Signal s(Frames(0.28));
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = Seconds(i);
        for (const Partial& p : bell)
            s[i] += p.level * std::sin(kTwoPi * 783.99 * p.ratio * t) * std::exp(-t / p.decay);
    }
    return s;
}

// 5: one step of the bonus count. A short blip on C6 that slides up into
// its pitch; nine in a row make a quick ticking count.
Signal Blip()
{
    constexpr std::array<double, 3> tone{1.0, 0.2, 0.07};
    Signal s(Frames(0.1));
    Phase phase;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = Seconds(i);
        s[i] = Harmonics(phase.Advance(1046.50 * (1 - 0.12 * std::exp(-t / 0.006))), tone) * std::exp(-t / 0.035);
    }
    return s;
}

// 6: the big bonus. A brass-like arpeggio up the C major chord, C5 E5 G5
// C6, every note held so that the chord builds to the end.
Signal Fanfare()
{
    constexpr std::array<double, 4> notes{523.25, 659.26, 783.99, 1046.50};
    std::array<double, 6> brass{};
    for (size_t h = 0; h < brass.size(); ++h)
        brass[h] = std::pow(static_cast<double>(h + 1), -1.7);
    Signal s(Frames(0.62));
    for (size_t n = 0; n < notes.size(); ++n) {
        Phase phase;
        for (size_t i = Frames(0.085 * static_cast<double>(n)), k = 0; i < s.size(); ++i, ++k) {
            const double t = Seconds(k);
            const double envelope = Rise(t / 0.008) * (0.55 + 0.45 * std::exp(-t / 0.07)) * std::exp(-t / 0.6);
            s[i] += envelope * Harmonics(phase.Advance(notes[n]), brass);
        }
    }
    return s;
}

// Makes a clip of a raw signal: takes off what lies above about 8 kHz,
// fades both ends so the clip starts and stops at silence, and scales it to
// peak at `peakDb` dBFS.
std::vector<int16_t> Finish(Signal s, double fadeIn, double fadeOut, double peakDb)
{
    LowPass first(8000), second(8000);
    for (double& x : s)
        x = second(first(x));
    const size_t in = Frames(fadeIn), out = Frames(fadeOut);
    for (size_t i = 0; i < in; ++i)
        s[i] *= Rise(static_cast<double>(i) / static_cast<double>(in));
    for (size_t i = 0; i < out; ++i)
        s[s.size() - 1 - i] *= Rise(static_cast<double>(i) / static_cast<double>(out));

    double peak = 0;
    for (double x : s)
        peak = std::max(peak, std::abs(x));
    const double gain = std::pow(10.0, peakDb / 20) * 32767 / peak;
    std::vector<int16_t> clip(s.size());
    std::transform(s.begin(), s.end(), clip.begin(),
                   [gain](double x) { return static_cast<int16_t>(std::lround(x * gain)); });
    return clip;
}

}  // namespace

std::vector<int16_t> Effect(int effect)
{
    // The peaks differ because the ear does not hear them alike: the thud and
    // the blast are mostly low frequencies and may go to -6 dB, the held
    // notes of the phrase and the fanfare sound louder than their peak, and
    // the chime and the blip sit where hearing is keenest.
    switch (effect) {
        case 1:
            return Finish(Landing(), 0.002, 0.02, -6.0);
        case 2:
            return Finish(Burst(), 0.003, 0.04, -6.0);
        case 3:
            return Finish(GameOver(), 0.005, 0.15, -8.0);
        case 4:
            return Finish(Chime(), 0.003, 0.04, -11.0);
        case 5:
            return Finish(Blip(), 0.002, 0.015, -10.0);
        case 6:
            return Finish(Fanfare(), 0.003, 0.08, -8.0);
    }
    throw std::out_of_range("no such sound effect");
}

}  // namespace Synth
