// The player's preferences and their initialisation file.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Fields are named like their keys in the file.
struct GameSettings {
    int32_t ZoomSteps;
    int32_t Zoom;
    uint32_t BackColor;     // 0x00BBGGRR
    int32_t Sound;
    int32_t WildCards;
    int32_t CardBack;       // 1..16
    int32_t JacksOrBetter;
    int32_t ConfirmExit;
    int32_t FastDeal;
};

extern GameSettings gSettings;

// Reads integers from and writes decimal text to the "Settings" section.
class ProfileStore {
public:
    virtual int32_t ReadInt(const char* key, int32_t defaultValue) = 0;
    virtual void WriteString(const char* key, const char* value) = 0;

protected:
    ~ProfileStore() = default;
};

// The "Settings" section of an initialisation file's text, read as the
// private-profile functions read it: section and key names in any case,
// blanks around names and values ignored, the first line of a key wins, a
// value's leading decimal number (0 when it has none), the default when the
// key is missing or its value empty.  Read only: writes are dropped.  For
// tools that read the game's file where those functions are not.
class ProfileText final : public ProfileStore {
public:
    explicit ProfileText(const std::string& text);
    int32_t ReadInt(const char* key, int32_t defaultValue) override;
    void WriteString(const char* key, const char* value) override;

private:
    std::vector<std::pair<std::string, std::string>> entries_;  // key, value
};

void LoadSettingsFrom(ProfileStore& store);
void SaveSettingsTo(ProfileStore& store);
void ResetSettings();       // the defaults, as with no file

// The step count the zoom really uses: ZoomSteps from the file is kept as it
// was read, but outside 2..kMaxZoomSteps it is brought to the nearest bound,
// so a hand-edited value can neither divide by zero, leave outlines behind,
// nor hold the game for minutes.
constexpr int32_t kMinZoomSteps = 2;
constexpr int32_t kMaxZoomSteps = 100;
int32_t ZoomStepsInUse();

// Windows only (settings_win32.cpp): "quorvel.ini" beside the executable.
void LoadSettings();
void SaveSettings();
