// The statistics dialog: a snapshot of the game's counters when it opens.
#include <windows.h>

#include "dialogs/win32/dialogs.h"
#include "dialogs/statistics_text.h"
#include "engine/round.h"
#include "presentation/win32/zoom.h"
#include "resources/resource_ids.h"
#include "shell/win32/app_shell.h"

namespace {

void ShowTotals(HWND dialog) {
    SetDlgItemInt(dialog, IDC_STAT_GAMES, static_cast<UINT>(gStats.gamesPlayed), FALSE);
    SetDlgItemInt(dialog, IDC_STAT_COINS_PLAYED, static_cast<UINT>(gStats.coinsPlayed), FALSE);
    SetDlgItemInt(dialog, IDC_STAT_COINS_WON, static_cast<UINT>(gStats.coinsWon), FALSE);
    SetDlgItemInt(dialog, IDC_STAT_BUSTED, static_cast<UINT>(gStats.timesBusted), FALSE);
}

void ShowHandsWon(HWND dialog) {
    for (int c = 1; c < kHandCategoryCount; ++c) {
        char text[40];
        FormatHandsWon(c, text, sizeof text);
        SetDlgItemTextA(dialog, IDC_STAT_HAND0 + c, text);
    }
}

void ShowNetWinnings(HWND dialog) {
    char title[48];
    FormatNetWinnings(title, sizeof title);
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

// The command's check that games were played is the shared command table's.
void ShowStatisticsDialog() {
    DialogBoxParamA(gShell.instance, "StatsDlg", gShell.mainWindow, StatsDialogProc, 0);
}
