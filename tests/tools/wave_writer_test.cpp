// The RIFF/WAVE writer and the small building blocks the sounds are made of.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "tools/generators/wavegen/wave.h"

namespace {

uint32_t U32At(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t U16At(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}
std::string TagAt(const std::vector<uint8_t>& b, size_t at) {
    return std::string(b.begin() + at, b.begin() + at + 4);
}

TEST(WaveWriter, HeaderDescribesEightBitMonoPcm) {
    wave::Samples samples(100, 0.0f);
    std::vector<uint8_t> file = wave::EncodeWave8(samples, 22050);
    ASSERT_EQ(file.size(), 144u);
    EXPECT_EQ(TagAt(file, 0), "RIFF");
    EXPECT_EQ(U32At(file, 4), file.size() - 8);
    EXPECT_EQ(TagAt(file, 8), "WAVE");
    EXPECT_EQ(TagAt(file, 12), "fmt ");
    EXPECT_EQ(U32At(file, 16), 16u);
    EXPECT_EQ(U16At(file, 20), 1);          // PCM
    EXPECT_EQ(U16At(file, 22), 1);          // mono
    EXPECT_EQ(U32At(file, 24), 22050u);
    EXPECT_EQ(U32At(file, 28), 22050u);     // one byte per sample
    EXPECT_EQ(U16At(file, 32), 1);
    EXPECT_EQ(U16At(file, 34), 8);
    EXPECT_EQ(TagAt(file, 36), "data");
    EXPECT_EQ(U32At(file, 40), 100u);
    for (size_t i = 44; i < file.size(); ++i) ASSERT_EQ(file[i], 128) << "silence is 128 at " << i;
}

TEST(WaveWriter, OddLengthGetsPadByteCountedByRiffNotByData) {
    for (size_t n : {0u, 1u, 221u, 2867u}) {
        std::vector<uint8_t> file = wave::EncodeWave8(wave::Samples(n, 0.5f), 11025);
        size_t pad = n & 1;
        ASSERT_EQ(file.size(), 44 + n + pad) << n;
        EXPECT_EQ(U32At(file, 40), n);
        EXPECT_EQ(U32At(file, 4), 36 + n + pad);
        if (pad) {
            EXPECT_EQ(file.back(), 0);
        }
        if (n) {
            EXPECT_EQ(file[44 + n - 1], wave::ToPcm8(0.5f));
        }
    }
}

TEST(WaveWriter, SampleMappingIsCentredAndNeverWraps) {
    EXPECT_EQ(wave::ToPcm8(0.0f), 128);
    EXPECT_EQ(wave::ToPcm8(1.0f), 255);
    EXPECT_EQ(wave::ToPcm8(-1.0f), 1);
    EXPECT_EQ(wave::ToPcm8(0.5f), 192);     // 128 + 63.5 rounds up
    EXPECT_EQ(wave::ToPcm8(-0.5f), 64);
    // Out-of-range input is held at the ends instead of wrapping around.
    EXPECT_EQ(wave::ToPcm8(3.0f), 255);
    EXPECT_EQ(wave::ToPcm8(-3.0f), 1);
    EXPECT_EQ(wave::ToPcm8(std::nanf("")), 1);
    // Monotonic over the whole range.
    int last = 0;
    for (int i = -1000; i <= 1000; ++i) {
        int v = wave::ToPcm8(i / 1000.0f);
        ASSERT_GE(v, last);
        last = v;
    }
}

TEST(WaveWriter, SampleCountRoundsToNearest) {
    EXPECT_EQ(wave::SampleCount(11025, 0.02), 221);     // 220.5
    EXPECT_EQ(wave::SampleCount(22000, 2.09), 45980);
    EXPECT_EQ(wave::SampleCount(11025, 1.12), 12348);
    EXPECT_EQ(wave::SampleCount(22050, 0.0), 0);
}

TEST(WaveWriter, WritesOnlyWhenBytesChange) {
    char dir[] = "/tmp/wave_writer_testXXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    std::string path = std::string(dir) + "/T.wav";
    std::vector<uint8_t> first = wave::EncodeWave8(wave::Samples(11, 0.25f), 11025);
    ASSERT_TRUE(wave::WriteFileIfChanged(path, first));

    // Age the file, then write the same bytes: the time stamp must stay.
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    struct timespec old[2] = {{before.st_atime - 100, 0}, {before.st_mtime - 100, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), old, 0), 0);
    ASSERT_TRUE(wave::WriteFileIfChanged(path, first));
    struct stat same {};
    ASSERT_EQ(stat(path.c_str(), &same), 0);
    EXPECT_EQ(same.st_mtime, before.st_mtime - 100);

    // Different bytes (also a shorter file) replace the contents.
    std::vector<uint8_t> second = wave::EncodeWave8(wave::Samples(3, -0.25f), 11025);
    ASSERT_TRUE(wave::WriteFileIfChanged(path, second));
    FILE* in = std::fopen(path.c_str(), "rb");
    ASSERT_NE(in, nullptr);
    std::vector<uint8_t> back(200);
    back.resize(std::fread(back.data(), 1, back.size(), in));
    std::fclose(in);
    EXPECT_EQ(back, second);

    EXPECT_FALSE(wave::WriteFileIfChanged(std::string(dir) + "/missing/T.wav", first));
    std::remove(path.c_str());
    rmdir(dir);
}

TEST(WaveBlocks, NormaliseSetsThePeakAndLeavesSilenceAlone) {
    wave::Samples s = {0.1f, -0.4f, 0.2f};
    wave::Normalise(s, 0.9f);
    EXPECT_FLOAT_EQ(wave::Peak(s), 0.9f);
    EXPECT_FLOAT_EQ(s[0], 0.225f);
    wave::Samples quiet(5, 0.0f);
    wave::Normalise(quiet, 0.9f);
    for (float v : quiet) EXPECT_EQ(v, 0.0f);
}

TEST(WaveBlocks, NoiseIsSeededAndSpansTheRange) {
    wave::Noise a(42), b(42), c(43);
    bool differs = false;
    float low = 0, high = 0;
    double sum = 0;
    for (int i = 0; i < 20000; ++i) {
        float x = a.Next();
        ASSERT_EQ(x, b.Next());
        differs |= x != c.Next();
        ASSERT_GE(x, -1.0f);
        ASSERT_LE(x, 1.0f);
        low = std::min(low, x);
        high = std::max(high, x);
        sum += x;
    }
    EXPECT_TRUE(differs);
    EXPECT_LT(low, -0.99f);
    EXPECT_GT(high, 0.99f);
    EXPECT_NEAR(sum / 20000, 0.0, 0.02);
    wave::Noise zero(0);    // a zero seed would stick at zero for ever
    EXPECT_NE(zero.Next(), 0.0f);
}

// Amplitude of a filter's steady-state answer to a sine of `hz`.
template <typename Filter, typename... Args>
double Gain(Filter filter, double hz, int rate, Args... args) {
    double peak = 0;
    for (int i = 0; i < rate; ++i) {
        float x = static_cast<float>(std::sin(2 * 3.14159265358979 * hz * i / rate));
        float y = filter.Step(x, args..., rate);
        if (i > rate / 2) peak = std::max(peak, std::fabs(static_cast<double>(y)));
    }
    return peak;
}

TEST(WaveBlocks, FiltersPassAndStopTheRightBands) {
    const int rate = 22050;
    EXPECT_GT(Gain(wave::LowPass{}, 100, rate, 1000.0f), 0.9);
    EXPECT_LT(Gain(wave::LowPass{}, 8000, rate, 500.0f), 0.15);
    EXPECT_GT(Gain(wave::HighPass{}, 8000, rate, 500.0f), 0.9);
    EXPECT_LT(Gain(wave::HighPass{}, 50, rate, 2000.0f), 0.1);
    EXPECT_NEAR(Gain(wave::BandPass{}, 2000, rate, 2000.0f, 2.0f), 1.0, 0.05);
    EXPECT_LT(Gain(wave::BandPass{}, 200, rate, 2000.0f, 2.0f), 0.1);
    EXPECT_LT(Gain(wave::BandPass{}, 10000, rate, 2000.0f, 2.0f), 0.2);
    // A centre above Nyquist stays stable instead of blowing up.
    EXPECT_LT(Gain(wave::BandPass{}, 5000, 11025, 20000.0f, 4.0f), 1.5);
}

TEST(WaveBlocks, EnvelopesAndTonesStartAndStopWhereAsked) {
    EXPECT_EQ(wave::AttackDecay(-0.1, 0.01, 0.1), 0.0f);
    EXPECT_FLOAT_EQ(wave::AttackDecay(0.005, 0.01, 0.1), 0.5f);
    EXPECT_FLOAT_EQ(wave::AttackDecay(0.01, 0.01, 0.1), 1.0f);
    EXPECT_NEAR(wave::AttackDecay(0.11, 0.01, 0.1), std::exp(-1.0), 1e-6);

    const int rate = 11025;
    wave::Samples s(rate / 2, 0.0f);
    wave::AddPartial(s, rate, 0.1, 1000, 0.5, 0.05);
    for (int i = 0; i < rate / 10; ++i) ASSERT_EQ(s[i], 0.0f) << "before the start, sample " << i;
    EXPECT_GT(wave::Peak(s), 0.4f);
    EXPECT_LE(wave::Peak(s), 0.5f);
    // A partial above the Nyquist limit would alias: it is left out.
    wave::Samples high(rate / 4, 0.0f);
    wave::AddPartial(high, rate, 0.0, 6000, 0.5, 0.05);
    EXPECT_EQ(wave::Peak(high), 0.0f);
    // Writing past the end of the buffer is cut off, not an overrun.
    wave::Samples tail(100, 0.0f);
    wave::AddBrass(tail, rate, 0.005, 1.0, 440, 0.5);
    wave::AddThump(tail, rate, 0.0, 200, 100, 0.5, 1.0);
    EXPECT_EQ(tail.size(), 100u);

    wave::Samples edges(1000, 1.0f);
    wave::FadeEdges(edges, 1000, 0.1);
    EXPECT_LT(edges.front(), 0.01f);
    EXPECT_LT(edges.back(), 0.01f);
    EXPECT_EQ(edges[500], 1.0f);
    EXPECT_NEAR(wave::NoteHz(12), 880.0, 1e-9);
    EXPECT_NEAR(wave::NoteHz(-9), 261.6256, 1e-3);
}

}  // namespace
