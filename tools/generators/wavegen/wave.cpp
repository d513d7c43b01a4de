#include "tools/generators/wavegen/wave.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace wave {

namespace {

const double kPi = 3.14159265358979323846;

// Little-endian fields written at a fixed offset of the header.
void PutU32(uint8_t* at, uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(v >> (8 * i));
}
void PutU16(uint8_t* at, uint16_t v) {
    at[0] = static_cast<uint8_t>(v);
    at[1] = static_cast<uint8_t>(v >> 8);
}
void PutTag(uint8_t* at, const char* tag) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(tag[i]);
}

// Index range [first, last) of the samples from `start` for `length` seconds.
void SpanOf(const Samples& out, int rate, double start, double length, size_t* first,
            size_t* last) {
    double a = std::max(0.0, start * rate);
    double b = std::min(static_cast<double>(out.size()), (start + length) * rate);
    *first = static_cast<size_t>(std::ceil(a));
    *last = b > a ? static_cast<size_t>(std::ceil(b)) : *first;
    if (*last > out.size()) *last = out.size();
}

}  // namespace

int SampleCount(int rate, double seconds) {
    return static_cast<int>(std::floor(rate * seconds + 0.5));
}

uint8_t ToPcm8(float sample) {
    if (!(sample > -1.0f)) sample = -1.0f;    // also catches NaN
    if (sample > 1.0f) sample = 1.0f;
    return static_cast<uint8_t>(128 + std::lround(sample * 127.0f));    // symmetric about 128
}

std::vector<uint8_t> EncodeWave8(const Samples& samples, int rate) {
    const uint32_t dataSize = static_cast<uint32_t>(samples.size());
    const uint32_t pad = dataSize & 1u;
    std::vector<uint8_t> out(44 + dataSize + pad, 0);
    uint8_t* h = out.data();
    PutTag(h + 0, "RIFF");
    PutU32(h + 4, 4 + (8 + 16) + (8 + dataSize + pad));
    PutTag(h + 8, "WAVE");
    PutTag(h + 12, "fmt ");
    PutU32(h + 16, 16);
    PutU16(h + 20, 1);                               // PCM
    PutU16(h + 22, 1);                               // mono
    PutU32(h + 24, static_cast<uint32_t>(rate));
    PutU32(h + 28, static_cast<uint32_t>(rate));     // bytes per second
    PutU16(h + 32, 1);                               // block align
    PutU16(h + 34, 8);                               // bits per sample
    PutTag(h + 36, "data");
    PutU32(h + 40, dataSize);
    for (uint32_t i = 0; i < dataSize; ++i) out[44 + i] = ToPcm8(samples[i]);
    return out;
}

bool WriteFileIfChanged(const std::string& path, const std::vector<uint8_t>& contents) {
    if (FILE* in = std::fopen(path.c_str(), "rb")) {
        std::vector<uint8_t> old;
        uint8_t buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) old.insert(old.end(), buffer, buffer + n);
        std::fclose(in);
        if (old == contents) return true;
    }
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    bool ok = std::fwrite(contents.data(), 1, contents.size(), out) == contents.size();
    ok = std::fclose(out) == 0 && ok;
    return ok;
}

float Peak(const Samples& samples) {
    float peak = 0;
    for (float s : samples) peak = std::max(peak, std::fabs(s));
    return peak;
}

void Normalise(Samples& samples, float peak) {
    float current = Peak(samples);
    if (current <= 0) return;
    float gain = peak / current;
    for (float& s : samples) s *= gain;
}

Noise::Noise(uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}

float Noise::Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<float>(state / 2147483647.5 - 1.0);
}

float LowPass::Step(float x, float cutoff, int rate) {
    float a = static_cast<float>(1.0 - std::exp(-2.0 * kPi * cutoff / rate));
    y += a * (x - y);
    return y;
}

float HighPass::Step(float x, float cutoff, int rate) {
    double rc = 1.0 / (2.0 * kPi * cutoff);
    float alpha = static_cast<float>(rc / (rc + 1.0 / rate));
    y = alpha * (y + x - lastX);
    lastX = x;
    return y;
}

float BandPass::Step(float x, float centre, float q, int rate) {
    double limit = 0.49 * rate;
    double g = std::tan(kPi * std::min<double>(centre, limit) / rate);
    double k = 1.0 / q;
    double a1 = 1.0 / (1.0 + g * (g + k));
    double a2 = g * a1;
    double a3 = g * a2;
    double v3 = x - s2;
    double v1 = a1 * s1 + a2 * v3;
    double v2 = s2 + a2 * s1 + a3 * v3;
    s1 = static_cast<float>(2 * v1 - s1);
    s2 = static_cast<float>(2 * v2 - s2);
    return static_cast<float>(k * v1);
}

float AttackDecay(double t, double attack, double decay) {
    if (t < 0) return 0;
    if (t < attack) return static_cast<float>(t / attack);
    return static_cast<float>(std::exp(-(t - attack) / decay));
}

void FadeEdges(Samples& samples, int rate, double seconds) {
    size_t n = static_cast<size_t>(seconds * rate);
    n = std::min(n, samples.size() / 2);
    for (size_t i = 0; i < n; ++i) {
        float g = static_cast<float>(0.5 - 0.5 * std::cos(kPi * (i + 0.5) / n));
        samples[i] *= g;
        samples[samples.size() - 1 - i] *= g;
    }
}

void AddPartial(Samples& out, int rate, double start, double frequency, double amplitude,
                double decay, double attack) {
    if (frequency >= 0.45 * rate) return;
    size_t first, last;
    SpanOf(out, rate, start, 1e9, &first, &last);
    for (size_t i = first; i < last; ++i) {
        double t = i / static_cast<double>(rate) - start;
        double env = AttackDecay(t, attack, decay);
        if (t > attack && env < 1e-4) break;
        out[i] += static_cast<float>(amplitude * env * std::sin(2 * kPi * frequency * t));
    }
}

void AddBell(Samples& out, int rate, double start, double frequency, double amplitude,
             double decay, const std::vector<double>& ratios) {
    for (size_t i = 0; i < ratios.size(); ++i) {
        double a = amplitude / (1.0 + 0.7 * i);
        double d = decay / (1.0 + 0.8 * i);
        AddPartial(out, rate, start, frequency * ratios[i], a, d, 0.0008);
    }
}

void AddBrass(Samples& out, int rate, double start, double length, double frequency,
              double amplitude) {
    const double attack = 0.035, release = 0.07;
    size_t first, last;
    SpanOf(out, rate, start, length + release, &first, &last);
    int harmonics = std::min(14, static_cast<int>(0.45 * rate / frequency));
    double phase = 0;
    for (size_t i = first; i < last; ++i) {
        double t = i / static_cast<double>(rate) - start;
        double env;
        if (t < attack) env = 1.15 * t / attack;                       // a slight blare
        else if (t < attack + 0.05) env = 1.15 - 0.3 * (t - attack) / 0.05;
        else env = 0.85;
        if (t > length) env *= std::max(0.0, 1.0 - (t - length) / release);
        double vibrato = t > 0.12 ? 0.004 * std::sin(2 * kPi * 5.5 * t) : 0.0;
        phase += 2 * kPi * frequency * (1.0 + vibrato) / rate;
        double brightness = 0.3 + 0.45 * std::min(1.0, env);
        double sum = 0, weight = 1;
        for (int n = 1; n <= harmonics; ++n) {
            sum += weight / n * std::sin(n * phase);
            weight *= brightness;
        }
        out[i] += static_cast<float>(amplitude * env * sum);
    }
}

void AddNoiseBurst(Samples& out, int rate, Noise& noise, double start, double length,
                   double centre, double q, double amplitude, double attack, double decay) {
    size_t first, last;
    SpanOf(out, rate, start, length, &first, &last);
    BandPass filter;
    for (size_t i = first; i < last; ++i) {
        double t = i / static_cast<double>(rate) - start;
        float x = filter.Step(noise.Next(), static_cast<float>(centre), static_cast<float>(q), rate);
        out[i] += static_cast<float>(amplitude * AttackDecay(t, attack, decay)) * x;
    }
}

void AddThump(Samples& out, int rate, double start, double fromHz, double toHz,
              double amplitude, double decay) {
    size_t first, last;
    SpanOf(out, rate, start, 1e9, &first, &last);
    double phase = 0;
    for (size_t i = first; i < last; ++i) {
        double t = i / static_cast<double>(rate) - start;
        double env = AttackDecay(t, 0.0015, decay);
        if (t > 0.0015 && env < 1e-4) break;
        double f = toHz + (fromHz - toHz) * std::exp(-t / 0.025);
        phase += 2 * kPi * f / rate;
        out[i] += static_cast<float>(amplitude * env * std::sin(phase));
    }
}

double NoteHz(int semitonesFromA4) {
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

}  // namespace wave
