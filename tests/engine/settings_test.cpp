#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "engine/round.h"
#include "settings/profile_text.h"
#include "settings/settings.h"

namespace {

using Lines = std::vector<std::pair<std::string, std::string>>;

// An in-memory "Settings" section that reads integers the way the
// private-profile functions do: the leading decimal number, else 0.
class FakeProfile final : public ProfileStore {
public:
    Lines lines;
    std::vector<std::string> reads;
    Lines writes;       // every write, in order, even of an unchanged value

    int32_t ReadInt(const char* key, int32_t defaultValue) override {
        reads.push_back(key);
        for (const auto& line : lines) {
            if (line.first == key) return static_cast<int32_t>(std::strtol(line.second.c_str(), nullptr, 10));
        }
        return defaultValue;
    }
    void WriteString(const char* key, const char* value) override {
        writes.emplace_back(key, value);
        for (auto& line : lines) {
            if (line.first == key) {
                line.second = value;
                return;
            }
        }
        lines.emplace_back(key, value);
    }
    std::string Value(const std::string& key) const {
        for (const auto& line : lines) {
            if (line.first == key) return line.second;
        }
        return "(missing)";
    }
};

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override { ResetProgramState(); }
    FakeProfile file;
};

const Lines kDefaultFile = {
    {"Zoom", "1"}, {"Sound", "0"}, {"WildCards", "1"}, {"CardBack", "4"},
    {"BackColorR", "0"}, {"BackColorG", "0"}, {"BackColorB", "255"}, {"Jacks", "1"},
    {"ConfirmExit", "1"}, {"JacksOrBetter", "1"}, {"FastDeal", "0"}};

TEST_F(SettingsTest, MissingFileGivesDefaultsAndFirstSaveWritesElevenKeysInOrder) {
    gSettings = GameSettings{};
    LoadSettingsFrom(file);
    EXPECT_EQ(file.reads, (std::vector<std::string>{"ZoomSteps", "Zoom", "BackColorR", "BackColorG",
                                                   "BackColorB", "Sound", "WildCards", "CardBack",
                                                   "ConfirmExit", "JacksOrBetter", "FastDeal"}));
    EXPECT_EQ(gSettings.ZoomSteps, 18);
    EXPECT_EQ(gSettings.Zoom, 1);
    EXPECT_EQ(gSettings.BackColor, 0x00FF0000u);
    EXPECT_EQ(gSettings.Sound, 0);
    EXPECT_EQ(gSettings.WildCards, 1);
    EXPECT_EQ(gSettings.CardBack, 4);
    EXPECT_EQ(gSettings.JacksOrBetter, 1);
    EXPECT_EQ(gSettings.ConfirmExit, 1);
    EXPECT_EQ(gSettings.FastDeal, 0);
    SaveSettingsTo(file);
    EXPECT_EQ(file.lines, kDefaultFile);

    // ResetSettings is the same as loading from nothing.
    GameSettings loaded = gSettings;
    gSettings = GameSettings{};
    ResetSettings();
    FakeProfile again;
    SaveSettingsTo(again);
    EXPECT_EQ(again.lines, kDefaultFile);
    EXPECT_EQ(gSettings.BackColor, loaded.BackColor);
}

// Every field away from its default, saved, loaded back: nothing is lost or
// moved to another key, and the file holds exactly these lines in this order.
TEST_F(SettingsTest, RoundTripOfEveryFieldWritesTheExactLines) {
    gSettings.ZoomSteps = 7;
    gSettings.Zoom = 0;
    gSettings.BackColor = 0x00336699;   // red 0x99, green 0x66, blue 0x33
    gSettings.Sound = 1;
    gSettings.WildCards = 0;
    gSettings.CardBack = 16;
    gSettings.JacksOrBetter = 0;
    gSettings.ConfirmExit = 0;
    gSettings.FastDeal = 1;
    const GameSettings saved = gSettings;
    SaveSettingsTo(file);
    EXPECT_EQ(file.lines, (Lines{{"Zoom", "0"}, {"Sound", "1"}, {"WildCards", "0"}, {"CardBack", "16"},
                                 {"BackColorR", "153"}, {"BackColorG", "102"}, {"BackColorB", "51"},
                                 {"Jacks", "0"}, {"ConfirmExit", "0"}, {"JacksOrBetter", "0"},
                                 {"FastDeal", "1"}}));

    ResetSettings();
    file.lines.emplace_back("ZoomSteps", "7");
    LoadSettingsFrom(file);
    EXPECT_EQ(gSettings.ZoomSteps, saved.ZoomSteps);
    EXPECT_EQ(gSettings.Zoom, saved.Zoom);
    EXPECT_EQ(gSettings.BackColor, saved.BackColor);
    EXPECT_EQ(gSettings.Sound, saved.Sound);
    EXPECT_EQ(gSettings.WildCards, saved.WildCards);
    EXPECT_EQ(gSettings.CardBack, saved.CardBack);
    EXPECT_EQ(gSettings.JacksOrBetter, saved.JacksOrBetter);
    EXPECT_EQ(gSettings.ConfirmExit, saved.ConfirmExit);
    EXPECT_EQ(gSettings.FastDeal, saved.FastDeal);
}

// A save with nothing changed still writes all eleven keys, in the same
// order, over a file that already holds them.
TEST_F(SettingsTest, EverySaveWritesEveryKey) {
    SaveSettingsTo(file);
    file.writes.clear();
    SaveSettingsTo(file);
    EXPECT_EQ(file.writes, kDefaultFile);
    EXPECT_EQ(file.lines, kDefaultFile);
}

TEST_F(SettingsTest, CardBackIsLimitedToTheSixteenDesigns) {
    const std::pair<const char*, int32_t> cases[] = {
        {"0", 1}, {"-7", 1}, {"1", 1}, {"9", 9}, {"16", 16}, {"17", 16}, {"40", 16}, {"x", 1}};
    for (const auto& c : cases) {
        file.lines = {{"CardBack", c.first}};
        LoadSettingsFrom(file);
        EXPECT_EQ(gSettings.CardBack, c.second) << c.first;
    }
}

TEST_F(SettingsTest, ColourComponentsKeepTheirLowEightBits) {
    file.lines = {{"BackColorR", "300"}, {"BackColorG", "2"}, {"BackColorB", "259"}};
    LoadSettingsFrom(file);
    EXPECT_EQ(gSettings.BackColor, 44u + 2u * 256u + 3u * 65536u);
    SaveSettingsTo(file);
    EXPECT_EQ(file.Value("BackColorR"), "44");
    EXPECT_EQ(file.Value("BackColorG"), "2");
    EXPECT_EQ(file.Value("BackColorB"), "3");
    gSettings.BackColor = 0x00C08040;
    SaveSettingsTo(file);
    EXPECT_EQ(file.Value("BackColorR"), "64");
    EXPECT_EQ(file.Value("BackColorG"), "128");
    EXPECT_EQ(file.Value("BackColorB"), "192");
}

TEST_F(SettingsTest, OnlyJacksOrBetterDecidesAndBothKeysAreWritten) {
    file.lines = {{"Jacks", "0"}};
    LoadSettingsFrom(file);
    EXPECT_EQ(gSettings.JacksOrBetter, 1);
    SaveSettingsTo(file);
    EXPECT_EQ(file.Value("Jacks"), "1");
    EXPECT_EQ(file.Value("JacksOrBetter"), "1");

    file.lines = {{"Jacks", "1"}, {"JacksOrBetter", "0"}};
    LoadSettingsFrom(file);
    EXPECT_EQ(gSettings.JacksOrBetter, 0);
}

TEST_F(SettingsTest, HandAddedZoomStepsIsReadButNeverWritten) {
    file.lines = {{"ZoomSteps", "6"}};
    LoadSettingsFrom(file);
    EXPECT_EQ(gSettings.ZoomSteps, 6);
    gSettings.ZoomSteps = 30;
    SaveSettingsTo(file);
    EXPECT_EQ(file.Value("ZoomSteps"), "6");
    EXPECT_EQ(file.lines.size(), 12u);

    FakeProfile fresh;
    SaveSettingsTo(fresh);
    EXPECT_EQ(fresh.Value("ZoomSteps"), "(missing)");
}

TEST_F(SettingsTest, SwitchesAreTakenAsReadAndWrittenBackAsDecimals) {
    file.lines = {{"Sound", "7"}, {"FastDeal", "-1"}, {"Zoom", "0"}};
    LoadSettingsFrom(file);
    EXPECT_EQ(gSettings.Sound, 7);
    EXPECT_EQ(gSettings.FastDeal, -1);
    EXPECT_EQ(gSettings.Zoom, 0);
    SaveSettingsTo(file);
    EXPECT_EQ(file.Value("Sound"), "7");
    EXPECT_EQ(file.Value("FastDeal"), "-1");
    EXPECT_EQ(file.Value("Zoom"), "0");
}

TEST_F(SettingsTest, ZoomStepsInUseStaysWithinItsBounds) {
    const std::pair<int32_t, int32_t> cases[] = {
        {-5, kMinZoomSteps}, {0, kMinZoomSteps}, {1, kMinZoomSteps}, {2, 2}, {6, 6}, {18, 18},
        {kMaxZoomSteps, kMaxZoomSteps}, {kMaxZoomSteps + 1, kMaxZoomSteps}, {2000000000, kMaxZoomSteps}};
    for (const auto& c : cases) {
        gSettings.ZoomSteps = c.first;
        EXPECT_EQ(ZoomStepsInUse(), c.second) << c.first;
        EXPECT_EQ(gSettings.ZoomSteps, c.first) << "the setting itself is kept";
    }
}

// Whatever 32-bit number the file's reading gives, every key follows its
// rule, and a save writes it back so that the next load reads the same.
TEST_F(SettingsTest, ExtremeNumbersFollowTheRulesAndSurviveASave) {
    const char* const keys[] = {"ZoomSteps", "Zoom", "BackColorR", "BackColorG", "BackColorB", "Sound",
                                "WildCards", "CardBack", "ConfirmExit", "JacksOrBetter", "FastDeal"};
    for (int32_t value : {INT32_MIN, -1, 0, 256, INT32_MAX}) {
        file.lines.clear();
        for (const char* key : keys) file.lines.emplace_back(key, std::to_string(value));
        LoadSettingsFrom(file);
        const uint32_t low = static_cast<uint32_t>(value) & 0xFF;
        EXPECT_EQ(gSettings.ZoomSteps, value);
        EXPECT_EQ(gSettings.BackColor, low + low * 256 + low * 65536) << value;
        EXPECT_EQ(gSettings.CardBack, value < 1 ? 1 : 16) << value;
        for (int32_t field : {gSettings.Zoom, gSettings.Sound, gSettings.WildCards, gSettings.ConfirmExit,
                              gSettings.JacksOrBetter, gSettings.FastDeal})
            EXPECT_EQ(field, value);
        EXPECT_GE(ZoomStepsInUse(), kMinZoomSteps);
        EXPECT_LE(ZoomStepsInUse(), kMaxZoomSteps);

        const GameSettings loaded = gSettings;
        FakeProfile saved;
        SaveSettingsTo(saved);
        saved.lines.emplace_back("ZoomSteps", std::to_string(value));
        ResetSettings();
        LoadSettingsFrom(saved);
        EXPECT_EQ(std::memcmp(&gSettings, &loaded, sizeof loaded), 0) << value;
    }
}

// WildCards as read from the text of a settings file: the joker in play.
bool JokerIn(const std::string& text) {
    ProfileText profile(text);
    LoadSettingsFrom(profile);
    return gSettings.WildCards != 0;
}

TEST_F(SettingsTest, ProfileTextFindsWildCardsInTheSettingsSection) {
    EXPECT_FALSE(JokerIn("[Settings]\nZoom=1\nWildCards=0\nCardBack=4\n"));
    EXPECT_TRUE(JokerIn("[Settings]\nWildCards=1\n"));
    // As the game: no file, no section or no key means the joker is in play.
    EXPECT_TRUE(JokerIn(""));
    EXPECT_TRUE(JokerIn("[Other]\nWildCards=0\n"));
    EXPECT_TRUE(JokerIn("[Settings]\nSound=1\n"));
    // A file the platform wrote: CRLF line ends.
    EXPECT_FALSE(JokerIn("[Settings]\r\nZoom=1\r\nWildCards=0\r\n"));
}

TEST_F(SettingsTest, ProfileTextReadsLikeThePrivateProfileFunctions) {
    EXPECT_FALSE(JokerIn("[settings]\n  wildcards = 0 \n"));
    EXPECT_FALSE(JokerIn("[ SETTINGS ]\nWILDCARDS=0\n"));
    EXPECT_FALSE(JokerIn("[Settings]\nWildCards=0\nWildCards=1\n"));    // the first wins
    EXPECT_TRUE(JokerIn("[Settings]\n;WildCards=0\n"));
    EXPECT_FALSE(JokerIn("[Settings]\nWildCards=0abc\n"));     // leading number
    EXPECT_FALSE(JokerIn("[Settings]\nWildCards=abc\n"));      // no number: 0
    EXPECT_TRUE(JokerIn("[Settings]\nWildCards=\n"));         // empty: the default
    EXPECT_TRUE(JokerIn("[Settings]\nWildCards=7\n"));        // any nonzero value
    EXPECT_TRUE(JokerIn("[Settings]\nWildCards=-1\n"));
    EXPECT_TRUE(JokerIn("[Settings]\nWildCards=1\n[Other]\nWildCards=0\n"));
}

// Numbers as the game reads them under Wine: a base prefix, and the low 32
// bits of what does not fit.
TEST_F(SettingsTest, ProfileTextReadsNumbersAsTheGameReadsThem) {
    ProfileText profile(
        "[Settings]\na=0x1F\nb=0o17\nc=-0b101\nd=0X1F\ne=4294967296\nf=4294967297\n"
        "g=99999999999999999999\nh=-2147483649\ni=0x7fffffff1\nj=+-5\nk=- 5\nl=0x\n");
    const int32_t expected[] = {31, 15, -5, 0, 0, 1, 1661992959, 2147483647, -15, 0, 0, 0};
    const char* keys[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(profile.ReadInt(keys[i], 77), expected[i]) << keys[i];
    EXPECT_TRUE(JokerIn("[Settings]\nWildCards=0x1\n"));
    EXPECT_FALSE(JokerIn("[Settings]\nWildCards=18446744073709551616\n"));
}

// A value's own text, as the page's storage hands it over: blanks only
// around it, and the default only when nothing is left.
TEST_F(SettingsTest, ProfileValueReadsBlanksPrefixesAndWrapping) {
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {
        {"", 77},          {" ", 77},          {" \t\r\n\v\f", 77},   {"12", 12},
        {"\t 12 ", 12},    {"\n-0x10", -16},    {"+7", 7},              {"1 2", 1},
        {"abc", 0},        {"-", 0},           {"0x", 0},              {"0XFF", 0},
        {"0xfF", 255},     {"0o78", 7},        {"0b102", 2},           {"- 5", 0},
        {"4294967295", -1}, {"4294967296", 0}, {"2147483648", INT32_MIN}, {"-2147483648", INT32_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(ProfileValue(c.text, 77), c.value) << '"' << c.text << '"';
}

}  // namespace
