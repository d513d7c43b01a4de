// The shell's program-wide record, the table layout and the main window.
#pragma once
#include <windows.h>

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

// Every fixed position of the table follows from the card places.
namespace TableLayout {
constexpr int kCardWidth = 71;
constexpr int kCardHeight = 96;
constexpr int kCardLeft = 45;           // card place 0
constexpr int kCardPitch = 81;          // card place i: kCardLeft + i * pitch
constexpr int kCardTop = 50;
constexpr int CardLeft(int i) { return kCardLeft + kCardPitch * i; }
constexpr int kRowRight = CardLeft(4) + kCardWidth;     // 440
constexpr int kRowBottom = kCardTop + kCardHeight;      // 146
constexpr int kHoldTop = kRowBottom + 17;               // 163
constexpr int kHoldHeight = 30;
constexpr int kTopButtonTop = 5;
constexpr int kTopButtonHeight = kCardTop - 20;         // 30
constexpr int kCoinLeft = CardLeft(0) + 17;             // 62
constexpr int kCoinWidth = 53;
constexpr int kMaxLeft = kCoinLeft + 58;                // 120
constexpr int kMaxWidth = 53;
constexpr int kDealLeft = CardLeft(4) - 35;             // 334
constexpr int kDealWidth = 71;
constexpr int kFrameGrow = 10;                          // card-row frame
constexpr int kTitleDrop = 141;
constexpr int kCoinsBoxShrink = 135;
constexpr int kCoinsBoxAboveCards = 15;                 // coins box bottom: 35
constexpr int kTitleTopLower = 20;                      // title box from the
constexpr int kTitleBottomRaise = 10;                   //   moved-down frame
constexpr int kCreditsDrop = 296;
constexpr int kCreditsWiden = 50;
constexpr int kBadgeInset = 5;
constexpr int kBadgeFromRight = 59;
constexpr int kMessageHeight = 30;
constexpr int kMessageSide = 20;
constexpr int kMessageAboveStatus = 10;
constexpr int kWindowWidth = 490;
constexpr int kWindowHeight = 420;      // plus the status line height
}  // namespace TableLayout

// Start-up.
BOOL DefineMainClass(HINSTANCE instance);
BOOL OpenMainWindow(HINSTANCE instance, int showCommand);
HFONT CreateAppFont(const char* face, int points, BOOL bold, BOOL italic);
HWND CreateTableButton(const char* caption, int left, int top, int width,
                       int height, int command);
void CentreWindowOnScreen(HWND window);
void CreateTableControls();
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
