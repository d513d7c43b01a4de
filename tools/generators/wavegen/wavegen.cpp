// Synthesises the game's eight sound effects into <directory>/<NAME>.wav.
// Files whose bytes would not change are left untouched.
#include <cstdio>
#include <string>

#include "tools/generators/wavegen/sounds.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: wavegen <output directory>\n");
        return 2;
    }
    const std::string dir = argv[1];
    for (const wave::SoundRecipe& sound : wave::GameSounds()) {
        const std::string path = dir + "/" + sound.name + ".wav";
        if (!wave::WriteFileIfChanged(path, wave::EncodeWave8(wave::RenderSound(sound), sound.rate))) {
            std::fprintf(stderr, "wavegen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
