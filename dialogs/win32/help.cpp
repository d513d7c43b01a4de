// The paged help dialog: a caption in large type, a read-only scrollable text
// and a row of five example cards under it, twelve pages in all.
#include <windows.h>

#include "dialogs/win32/dialog_window.h"
#include "dialogs/win32/dialogs.h"
#include "dialogs/help_pages.h"
#include "presentation/win32/bitmaps.h"
#include "presentation/win32/table.h"
#include "presentation/table_look.h"
#include "presentation/win32/zoom.h"
#include "resources/resource_ids.h"
#include "shell/win32/app_shell.h"

namespace {

constexpr COLORREF kCardCorner = kDialogCardCorner;

// The text box's own procedure, fetched once and kept for the whole run.
WNDPROC TextBoxProc = nullptr;

LRESULT CALLBACK HelpTextProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        return TRUE;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
    case WM_NOTIFY:
    case WM_COMMAND:
        return 0;       // no caret, selection, typing or context menu
    default:
        return CallWindowProcA(TextBoxProc, window, message, wParam, lParam);
    }
}

void MakeTextReadOnlyViewer(HWND dialog) {
    HWND text = GetDlgItem(dialog, IDC_HELP_TEXT);
    if (!TextBoxProc)
        TextBoxProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(text, GWLP_WNDPROC));
    SetWindowLongPtrA(text, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HelpTextProc));
}

BOOL OnHelpInit(HWND dialog) {
    OpenDialogOn(dialog, GameDialog::Help);
    MakeTextReadOnlyViewer(dialog);
    SendDlgItemMessageA(dialog, IDC_HELP_CAPTION, WM_SETFONT,
                        reinterpret_cast<WPARAM>(gShell.BigFont), FALSE);
    return TRUE;
}

void PaintExampleCard(HDC dc, int x, int y, const char* name) {
    DrawBitmapAt(gShell.instance, dc, x, y, name, SRCCOPY);
    // The corners lie outside the card's rounded outline: paint them in the
    // dialog's grey, with the card's origin at (x, y).
    POINT oldOrigin;
    OffsetViewportOrgEx(dc, x, y, &oldOrigin);
    RoundCardCorners(dc, kCardCorner);
    SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

BOOL OnHelpPaint(HWND dialog) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    DrawDialogFrame(dialog, dc, 2);
    RECT area = DialogControlRect(dialog, IDC_HELP_FRAME);
    for (int k = 0; k < kHelpCardCount; ++k)
        PaintExampleCard(dc, HelpCardLeft(area.left, area.right, k), HelpCardTop(area.bottom),
                         gDialogWindow.Picture(IDC_HELP_FRAME, k));
    EndPaint(dialog, &paint);
    return TRUE;
}

INT_PTR CALLBACK HelpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnHelpInit(dialog);
    case WM_PAINT: return OnHelpPaint(dialog);
    case WM_COMMAND: return DialogCommandMessage(wParam);
    default: return FALSE;
    }
}

}  // namespace

void ShowHelpDialog(HWND owner) {
    DialogBoxParamA(gShell.instance, "HelpDlg", owner, HelpDialogProc, 0);
}
