// The paged help dialog: a caption in large type, a read-only scrollable text
// and a row of five example cards under it, twelve pages in all.
#include <windows.h>

#include <cstdio>

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

// Only valid while the dialog is open.
int HelpPage = kHelpFirstPage;
char HelpCards[kHelpCardCount][kHelpCardNameSize];

// The text box's own procedure, fetched once and kept for the whole run.
WNDPROC TextBoxProc = nullptr;

void ShowPageCounter(HWND dialog) {
    char counter[32];
    FormatHelpCounter(HelpPage, counter, sizeof counter);
    SetDlgItemTextA(dialog, IDC_HELP_COUNTER, counter);
}

// Moves the keyboard focus the way the dialog manager does, so that the
// default-button outline follows it.
void FocusControl(HWND dialog, int id) {
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

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
    OpenDialogWithZoom(dialog);
    HelpPage = kHelpFirstPage;
    EnableWindow(GetDlgItem(dialog, IDC_HELP_PREV), FALSE);
    MakeTextReadOnlyViewer(dialog);
    ShowPageCounter(dialog);
    FillHelpPage(dialog, HelpPage);
    SendDlgItemMessageA(dialog, IDC_HELP_CAPTION, WM_SETFONT,
                        reinterpret_cast<WPARAM>(gShell.BigFont), FALSE);
    return TRUE;
}

void PaintExampleCard(HDC dc, int x, int y, const char* name) {
    DrawBitmapAt(gShell.instance, dc, x, y, name[0] ? name : "Blank", SRCCOPY);
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
    HWND frame = GetDlgItem(dialog, IDC_HELP_FRAME);
    RECT area = {};
    GetClientRect(frame, &area);
    MapRectToWindow(dialog, frame, &area);
    for (int k = 0; k < kHelpCardCount; ++k)
        PaintExampleCard(dc, HelpCardLeft(area.left, area.right, k), HelpCardTop(area.bottom),
                         HelpCards[k]);
    EndPaint(dialog, &paint);
    return TRUE;
}

BOOL OnHelpDone(HWND dialog) {
    CloseDialogZoom(dialog);
    EndDialog(dialog, 1);
    return TRUE;
}

// The cards are repainted over the old ones; the background stays.
void ShowNewPage(HWND dialog) {
    FillHelpPage(dialog, HelpPage);
    InvalidateRect(dialog, nullptr, FALSE);
}

BOOL OnHelpPrevious(HWND dialog) {
    if (HelpPage > kHelpFirstPage) --HelpPage;
    ShowPageCounter(dialog);
    EnableWindow(GetDlgItem(dialog, IDC_HELP_NEXT), TRUE);
    if (HelpPage == kHelpFirstPage) {
        FocusControl(dialog, IDC_HELP_NEXT);
        EnableWindow(GetDlgItem(dialog, IDC_HELP_PREV), FALSE);
    }
    ShowNewPage(dialog);
    return TRUE;
}

BOOL OnHelpNext(HWND dialog) {
    if (HelpPage < kHelpLastPage) ++HelpPage;
    ShowPageCounter(dialog);
    EnableWindow(GetDlgItem(dialog, IDC_HELP_PREV), TRUE);
    if (HelpPage == kHelpLastPage) {
        FocusControl(dialog, IDC_HELP_PREV);
        EnableWindow(GetDlgItem(dialog, IDC_HELP_NEXT), FALSE);
    }
    ShowNewPage(dialog);
    return TRUE;
}

BOOL OnHelpCommand(HWND dialog, WPARAM wParam) {
    switch (wParam) {
    case IDOK:
    case IDCANCEL: return OnHelpDone(dialog);
    case IDC_HELP_PREV: return OnHelpPrevious(dialog);
    case IDC_HELP_NEXT: return OnHelpNext(dialog);
    default: return FALSE;
    }
}

INT_PTR CALLBACK HelpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnHelpInit(dialog);
    case WM_PAINT: return OnHelpPaint(dialog);
    case WM_COMMAND: return OnHelpCommand(dialog, wParam);
    default: return FALSE;
    }
}

}  // namespace

void ShowHelpDialog(HWND owner) {
    DialogBoxParamA(gShell.instance, "HelpDlg", owner, HelpDialogProc, 0);
}

void FillHelpPage(HWND dialog, int page) {
    HelpPageContent content;
    FillHelpPageContent(page, &content);
    for (int k = 0; k < kHelpCardCount; ++k)
        std::snprintf(HelpCards[k], kHelpCardNameSize, "%s", content.cards[k]);
    if (!content.caption) return;
    SetDlgItemTextA(dialog, IDC_HELP_CAPTION, content.caption);
    SetDlgItemTextA(dialog, IDC_HELP_TEXT, content.text);     // shown from the top
}
