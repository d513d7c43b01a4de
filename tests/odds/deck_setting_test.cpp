#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "odds/deck_setting.h"

namespace {

int DeckOf(const std::string& text) {
    ProfileText profile(text);
    return DeckSizeFromSettings(profile);
}

TEST(DeckSetting, WildCardsOfTheSettingsSectionChoosesTheDeck) {
    EXPECT_EQ(DeckOf("[Settings]\nZoom=1\nWildCards=0\nCardBack=4\n"), 52);
    EXPECT_EQ(DeckOf("[Settings]\nWildCards=1\n"), 53);
    // As the game: no file, no section or no key means the joker is in play.
    EXPECT_EQ(DeckOf(""), 53);
    EXPECT_EQ(DeckOf("[Other]\nWildCards=0\n"), 53);
    EXPECT_EQ(DeckOf("[Settings]\nSound=1\n"), 53);
    // A file the platform wrote: CRLF line ends.
    EXPECT_EQ(DeckOf("[Settings]\r\nZoom=1\r\nWildCards=0\r\n"), 52);
}

TEST(DeckSetting, ReadLikeThePrivateProfileFunctions) {
    EXPECT_EQ(DeckOf("[settings]\n  wildcards = 0 \n"), 52);
    EXPECT_EQ(DeckOf("[ SETTINGS ]\nWILDCARDS=0\n"), 52);
    EXPECT_EQ(DeckOf("[Settings]\nWildCards=0\nWildCards=1\n"), 52);    // the first wins
    EXPECT_EQ(DeckOf("[Settings]\n;WildCards=0\n"), 53);
    EXPECT_EQ(DeckOf("[Settings]\nWildCards=0abc\n"), 52);     // leading number
    EXPECT_EQ(DeckOf("[Settings]\nWildCards=abc\n"), 52);      // no number: 0
    EXPECT_EQ(DeckOf("[Settings]\nWildCards=\n"), 53);         // empty: the default
    EXPECT_EQ(DeckOf("[Settings]\nWildCards=7\n"), 53);        // any nonzero value
    EXPECT_EQ(DeckOf("[Settings]\nWildCards=-1\n"), 53);
    EXPECT_EQ(DeckOf("[Settings]\nWildCards=1\n[Other]\nWildCards=0\n"), 53);
}

// Numbers as the game read them under Wine: a base prefix, and the low 32
// bits of what does not fit.
TEST(DeckSetting, NumbersReadAsTheGameReadsThem) {
    ProfileText profile(
        "[Settings]\na=0x1F\nb=0o17\nc=-0b101\nd=0X1F\ne=4294967296\nf=4294967297\n"
        "g=99999999999999999999\nh=-2147483649\ni=0x7fffffff1\nj=+-5\nk=- 5\nl=0x\n");
    const int32_t expected[] = {31, 15, -5, 0, 0, 1, 1661992959, 2147483647, -15, 0, 0, 0};
    const char* keys[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(profile.ReadInt(keys[i], 77), expected[i]) << keys[i];
    EXPECT_EQ(DeckOf("[Settings]\nWildCards=0x1\n"), 53);
    EXPECT_EQ(DeckOf("[Settings]\nWildCards=18446744073709551616\n"), 52);
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quorvel-odds-settings-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        std::remove((dir + "/quorvel.ini").c_str());
        rmdir(dir.c_str());
    }
    void Write(const std::string& text) {
        std::FILE* file = std::fopen((dir + "/quorvel.ini").c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs(text.c_str(), file);
        std::fclose(file);
    }
    std::string dir;
};

TEST_F(SettingsFileTest, ReadsTheFileAndSaysWhereTheChoiceCameFrom) {
    Write("[Settings]\nWildCards=0\n");
    int deckSize = 0;
    std::string source, error;
    ASSERT_TRUE(DeckSizeFromSettingsFile(dir + "/quorvel.ini", true, deckSize, source, error));
    EXPECT_EQ(deckSize, 52);
    EXPECT_EQ(source, "WildCards=0 in " + dir + "/quorvel.ini");
}

TEST_F(SettingsFileTest, AMissingFileIsTheGamesDefaultUnlessItWasNamed) {
    const std::string path = dir + "/quorvel.ini";
    int deckSize = 0;
    std::string source, error;
    ASSERT_TRUE(DeckSizeFromSettingsFile(path, false, deckSize, source, error));
    EXPECT_EQ(deckSize, 53);
    EXPECT_NE(source.find("default"), std::string::npos) << source;
    EXPECT_FALSE(DeckSizeFromSettingsFile(path, true, deckSize, source, error));
    EXPECT_EQ(error, "there is no settings file " + path);
}

TEST_F(SettingsFileTest, AFileThatCannotBeReadIsAnError) {
    int deckSize = 0;
    std::string source, error;
    EXPECT_FALSE(DeckSizeFromSettingsFile(dir, false, deckSize, source, error));
    EXPECT_EQ(error, "cannot read the settings file " + dir);
}

TEST(DeckSetting, TheFileBesideThisProgram) {
    std::string path = SettingsFileBesideProgram();
    const std::string name = "/quorvel.ini";
    ASSERT_GT(path.size(), name.size());
    EXPECT_EQ(path.substr(path.size() - name.size()), name);
    // This test program's own directory.
    std::string dir = path.substr(0, path.size() - name.size());
    EXPECT_EQ(access((dir + "/odds_tests").c_str(), F_OK) == 0 ||
                  access((dir + "/odds_tests_asan").c_str(), F_OK) == 0,
              true)
        << path;
}

}  // namespace
