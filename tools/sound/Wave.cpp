#include "tools/sound/Wave.h"

#include <string_view>

namespace {

void Put(std::vector<char>& out, std::string_view tag)
{
    for (char c : tag)
        out.push_back(c);
}

void Put(std::vector<char>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::vector<char> WaveImage(const std::vector<int16_t>& samples, int rate, int channels)
{
    const uint32_t blockAlign = 2 * channels;
    const uint32_t dataBytes = 2 * static_cast<uint32_t>(samples.size());
    std::vector<char> out;
    out.reserve(44 + dataBytes);
    Put(out, "RIFF");
    Put(out, 36 + dataBytes, 4);
    Put(out, "WAVE");
    Put(out, "fmt ");
    Put(out, 16, 4);
    Put(out, 1, 2);  // PCM
    Put(out, channels, 2);
    Put(out, rate, 4);
    Put(out, rate * blockAlign, 4);
    Put(out, blockAlign, 2);
    Put(out, 16, 2);
    Put(out, "data");
    Put(out, dataBytes, 4);
    for (int16_t sample : samples)
        Put(out, static_cast<uint16_t>(sample), 2);
    return out;
}
