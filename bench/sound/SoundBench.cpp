// What sound costs the game, in wall-clock time: the first clip of a quiet
// spell (SDL's audio started, a device opened, the clips prepared for it),
// a clip on a device already open, and a play where no device can be had.
// SDL's dummy driver stands in for a device. "No device" is this machine's
// own drivers, or the driver NOVAGRID_NO_DEVICE_DRIVER names (bench/report.sh
// names one that does not exist where the machine has a sound card).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdlib>
#include <optional>

#include "view/sound/SoundEffects.h"

namespace {

using Clock = std::chrono::steady_clock;

void UseDriver(const char* driver)
{
    if (driver != nullptr)
        setenv("SDL_AUDIODRIVER", driver, 1);
    else
        unsetenv("SDL_AUDIODRIVER");
}

// Each round starts from nothing, as the game does after a quiet spell:
// only the play is timed, not the shutting down after it.
void FirstPlay(benchmark::State& state, const char* driver)
{
    UseDriver(driver);
    for (auto _ : state) {
        std::optional<TSoundEffects> sound(std::in_place, [] { return true; });
        const auto start = Clock::now();
        sound->PlayEffect(false, TEffect::PiecePlaced);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        sound.reset();
    }
}

void BM_FirstPlayOnADevice(benchmark::State& state)
{
    FirstPlay(state, "dummy");
}
BENCHMARK(BM_FirstPlayOnADevice)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_PlayWithoutADevice(benchmark::State& state)
{
    FirstPlay(state, std::getenv("NOVAGRID_NO_DEVICE_DRIVER"));
}
BENCHMARK(BM_PlayWithoutADevice)->UseManualTime()->Unit(benchmark::kMillisecond);

// The game goes on asking at every play, so that a device that comes later is found.
void BM_LaterPlayWithoutADevice(benchmark::State& state)
{
    UseDriver(std::getenv("NOVAGRID_NO_DEVICE_DRIVER"));
    TSoundEffects sound([] { return true; });
    sound.PlayEffect(false, TEffect::PiecePlaced);
    for (auto _ : state)
        sound.PlayEffect(false, TEffect::PiecePlaced);
}
BENCHMARK(BM_LaterPlayWithoutADevice)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_PlayOnAnOpenDevice(benchmark::State& state)
{
    UseDriver("dummy");
    TSoundEffects sound([] { return true; });
    sound.PlayEffect(false, TEffect::PiecePlaced);
    for (auto _ : state)
        sound.PlayEffect(false, TEffect::PiecePlaced);
}
BENCHMARK(BM_PlayOnAnOpenDevice)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);  // the clips are read from the game's resources
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
