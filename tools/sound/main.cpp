// novagrid-sound FOLDER: synthesises the game's six sound effects and writes
// them as FOLDER/effect1.wav ... effect6.wav.

#include "tools/sound/Synth.h"
#include "tools/sound/Wave.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: novagrid-sound FOLDER\n"
    "Synthesises the six sound effects of Novagrid into FOLDER/effect1.wav ... effect6.wav.\n"
    "  --help  this text\n";

}  // namespace

int main(int argc, char* argv[])
{
    const std::string argument = argc > 1 ? argv[1] : "";
    if (argc == 2 && (argument == "--help" || argument == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    if (argc != 2 || argument.empty() || argument[0] == '-') {
        const bool oneArgument = argc == 2 && !argument.empty();
        std::cerr << "novagrid-sound: " << (oneArgument ? "unknown option " + argument : "give exactly one folder")
                  << "\n"
                  << kUsage;
        return 2;
    }
    const std::filesystem::path folder = argument;
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
