// The settings record against the real private-profile file beside the
// program: what a missing, hand-edited or broken file loads as, exactly what
// a save writes and what it must leave alone, that the game opens and plays
// over a broken file, and that the file is still found when the program
// lives in a directory whose path is long.  The random files come from a
// seed that a failure names: QUORVEL_SEED=<seed> replays them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "tests/win32/harness.h"
#include "tests/win32/table_fixture.h"

namespace {

const char kChildVariable[] = "QUORVEL_SETTINGS_CHILD";

std::string WithoutCarriageReturns(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

// Writes every byte, NULs included.
void WriteFile(const std::string& path, const std::string& text) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

// Writes the file beside the program and loads it as start-up does.
std::string LoadFrom(const std::string& lines) {
    std::string path = FreshSettingsFile();
    WriteFile(path, "[Settings]\r\n" + lines);
    gSettings = GameSettings{};
    LoadSettings();
    return path;
}

const char kDefaultFile[] =
    "[Settings]\n"
    "Zoom=1\n"
    "Sound=0\n"
    "WildCards=1\n"
    "CardBack=4\n"
    "BackColorR=0\n"
    "BackColorG=0\n"
    "BackColorB=255\n"
    "Jacks=1\n"
    "ConfirmExit=1\n"
    "JacksOrBetter=1\n"
    "FastDeal=0\n";

uint32_t TestSeed() {
    const char* text = std::getenv("QUORVEL_SEED");
    if (text && *text) return static_cast<uint32_t>(std::strtoull(text, nullptr, 0));
    return static_cast<uint32_t>(std::time(nullptr)) ^ GetTickCount();
}

std::string RandomBytes(std::mt19937& random, size_t count) {
    std::string bytes(count, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}

// What the platform's integer reading makes of a key's text, before any
// rule of ours.
int32_t RawInt(const std::string& path, const char* key) {
    return static_cast<int32_t>(GetPrivateProfileIntA("Settings", key, 4, path.c_str()));
}

int32_t LimitedBack(int32_t back) { return back < 1 ? 1 : (back > 16 ? 16 : back); }

void ExpectDefaults(const std::string& what, const GameSettings& s = gSettings) {
    EXPECT_EQ(s.ZoomSteps, 18) << what;
    EXPECT_EQ(s.Zoom, 1) << what;
    EXPECT_EQ(s.BackColor, 0x00FF0000u) << what;
    EXPECT_EQ(s.Sound, 0) << what;
    EXPECT_EQ(s.WildCards, 1) << what;
    EXPECT_EQ(s.CardBack, 4) << what;
    EXPECT_EQ(s.JacksOrBetter, 1) << what;
    EXPECT_EQ(s.ConfirmExit, 1) << what;
    EXPECT_EQ(s.FastDeal, 0) << what;
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// In the saved file's first "Settings" section, the first line of each of
// the eleven keys (the one the next start reads) holds the record's value
// as plain decimal text.
void ExpectSavedSection(const std::string& path, const std::string& what) {
    const GameSettings& g = gSettings;
    const std::pair<const char*, long long> keys[] = {
        {"Zoom", g.Zoom}, {"Sound", g.Sound}, {"WildCards", g.WildCards}, {"CardBack", g.CardBack},
        {"BackColorR", g.BackColor & 0xFF}, {"BackColorG", (g.BackColor >> 8) & 0xFF},
        {"BackColorB", (g.BackColor >> 16) & 0xFF}, {"Jacks", g.JacksOrBetter},
        {"ConfirmExit", g.ConfirmExit}, {"JacksOrBetter", g.JacksOrBetter}, {"FastDeal", g.FastDeal}};
    std::vector<std::string> section;
    bool inside = false;
    bool seen = false;
    std::string text = WithoutCarriageReturns(ReadWholeFile(path));
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line[0] == '[') {
            inside = !seen && Lower(line) == "[settings]";
            seen = seen || inside;
            continue;
        }
        if (inside) section.push_back(line);
    }
    ASSERT_TRUE(seen) << what << ": no [Settings] section in\n" << text;
    for (const auto& key : keys) {
        auto line = section.begin();
        while (line != section.end() && Lower(line->substr(0, line->find('='))) != Lower(key.first)) ++line;
        ASSERT_NE(line, section.end()) << what << ": " << key.first << " missing from\n" << text;
        EXPECT_EQ(*line, std::string(key.first) + "=" + std::to_string(key.second)) << what;
    }
}

}  // namespace

TEST(SettingsFile, MissingFileGivesDefaultsAndFirstSaveWritesElevenLinesInOrder) {
    std::string path = FreshSettingsFile();
    gSettings = GameSettings{};
    LoadSettings();
    EXPECT_EQ(gSettings.ZoomSteps, 18);
    EXPECT_EQ(gSettings.Zoom, 1);
    EXPECT_EQ(gSettings.BackColor, 0x00FF0000u);
    EXPECT_EQ(gSettings.Sound, 0);
    EXPECT_EQ(gSettings.WildCards, 1);
    EXPECT_EQ(gSettings.CardBack, 4);
    EXPECT_EQ(gSettings.JacksOrBetter, 1);
    EXPECT_EQ(gSettings.ConfirmExit, 1);
    EXPECT_EQ(gSettings.FastDeal, 0);
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << "loading must not create the file";

    SaveSettings();
    EXPECT_EQ(WithoutCarriageReturns(ReadWholeFile(path)), kDefaultFile);
    // A second save of the same values leaves the same file.
    SaveSettings();
    EXPECT_EQ(WithoutCarriageReturns(ReadWholeFile(path)), kDefaultFile);
}

TEST(SettingsFile, HandEditedValuesAreBoundedOrCutAsTheyLoad) {
    LoadFrom("CardBack=0\r\n");
    EXPECT_EQ(gSettings.CardBack, 1);
    LoadFrom("CardBack=-7\r\n");
    EXPECT_EQ(gSettings.CardBack, 1);
    LoadFrom("CardBack=40\r\n");
    EXPECT_EQ(gSettings.CardBack, 16);
    LoadFrom("CardBack=12abc\r\n");   // the leading number counts
    EXPECT_EQ(gSettings.CardBack, 12);

    std::string path = LoadFrom("BackColorR=300\r\nBackColorG=1\r\nBackColorB=2\r\n");
    EXPECT_EQ(gSettings.BackColor, 44u + 1u * 256u + 2u * 65536u);
    SaveSettings();
    std::string text = WithoutCarriageReturns(ReadWholeFile(path));
    EXPECT_NE(text.find("BackColorR=44\n"), std::string::npos) << text;
    EXPECT_NE(text.find("BackColorG=1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("BackColorB=2\n"), std::string::npos) << text;
}

TEST(SettingsFile, OnlyJacksOrBetterDecidesAndSaveWritesItTwice) {
    std::string path = LoadFrom("Jacks=0\r\n");
    EXPECT_EQ(gSettings.JacksOrBetter, 1);
    SaveSettings();
    std::string text = WithoutCarriageReturns(ReadWholeFile(path));
    EXPECT_NE(text.find("Jacks=1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("JacksOrBetter=1\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("Jacks=0"), std::string::npos) << text;
}

TEST(SettingsFile, HandAddedZoomStepsIsReadAndNeverRewritten) {
    std::string path = LoadFrom("ZoomSteps=6\r\nSound=1\r\n");
    EXPECT_EQ(gSettings.ZoomSteps, 6);
    EXPECT_EQ(ZoomStepsInUse(), 6);
    gSettings.Sound = 0;
    SaveSettings();
    std::string text = WithoutCarriageReturns(ReadWholeFile(path));
    EXPECT_NE(text.find("ZoomSteps=6\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Sound=0\n"), std::string::npos) << text;

    // Values that would break the zoom are kept in the file but not used.
    LoadFrom("ZoomSteps=0\r\n");
    EXPECT_EQ(gSettings.ZoomSteps, 0);
    EXPECT_EQ(ZoomStepsInUse(), kMinZoomSteps);
    LoadFrom("ZoomSteps=2000000000\r\n");
    EXPECT_EQ(ZoomStepsInUse(), kMaxZoomSteps);
}

TEST(SettingsFile, OtherSectionsAndKeysSurviveASave) {
    std::string path = FreshSettingsFile();
    WriteFile(path, "[Player]\r\nName=Ann\r\n[Settings]\r\nMine=5\r\nCardBack=9\r\n");
    LoadSettings();
    EXPECT_EQ(gSettings.CardBack, 9);
    SaveSettings();
    std::string text = WithoutCarriageReturns(ReadWholeFile(path));
    EXPECT_NE(text.find("[Player]\nName=Ann\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Mine=5\n"), std::string::npos) << text;
    EXPECT_NE(text.find("CardBack=9\n"), std::string::npos) << text;
}

// Run only as the child of the long-path test: loads the file beside its own
// copy of this program, reports what it read and saves once.
TEST(SettingsChild, LoadsAndSavesBesideItsOwnProgram) {
    const char* report = std::getenv(kChildVariable);
    if (!report) GTEST_SKIP() << "only run by the long-path test";
    gSettings = GameSettings{};
    LoadSettings();
    gSettings.FastDeal = 1;
    SaveSettings();
    FILE* file = std::fopen(report, "wb");
    ASSERT_NE(file, nullptr);
    std::fprintf(file, "%d", static_cast<int>(gSettings.CardBack));
    std::fclose(file);
}

TEST(SettingsFile, IsFoundBesideAProgramWhosePathIsLong) {
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    ASSERT_GT(n, 0u);
    std::string here(self, n);
    here.erase(here.find_last_of('\\') + 1);

    // Two nested directories make a path well past 80 characters.
    std::string dir = here + "a-directory-with-a-rather-long-name-for-the-settings-test";
    CreateDirectoryA(dir.c_str(), nullptr);
    dir += "\\and-a-second-level-that-makes-it-longer-still";
    CreateDirectoryA(dir.c_str(), nullptr);
    std::string program = dir + "\\settings_copy.exe";
    ASSERT_GT(program.size(), 120u);
    ASSERT_TRUE(CopyFileA(self, program.c_str(), FALSE)) << program;
    std::string ini = dir + "\\quorvel.ini";
    WriteFile(ini, "[Settings]\r\nCardBack=7\r\n");
    std::string report = here + "settings_child_report.txt";
    DeleteFileA(report.c_str());

    SetEnvironmentVariableA(kChildVariable, report.c_str());
    std::string command = "\"" + program + "\" --gtest_filter=SettingsChild.*";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0,
                                  nullptr, dir.c_str(), &startup, &process);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    ASSERT_TRUE(started);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(code, 0u);

    EXPECT_EQ(ReadWholeFile(report), "7");
    std::string text = WithoutCarriageReturns(ReadWholeFile(ini));
    EXPECT_NE(text.find("CardBack=7\n"), std::string::npos) << text;
    EXPECT_NE(text.find("FastDeal=1\n"), std::string::npos) << text;

    DeleteFileA(report.c_str());
    DeleteFileA(ini.c_str());
    DeleteFileA(program.c_str());
}

// Numbers as a hand may write them: the leading sign, spaces around, zeros in
// front, and numbers too big for 32 bits, whose value is whatever the
// platform's reading makes of them; the rules of the record then apply.
TEST(SettingsFile, SignsSpacesLeadingZerosAndOverflowLoadAsTheReadingMakesThem) {
    std::string path = LoadFrom(
        "ZoomSteps=+6\r\nZoom=  0  \r\nBackColorR=-1\r\nBackColorG=000128\r\n"
        "BackColorB=99999999999\r\nSound=+1\r\nWildCards=-0\r\nCardBack=0009\r\n"
        "ConfirmExit=- 1\r\nJacksOrBetter=00\r\nFastDeal=99999999999\r\n");
    EXPECT_EQ(gSettings.ZoomSteps, 6);
    EXPECT_EQ(gSettings.Zoom, 0);
    EXPECT_EQ(gSettings.BackColor & 0xFFFF, 255u + 128u * 256u);
    EXPECT_EQ(gSettings.BackColor >> 16, static_cast<uint32_t>(RawInt(path, "BackColorB")) & 0xFF);
    EXPECT_EQ(gSettings.Sound, 1);
    EXPECT_EQ(gSettings.WildCards, 0);
    EXPECT_EQ(gSettings.CardBack, 9);
    EXPECT_EQ(gSettings.ConfirmExit, 0) << "no digits after the sign";
    EXPECT_EQ(gSettings.JacksOrBetter, 0);
    EXPECT_EQ(gSettings.FastDeal, RawInt(path, "FastDeal"));
    // The save writes plain decimals back.
    SaveSettings();
    ExpectSavedSection(path, "signs and zeros");

    for (const char* big : {"99999999999", "-99999999999", "2147483648", "4294967297"}) {
        path = LoadFrom(std::string("CardBack=") + big + "\r\nZoomSteps=" + big + "\r\n");
        EXPECT_EQ(gSettings.CardBack, LimitedBack(RawInt(path, "CardBack"))) << big;
        EXPECT_EQ(gSettings.ZoomSteps, RawInt(path, "ZoomSteps")) << big;
        EXPECT_GE(ZoomStepsInUse(), kMinZoomSteps) << big;
        EXPECT_LE(ZoomStepsInUse(), kMaxZoomSteps) << big;
    }
}

// Files that hold nothing for us: every value is its default, and a save
// over them (but not over a directory) leaves a section the next start reads.
TEST(SettingsFile, FilesWithoutOurSectionLoadTheDefaults) {
    const uint32_t seed = TestSeed();
    std::mt19937 random(seed);
    std::vector<std::pair<std::string, std::string>> files = {
        {"empty", ""},
        {"no section", "CardBack=9\r\nSound=1\r\n[Other]\r\nWildCards=0\r\n"},
        {"a section of another name", "[Settingsx]\r\nCardBack=9\r\n[ Setting ]\r\nSound=1\r\n"},
    };
    for (int i = 0; i < 8; ++i) {
        files.emplace_back("random bytes " + std::to_string(i) + " of seed " + std::to_string(seed),
                           RandomBytes(random, 1 + random() % 8192));
    }
    for (const auto& file : files) {
        std::string path = FreshSettingsFile();
        WriteFile(path, file.second);
        gSettings = GameSettings{};
        LoadSettings();
        ExpectDefaults(file.first);
        gSettings.CardBack = 11;
        SaveSettings();
        ExpectSavedSection(path, file.first);
    }
    DeleteFileA(FreshSettingsFile().c_str());
}

TEST(SettingsFile, ADirectoryInItsPlaceLoadsTheDefaultsAndSavingFailsSilently) {
    std::string path = FreshSettingsFile();
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    gSettings = GameSettings{};
    LoadSettings();
    ExpectDefaults("directory");
    gSettings.Sound = 1;
    SaveSettings();
    EXPECT_EQ(gSettings.Sound, 1) << "the record keeps what could not be saved";
    DWORD attributes = GetFileAttributesA(path.c_str());
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(RemoveDirectoryA(path.c_str())) << "nothing was written into it";
}

// The profile functions read the first "Settings" section and the first
// line of a key; a save changes those and keeps every other line.
TEST(SettingsFile, FirstSectionAndFirstKeyDecideAndASaveKeepsTheRest) {
    std::string path = LoadFrom(
        "CardBack=9\r\nCardBack=3\r\nSound=1\r\n[Other]\r\nName=Ann\r\n"
        "[Settings]\r\nCardBack=12\r\nFastDeal=1\r\n");
    EXPECT_EQ(gSettings.CardBack, 9);
    EXPECT_EQ(gSettings.Sound, 1);
    EXPECT_EQ(gSettings.FastDeal, 0);
    gSettings.CardBack = 5;
    SaveSettings();
    ExpectSavedSection(path, "duplicates");
    std::string text = WithoutCarriageReturns(ReadWholeFile(path));
    EXPECT_NE(text.find("[Settings]\nCardBack=5\nCardBack=3\nSound=1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[Other]\nName=Ann\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[Settings]\nCardBack=12\nFastDeal=1\n"), std::string::npos) << text;
}

TEST(SettingsFile, LinesOf64KilobytesAreReadPastAndKept) {
    const std::string junk(65536, 'x');
    const std::string digits(65536, '7');
    std::string path = LoadFrom("Junk=" + junk + "\r\n" + junk + "\r\nCardBack=" + digits +
                                "\r\nSound=1\r\n[Other]\r\nLong=" + junk + "\r\n");
    EXPECT_EQ(gSettings.Sound, 1) << "the key after the long lines is found";
    EXPECT_EQ(gSettings.CardBack, LimitedBack(RawInt(path, "CardBack")));
    SaveSettings();
    ExpectSavedSection(path, "long lines");
    std::string text = WithoutCarriageReturns(ReadWholeFile(path));
    EXPECT_NE(text.find("[Other]\nLong=" + junk + "\n"), std::string::npos);
    EXPECT_NE(text.find("Junk=" + junk + "\n"), std::string::npos);
}

// A file the player made read-only stays as it is, byte for byte, even
// where the platform would let the program write it.
TEST(SettingsFile, ReadOnlyFileIsLeftAsItIs) {
    std::string path = FreshSettingsFile();
    const std::string original = "[Settings]\r\nCardBack=9\r\nSound=0\r\n[Other]\r\nName=Ann\r\n";
    WriteFile(path, original);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    gSettings = GameSettings{};
    LoadSettings();
    EXPECT_EQ(gSettings.CardBack, 9);
    gSettings.Sound = 1;
    gSettings.CardBack = 2;
    SaveSettings();
    EXPECT_EQ(ReadWholeFile(path), original);
    EXPECT_EQ(gSettings.Sound, 1);
    EXPECT_EQ(gSettings.CardBack, 2);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

// The game itself opened over broken files: the table takes the colour and
// the card back that the rules give, a coin and a deal show five faces, and
// closing saves what it may.
class BrokenFileTable : public TableWindowTest {
protected:
    void SetUp() override {}

    void PlayOver(const std::string& what) {
        SCOPED_TRACE(what);
        OpenTable();
        loaded = gSettings;
        StartGame();
        const COLORREF felt = gSettings.BackColor;
        PumpMessages(100);
        Shot table = ShotOfClient(window);
        EXPECT_EQ(table.At(20, 250), felt);
        for (int slot = 0; slot < kSlotCount; ++slot)
            EXPECT_EQ(CardDifferences(table, slot, BackName(gSettings.CardBack).c_str(), felt), 0) << slot;

        Command(IDM_COIN);
        Command(IDM_DEAL);
        ASSERT_TRUE(WaitForDealEnd());
        PumpMessages(100);
        table = ShotOfClient(window);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            ASSERT_NE(gSlots[slot].card, kNoCard) << slot;
            EXPECT_EQ(CardDifferences(table, slot, gSlots[slot].name, felt), 0) << slot;
        }
        CloseTable();
    }

    GameSettings loaded = {};   // as the window found them when it opened
};

TEST_F(BrokenFileTable, GameOpensAndPlaysOverEachBrokenFile) {
    const uint32_t seed = TestSeed();
    std::mt19937 random(seed);
    std::string path = FreshSettingsFile();
    WriteFile(path, RandomBytes(random, 4096));
    PlayOver("random bytes of seed " + std::to_string(seed));
    ExpectDefaults("random bytes", loaded);
    ExpectSavedSection(path, "random bytes");

    WriteFile(path, "[Settings]\r\nBackColorR=-1\r\nBackColorG=000128\r\nBackColorB=+0\r\n"
                    "CardBack=99999999999\r\nCardBack=3\r\nFastDeal=-7\r\nZoom=0\r\n"
                    "Junk=" + std::string(65536, 'x') + "\r\n[Settings]\r\nCardBack=5\r\n");
    PlayOver("hand-broken values");
    EXPECT_EQ(loaded.BackColor, static_cast<uint32_t>(RGB(255, 128, 0)));
    EXPECT_EQ(loaded.CardBack, LimitedBack(RawInt(path, "CardBack")));
    EXPECT_EQ(loaded.FastDeal, -7);
    ExpectSavedSection(path, "hand-broken values");

    const std::string readOnly = "[Settings]\r\nCardBack=7\r\nFastDeal=1\r\nBackColorG=96\r\nBackColorB=0\r\n";
    WriteFile(path, readOnly);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    PlayOver("read-only file");
    EXPECT_EQ(loaded.CardBack, 7);
    EXPECT_EQ(ReadWholeFile(path), readOnly);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());

    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    PlayOver("a directory");
    ExpectDefaults("a directory", loaded);
    EXPECT_TRUE(RemoveDirectoryA(path.c_str()));
}
