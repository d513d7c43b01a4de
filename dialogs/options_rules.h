// The Options dialog's rules on values: the card back the slider leads to,
// the colour chooser's sixteen preset colours, how a switch shows and what
// OK stores.  Portable: the Windows dialog and the page follow these.
#pragma once
#include <cstdint>

constexpr int kFirstBack = 1;
constexpr int kLastBack = 16;

// The slider's notifications, numbered as the trackbar sends them.
enum SliderCode {
    SliderLineUp = 0,       // left or up arrow
    SliderLineDown = 1,     // right or down arrow
    SliderPageUp = 2,       // Page Up, a click left of the thumb
    SliderPageDown = 3,     // Page Down, a click right of the thumb
    SliderThumbPosition = 4,
    SliderThumbTrack = 5,
    SliderTop = 6,          // Home
    SliderBottom = 7,       // End
};

int ClampBack(int back);
// The design after a notification, from the design before it, not from the
// slider's own position; Home is the highest design and End the lowest.
int NextPreviewBack(int current, int code, int thumb);

// Where the back's preview stands: centred in the "Select Deck:" group box,
// 16 pixels below its top (the box's rectangle in dialog pixels).
int OptionsPreviewLeft(int groupLeft, int groupRight);
int OptionsPreviewTop(int groupTop);

// In the order the player sees them, as 0x00BBGGRR.
extern const uint32_t kPresetColours[16];

// A hand-edited switch value other than 0 or 1 shows as on (a value of 2
// would otherwise be the grey "indeterminate" state) and is stored back as 1.
inline bool SwitchShownOn(int32_t value) { return value != 0; }

struct OptionsChoice {
    bool wildCards;
    bool sound;
    bool jacksOrBetter;
    bool confirmExit;
    int cardBack;
};
// OK: the check boxes and the design go into the settings (the caller then
// writes the file and applies a new colour).
void StoreOptions(const OptionsChoice& choice);
