// novagrid-sound FOLDER: synthesises the game's six sound effects and writes
// them as FOLDER/effect1.wav ... effect6.wav.

#include "Synth.h"
#include "Wave.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::cerr << "usage: novagrid-sound FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (int effect = 1; effect <= 6; ++effect) {
        const std::filesystem::path path = folder / ("effect" + std::to_string(effect) + ".wav");
        const std::vector<char> image = WaveImage(Synth::Effect(effect), Synth::kSampleRate, 1);
        std::ofstream file(path, std::ios::binary);
        file.write(image.data(), static_cast<std::streamsize>(image.size()));
        if (!file.flush()) {
            std::cerr << "novagrid-sound: cannot write " << path.string() << '\n';
            return 1;
        }
    }
    return 0;
}
