#include <string>

#include <benchmark/benchmark.h>

#include "records/Chiffre.h"

namespace {

// A typical stored highscore row, as the dialog writes and reads ten of them.
const std::string kRow = "1500,Mr. Brain";

void EncodeRow(benchmark::State& state)
{
    const TChiffre chiffre;
    for (auto _ : state)
        benchmark::DoNotOptimize(chiffre.Encode(kRow));
}
BENCHMARK(EncodeRow);

void DecodeRow(benchmark::State& state)
{
    const TChiffre chiffre;
    const std::string stored = chiffre.Encode(kRow);
    for (auto _ : state)
        benchmark::DoNotOptimize(chiffre.Decode(stored));
}
BENCHMARK(DecodeRow);

}  // namespace
