// The main window's commands, its menus and its shutdown.
#pragma once
#include <windows.h>

// Runs the command with this identifier; identifiers it does not know are
// ignored.
void RunCommand(HWND window, int command);

// The right-click menu, built afresh each time and shown at a screen point.
void ShowTableMenu(HWND window, POINT screenPoint);

// WM_CLOSE: 1 when the close is refused, 0 once the window is destroyed.
LRESULT CloseMainWindow(HWND window);
