#include "dialogs/options_rules.h"

#include "settings/settings.h"
#include "shell/table_layout.h"

namespace {

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; }

}  // namespace

const uint32_t kPresetColours[16] = {
    Rgb(0, 0, 0),       Rgb(127, 0, 0),     Rgb(127, 127, 0),   Rgb(0, 127, 0),
    Rgb(0, 0, 127),     Rgb(127, 0, 127),   Rgb(0, 127, 127),   Rgb(127, 127, 127),
    Rgb(192, 192, 192), Rgb(255, 0, 0),     Rgb(255, 255, 0),   Rgb(0, 255, 0),
    Rgb(0, 0, 255),     Rgb(255, 0, 255),   Rgb(0, 255, 255),   Rgb(255, 255, 255),
};

int ClampBack(int back) {
    if (back < kFirstBack) return kFirstBack;
    if (back > kLastBack) return kLastBack;
    return back;
}

int NextPreviewBack(int current, int code, int thumb) {
    switch (code) {
    case SliderLineUp:
    case SliderPageUp: return ClampBack(current - 1);
    case SliderLineDown:
    case SliderPageDown: return ClampBack(current + 1);
    case SliderThumbPosition:
    case SliderThumbTrack: return ClampBack(thumb);
    case SliderTop: return kLastBack;
    case SliderBottom: return kFirstBack;
    default: return current;
    }
}

int OptionsPreviewLeft(int groupLeft, int groupRight) {
    return (groupLeft + groupRight) / 2 - TableLayout::kCardWidth / 2;
}

int OptionsPreviewTop(int groupTop) {
    constexpr int kPreviewDrop = 16;
    return groupTop + kPreviewDrop;
}

void StoreOptions(const OptionsChoice& choice) {
    gSettings.WildCards = choice.wildCards ? 1 : 0;
    gSettings.Sound = choice.sound ? 1 : 0;
    gSettings.JacksOrBetter = choice.jacksOrBetter ? 1 : 0;
    gSettings.ConfirmExit = choice.confirmExit ? 1 : 0;
    gSettings.CardBack = choice.cardBack;
}
