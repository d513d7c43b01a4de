// The player's preferences and their initialisation file.
#pragma once
#include <cstdint>

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

void LoadSettingsFrom(ProfileStore& store);
// A stored value's text read as the private-profile functions read it:
// blanks around it ignored, the default when nothing is left, else its
// leading number (decimal, or after 0x, 0o or 0b hexadecimal, octal or
// binary; 0 when it has none), kept to its low 32 bits.
int32_t ProfileValue(const char* value, int32_t defaultValue);
void SaveSettingsTo(ProfileStore& store);
void ResetSettings();       // the defaults, as with no file

// The step count the zoom really uses: ZoomSteps from the file is kept as it
// was read, but outside 2..kMaxZoomSteps it is brought to the nearest bound,
// so a hand-edited value can neither divide by zero, leave outlines behind,
// nor hold the game for minutes.
constexpr int32_t kMinZoomSteps = 2;
constexpr int32_t kMaxZoomSteps = 100;
int32_t ZoomStepsInUse();

// Windows only (settings/win32/settings_file.cpp): "quorvel.ini" beside the executable.
void LoadSettings();
void SaveSettings();
