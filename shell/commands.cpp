// The command table of the main window, the menu states, the right-click
// menu and the shutdown.  The game commands go straight to the engine, whose
// guards decide whether they act.
#include <windows.h>

#include "dialogs/dialogs.h"
#include "engine/round.h"
#include "presentation/sound.h"
#include "presentation/table.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "shell/app_shell.h"
#include "shell/commands.h"
#include "shell/status_line.h"

namespace {

// A flag read from the file may hold any value; a toggle must still turn
// "on" (anything but 0) into off.
int32_t Flipped(int32_t flag) { return flag ? 0 : 1; }

void OnHold(HWND, int command) { HoldCommand(command - IDC_HOLD0); }
void OnExit(HWND window, int) { SendMessageA(window, WM_CLOSE, 0, 0); }
void OnHelp(HWND window, int) { ShowHelpDialog(window); }
void OnAbout(HWND window, int) { ShowAboutDialog(window); }
void OnNew(HWND, int) { NewGame(); }

void OnSound(HWND window, int) {
    gSettings.Sound = Flipped(gSettings.Sound);
    ShowStatusText(window, gSettings.Sound ? "Sound is on." : "Sound is off.");
}

void OnDeal(HWND, int) { DealOrDraw(); }

// Face-down cards show the back design, so a new design is drawn at once.
void OnOptions(HWND window, int) {
    int32_t back = gSettings.CardBack;
    ShowOptionsDialog(window);
    if (gSettings.CardBack != back) DrawAllCards();
}

void OnCoin(HWND, int) { InsertCoin(); }
void OnPayoff(HWND window, int) { ShowPayoffDialog(window); }
void OnStatistics(HWND, int) { ShowStatistics(); }
void OnClearStatistics(HWND, int) { ClearStatistics(); }
void OnBetMax(HWND, int) { BetMaxCoins(); }
void OnBank(HWND, int) { HitTheBank(); }

// Takes effect at the next deal: the running deal keeps its interval.
void OnFastDeal(HWND, int) { gSettings.FastDeal = Flipped(gSettings.FastDeal); }

struct CommandEntry {
    int first;
    int last;
    void (*handler)(HWND window, int command);
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

void SetItemEnabled(HMENU menu, UINT command, bool enabled) {
    EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
}

void SetItemChecked(HMENU menu, UINT command, bool checked) {
    CheckMenuItem(menu, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

void RunCommand(HWND window, int command) {
    for (const CommandEntry& entry : kCommands) {
        if (command >= entry.first && command <= entry.last) {
            entry.handler(window, command);
            return;
        }
    }
}

// The rules run in this order; a later one overrides an earlier one.
void UpdateMenus() {
    HMENU menu = GetMenu(gShell.mainWindow);
    if (!menu) return;
    SetItemEnabled(menu, IDM_EXIT, !gRound.dealing);
    SetItemChecked(menu, IDM_SOUND, gSettings.Sound != 0);
    SetItemChecked(menu, IDM_FASTDEAL, gSettings.FastDeal != 0);
    SetItemEnabled(menu, IDM_COIN, gRound.coinsIn != 5);
    SetItemEnabled(menu, IDM_BETMAX, gRound.coinsIn != 5);
    SetItemEnabled(menu, IDM_DEAL, gRound.coinsIn != 0);
    if (gStats.credits == 0) {
        SetItemEnabled(menu, IDM_COIN, false);
        SetItemEnabled(menu, IDM_BETMAX, false);
    }
    if (gRound.phase != Betting) {
        SetItemEnabled(menu, IDM_COIN, false);
        SetItemEnabled(menu, IDM_BETMAX, false);
    }
    SetItemEnabled(menu, IDM_BANK, gNewReceived != 0 && BankCanPay());
}

void UpdateMenusAndBar() {
    UpdateMenus();
    DrawMenuBar(gShell.mainWindow);
}

// Nothing on this menu is greyed: the commands' own guards decide.
void ShowTableMenu(HWND window, POINT screenPoint) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, IDM_NEW, "&New Game");
    AppendMenuA(menu, MF_STRING, IDM_OPTIONS, "&Options...");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_COIN, "Insert Coin");
    AppendMenuA(menu, MF_STRING, IDM_BETMAX, "Bet Maximum Coins");
    AppendMenuA(menu, MF_STRING, IDM_DEAL, gRound.phase == Betting ? "Deal" : "Hit/Stand");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_HELP, "&Help...");
    AppendMenuA(menu, MF_STRING, IDM_ABOUT, "&About...");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_EXIT, "E&xit");
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0, window, nullptr);
    DestroyMenu(menu);
}

LRESULT CloseMainWindow(HWND window) {
    if (gRound.dealing) return 1;
    if (gSettings.ConfirmExit &&
        MessageBoxA(window, "Leave Quorvel?", "Quorvel v2.1", MB_ICONQUESTION | MB_YESNO) != IDYES)
        return 1;
    SaveSettings();
    if (HeldSound) {
        StopWave(HeldSound);
        HeldSound = nullptr;
    }
    DeleteObject(gShell.BigFont);
    DeleteObject(gShell.ButtonFont);
    DeleteObject(gShell.MessageFont);
    DeleteObject(gShell.TableBrush);
    gShell.BigFont = gShell.ButtonFont = gShell.MessageFont = nullptr;
    gShell.TableBrush = nullptr;
    DestroyWindow(window);
    return 0;
}
