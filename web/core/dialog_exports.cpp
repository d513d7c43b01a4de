// The page's side of the dialog controllers: a DialogHost whose requests the
// page's dialogs carry out through the imports of web_imports.h, and the
// exports through which they hand the controller their commands and the
// slider's notifications.  The zoom and the colour chooser hold the core
// until they are over, as they hold the thread on Windows.
#include "dialogs/dialog_controller.h"
#include "dialogs/help_pages.h"
#include "dialogs/options_rules.h"
#include "dialogs/statistics_text.h"
#include "engine/round.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "web/core/web_host.h"
#include "web/core/web_imports.h"

#define QUORVEL_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

class WebDialogHost final : public DialogHost {
public:
    void SetText(int control, const char* text) override { WebDialogText(control, text); }
    void Enable(int control, bool enable) override { WebDialogEnable(control, enable ? 1 : 0); }
    void Check(int control, bool on) override { WebDialogCheck(control, on ? 1 : 0); }
    bool Checked(int control) override { return WebDialogChecked(control) != 0; }
    void Focus(int control) override { WebDialogFocus(control); }
    void ShowPicture(int control, int position, const char* bitmapName) override {
        WebDialogPicture(control, position, bitmapName);
    }
    void ShowColour(int control, uint32_t colour) override {
        WebDialogColour(control, static_cast<int>(colour));
    }
    void SetSlider(int control, int low, int high, int position) override {
        WebDialogSlider(control, low, high, position);
    }
    void MoveSlider(int control, int position) override { WebDialogThumb(control, position); }
    // The page shows every change at once.
    void Repaint(int) override {}
    void CentreOnScreen() override { WebDialogCentre(); }
    void ZoomOpen(int steps) override { WebDialogZoom(0, steps); }
    void ZoomClose(int steps) override { WebDialogZoom(1, steps); }
    bool ChooseColour(uint32_t initial, int zoomSteps, uint32_t* chosen) override {
        int colour = WebChooseColour(static_cast<int>(initial), zoomSteps);
        if (colour < 0) return false;
        *chosen = static_cast<uint32_t>(colour);
        return true;
    }
    void ApplyTableColour() override { WebTableColour(); }
    void RepaintTable() override { WebTableColour(); }
    void SaveSettings() override { SaveSettingsTo(WebSettingsStore()); }
    void End(int result) override { WebDialogEnd(result); }
};

WebDialogHost gDialogHost;
int gPlace[2];
char gText[64];

}  // namespace

// Built hidden, opened by its controller, then shown until it ends.
void ShowWebDialog(GameDialog dialog) {
    WebDialogCreate(static_cast<int>(dialog));
    OpenDialog(dialog, &gDialogHost);
    WebDialog(static_cast<int>(dialog));
}

QUORVEL_EXPORT(quorvel_dialog_command) int DialogCommandExport(int command) {
    return DialogCommand(command) ? 1 : 0;
}
QUORVEL_EXPORT(quorvel_dialog_slider) void DialogSliderExport(int code, int thumb) {
    DialogSliderMoved(code, thumb);
}

// Where the pictures stand: help card k under the frame's rectangle, the
// card-back preview in its group box's.
QUORVEL_EXPORT(quorvel_help_card_at) int* HelpCardAt(int frameLeft, int frameRight, int frameBottom,
                                                     int k) {
    gPlace[0] = HelpCardLeft(frameLeft, frameRight, k);
    gPlace[1] = HelpCardTop(frameBottom);
    return gPlace;
}
QUORVEL_EXPORT(quorvel_preview_at) int* PreviewAt(int left, int top, int right) {
    gPlace[0] = OptionsPreviewLeft(left, right);
    gPlace[1] = OptionsPreviewTop(top);
    return gPlace;
}
QUORVEL_EXPORT(quorvel_preset_colour) int PresetColour(int i) {
    return i >= 0 && i < 16 ? static_cast<int>(kPresetColours[i]) : 0;
}
QUORVEL_EXPORT(quorvel_help_last_page) int HelpLastPage() { return kHelpLastPage; }

// The field of the Statistics dialog with this control id, or its title
// for 0.  Empty before a game was played: the shares divide by the games.
QUORVEL_EXPORT(quorvel_statistics_text) const char* StatisticsText(int id) {
    gText[0] = '\0';
    if (gStats.gamesPlayed <= 0) return gText;
    switch (id) {
    case 0: FormatNetWinnings(gText, sizeof gText); break;
    case IDC_STAT_GAMES: FormatStatisticsTotal(gStats.gamesPlayed, gText, sizeof gText); break;
    case IDC_STAT_COINS_PLAYED: FormatStatisticsTotal(gStats.coinsPlayed, gText, sizeof gText); break;
    case IDC_STAT_COINS_WON: FormatStatisticsTotal(gStats.coinsWon, gText, sizeof gText); break;
    case IDC_STAT_BUSTED: FormatStatisticsTotal(gStats.timesBusted, gText, sizeof gText); break;
    default:
        if (id > IDC_STAT_HAND0 && id < IDC_STAT_HAND0 + kHandCategoryCount)
            FormatHandsWon(id - IDC_STAT_HAND0, gText, sizeof gText);
        break;
    }
    return gText;
}
