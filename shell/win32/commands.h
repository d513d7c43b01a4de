// The main window's commands, its menus and its shutdown.
#pragma once
#include <windows.h>

#include "shell/box_texts.h"

// Runs the command with this identifier (the shared command table);
// identifiers it does not know are ignored.
void RunCommand(HWND window, int command);
void InstallWin32ShellHost();

// A message box of the game owned by `owner`; its MessageBoxA result.
int ShowGameMessageBox(HWND owner, const MessageBoxText& box);

// The right-click menu, built afresh each time and shown at a screen point.
void ShowTableMenu(HWND window, POINT screenPoint);

// WM_CLOSE: 1 when the close is refused, 0 once the window is destroyed.
LRESULT CloseMainWindow(HWND window);
