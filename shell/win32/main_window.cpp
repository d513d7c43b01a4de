// The main window procedure: every message of the main window is routed to
// the engine, the drawing, the status line or the dialogs.  The switch only
// dispatches; each message has its own handler.
#include <windows.h>

#include "engine/deck.h"
#include "engine/round.h"
#include "presentation/win32/sound.h"
#include "presentation/win32/table.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "shell/win32/app_shell.h"
#include "shell/command_table.h"
#include "shell/win32/commands.h"
#include "shell/startup_sequence.h"
#include "shell/win32/status_line.h"

namespace {

LRESULT OnCreate() {
    HeldSound = nullptr;
    if (LoadStringA(gShell.instance, IDS_FIRST_MESSAGE, MessageText, sizeof MessageText) == 0)
        MessageText[0] = '\0';
    MainWindowCreated();
    return 1;
}

LRESULT OnDestroy() {
    PostQuitMessage(0);
    return 1;
}

LRESULT OnSize(HWND window, WPARAM wParam, LPARAM lParam) {
    DefWindowProcA(window, WM_SIZE, wParam, lParam);
    StatusLineSize(window);
    return 0;
}

LRESULT OnSetFocus(HWND window) {
    RefreshCapsPane(window);
    RefreshNumPane(window);
    return 0;
}

// The cards and the message line are drawn through their own device
// contexts after EndPaint, so they come out whole whatever was uncovered.
LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    PaintTable(window, dc);
    PaintStatusLine(window, dc);
    EndPaint(window, &paint);
    DrawAllCards();
    DrawMessageLine();
    return 1;
}

LRESULT OnSetCursor() {
    if (CardUnderCursor() >= 0)
        SetCursor(LoadCursorA(gShell.instance, MAKEINTRESOURCEA(IDR_HAND_CURSOR)));
    else
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    return 1;
}

LRESULT OnGetMinMaxInfo(HWND window, WPARAM wParam, LPARAM lParam) {
    StatusLineGetMinMaxInfo(window);
    DefWindowProcA(window, WM_GETMINMAXINFO, wParam, lParam);
    return 0;
}

LRESULT OnContextMenu(HWND window, LPARAM lParam) {
    POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ShowTableMenu(window, at);
    return 1;
}

LRESULT OnKeyDown(HWND window, WPARAM key) {
    StatusLineKeyDown(window, key);
    return 0;
}

LRESULT OnKeyUp() {
    StatusLineKeyUp();
    return 0;
}

LRESULT OnCommand(HWND window, WPARAM wParam) {
    RunCommand(window, LOWORD(wParam));
    return 1;
}

LRESULT OnTimer() {
    TableTimerTick();
    return 1;
}

LRESULT OnInitMenu() {
    UpdateMenus();
    return 1;
}

LRESULT OnMenuSelect(HWND window, WPARAM wParam, LPARAM lParam) {
    StatusLineMenuSelect(window, wParam, lParam);
    return 0;
}

LRESULT OnMouseMove(HWND window) {
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(gShell.mainWindow, &cursor);
    ShowStatusText(window, PointerStatusText(cursor.x, cursor.y));
    return 1;
}

// SendMessageA, so the hold is toggled before the click handler returns.
LRESULT OnLeftButtonDown(HWND window, LPARAM lParam) {
    POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    bool enabled[kSlotCount];
    for (int place = 0; place < kSlotCount; ++place)
        enabled[place] = IsWindowEnabled(static_cast<HWND>(gSlots[place].button)) != FALSE;
    if (int command = TablePressCommand(at.x, at.y, enabled))
        SendMessageA(window, WM_COMMAND, static_cast<WPARAM>(command), 0);
    return 1;
}

}  // namespace

void CardPlaceRect(int place, RECT* rect) {
    if (place < 0 || place >= kSlotCount || !rect) return;
    SetRect(rect, gSlots[place].x, gSlots[place].y, gSlots[place].x + TableLayout::kCardWidth,
            gSlots[place].y + TableLayout::kCardHeight);
}

int CardUnderCursor() {
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(gShell.mainWindow, &cursor);
    return CardUnderCursorAt(cursor.x, cursor.y);
}

// WM_LBUTTONDBLCLK is deliberately not handled: the second press of a fast
// double click must not toggle the hold back.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate();
    case WM_DESTROY: return OnDestroy();
    case WM_SIZE: return OnSize(window, wParam, lParam);
    case WM_SETFOCUS: return OnSetFocus(window);
    case WM_PAINT: return OnPaint(window);
    case WM_CLOSE: return CloseMainWindow(window);
    case WM_SETCURSOR: return OnSetCursor();
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo(window, wParam, lParam);
    case WM_CONTEXTMENU: return OnContextMenu(window, lParam);
    case WM_KEYDOWN: return OnKeyDown(window, wParam);
    case WM_KEYUP: return OnKeyUp();
    case WM_COMMAND: return OnCommand(window, wParam);
    case WM_TIMER: return OnTimer();
    case WM_INITMENU: return OnInitMenu();
    case WM_MENUSELECT: return OnMenuSelect(window, wParam, lParam);
    case WM_MOUSEMOVE: return OnMouseMove(window);
    case WM_LBUTTONDOWN: return OnLeftButtonDown(window, lParam);
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
