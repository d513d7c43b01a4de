#include "settings/settings.h"

#include <cstdio>
#include <cstring>

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

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A value as the game's private-profile functions read it (measured under
// Wine): a sign, then a lower-case 0x, 0o or 0b prefix for base 16, 8 or 2,
// then digits of the base up to the first other character, kept modulo 2^32.
// strtol would differ: it clamps, at 32 bits on Windows and 64 elsewhere,
// and knows no prefix, so "WildCards=0x1" or "=4294967296" chose the other deck.
int32_t ProfileInteger(const char* text) {
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    uint32_t base = 10;
    if (std::strncmp(text, "0x", 2) == 0) base = 16;
    if (std::strncmp(text, "0o", 2) == 0) base = 8;
    if (std::strncmp(text, "0b", 2) == 0) base = 2;
    if (base != 10) text += 2;
    uint32_t value = 0;
    for (; *text; ++text) {
        char c = *text >= 'A' && *text <= 'Z' ? char(*text - 'A' + 'a') : *text;
        uint32_t digit = c >= '0' && c <= '9' ? uint32_t(c - '0')
                         : c >= 'a' && c <= 'f' ? uint32_t(c - 'a' + 10)
                                                : 16;
        if (digit >= base) break;
        value = value * base + digit;
    }
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

void WriteInt(ProfileStore& store, const char* key, long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%lld", value);
    store.WriteString(key, text);
}

}  // namespace

void ResetSettings() { gSettings = kDefaults; }

int32_t ProfileValue(const char* value, int32_t defaultValue) {
    while (IsBlank(*value)) ++value;
    if (*value == '\0') return defaultValue;
    return ProfileInteger(value);
}

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
