// The settings record against the real private-profile file beside the
// program: what a missing or hand-edited file loads as, exactly what a save
// writes, and that the file is still found when the program lives in a
// directory whose path is long.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings/settings.h"
#include "tests/win32/harness.h"

namespace {

const char kChildVariable[] = "QUORVEL_SETTINGS_CHILD";

std::string WithoutCarriageReturns(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

void WriteFile(const std::string& path, const std::string& text) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fputs(text.c_str(), file);
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
