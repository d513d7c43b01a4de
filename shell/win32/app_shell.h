// The shell's program-wide record, the table layout and the main window.
#pragma once
#include <windows.h>

#include "shell/table_layout.h"

struct AppShell {
    HINSTANCE instance;
    HWND mainWindow;
    HACCEL accelerators;
    HFONT BigFont;          // "Arial" 16 pt bold: credits box, help caption
    HFONT ButtonFont;       // "Arial" 8 pt bold: push buttons, coins box
    HFONT MessageFont;      // "Arial" 8 pt bold: the message line
    HBRUSH TableBrush;      // the class background, in BackColor
    HWND coinButton;
    HWND maxButton;
    HWND dealButton;
};

extern AppShell gShell;


// Start-up.
BOOL DefineMainClass(HINSTANCE instance);
BOOL OpenMainWindow(HINSTANCE instance, int showCommand);
HFONT CreateAppFont(const char* face, int points, BOOL bold, BOOL italic);
HWND CreateTableButton(const char* caption, int left, int top, int width,
                       int height, int command);
void CentreWindowOnScreen(HWND window);
int RunMessageLoop();

// The main window procedure and its helpers.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam,
                                LPARAM lParam);
void CardPlaceRect(int place, RECT* rect);
int CardUnderCursor();
void UpdateMenus();
void UpdateMenusAndBar();   // UpdateMenus, then DrawMenuBar

// The engine's host on this window (shell/win32_host.cpp).
void InstallWin32GameHost();
