// Two dialogs that only show something and close: the payout table as a
// picture, and the About box.
#include <windows.h>

#include "dialogs/win32/dialog_window.h"
#include "dialogs/win32/dialogs.h"
#include "presentation/win32/bitmaps.h"
#include "presentation/win32/zoom.h"
#include "shell/win32/app_shell.h"

namespace {

// The picture is centred whatever size the dialog font gives the dialog;
// the OK button stands over its empty bottom middle.
BOOL OnPayoffPaint(HWND dialog) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    DrawDialogFrame(dialog, dc, 2);
    DrawBitmapCentred(gShell.instance, dialog, dc, gDialogWindow.Picture(kDialogWindow, 0), SRCCOPY);
    EndPaint(dialog, &paint);
    return TRUE;
}

INT_PTR CALLBACK PayoffDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OpenDialogOn(dialog, GameDialog::Payoff);
    case WM_PAINT: return OnPayoffPaint(dialog);
    case WM_COMMAND: return DialogCommandMessage(wParam);
    default: return FALSE;
    }
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OpenDialogOn(dialog, GameDialog::About);
    case WM_PAINT: return PaintDialogFrameOnly(dialog);
    case WM_COMMAND: return DialogCommandMessage(wParam);
    default: return FALSE;
    }
}

}  // namespace

void ShowPayoffDialog(HWND owner) {
    DialogBoxParamA(gShell.instance, "PayoffDlg", owner, PayoffDialogProc, 0);
}

void ShowAboutDialog(HWND owner) {
    DialogBoxParamA(gShell.instance, "AboutDlg", owner, AboutDialogProc, 0);
}
