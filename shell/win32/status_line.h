// The three-pane status line painted along the bottom of the main window.
#pragma once
#include <windows.h>

#include "engine/card_name.h"

struct StatusLineState {
    int b, b2, b3, b8, b9;  // border unit and its multiples
    HFONT StatusFont;
    int height;             // S
    int messageWidth;       // M
    int indicatorWidth;     // K
    char text[256];
    BOOL capsShown;
    BOOL numShown;
    BOOL keyLatch;
    int lastHelpId;
    BOOL whiteHighlight;
    RECT oldStatusRect;
};

extern StatusLineState StatusLine;

void InitStatusLine();
void PaintStatusLine(HWND window, HDC dc);
void ShowStatusText(HWND window, const char* text);
void ShowMenuHelp(HWND window, int stringId);
void RefreshCapsPane(HWND window);
void RefreshNumPane(HWND window);

// Message hooks called by the main window procedure.
void StatusLineMenuSelect(HWND window, WPARAM wParam, LPARAM lParam);
void StatusLineKeyDown(HWND window, WPARAM key);
void StatusLineKeyUp();
void StatusLineGetMinMaxInfo(HWND window);
void StatusLineSize(HWND window);
