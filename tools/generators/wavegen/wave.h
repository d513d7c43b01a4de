// Building blocks for the game's sound effects: a RIFF/WAVE writer for
// 8-bit mono PCM, a seeded noise source, simple filters, envelopes and
// tone generators.  Everything works on float sample buffers in -1..1 and
// is deterministic: the same calls give the same bytes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace wave {

using Samples = std::vector<float>;

// Number of samples for a sound of `seconds` at `rate`, rounded to nearest.
int SampleCount(int rate, double seconds);

// Maps one sample in -1..1 to unsigned 8-bit PCM, 128 being silence.
// Values outside the range are held at 1 and 255, so no sample wraps.
uint8_t ToPcm8(float sample);

// A complete RIFF "WAVE" file: PCM, mono, 8 bits per sample.  An odd number
// of samples is followed by the pad byte that RIFF chunks require.
std::vector<uint8_t> EncodeWave8(const Samples& samples, int rate);

// Writes `contents` only when the file does not already hold exactly these
// bytes, so unchanged sounds keep their time stamps.  False on failure.
bool WriteFileIfChanged(const std::string& path, const std::vector<uint8_t>& contents);

// Largest absolute sample value.
float Peak(const Samples& samples);
// Scales the whole buffer so that its peak becomes `peak` (silence stays).
void Normalise(Samples& samples, float peak);

// Seeded white noise in -1..1 (xorshift32; the seed must not be 0).
struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed);
    float Next();
};

// One-pole filters; `cutoff` in Hz.  They keep state between calls so a
// cutoff may change from sample to sample (sweeps).
struct LowPass {
    float y = 0;
    float Step(float x, float cutoff, int rate);
};
struct HighPass {
    float lastX = 0, y = 0;
    float Step(float x, float cutoff, int rate);
};
// Two-pole resonant band-pass (trapezoidal state-variable form, stable up
// to the Nyquist frequency); unity gain at the centre frequency.
struct BandPass {
    float s1 = 0, s2 = 0;
    float Step(float x, float centre, float q, int rate);
};

// Envelope: linear attack over `attack` seconds, then exponential decay
// with time constant `decay` seconds; 0 before the start.
float AttackDecay(double t, double attack, double decay);
// Raised-cosine fade-in and fade-out over the first and last `seconds`.
void FadeEdges(Samples& samples, int rate, double seconds);

// A struck, ringing partial: sine of `frequency` from `start` seconds on,
// amplitude `amplitude`, decaying with time constant `decay`.
void AddPartial(Samples& out, int rate, double start, double frequency, double amplitude,
                double decay, double attack = 0.001);

// A bell or metal strike: partials at inharmonic `ratios` of `frequency`,
// the higher ones quieter and shorter.
void AddBell(Samples& out, int rate, double start, double frequency, double amplitude,
             double decay, const std::vector<double>& ratios);

// A brass-like note: harmonics up to the Nyquist limit whose brightness
// follows the envelope, a little vibrato, held for `length` seconds.
void AddBrass(Samples& out, int rate, double start, double length, double frequency,
              double amplitude);

// A burst of filtered noise: band-pass around `centre` Hz, envelope
// AttackDecay(attack, decay), lasting at most `length` seconds.
void AddNoiseBurst(Samples& out, int rate, Noise& noise, double start, double length,
                   double centre, double q, double amplitude, double attack, double decay);

// A low thump: a sine whose pitch falls from `fromHz` to `toHz`, decaying.
void AddThump(Samples& out, int rate, double start, double fromHz, double toHz,
              double amplitude, double decay);

// Frequency of a note given as semitones from A4 (440 Hz).
double NoteHz(int semitonesFromA4);

}  // namespace wave
