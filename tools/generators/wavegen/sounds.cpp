#include "tools/generators/wavegen/sounds.h"

#include <algorithm>
#include <cmath>

namespace wave {

const float kSoundPeak = 0.9f;

namespace {

const double kPi = 3.14159265358979323846;

// Band-passed noise whose loudness is chopped at `chopHz` (gears, rollers),
// with a smooth rise and fall over the span.
void AddRattle(Samples& out, int rate, Noise& noise, double start, double length, double centre,
               double q, double amplitude, double chopHz) {
    BandPass filter;
    size_t first = static_cast<size_t>(start * rate);
    size_t last = std::min(out.size(), static_cast<size_t>((start + length) * rate));
    for (size_t i = first; i < last; ++i) {
        double t = i / static_cast<double>(rate) - start;
        double shape = std::sin(kPi * t / length);
        double chop = 0.35 + 0.65 * std::pow(0.5 + 0.5 * std::sin(2 * kPi * chopHz * t), 3.0);
        float x = filter.Step(noise.Next(), static_cast<float>(centre), static_cast<float>(q), rate);
        out[i] += static_cast<float>(amplitude * shape * chop) * x;
    }
}

// A woody "tock": a short resonance with a click of noise on top.
void AddTock(Samples& out, int rate, Noise& noise, double start, double pitch, double amplitude) {
    AddNoiseBurst(out, rate, noise, start, 0.012, 3000, 0.8, 0.5 * amplitude, 0.0002, 0.0015);
    AddPartial(out, rate, start, pitch, amplitude, 0.009, 0.0004);
    AddPartial(out, rate, start, pitch * 2.57, 0.35 * amplitude, 0.004, 0.0004);
}

// One impact of a coin: a tick of noise and the metal ringing.
void AddCoinHit(Samples& out, int rate, Noise& noise, double start, double pitch, double amplitude,
                double ring) {
    AddNoiseBurst(out, rate, noise, start, 0.01, 5000, 0.7, 0.6 * amplitude, 0.0001, 0.0012);
    AddBell(out, rate, start, pitch, amplitude, ring, {1.0, 2.32, 4.25, 6.63});
}

// A short swish of air: noise whose band sweeps upwards.
void ComposeDeal(Samples& out, int rate) {
    Noise noise(0x0DEA1u);
    BandPass filter;
    HighPass dc;
    for (size_t i = 0; i < out.size(); ++i) {
        double u = i / static_cast<double>(out.size());
        double centre = 1200 + 2800 * u;
        double env = std::pow(std::sin(kPi * std::pow(u, 0.7)), 1.5);
        float x = filter.Step(noise.Next(), static_cast<float>(centre), 0.9f, rate);
        out[i] = dc.Step(static_cast<float>(env) * x, 300, rate);
    }
}

// A card slapped on the table: a faint flick, then the snap with a dull
// thump of the table under it and a papery flutter.
void ComposeCardDrop(Samples& out, int rate) {
    Noise noise(0xCA4Du);
    const double snap = 0.022;
    AddNoiseBurst(out, rate, noise, 0.0, snap, 2500, 0.8, 0.12, 0.018, 0.004);
    AddNoiseBurst(out, rate, noise, snap, 0.03, 4200, 0.7, 0.9, 0.0002, 0.0035);
    AddNoiseBurst(out, rate, noise, snap, 0.06, 1100, 1.3, 0.7, 0.0005, 0.011);
    AddThump(out, rate, snap, 190, 95, 0.45, 0.022);
    AddNoiseBurst(out, rate, noise, snap + 0.008, 0.09, 2200, 1.0, 0.12, 0.004, 0.03);
}

// The hold latch going up: two clicks, the second higher and firmer.
void ComposeHoldCard(Samples& out, int rate) {
    Noise noise(0x401Du);
    AddTock(out, rate, noise, 0.004, 1050, 0.6);
    AddTock(out, rate, noise, 0.036, 1650, 1.0);
    AddPartial(out, rate, 0.036, 1650 * 1.5, 0.15, 0.02);
}

// The latch released: one click and a softer, lower one.
void ComposeNoHold(Samples& out, int rate) {
    Noise noise(0x0401u);
    AddTock(out, rate, noise, 0.003, 1500, 1.0);
    AddTock(out, rate, noise, 0.022, 900, 0.55);
}

// A coin dropped into the tray: the first strike rings, then bounces come
// faster and quieter until it spins down and settles.
void ComposeCoinDrop(Samples& out, int rate) {
    Noise noise(0xC014u);
    const double pitch = 2150;
    struct Hit { double t, amp, ring, detune; };
    const Hit hits[] = {
        {0.008, 1.00, 0.110, 1.000}, {0.112, 0.62, 0.080, 1.006}, {0.181, 0.42, 0.060, 0.996},
        {0.226, 0.30, 0.045, 1.004}, {0.256, 0.22, 0.035, 0.998}, {0.277, 0.17, 0.030, 1.002},
        {0.292, 0.13, 0.026, 1.000}, {0.303, 0.11, 0.024, 0.999}, {0.311, 0.09, 0.022, 1.001},
        {0.317, 0.08, 0.020, 1.000}, {0.322, 0.07, 0.018, 1.000}, {0.326, 0.06, 0.016, 1.000},
    };
    for (const Hit& h : hits) AddCoinHit(out, rate, noise, h.t, pitch * h.detune, h.amp, h.ring);
    AddThump(out, rate, 0.008, 400, 220, 0.15, 0.01);
}

// A bright ascending arpeggio on mallet bells, ending on a ringing chord.
void ComposePayout(Samples& out, int rate) {
    const std::vector<double> mallet = {1.0, 2.0, 3.98};
    const int notes[] = {15, 19, 22, 27, 31};     // C6 E6 G6 C7 E7
    for (int i = 0; i < 5; ++i) AddBell(out, rate, 0.005 + 0.07 * i, NoteHz(notes[i]), 0.5, 0.12, mallet);
    const int chord[] = {22, 27, 31};
    for (int n : chord) AddBell(out, rate, 0.36, NoteHz(n), 0.4, 0.16, mallet);
    Noise noise(0x9A70u);
    AddNoiseBurst(out, rate, noise, 0.36, 0.15, 7000, 0.8, 0.1, 0.002, 0.05);
}

// A cash register: the key and lever clack, the gears whirr, the bell
// rings, the drawer rolls out and hits its stop, and the coins jingle.
void ComposeBank(Samples& out, int rate) {
    Noise noise(0xBA4Cu);
    AddNoiseBurst(out, rate, noise, 0.005, 0.03, 1500, 1.4, 0.7, 0.0003, 0.007);
    AddThump(out, rate, 0.005, 320, 150, 0.4, 0.015);
    AddNoiseBurst(out, rate, noise, 0.065, 0.03, 1200, 1.4, 0.6, 0.0003, 0.008);
    AddThump(out, rate, 0.065, 260, 130, 0.35, 0.015);
    AddRattle(out, rate, noise, 0.09, 0.21, 900, 1.2, 0.35, 38);
    AddBell(out, rate, 0.30, NoteHz(22), 0.9, 0.30, {1.0, 2.0, 2.76});      // G6
    AddBell(out, rate, 0.30, NoteHz(22) * 1.5, 0.25, 0.2, {1.0});
    AddRattle(out, rate, noise, 0.42, 0.44, 420, 0.8, 0.45, 23);
    AddThump(out, rate, 0.86, 170, 75, 0.7, 0.045);
    AddNoiseBurst(out, rate, noise, 0.86, 0.04, 1300, 1.2, 0.6, 0.0003, 0.01);
    Noise jingle(0x714Cu);
    for (int i = 0; i < 7; ++i) {
        double t = 0.875 + 0.018 * i + 0.01 * (0.5 + 0.5 * jingle.Next());
        double pitch = 2700 + 1500 * (0.5 + 0.5 * jingle.Next());
        AddCoinHit(out, rate, noise, t, pitch, 0.25 - 0.025 * i, 0.05);
    }
}

// A brass fanfare: three quick pickups, a held fourth, a rising call and a
// full held chord, with timpani and a cymbal on the strong beats.
void ComposeBigJackpot(Samples& out, int rate) {
    struct Note { double start, length; int lead, second; };
    const Note tune[] = {
        {0.00, 0.11, -2, -5}, {0.14, 0.11, -2, -5}, {0.28, 0.11, -2, -5},   // G4 G4 G4
        {0.42, 0.38, 3, -2},                                                // C5
        {0.86, 0.12, -2, -5}, {1.02, 0.12, 3, -2},                          // G4 C5
        {1.18, 0.78, 7, 3},                                                 // E5
    };
    for (const Note& n : tune) {
        AddBrass(out, rate, n.start, n.length, NoteHz(n.lead), 0.45);
        AddBrass(out, rate, n.start + 0.004, n.length, NoteHz(n.second), 0.32);
    }
    AddBrass(out, rate, 0.42, 0.38, NoteHz(-9), 0.28);       // C4
    AddBrass(out, rate, 1.18, 0.78, NoteHz(-2), 0.28);       // G4
    AddBrass(out, rate, 1.18, 0.78, NoteHz(-9), 0.30);       // C4
    AddBrass(out, rate, 1.18, 0.78, NoteHz(-21), 0.30);      // C3
    Noise noise(0xFA4Eu);
    AddThump(out, rate, 0.42, 120, 70, 0.5, 0.18);
    AddThump(out, rate, 1.18, 120, 65, 0.6, 0.30);
    AddNoiseBurst(out, rate, noise, 1.18, 0.9, 6500, 0.5, 0.35, 0.002, 0.35);
}

}  // namespace

const std::vector<SoundRecipe>& GameSounds() {
    static const std::vector<SoundRecipe> sounds = {
        {"DEAL", 11025, 0.02, ComposeDeal},
        {"CARDDROP", 22050, 0.13, ComposeCardDrop},
        {"HOLDCARD", 11025, 0.09, ComposeHoldCard},
        {"NOHOLD", 11025, 0.05, ComposeNoHold},
        {"COINDROP", 22050, 0.37, ComposeCoinDrop},
        {"PAYOUT", 22050, 0.56, ComposePayout},
        {"BANK", 11025, 1.12, ComposeBank},
        {"BIGJACKPOT", 22000, 2.09, ComposeBigJackpot},
    };
    return sounds;
}

Samples RenderSound(const SoundRecipe& sound) {
    Samples out(static_cast<size_t>(SampleCount(sound.rate, sound.seconds)), 0.0f);
    sound.compose(out, sound.rate);
    FadeEdges(out, sound.rate, std::min(0.004, sound.seconds / 10));
    Normalise(out, kSoundPeak);
    return out;
}

}  // namespace wave
