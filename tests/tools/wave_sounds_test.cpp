// The eight finished sound effects: names, rates, lengths, levels.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tools/wavegen/sounds.h"

namespace {

TEST(GameSounds, EightSoundsWithTheirRatesAndLengths) {
    const std::map<std::string, std::pair<int, int>> expected = {
        {"DEAL", {11025, 221}},      {"CARDDROP", {22050, 2867}}, {"HOLDCARD", {11025, 992}},
        {"NOHOLD", {11025, 551}},    {"COINDROP", {22050, 8159}}, {"PAYOUT", {22050, 12348}},
        {"BANK", {11025, 12348}},    {"BIGJACKPOT", {22000, 45980}},
    };
    ASSERT_EQ(wave::GameSounds().size(), expected.size());
    for (const wave::SoundSpec& spec : wave::GameSounds()) {
        auto it = expected.find(spec.name);
        ASSERT_NE(it, expected.end()) << spec.name;
        EXPECT_EQ(spec.rate, it->second.first) << spec.name;
        EXPECT_EQ(wave::RenderSound(spec).size(), static_cast<size_t>(it->second.second)) << spec.name;
    }
}

TEST(GameSounds, LoudButNeverClippingAndSilentAtBothEnds) {
    for (const wave::SoundSpec& spec : wave::GameSounds()) {
        wave::Samples s = wave::RenderSound(spec);
        EXPECT_NEAR(wave::Peak(s), wave::kSoundPeak, 1e-4) << spec.name;
        std::vector<uint8_t> file = wave::EncodeWave8(s, spec.rate);
        int low = 255, high = 0;
        for (size_t i = 44; i < 44 + s.size(); ++i) {
            low = std::min<int>(low, file[i]);
            high = std::max<int>(high, file[i]);
        }
        EXPECT_GT(low, 5) << spec.name;
        EXPECT_LT(high, 250) << spec.name;
        EXPECT_NEAR(file[44], 128, 1) << spec.name << " starts with a click";
        EXPECT_NEAR(file[44 + s.size() - 1], 128, 1) << spec.name << " ends with a click";
    }
}

TEST(GameSounds, RenderingIsDeterministic) {
    for (const wave::SoundSpec& spec : wave::GameSounds()) {
        EXPECT_EQ(wave::EncodeWave8(wave::RenderSound(spec), spec.rate),
                  wave::EncodeWave8(wave::RenderSound(spec), spec.rate))
            << spec.name;
    }
}

}  // namespace
