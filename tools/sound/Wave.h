#pragma once

#include <cstdint>
#include <vector>

// The bytes of a RIFF WAVE file holding 16-bit PCM: `samples` interleaved
// over `channels` at `rate` frames per second, little-endian whatever the
// machine.
std::vector<char> WaveImage(const std::vector<int16_t>& samples, int rate, int channels);
