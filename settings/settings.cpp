#include "settings/settings.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

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

std::string WithoutBlanks(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\r\n\v\f");
    if (begin == std::string::npos) return "";
    return text.substr(begin, text.find_last_not_of(" \t\r\n\v\f") - begin + 1);
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

ProfileText::ProfileText(const std::string& text) {
    bool inSettings = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = WithoutBlanks(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            std::string name = close == std::string::npos ? line.substr(1) : line.substr(1, close - 1);
            inSettings = SameName(WithoutBlanks(name), "settings");
            continue;
        }
        size_t equals = line.find('=');
        if (!inSettings || equals == std::string::npos) continue;
        entries_.emplace_back(WithoutBlanks(line.substr(0, equals)),
                              WithoutBlanks(line.substr(equals + 1)));
    }
}

int32_t ProfileText::ReadInt(const char* key, int32_t defaultValue) {
    for (const auto& entry : entries_) {
        if (!SameName(entry.first, key)) continue;
        if (entry.second.empty()) return defaultValue;
        return static_cast<int32_t>(std::strtol(entry.second.c_str(), nullptr, 10));
    }
    return defaultValue;
}

void ProfileText::WriteString(const char*, const char*) {}

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
