// The statistics dialog: a snapshot of the game's counters when it opens.
#include <windows.h>

#include "dialogs/win32/dialog_window.h"
#include "dialogs/win32/dialogs.h"
#include "presentation/win32/zoom.h"
#include "shell/win32/app_shell.h"

namespace {

INT_PTR CALLBACK StatsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OpenDialogOn(dialog, GameDialog::Statistics);
    case WM_PAINT: return PaintDialogFrameOnly(dialog);
    case WM_COMMAND: return DialogCommandMessage(wParam);
    default: return FALSE;
    }
}

}  // namespace

// The command's check that games were played is the shared command table's.
void ShowStatisticsDialog() {
    DialogBoxParamA(gShell.instance, "StatsDlg", gShell.mainWindow, StatsDialogProc, 0);
}
