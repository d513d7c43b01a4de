#include "shell/command_table.h"

#include "engine/card_name.h"
#include "engine/deck.h"
#include "engine/game_host.h"
#include "engine/round.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "shell/table_layout.h"

namespace {

ShellHost* gShellHost = nullptr;

// A flag read from the file may hold any value; a toggle must still turn
// "on" (anything but 0) into off.
int32_t Flipped(int32_t flag) { return flag ? 0 : 1; }

void OnHold(int command) { HoldCommand(command - IDC_HOLD0); }
void OnExit(int) { gShellHost->RequestClose(); }
void OnHelp(int) { gShellHost->ShowDialog(GameDialog::Help); }
void OnAbout(int) { gShellHost->ShowDialog(GameDialog::About); }
void OnNew(int) { NewGame(); }

void OnSound(int) {
    gSettings.Sound = Flipped(gSettings.Sound);
    gShellHost->ShowStatusText(gSettings.Sound ? kSoundOnNotice : kSoundOffNotice);
}

void OnDeal(int) { DealOrDraw(); }

// Face-down cards show the back design, so a new design is drawn at once.
void OnOptions(int) {
    int32_t back = gSettings.CardBack;
    gShellHost->ShowDialog(GameDialog::Options);
    if (gSettings.CardBack != back) CurrentGameHost()->DrawAllCards();
}

void OnCoin(int) { InsertCoin(); }
void OnPayoff(int) { gShellHost->ShowDialog(GameDialog::Payoff); }
void OnStatistics(int) { ShowStatistics(); }
void OnClearStatistics(int) { ClearStatistics(); }
void OnBetMax(int) { BetMaxCoins(); }
void OnBank(int) { HitTheBank(); }

// Takes effect at the next deal: the running deal keeps its interval.
void OnFastDeal(int) { gSettings.FastDeal = Flipped(gSettings.FastDeal); }

struct CommandEntry {
    int first;
    int last;
    void (*handler)(int command);
};

const CommandEntry kCommands[] = {
    {IDC_HOLD0, IDC_HOLD4, OnHold},
    {IDM_EXIT, IDM_EXIT, OnExit},
    {IDM_HELP, IDM_HELP, OnHelp},
    {IDM_ABOUT, IDM_ABOUT, OnAbout},
    {IDM_NEW, IDM_NEW, OnNew},
    {IDM_SOUND, IDM_SOUND, OnSound},
    {IDM_DEAL, IDM_DEAL, OnDeal},
    {IDM_OPTIONS, IDM_OPTIONS, OnOptions},
    {IDM_COIN, IDM_COIN, OnCoin},
    {IDM_PAYOFF, IDM_PAYOFF, OnPayoff},
    {IDM_STATS, IDM_STATS, OnStatistics},
    {IDM_CLEARSTATS, IDM_CLEARSTATS, OnClearStatistics},
    {IDM_BETMAX, IDM_BETMAX, OnBetMax},
    {IDM_BANK, IDM_BANK, OnBank},
    {IDM_FASTDEAL, IDM_FASTDEAL, OnFastDeal},
};

}  // namespace

void SetShellHost(ShellHost* host) { gShellHost = host; }

void RunCommand(int command) {
    if (!gShellHost) return;
    for (const CommandEntry& entry : kCommands) {
        if (command >= entry.first && command <= entry.last) {
            entry.handler(command);
            return;
        }
    }
}

// Only a count above 0 opens the dialog, which divides by it.
void ShowStatistics() {
    if (!gShellHost) return;
    if (gStats.gamesPlayed <= 0)
        gShellHost->ShowMessageBox(kNoGamesBox);
    else
        gShellHost->ShowDialog(GameDialog::Statistics);
}

bool CloseMainWindowRequested() {
    if (!gShellHost || gRound.dealing) return false;
    if (gSettings.ConfirmExit && !gShellHost->ShowMessageBox(kExitQuestion)) return false;
    gShellHost->SaveSettings();
    gShellHost->StopHeldSound();
    return true;
}

int CardUnderCursorAt(int x, int y) {
    if (gRound.dealing || gRound.phase != Dealt) return -1;
    return TableLayout::CardPlaceAt(x, y);
}

const char* PointerStatusText(int x, int y) {
    int place = CardUnderCursorAt(x, y);
    if (place < 0 || gSlots[place].card == kNoCard) return "";
    return CardName(gSlots[place].card);
}

int TablePressCommand(int x, int y, const bool holdEnabled[5]) {
    int place = TableLayout::CardPlaceAt(x, y);
    return place >= 0 && holdEnabled[place] ? IDC_HOLD0 + place : 0;
}
