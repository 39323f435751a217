#pragma once

#include <cstdint>
#include <vector>

// The six sound effects of the game, made from nothing but arithmetic, so
// every run gives the same samples on every machine. They share one sound
// world: a soft wooden thud, a dull low-passed blast, a bell-like chime and
// a blip tuned to C major, a fanfare on the C major chord and a game-over
// motif falling in C minor.
namespace Synth {

constexpr int kSampleRate = 44100;  // every clip: mono, 16 bit, this rate

// Effect `effect` (1..6): 1 a piece lands, 2 a cell explodes, 3 game over,
// 4 a group flashes, 5 one bonus step, 6 the big bonus. Each clip starts
// and ends at silence through a short fade, peaks a few dB below full
// scale and carries nothing above about 8 kHz worth hearing.
std::vector<int16_t> Effect(int effect);

}  // namespace Synth
