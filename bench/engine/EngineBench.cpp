#include <benchmark/benchmark.h>

#include "engine/GameEngine.h"
#include "engine/HeadlessView.h"
#include "engine/SelfPlay.h"

// Engine entries per second in self-play, with outlets that do nothing.
static void BM_SelfPlayEntries(benchmark::State& state)
{
    TSelfPlay play(2026);
    for (auto _ : state)
        play.Step();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SelfPlayEntries)->UseRealTime();  // the rate from wall-clock time

// The biggest clearing there is: every one of the 67 groups complete.
static void BM_ClearAllGroups(benchmark::State& state)
{
    THeadlessView view;
    TGameEngine engine(view, 1);
    for (auto _ : state) {
        // Each round from the same state: level and score must not grow
        // without bound over millions of rounds.
        engine.Level = 0;
        engine.Score = 0;
        engine.Board.fill(0);
        engine.ClearGroups();
        benchmark::DoNotOptimize(engine.Score);
    }
}
BENCHMARK(BM_ClearAllGroups)->UseRealTime();

// Taking up a kept game that drew as many numbers as the engine accepts:
// the most a start can spend bringing the random source back to where it
// stood.
static void BM_RestoreLongestKeptGame(benchmark::State& state)
{
    THeadlessView view;
    TGameEngine played(view, 2026);
    played.Restart();
    TKeptGame kept = played.Keep();
    kept.Random.Draws = TRandom::kMostDraws;
    for (auto _ : state) {
        TGameEngine engine(view, 1);
        benchmark::DoNotOptimize(engine.Restore(kept));
    }
}
BENCHMARK(BM_RestoreLongestKeptGame)->Unit(benchmark::kMillisecond)->UseRealTime();
