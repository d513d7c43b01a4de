// The statistics dialog: a snapshot of the game's counters when it opens.
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "dialogs/dialogs.h"
#include "engine/round.h"
#include "presentation/zoom.h"
#include "resources/resource_ids.h"
#include "shell/app_shell.h"

namespace {

// Share of all games in whole percent, truncated.  Counted wide, so that a
// long run cannot overflow the multiplication.
int32_t PercentOfGames(int32_t count) {
    int64_t percent = static_cast<int64_t>(count) * 100 / gStats.gamesPlayed;
    return static_cast<int32_t>(percent);
}

void ShowTotals(HWND dialog) {
    SetDlgItemInt(dialog, IDC_STAT_GAMES, static_cast<UINT>(gStats.gamesPlayed), FALSE);
    SetDlgItemInt(dialog, IDC_STAT_COINS_PLAYED, static_cast<UINT>(gStats.coinsPlayed), FALSE);
    SetDlgItemInt(dialog, IDC_STAT_COINS_WON, static_cast<UINT>(gStats.coinsWon), FALSE);
    SetDlgItemInt(dialog, IDC_STAT_BUSTED, static_cast<UINT>(gStats.timesBusted), FALSE);
}

void ShowHandsWon(HWND dialog) {
    for (int c = 1; c < kHandCategoryCount; ++c) {
        char text[40];
        std::snprintf(text, sizeof text, "%d  %d%%", static_cast<int>(gStats.handsWon[c]),
                      static_cast<int>(PercentOfGames(gStats.handsWon[c])));
        SetDlgItemTextA(dialog, IDC_STAT_HAND0 + c, text);
    }
}

void ShowNetWinnings(HWND dialog) {
    int64_t net = static_cast<int64_t>(gStats.credits) - gStats.bankTotal;
    char title[48];
    std::snprintf(title, sizeof title, "Net Winnings = %lld", static_cast<long long>(net));
    SetWindowTextA(dialog, title);
}

BOOL OnStatsInit(HWND dialog) {
    OpenDialogWithZoom(dialog);
    ShowTotals(dialog);
    ShowHandsWon(dialog);
    ShowNetWinnings(dialog);
    return TRUE;
}

INT_PTR CALLBACK StatsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnStatsInit(dialog);
    case WM_PAINT: return PaintDialogFrameOnly(dialog);
    case WM_COMMAND: return CloseOnOkOrCancel(dialog, wParam);
    default: return FALSE;
    }
}

}  // namespace

void ShowStatistics() {
    if (gStats.gamesPlayed <= 0) {
        MessageBoxA(gShell.mainWindow, "No games have been played yet.", "Quorvel v2.1",
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    DialogBoxParamA(gShell.instance, "StatsDlg", gShell.mainWindow, StatsDialogProc, 0);
}
