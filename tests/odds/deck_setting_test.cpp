#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

#include "odds/deck_setting.h"
#include "tests/odds/odds_fixture.h"

namespace {

using SettingsFileTest = SettingsDirTest;

TEST_F(SettingsFileTest, ReadsTheFileAndSaysWhereTheChoiceCameFrom) {
    WriteSettings("[Settings]\nWildCards=0\n");
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
