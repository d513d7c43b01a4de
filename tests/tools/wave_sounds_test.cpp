// The eight finished sound effects: names, rates, lengths, levels.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tools/generators/wavegen/sounds.h"

namespace {

TEST(GameSounds, EightSoundsWithTheirRatesAndLengths) {
    const std::map<std::string, std::pair<int, int>> expected = {
        {"DEAL", {11025, 221}},      {"CARDDROP", {22050, 2867}}, {"HOLDCARD", {11025, 992}},
        {"NOHOLD", {11025, 551}},    {"COINDROP", {22050, 8159}}, {"PAYOUT", {22050, 12348}},
        {"BANK", {11025, 12348}},    {"BIGJACKPOT", {22000, 45980}},
    };
    ASSERT_EQ(wave::GameSounds().size(), expected.size());
    for (const wave::SoundRecipe& sound : wave::GameSounds()) {
        auto it = expected.find(sound.name);
        ASSERT_NE(it, expected.end()) << sound.name;
        EXPECT_EQ(sound.rate, it->second.first) << sound.name;
        EXPECT_EQ(wave::RenderSound(sound).size(), static_cast<size_t>(it->second.second)) << sound.name;
    }
}

TEST(GameSounds, LoudButNeverClippingAndSilentAtBothEnds) {
    for (const wave::SoundRecipe& sound : wave::GameSounds()) {
        wave::Samples s = wave::RenderSound(sound);
        EXPECT_NEAR(wave::Peak(s), wave::kSoundPeak, 1e-4) << sound.name;
        std::vector<uint8_t> file = wave::EncodeWave8(s, sound.rate);
        int low = 255, high = 0;
        for (size_t i = 44; i < 44 + s.size(); ++i) {
            low = std::min<int>(low, file[i]);
            high = std::max<int>(high, file[i]);
        }
        EXPECT_GT(low, 5) << sound.name;
        EXPECT_LT(high, 250) << sound.name;
        EXPECT_NEAR(file[44], 128, 1) << sound.name << " starts with a click";
        EXPECT_NEAR(file[44 + s.size() - 1], 128, 1) << sound.name << " ends with a click";
    }
}

TEST(GameSounds, RenderingIsDeterministic) {
    for (const wave::SoundRecipe& sound : wave::GameSounds()) {
        EXPECT_EQ(wave::EncodeWave8(wave::RenderSound(sound), sound.rate),
                  wave::EncodeWave8(wave::RenderSound(sound), sound.rate))
            << sound.name;
    }
}

}  // namespace
