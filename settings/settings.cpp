#include "settings/settings.h"

#include <cstdio>

GameSettings gSettings;

namespace {

constexpr uint32_t kDefaultBackColor = 0x00FF0000;  // pure blue

const GameSettings kDefaults = {
    18,                 // ZoomSteps
    1,                  // Zoom
    kDefaultBackColor,  // BackColor
    0,                  // Sound
    1,                  // WildCards
    4,                  // CardBack
    1,                  // JacksOrBetter
    1,                  // ConfirmExit
    0,                  // FastDeal
};

void WriteInt(ProfileStore& store, const char* key, long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%lld", value);
    store.WriteString(key, text);
}

}  // namespace

void ResetSettings() { gSettings = kDefaults; }

void LoadSettingsFrom(ProfileStore& store) {
    GameSettings& s = gSettings;
    s.ZoomSteps = store.ReadInt("ZoomSteps", kDefaults.ZoomSteps);
    s.Zoom = store.ReadInt("Zoom", kDefaults.Zoom);
    uint32_t red = static_cast<uint32_t>(store.ReadInt("BackColorR", 0)) & 0xFF;
    uint32_t green = static_cast<uint32_t>(store.ReadInt("BackColorG", 0)) & 0xFF;
    uint32_t blue = static_cast<uint32_t>(store.ReadInt("BackColorB", 255)) & 0xFF;
    s.BackColor = red + green * 256 + blue * 65536;
    s.Sound = store.ReadInt("Sound", kDefaults.Sound);
    s.WildCards = store.ReadInt("WildCards", kDefaults.WildCards);
    int32_t back = store.ReadInt("CardBack", kDefaults.CardBack);
    s.CardBack = back < 1 ? 1 : (back > 16 ? 16 : back);
    s.ConfirmExit = store.ReadInt("ConfirmExit", kDefaults.ConfirmExit);
    s.JacksOrBetter = store.ReadInt("JacksOrBetter", kDefaults.JacksOrBetter);
    s.FastDeal = store.ReadInt("FastDeal", kDefaults.FastDeal);
}

// ZoomSteps is never written: only a hand-added line carries it.  "Jacks"
// repeats JacksOrBetter for files that older readers look at.
void SaveSettingsTo(ProfileStore& store) {
    const GameSettings& s = gSettings;
    WriteInt(store, "Zoom", s.Zoom);
    WriteInt(store, "Sound", s.Sound);
    WriteInt(store, "WildCards", s.WildCards);
    WriteInt(store, "CardBack", s.CardBack);
    WriteInt(store, "BackColorR", s.BackColor & 0xFF);
    WriteInt(store, "BackColorG", (s.BackColor >> 8) & 0xFF);
    WriteInt(store, "BackColorB", (s.BackColor >> 16) & 0xFF);
    WriteInt(store, "Jacks", s.JacksOrBetter);
    WriteInt(store, "ConfirmExit", s.ConfirmExit);
    WriteInt(store, "JacksOrBetter", s.JacksOrBetter);
    WriteInt(store, "FastDeal", s.FastDeal);
}

int32_t ZoomStepsInUse() {
    int32_t steps = gSettings.ZoomSteps;
    if (steps < kMinZoomSteps) return kMinZoomSteps;
    if (steps > kMaxZoomSteps) return kMaxZoomSteps;
    return steps;
}
