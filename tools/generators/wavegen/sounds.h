// The game's eight sound effects: their resource names, sample rates and
// lengths, and the recipe that synthesises each one.
#pragma once
#include "tools/generators/wavegen/wave.h"

namespace wave {

struct SoundRecipe {
    const char* name;       // resource and file name, upper case
    int rate;               // samples per second
    double seconds;         // length
    void (*compose)(Samples& out, int rate);
};

// All eight, in a fixed order.
const std::vector<SoundRecipe>& GameSounds();

// The finished samples of one sound: composed, faded in and out at its
// edges and scaled to a peak safely below full scale.
Samples RenderSound(const SoundRecipe& sound);

// Peak of every rendered sound, as a fraction of full scale.
extern const float kSoundPeak;

}  // namespace wave
