#include "dialogs/dialog_controller.h"

#include <cstdio>

#include "dialogs/help_pages.h"
#include "dialogs/options_rules.h"
#include "dialogs/statistics_text.h"
#include "engine/round.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"

namespace {

constexpr int kOk = 1;
constexpr int kCancel = 2;     // also Escape and the close box

// The open dialog.  The rest is valid only while it is open.
GameDialog OpenKind = GameDialog::About;
DialogHost* Host = nullptr;
int HelpPage = kHelpFirstPage;
int PreviewBack = kFirstBack;
uint32_t SavedColor = 0;

// A command posted to the main window before a dialog opened is run by the
// dialog's modal loop and may open another dialog inside it: the outer one
// is set aside meanwhile and takes its commands again once the inner one
// has gone.
struct OpenState {
    GameDialog kind;
    DialogHost* host;
    int helpPage;
    int previewBack;
    uint32_t savedColor;
};
constexpr int kMaxNested = 8;
OpenState Outer[kMaxNested];
int OuterCount = 0;

void OpenWithZoom() {
    Host->CentreOnScreen();
    if (gSettings.Zoom) Host->ZoomOpen(ZoomStepsInUse());
}

void CloseZoom() {
    if (gSettings.Zoom) Host->ZoomClose(ZoomStepsInUse());
}

// The dialog goes, and with it its host: a command that reaches the core
// after it (the page delivers input queued while the core was held) finds
// no dialog and is ignored.
void EndOpenDialog() {
    DialogHost* host = Host;
    Host = nullptr;
    if (OuterCount > 0) {
        const OpenState& outer = Outer[--OuterCount];
        OpenKind = outer.kind;
        Host = outer.host;
        HelpPage = outer.helpPage;
        PreviewBack = outer.previewBack;
        SavedColor = outer.savedColor;
    }
    host->End(1);
}

// ---- Statistics -------------------------------------------------------------

void OpenStatistics() {
    OpenWithZoom();
    const struct {
        int control;
        int32_t value;
    } totals[] = {{IDC_STAT_GAMES, gStats.gamesPlayed},
                  {IDC_STAT_COINS_PLAYED, gStats.coinsPlayed},
                  {IDC_STAT_COINS_WON, gStats.coinsWon},
                  {IDC_STAT_BUSTED, gStats.timesBusted}};
    char text[48];
    for (const auto& total : totals) {
        FormatStatisticsTotal(total.value, text, sizeof text);
        Host->SetText(total.control, text);
    }
    for (int c = 1; c < kHandCategoryCount; ++c) {
        FormatHandsWon(c, text, sizeof text);
        Host->SetText(IDC_STAT_HAND0 + c, text);
    }
    FormatNetWinnings(text, sizeof text);
    Host->SetText(kDialogWindow, text);
}

// ---- Help -------------------------------------------------------------------

void ShowPageCounter() {
    char counter[32];
    FormatHelpCounter(HelpPage, counter, sizeof counter);
    Host->SetText(IDC_HELP_COUNTER, counter);
}

void FillHelpPage() {
    HelpPageContent content;
    FillHelpPageContent(HelpPage, &content);
    for (int k = 0; k < kHelpCardCount; ++k)
        Host->ShowPicture(IDC_HELP_FRAME, k, content.cards[k][0] ? content.cards[k] : "Blank");
    if (!content.caption) return;
    Host->SetText(IDC_HELP_CAPTION, content.caption);
    Host->SetText(IDC_HELP_TEXT, content.text);
}

void OpenHelp() {
    OpenWithZoom();
    HelpPage = kHelpFirstPage;
    Host->Enable(IDC_HELP_PREV, false);
    ShowPageCounter();
    FillHelpPage();
}

// One page on or back.  The button that led to an end page greys, and the
// focus goes to the other one; the cards are repainted over the old ones.
void TurnHelpPage(int step) {
    const bool back = step < 0;
    const int end = back ? kHelpFirstPage : kHelpLastPage;
    const int led = back ? IDC_HELP_PREV : IDC_HELP_NEXT;
    const int other = back ? IDC_HELP_NEXT : IDC_HELP_PREV;
    if (HelpPage != end) HelpPage += step;
    ShowPageCounter();
    Host->Enable(other, true);
    if (HelpPage == end) {
        Host->Focus(other);
        Host->Enable(led, false);
    }
    FillHelpPage();
    Host->Repaint(kDialogWindow);
}

bool HelpCommand(int command) {
    switch (command) {
    case IDC_HELP_PREV: TurnHelpPage(-1); return true;
    case IDC_HELP_NEXT: TurnHelpPage(+1); return true;
    default: return false;
    }
}

// ---- Options ----------------------------------------------------------------

void ShowPreview() {
    char name[16];
    std::snprintf(name, sizeof name, "Back%d", PreviewBack);
    Host->ShowPicture(IDC_DECK_GROUP, 0, name);
}

void OpenOptions() {
    Host->CentreOnScreen();
    Host->Check(IDC_OPT_WILD, SwitchShownOn(gSettings.WildCards));
    Host->Check(IDC_OPT_SOUND, SwitchShownOn(gSettings.Sound));
    Host->Check(IDC_OPT_JACKS, SwitchShownOn(gSettings.JacksOrBetter));
    Host->Check(IDC_OPT_CONFIRM, SwitchShownOn(gSettings.ConfirmExit));
    if (gSettings.Zoom) Host->ZoomOpen(ZoomStepsInUse());
    PreviewBack = ClampBack(gSettings.CardBack);
    Host->SetSlider(IDC_BACK_SLIDER, kFirstBack, kLastBack, PreviewBack);
    SavedColor = gSettings.BackColor;
    ShowPreview();
    Host->ShowColour(IDC_COLOR_SWATCH, gSettings.BackColor);
}

void OptionsOk() {
    StoreOptions({Host->Checked(IDC_OPT_WILD), Host->Checked(IDC_OPT_SOUND),
                  Host->Checked(IDC_OPT_JACKS), Host->Checked(IDC_OPT_CONFIRM), PreviewBack});
    Host->SaveSettings();
    if (gSettings.BackColor != SavedColor) Host->ApplyTableColour();
    CloseZoom();
    EndOpenDialog();
}

// While the dialog was open the main window may have drawn card corners and
// badges in the chosen colour; a repaint puts the restored colour back.
void OptionsCancel() {
    CloseZoom();
    const bool changed = gSettings.BackColor != SavedColor;
    gSettings.BackColor = SavedColor;
    if (changed) Host->RepaintTable();
    EndOpenDialog();
}

// The chooser opens with the zoom as the dialogs do, and closes without.
// The swatch is repainted at once, in the new colour or the unchanged one.
void OptionsSetColour() {
    uint32_t chosen = 0;
    const int zoomSteps = gSettings.Zoom ? ZoomStepsInUse() : 0;
    if (Host->ChooseColour(gSettings.BackColor, zoomSteps, &chosen)) gSettings.BackColor = chosen;
    Host->ShowColour(IDC_COLOR_SWATCH, gSettings.BackColor);
}

bool OptionsCommand(int command) {
    switch (command) {
    case kOk: OptionsOk(); return true;
    case kCancel: OptionsCancel(); return true;
    case IDC_SET_COLOR: OptionsSetColour(); return true;
    default: return false;
    }
}

}  // namespace

void OpenDialog(GameDialog dialog, DialogHost* host) {
    if (Host && OuterCount < kMaxNested)
        Outer[OuterCount++] = {OpenKind, Host, HelpPage, PreviewBack, SavedColor};
    OpenKind = dialog;
    Host = host;
    switch (dialog) {
    case GameDialog::Help: OpenHelp(); break;
    case GameDialog::Options: OpenOptions(); break;
    case GameDialog::Statistics: OpenStatistics(); break;
    case GameDialog::Payoff:
        OpenWithZoom();
        Host->ShowPicture(kDialogWindow, 0, "OddsBmp");
        break;
    case GameDialog::About: OpenWithZoom(); break;
    }
}

bool DialogCommand(int command) {
    if (!Host) return false;
    if (OpenKind == GameDialog::Options) return OptionsCommand(command);
    if (command == kOk || command == kCancel) {
        CloseZoom();
        EndOpenDialog();
        return true;
    }
    return OpenKind == GameDialog::Help && HelpCommand(command);
}

// The thumb shows the program's value, not its own (after Home it jumps to
// the right end), and the preview is painted while the thumb moves.
void DialogSliderMoved(int code, int thumb) {
    if (!Host || OpenKind != GameDialog::Options) return;
    PreviewBack = NextPreviewBack(PreviewBack, code, thumb);
    Host->MoveSlider(IDC_BACK_SLIDER, PreviewBack);
    ShowPreview();
    Host->Repaint(IDC_DECK_GROUP);
}
