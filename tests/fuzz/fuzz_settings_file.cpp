// The analyser's reader of the game's settings file and the settings rules
// behind it: any text as the file.  Every value in use stays within its
// rule's range, key names are read in any case, a value read reads the same
// written in any base the game's reader knows, and what the game would write
// back reads as the same settings.
#include "odds/deck_setting.h"
#include "settings/settings.h"
#include "tests/fuzz/fuzz_util.h"

namespace {

// Collects what SaveSettingsTo writes as the text of a settings file.
class WrittenFile final : public ProfileStore {
public:
    std::string text = "[Settings]\n";
    int32_t ReadInt(const char*, int32_t defaultValue) override { return defaultValue; }
    void WriteString(const char* key, const char* value) override {
        text += std::string(key) + "=" + value + "\n";
    }
};

// `value` as the file may spell it: decimal, signed or not, 0x, 0o, 0b.
std::vector<std::string> Spellings(int32_t value) {
    const uint32_t bits = uint32_t(value);
    char text[64];
    std::vector<std::string> spellings;
    std::snprintf(text, sizeof text, "%d", int(value));
    spellings.push_back(text);
    std::snprintf(text, sizeof text, "%u", unsigned(bits));
    spellings.push_back(text);
    std::snprintf(text, sizeof text, "0x%x", unsigned(bits));
    spellings.push_back(text);
    std::snprintf(text, sizeof text, "0o%o", unsigned(bits));
    spellings.push_back(text);
    std::string binary = "0b";
    for (int bit = 31; bit >= 0; --bit) binary += char('0' + ((bits >> bit) & 1));
    spellings.push_back(binary);
    return spellings;
}

bool SameExceptZoomSteps(const GameSettings& a, const GameSettings& b) {
    return a.Zoom == b.Zoom && a.BackColor == b.BackColor && a.Sound == b.Sound &&
           a.WildCards == b.WildCards && a.CardBack == b.CardBack &&
           a.JacksOrBetter == b.JacksOrBetter && a.ConfirmExit == b.ConfirmExit &&
           a.FastDeal == b.FastDeal;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ProfileText file(text);

    for (const char* key : {"ZoomSteps", "CardBack", "WildCards", "BackColorB"}) {
        const int32_t value = file.ReadInt(key, -7);
        for (bool upper : {false, true})
            FUZZ_CHECK(file.ReadInt(InCase(key, upper).c_str(), -7) == value,
                       "a key read otherwise in another case");
        for (const std::string& spelling : Spellings(value)) {
            ProfileText again("[Settings]\n" + std::string(key) + "=" + spelling + "\n");
            FUZZ_CHECK(again.ReadInt(key, -7) == value, "a value read otherwise in another base");
        }
    }

    ResetSettings();
    const int deckSize = DeckSizeFromSettings(file);
    const GameSettings read = gSettings;
    FUZZ_CHECK(deckSize == (read.WildCards != 0 ? 53 : 52), "the deck does not follow WildCards");
    FUZZ_CHECK(read.CardBack >= 1 && read.CardBack <= 16, "a card back outside 1..16");
    FUZZ_CHECK(read.BackColor <= 0xFFFFFFu, "a table colour beyond 24 bits");
    const int32_t steps = ZoomStepsInUse();
    FUZZ_CHECK(steps >= kMinZoomSteps && steps <= kMaxZoomSteps, "zoom steps outside their range");

    WrittenFile written;
    SaveSettingsTo(written);
    ProfileText writtenBack(written.text);
    ResetSettings();
    LoadSettingsFrom(writtenBack);
    FUZZ_CHECK(SameExceptZoomSteps(read, gSettings), "the settings written back read otherwise");
    return 0;
}
